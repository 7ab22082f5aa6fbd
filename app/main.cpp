// The uninstaller's entry point: confirm, then run the uninstall window until
// it ends. The exit code is 0 on every path, but for a start unattended
// (see CommandLine), whose exit code says how the run went (RunReport).
#include "app/CommandLine.h"
#include "app/FineTimerResolution.h"
#include "app/ProgramMessageBox.h"
#include "app/ProgramTexts.h"
#include "app/uninstall.h"
#include "qxsdk/core/SystemFolder.h"

#include <windows.h>

#include <new>

namespace {

// What the box of /? lists.
const char kSwitches[] =
    "Vexlo uninstaller\n\n"
    "/S, /VERYSILENT\tremove without a question or a window\n"
    "/SILENT\tremove without a question, the window shown\n"
    "/SUPPRESSMSGBOXES, /NORESTART\taccepted, they change nothing\n"
    "/LOG=\"path\"\ta log of the run in UTF-8\n"
    "/?\tthis list\n\n"
    "Exit codes without a question: 0 removed, 3010 removed once Windows restarts,\n"
    "1603 something could not be removed, 1605 nothing is installed here.";

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
    const CommandLine options(GetCommandLineW());
    if (options.asksForHelp()) {
        programMessageBox(kSwitches, kWindowTitle, MB_OK);
        return 0;
    }
    if (!options.isUnattended() && programMessageBox(kConfirmText, kConfirmCaption, MB_OKCANCEL) != IDOK) return 0;
    leaveInstallationFolder();
    uninstall* window = new (std::nothrow) uninstall();
    if (!window) return options.isUnattended() ? RunReport::kFailed : 0;
    window->retain();
    if (options.isUnattended()) window->runUnattended(options.showsWindow());
    window->logTo(options.logPath());
    {
        const FineTimerResolution fineClock; // while the window runs
        window->create(QXSDK::CreateContext{instance, nullptr});
    }
    const int exitCode = window->closeReport();
    window->release();
    return options.isUnattended() ? exitCode : 0;
}
