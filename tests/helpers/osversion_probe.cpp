// Answers the toolkit's Windows version code as its exit code, or with
// "--version" the version GetVersionExA reports, as major x 100 + minor.
// Wine reads the version to report when a process starts, so a test that
// changes it needs a process of its own. Built twice: plain, and with the
// shipped program's application manifest, which decides what Windows 8.1
// and later report to a program.
#include "qxsdk/core/QXObject.h"

#include <windows.h>

#include <cstring>

int main(int argc, char** argv)
{
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        OSVERSIONINFOA info{};
        info.dwOSVersionInfoSize = sizeof info;
        if (!GetVersionExA(&info)) return -1;
        return static_cast<int>(info.dwMajorVersion * 100 + info.dwMinorVersion);
    }
    return QXSDK::getOSVersionCode();
}
