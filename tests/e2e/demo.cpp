// The demo: stages a sample installation of the product in the prefix, runs
// the real uninstall.exe as a user would (confirm, wait, click "完成") and
// prints what changed. Screenshots go to the folder given as the first
// argument. With "--second-disk" after it the installation is on D: (which
// scripts/demo.sh links to another file system), its shell extension held
// loaded as Explorer holds it, and the prefix is restarted after the run.
// With "--silent" the program is started as a deployment tool starts it,
// "/S /LOG=...", nobody at the keyboard, and the report gives its exit code
// and its log. With "--scale150" the demo runs twice, at 100 % and at 150 %
// display scaling (96 and 144 DPI), its pictures in the subfolders 100 and
// 150 of the first argument.
#include "tests/e2e/Installation.h"
#include "tests/e2e/UninstallRun.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/RestartList.h"
#include "tests/support/ScratchDir.h"
#include "tests/support/ScratchRegistryKey.h"
#include "tests/support/UninstallerLookalike.h"
#include "tests/support/Utf8.h"

#include <cstdio>
#include <memory>
#include <string>

using namespace e2e;

namespace {

const char kFileExts[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\";

void printEntries(const Installation& installation, const Snapshot& before, const Snapshot& after,
                  const std::map<std::string, std::string>& parkedBySize)
{
    int removed = 0;
    std::printf("\nManifest entries (%zu):\n", installation.manifest.size());
    for (size_t i = 0; i + 1 < installation.manifest.size(); ++i) {
        const std::string& entry = installation.manifest[i];
        const bool was = before.files.count(entry) > 0, is = after.files.count(entry) > 0;
        if (was && !is) {
            auto parked = parkedBySize.find(before.files.at(entry));
            if (parked != parkedBySize.end())
                std::printf("  moved aside  %s\n               -> %s (deleted at the next restart: it was in use)\n",
                            entry.c_str(), parked->second.c_str());
            else
                ++removed;
        } else if (is && after.isPending(entry) && !before.isPending(entry)) {
            std::printf("  waits        %s (at its path, deleted at the next restart: %s)\n", entry.c_str(),
                        after.files.at(entry) == "dir" ? "it holds files that wait" : "in use, and could not be moved");
        } else if (is) {
            std::printf("  left         %s (%s)\n", entry.c_str(),
                        after.files.at(entry) == "dir" ? "directory still holds what the manifest does not list"
                                                       : "could not be removed");
        }
    }
    std::printf("  removed      %d files and directories\n", removed);
}

// What a restart of the prefix leaves of the installation.
void restartAndReport(const Installation& installation, const Snapshot& before)
{
    std::printf("\nRestarting Windows (wineboot -r) ...\n");
    testsupport::restartWindows();
    const Snapshot restarted = Snapshot::take(installation);
    int parked = 0;
    for (const auto& file : restarted.parked) parked += before.parked.count(file.first) ? 0 : 1;
    if (restarted.files.empty() && parked == 0) {
        std::printf("After the restart: nothing of the installation is left.\n");
        return;
    }
    std::printf("After the restart, still there:\n");
    for (const auto& file : restarted.files) std::printf("  %s\n", file.first.c_str());
    if (parked) std::printf("  %d parked del*.tmp files\n", parked);
}

// The product's registry after the run: its key, the shell extension and
// what each image extension opens with.
void printRegistry()
{
    std::printf("Registry key HKEY_LOCAL_MACHINE\\SOFTWARE\\Vexlo: %s\n",
                testsupport::keyExists(HKEY_LOCAL_MACHINE, "SOFTWARE\\Vexlo") ? "still there" : "deleted");
    std::printf("Shell extension: %s\n",
                testsupport::keyExists(HKEY_CLASSES_ROOT, kShellExtensionClass) ? "still registered" : "unregistered");
    std::printf("\nAssociations:\n");
    for (const std::string& extension : kExtensions) {
        const std::string now = testsupport::readString(HKEY_CLASSES_ROOT, extension, "");
        const std::string choice =
            testsupport::readString(HKEY_CURRENT_USER, kFileExts + extension + "\\UserChoice", "Progid");
        const std::string owner = now == "Vexlo" + extension ? "nothing (no former program recorded)" : now;
        std::printf("  %-6s type Vexlo%s %s; opens with %s%s\n", extension.c_str(), extension.c_str(),
                    testsupport::keyExists(HKEY_CLASSES_ROOT, "Vexlo" + extension) ? "kept" : "removed", owner.c_str(),
                    choice == "<absent>" ? "" : (" (Explorer's choice: " + choice + ")").c_str());
    }
}

// What the button "完成" (Done) showed at the end: the toolkit's drawing of
// that text, or of its GBK bytes read in the machine's code page.
std::string buttonText(const RunResult& result, testsupport::UninstallerLookalike& lookalike)
{
    const std::wstring done = L"\u5B8C\u6210";
    const std::string gbk = "\xCD\xEA\xB3\xC9";
    if (result.enabledButton.values.empty()) return "nothing (it was not seen enabled)";
    if (result.enabledButton == lookalike.buttonShowing(gbk, 936, true))
        return "\"" + testsupport::toUtf8(done) + "\" (the toolkit's drawing of that text)";
    if (result.enabledButton == lookalike.buttonShowing(gbk, CP_ACP, true))
        return "\"" + testsupport::toUtf8(testsupport::fromCodePage(gbk, GetACP())) +
               "\" (its GBK bytes read in code page " + std::to_string(GetACP()) + ")";
    return "neither \"" + testsupport::toUtf8(done) + "\" nor its GBK bytes read in code page " +
           std::to_string(GetACP());
}

// What the box, the window's title and the button said, as a user of this
// machine's code page read them.
void printTexts(const RunResult& result, int entries)
{
    testsupport::UninstallerLookalike lookalike(-4000, -4000, entries);
    std::printf("\nWhat a user of this machine read (ANSI code page %u):\n", GetACP());
    std::printf("  the box asked \"%s\" under the caption \"%s\"\n", testsupport::toUtf8(result.boxText).c_str(),
                testsupport::toUtf8(result.boxCaption).c_str());
    std::printf("  the window was titled \"%s\"\n", testsupport::toUtf8(result.windowTitle).c_str());
    std::printf("  its button showed %s\n", buttonText(result, lookalike).c_str());
}

// What the user saw, as compared during the run, and each picture, checked
// to show its window. Answers whether all is as it should be.
bool printWhatWasShown(const RunResult& result)
{
    std::printf("\nWhat the window showed (%d looks compared): %s\n", result.comparedLooks,
                result.displayFaults.empty() ? "as it should" : "WRONG:");
    for (const std::string& fault : result.displayFaults) std::printf("  %s\n", fault.c_str());
    bool shown = true;
    for (const Screenshot& shot : result.screenshots) {
        std::printf("Screenshot %s: %s%s\n", shot.path.c_str(), shot.shows ? "checked, shows its window" : "FAILED: ",
                    shot.problem.c_str());
        shown = shown && shot.shows;
    }
    return result.displayFaults.empty() && shown;
}

// Stages the sample installation, on the second disk with its shell
// extension held loaded as Explorer holds it when asked.
void stage(Installation& installation, bool secondDisk, std::unique_ptr<testsupport::ChildProcess>& explorer)
{
    installBrowserRecorder();
    installation.stage();
    std::printf("Staged a sample installation in %s: %zu manifest entries, the product key\n"
                "HKEY_LOCAL_MACHINE\\SOFTWARE\\Vexlo, 19 image file types, the shell extension.\n",
                installation.programDir.c_str(), installation.manifest.size());
    if (!secondDisk) return;
    std::printf("D: is a second disk; the shell extension is held loaded, as Explorer holds it.\n");
    explorer.reset(new testsupport::ChildProcess("\"" + testsupport::testBinDir() + "\\holder.exe\" --load \"" +
                                                 installation.path("VexloShellEx.dll") + "\""));
    testsupport::awaitHolding(*explorer);
}

// The log of a silent run, as it was written (UTF-8, after its signature).
void printLog(const std::string& path)
{
    std::string text = readFile(path);
    if (text.rfind("\xEF\xBB\xBF", 0) == 0) text.erase(0, 3);
    std::printf("\nThe log %s:\n%s", path.c_str(), text.empty() ? "  (none was written)\n" : text.c_str());
}

// Runs this demo again at dpi (Wine reads LogPixels when a process starts),
// with its pictures in folder; answers its status.
long demoAt(const char* self, const std::string& folder, DWORD dpi)
{
    const char desktop[] = "Control Panel\\Desktop";
    testsupport::RegistryValueBackup before(HKEY_CURRENT_USER, desktop, "LogPixels");
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, desktop, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return 1;
    RegSetValueExA(key, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi);
    RegCloseKey(key);
    std::printf("\n=== At %lu DPI (%lu %%) ===\n", dpi, dpi * 100 / 96);
    std::fflush(stdout);
    return testsupport::runProgram("\"" + std::string(self) + "\" \"" + folder + "\"", 600000);
}

} // namespace

int main(int argc, char** argv)
{
    const std::string mode = argc > 2 ? argv[2] : "";
    if (mode == "--scale150") {
        const std::string folder = argv[1];
        // The folder is the host's (the pictures are taken there).
        const long plain = demoAt(argv[0], folder + "/100", 96);
        const long scaled = demoAt(argv[0], folder + "/150", 144);
        std::printf("\nThe finished window at 100 %% and at 150 %%: %s/100/finished.png, %s/150/finished.png\n",
                    folder.c_str(), folder.c_str());
        return plain == 0 && scaled == 0 ? 0 : 1;
    }
    const bool secondDisk = mode == "--second-disk", silent = mode == "--silent";
    Installation installation(38, false, secondDisk ? Installation::kSecondDiskDir : Installation::kProgramDir);
    std::unique_ptr<testsupport::ChildProcess> explorer;
    stage(installation, secondDisk, explorer);
    const std::string log = "C:\\Vexlo demo\\uninstall.log";
    if (silent) testsupport::ScratchDir::makeDir("C:\\Vexlo demo");
    const Snapshot before = Snapshot::take(installation);
    UninstallRun run(installation, silent ? UninstallRun::Answer::Nobody : UninstallRun::Answer::Ok);
    if (silent) run.arguments = "/S /LOG=\"" + log + "\"";
    else run.screenshotFolder = argc > 1 ? argv[1] : "";
    const DWORD start = GetTickCount();
    const RunResult result = run.go();
    Sleep(1000); // regsvr32 and the browser stand-in finish on their own
    const Snapshot after = Snapshot::take(installation);

    if (silent) {
        std::printf("\nRun: uninstall.exe %s, nobody at the keyboard: windows shown: %s; exit code %ld, %lu ms\n",
                    run.arguments.c_str(), result.shownClasses.empty() ? "none" : "SOME", result.exitCode,
                    GetTickCount() - start);
        printLog(log);
    } else {
        std::printf("\nRun: confirmation %s, window %s, finished %s, exit code %ld, %lu ms\n",
                    result.boxShown ? "answered OK" : "not seen", result.windowShown ? "shown" : "not seen",
                    result.finished ? "and \"Done\" clicked" : "NOT reached", result.exitCode, GetTickCount() - start);
    }
    std::map<std::string, std::string> parkedBySize;
    for (const auto& parked : after.parked)
        if (!before.parked.count(parked.first)) parkedBySize[parked.second] = parked.first;
    printEntries(installation, before, after, parkedBySize);
    std::printf("\nInstallation folder %s: %s\n", installation.programDir.c_str(),
                after.files.count(installation.programDir) ? "still there" : "removed");
    printRegistry();
    std::printf("\nScheduled for deletion at the next restart:\n");
    for (const std::string& pending : after.pending)
        if (!before.isPending(pending)) std::printf("  %s\n", pending.c_str());
    std::printf("\nFeedback page opened with: %s\n", result.recordedAddress.empty() ? "(nothing)" : result.recordedAddress.c_str());
    if (!result.browserParents.empty())
        std::printf("The browser was started by process %s", result.browserParents.c_str());
    if (silent) {
        testsupport::ScratchDir::removeTree("C:\\Vexlo demo");
        return result.exitCode == 0 && result.shownClasses.empty() ? 0 : 1;
    }
    printTexts(result, static_cast<int>(installation.manifest.size()));
    const bool shownRight = printWhatWasShown(result);
    if (secondDisk) {
        explorer.reset(); // Explorer ends with the session
        restartAndReport(installation, before);
    }
    return result.finished && result.exitCode == 0 && shownRight ? 0 : 1;
}
