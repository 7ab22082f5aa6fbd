// Runs one registry operation of the uninstaller in a process of its own, so
// that a test can give it another Windows version (Wine reads the version to
// report when a process starts). Exit code: the operation's result.
//
//   app_runner setDefaultProgram EXTENSION PROGID
//   app_runner removeRegistryKey PROGRAMDIR ENTRY
#include "app/InstallationFiles.h"
#include "app/ProductRegistration.h"
#include "qxsdk/core/QXProperties.h"

#include <cstring>

using QXSDK::QXProperties;
using QXSDK::QXString;

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
    return 100;
}
