// Runs a part of the uninstaller in a process of its own: a registry
// operation, so that a test can give it another Windows version (Wine reads
// the version to report when a process starts), or the uninstall window's
// whole run, so that the program's own file can be listed. Exit code: the
// operation's result.
//
//   app_runner setDefaultProgram EXTENSION PROGID
//   app_runner removeRegistryKey PROGRAMDIR ENTRY
//   app_runner run LOG    the uninstall window on the install.txt beside this
//                         program (no confirmation box); after every tick a
//                         line "caption|own file|key" goes to LOG, and the
//                         window quits after the last entry
#include "app/InstallationFiles.h"
#include "app/Manifest.h"
#include "app/ProductRegistration.h"
#include "app/uninstall.h"
#include "qxsdk/core/QXFile.h"
#include "qxsdk/core/QXProperties.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

using namespace QXSDK;

namespace {

// The uninstall window, reporting what a user would see and what is left
// after each of its ticks.
class RecordingRun : public uninstall {
public:
    RecordingRun(FILE* log, const QXString& programFile, const QXString& registryEntry, int entries)
        : log(log), programFile(programFile), productKey(registryEntry), entries(entries)
    {
    }

    int timerFired() override
    {
        const int result = uninstall::timerFired();
        QXComponent* status = getComponentAt(20, 15);
        QXLabel* label = dynamic_cast<QXLabel*>(status);
        const QXString caption = label ? label->getCaption() : QXString("<no label>");
        if (status) status->release();
        std::fprintf(log, "%s|%s|%s\n", caption.getData() ? caption.getData() : "",
                     QXFile(programFile).isFile() ? "program" : "-", keyExists() ? "key" : "-");
        if (++ticks == entries) quit();
        return result;
    }

private:
    // The product key, ROOT\subkey, with HKEY_CURRENT_USER as its root.
    bool keyExists() const
    {
        const char* subkey = std::strchr(productKey.getData() ? productKey.getData() : "", '\\');
        HKEY key;
        if (!subkey || RegOpenKeyExA(HKEY_CURRENT_USER, subkey + 1, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
        RegCloseKey(key);
        return true;
    }

    FILE* log;
    QXString programFile;
    QXString productKey;
    int entries;
    int ticks = 0;
};

int run(const char* logPath)
{
    FILE* log = std::fopen(logPath, "wb");
    if (!log) return 2;
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    QXFile* directory = QXFile::getModuleDirectory();
    const QXString programDir = directory ? directory->getPath() : QXString("");
    if (directory) directory->release();
    TQXList<QXString> manifest;
    readManifest(installationFile(programDir, kManifestFile), manifest);
    manifest.moveLast();
    const QXString* last = manifest.getCurrent();

    RecordingRun* window = new RecordingRun(log, QXString(self), last ? *last : QXString(""), manifest.count());
    window->retain();
    window->create(CreateContext{GetModuleHandleA(nullptr), nullptr});
    window->release();
    std::fclose(log);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 4 && std::strcmp(argv[1], "setDefaultProgram") == 0) {
        QXProperties none;
        ProductRegistration(QXString(""), none).setDefaultProgram(argv[2], argv[3]);
        return 0;
    }
    if (argc == 4 && std::strcmp(argv[1], "removeRegistryKey") == 0) {
        const QXString programDir(argv[2]);
        QXProperties associations;
        associations.load(installationFile(programDir, kAssociationsFile));
        return ProductRegistration(programDir, associations).removeRegistryKey(QXString(argv[3]));
    }
    if (argc == 3 && std::strcmp(argv[1], "run") == 0) return run(argv[2]);
    return 100;
}
