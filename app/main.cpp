// The uninstaller's entry point: confirm, then run the uninstall window until
// it ends. The exit code is 0 on every path.
#include "app/uninstall.h"

#include <windows.h>

#include <new>

namespace {

// "提示" (Notice) in GBK.
const char kConfirmCaption[] = "\xCC\xE1\xCA\xBE";
// "是否确定卸载？" (Are you sure you want to uninstall?) in GBK.
const char kConfirmText[] = "\xCA\xC7\xB7\xF1\xC8\xB7\xB6\xA8\xD0\xB6\xD4\xD8\xA3\xBF";

// Windows refuses to remove a directory that is a process's current
// directory, and Explorer and shortcuts start the uninstaller in its own
// folder: the run, and the programs it starts, work from the temporary
// directory instead (the system directory when that cannot be entered).
void leaveInstallationFolder()
{
    char directory[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathA(sizeof directory, directory);
    if (length > 0 && length < sizeof directory && SetCurrentDirectoryA(directory)) return;
    if (GetSystemDirectoryA(directory, sizeof directory)) SetCurrentDirectoryA(directory);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    if (MessageBoxA(nullptr, kConfirmText, kConfirmCaption, MB_OKCANCEL) != IDOK) return 0;
    leaveInstallationFolder();
    uninstall* window = new (std::nothrow) uninstall();
    if (!window) return 0;
    window->retain();
    window->create(QXSDK::CreateContext{instance, nullptr});
    window->release();
    return 0;
}
