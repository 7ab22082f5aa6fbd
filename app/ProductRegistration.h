#pragma once

#include "qxsdk/core/QXProperties.h"
#include "qxsdk/core/QXString.h"

class RunReport;

// The product's registry footprint: its own key (the manifest's last line),
// its file types for the image extensions, and the former owners of those
// extensions recorded in "filelink.txt" beside the program.
class ProductRegistration {
public:
    // The image extensions whose file types the product installed, in order.
    static constexpr int kImageExtensionCount = 19;
    static const char* const ImageExtensionList[kImageExtensionCount];

    // programDir: the directory of "filelink.txt", without a trailing
    // backslash. associations: the loaded "filelink.txt"; report, when
    // given, hears of the key and of each extension given back. Neither is
    // owned; both must outlive this object.
    ProductRegistration(const QXSDK::QXString& programDir, QXSDK::QXProperties& associations,
                        RunReport* report = nullptr);

    // Deletes the key named by entry (ROOT\subkey, or a subkey of
    // HKEY_CLASSES_ROOT), then takes back every extension and deletes
    // "filelink.txt"; a key that is already gone counts as deleted. Answers
    // 0 and does nothing else when the key cannot be deleted (unknown root,
    // empty subkey name, subkeys present).
    int removeRegistryKey(QXSDK::QXString entry);
    // Removes the product's file type of extension and gives the extension
    // back to its former owner when one is recorded; answers 1 when it did.
    int restoreAssociation(const char* extension);
    // Makes progId the extension's program again, wherever the extension
    // still names the product's type; a later choice of the user or of
    // another program is left alone. Answers 1 when it wrote it anywhere.
    int setDefaultProgram(const char* extension, const char* progId);

private:
    QXSDK::QXString programDir;
    QXSDK::QXProperties& associations;
    RunReport* report;
};
