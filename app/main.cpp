// The uninstaller's entry point: confirm, then run the uninstall window until
// it ends. The exit code is 0 for a person at the screen, but for a start
// that cannot ask (nobody sees its windows); a start unattended (see
// CommandLine) ends with a code that says how the run went (RunReport).
#include "app/CommandLine.h"
#include "app/ProgramMessageBox.h"
#include "app/ProgramTexts.h"
#include "app/RunReport.h"
#include "app/SingleRun.h"
#include "app/WindowStation.h"
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
    "1603 something could not be removed, 1605 nothing is installed here,\n"
    "1618 another run is going, 1622 the log cannot be written;\n"
    "1602 where no window can be seen and no /S was given.";

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
    // Read before anything changes the current directory, which a relative
    // log path names.
    const CommandLine options(GetCommandLineW());
    const bool unattended = options.isUnattended();
    // In a service's window station a box would wait for ever for nobody.
    const bool seen = WindowStation::isVisible();
    if (options.asksForHelp()) {
        if (seen) programMessageBox(kSwitches, kWindowTitle, MB_OK);
        return 0;
    }
    QXSDK::QXComponent::setFailureBoxShown(seen && !unattended);

    RunReport report;
    SingleRun run;
    if (unattended && !run.claim()) {
        // The other run may be writing this very log: it is then left alone.
        report.logTo(options.logPath());
        report.refuse(RunReport::kAlreadyRunning, "another run of the uninstaller is going; nothing was touched");
        return report.close(unattended);
    }
    if (options.logPath() && !report.logTo(options.logPath()) && unattended) return RunReport::kLogFailed;
    if (!unattended) {
        if (!seen) {
            report.refuse(RunReport::kNobodyToAsk,
                          "nobody can see the question (no window shows here, and no /S); nothing was touched");
            return report.close(unattended);
        }
        if (programMessageBox(kConfirmText, kConfirmCaption, MB_OKCANCEL) != IDOK) {
            report.refuse(RunReport::kRemoved, "cancelled at the question; nothing was touched");
            return report.close(unattended);
        }
        // Claimed only now: a question left open must not hold back a
        // deployment tool's run.
        if (!run.claim()) {
            SingleRun::showTheOtherRun();
            report.refuse(RunReport::kRemoved, "another run of the uninstaller is going and finishes the job");
            return report.close(unattended);
        }
    }

    leaveInstallationFolder();
    uninstall* window = new (std::nothrow) uninstall();
    if (!window) return report.close(unattended);
    window->retain();
    window->reportTo(report);
    if (unattended) window->runUnattended(options.showsWindow());
    window->create(QXSDK::CreateContext{instance, nullptr});
    window->release();
    return report.close(unattended);
}
