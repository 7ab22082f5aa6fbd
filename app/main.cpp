// The uninstaller's entry point: confirm, then run the uninstall window until
// it ends. The exit code is 0 on every path.
#include "app/FineTimerResolution.h"
#include "app/ProgramMessageBox.h"
#include "app/ProgramTexts.h"
#include "app/uninstall.h"
#include "qxsdk/core/SystemFolder.h"

#include <windows.h>

#include <new>

namespace {

using SetDefaultDllDirectoriesProcedure = BOOL(WINAPI*)(DWORD);

// The program runs elevated, and Windows looks for a DLL that is not one of
// its known system DLLs beside the program and in the current directory
// first, folders a user may write. Every DLL loaded from here on comes from
// the system folder. Windows before 8 without update KB2533623 lacks the
// call; there the current directory at least leaves the search.
void loadDllsFromSystemFolderOnly()
{
    SetDllDirectoryA("");
    const auto setDefaultDllDirectories =
        QXSDK::systemProcedure<SetDefaultDllDirectoriesProcedure>("kernel32.dll", "SetDefaultDllDirectories");
    if (setDefaultDllDirectories) setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

// Windows refuses to remove a directory that is a process's current
// directory, and Explorer and shortcuts start the uninstaller in its own
// folder: the run, and the programs it starts, work from the system folder,
// which users cannot write.
void leaveInstallationFolder()
{
    const QXSDK::QXString folder = QXSDK::systemFolder();
    if (folder.getData()) SetCurrentDirectoryA(folder.getData());
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    loadDllsFromSystemFolderOnly();
    if (programMessageBox(kConfirmText, kConfirmCaption, MB_OKCANCEL) != IDOK) return 0;
    leaveInstallationFolder();
    uninstall* window = new (std::nothrow) uninstall();
    if (!window) return 0;
    window->retain();
    {
        const FineTimerResolution fineClock; // while the window runs
        window->create(QXSDK::CreateContext{instance, nullptr});
    }
    window->release();
    return 0;
}
