#include "app/ProductRegistration.h"

#include "app/EntryRemoval.h"
#include "app/InstallationFiles.h"
#include "app/RunReport.h"
#include "qxsdk/core/QXObject.h"
#include "qxsdk/core/ScopedWin32.h"

#include <cstring>

using QXSDK::QXProperties;
using QXSDK::RegistryKey;
using QXSDK::QXString;

const char* const ProductRegistration::ImageExtensionList[kImageExtensionCount] = {
    ".JPEG", ".JPG", ".PNG", ".JP2", ".BMP", ".GIF",  ".PCX", ".PGX", ".RAS", ".TGA",
    ".TIFF", ".TIF", ".JPC", ".PPM", ".PGM", ".PBM", ".ICO", ".ICON", ".WMF"};

namespace {

const char kProductTypePrefix[] = "Vexlo";
const char kUserChoiceKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\";
const char kUserChoiceValue[] = "Progid";

struct RootName {
    const char* name;
    HKEY key;
};

const RootName kRoots[] = {
    {"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},   {"HKEY_CURRENT_USER", HKEY_CURRENT_USER},
    {"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE}, {"HKEY_USERS", HKEY_USERS},
    {"HKEY_CURRENT_CONFIG", HKEY_CURRENT_CONFIG}};

// One step of taking a product type apart, deepest key first: the key to
// open under HKEY_CLASSES_ROOT (relative to the type's key, null for the
// root itself) and the value or subkey to delete in it (null: the type).
struct RemovalStep {
    const char* keyBelowType;
    bool deletesSubkey;
    const char* name;
};

const RemovalStep kTypeRemovalSteps[] = {
    {"\\shell\\Open\\Command", false, ""},
    {"\\shell\\Open", true, "Command"},
    {"\\shell", true, "Open"},
    {"\\shell", false, ""},
    {"", true, "shell"},
    {"\\FriendlyTypeName", false, ""},
    {"", true, "FriendlyTypeName"},
    {"\\DefaultIcon", false, ""},
    {"", true, "DefaultIcon"},
    {"", false, ""},
    {nullptr, true, nullptr},
};

// True when the string value name of key is absent, empty or names
// productType: nobody but the product has claimed it.
bool unclaimedOrProducts(HKEY key, const char* name, const char* productType)
{
    char value[1024] = {};
    DWORD type = 0;
    DWORD size = sizeof value - 1;
    const LONG status = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
    if (status == ERROR_FILE_NOT_FOUND) return true;
    if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return false;
    return value[0] == '\0' || _stricmp(value, productType) == 0;
}

bool setStringValue(HKEY key, const char* name, const char* text)
{
    return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                          static_cast<DWORD>(std::strlen(text) + 1)) == ERROR_SUCCESS;
}

} // namespace

ProductRegistration::ProductRegistration(const QXString& directory, QXProperties& table, RunReport* listener)
    : programDir(directory), associations(table), report(listener)
{
}

int ProductRegistration::removeRegistryKey(QXString entry)
{
    QXString rootName("HKEY_CLASSES_ROOT");
    QXString subkey(entry);
    const char* text = entry.getData();
    const char* backslash = (text && text[0]) ? std::strchr(text, '\\') : nullptr;
    if (backslash) {
        const int p = static_cast<int>(backslash - text);
        rootName = entry.substring(0, p - 1);
        subkey = entry.substring(p + 1, entry.getLength() - 1);
    }

    HKEY root = nullptr;
    for (const RootName& candidate : kRoots) {
        if (rootName.equalsIgnoreCase(candidate.name)) {
            root = candidate.key;
            break;
        }
    }
    // An empty name would ask Windows to delete the root key itself.
    EntryOutcome outcome = EntryOutcome::kNamesNoFile;
    if (root && subkey.getData() && subkey.getData()[0] != '\0') {
        RegistryKey key(root, nullptr);
        const LONG status = key ? RegDeleteKeyA(key.get(), subkey.getData()) : ERROR_INVALID_HANDLE;
        // A key that is already gone was deleted by a run cut short before
        // it gave the extensions back: this run finishes that work.
        outcome = status == ERROR_SUCCESS          ? EntryOutcome::kRemoved
                  : status == ERROR_FILE_NOT_FOUND ? EntryOutcome::kAbsent
                                                   : EntryOutcome::kNoRight;
    }
    if (report) report->registryKey(entry, outcome);
    if (outcome != EntryOutcome::kRemoved && outcome != EntryOutcome::kAbsent) return 0;

    for (const char* extension : ImageExtensionList) restoreAssociation(extension);
    removePath(installationFile(programDir, kAssociationsFile));
    return 1;
}

int ProductRegistration::restoreAssociation(const char* extension)
{
    const QXString productType = QXString(kProductTypePrefix) + extension;
    if (!productType.getData()) return 0;
    for (const RemovalStep& step : kTypeRemovalSteps) {
        const QXString keyName = step.keyBelowType ? productType + step.keyBelowType : QXString("");
        if (!keyName.getData()) continue;
        const char* name = step.name ? step.name : productType.getData();
        RegistryKey key(HKEY_CLASSES_ROOT, keyName.getData());
        if (!key) continue;
        if (step.deletesSubkey)
            RegDeleteKeyA(key.get(), name);
        else
            RegDeleteValueA(key.get(), name);
    }

    const QXString formerOwner = associations.getString(extension, "");
    if (formerOwner.getLength() <= 0 || !setDefaultProgram(extension, formerOwner.getData())) return 0;
    if (report) report->associationGivenBack(extension, formerOwner.getData());
    return 1;
}

int ProductRegistration::setDefaultProgram(const char* extension, const char* progId)
{
    const QXString productType = QXString(kProductTypePrefix) + extension;
    if (!productType.getData()) return 0;
    const REGSAM access = KEY_WRITE | KEY_QUERY_VALUE;
    bool written = false;

    const QXString choice = QXString(kUserChoiceKey) + extension + "\\UserChoice";
    if (QXSDK::getOSVersionCode() == QXSDK::kOSWindows7 && choice.getData()) {
        // Explorer's per-user choice: never created, and rewritten only where
        // it names the product or nothing at all (no value, an empty one).
        RegistryKey key(HKEY_CURRENT_USER, choice.getData(), access);
        if (key && unclaimedOrProducts(key.get(), kUserChoiceValue, productType.getData()))
            written = setStringValue(key.get(), kUserChoiceValue, progId);
    }

    // After the type's removal a default value that names it points nowhere:
    // give the extension back on every version unless someone else claimed it.
    RegistryKey key(HKEY_CLASSES_ROOT, extension, access);
    if (key && unclaimedOrProducts(key.get(), "", productType.getData()))
        written = setStringValue(key.get(), "", progId) || written;
    return written ? 1 : 0;
}
