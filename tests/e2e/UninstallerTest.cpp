// The real uninstall.exe, run from a staged installation in the end-to-end
// prefix and driven as a user would drive it. Each scenario compares the
// prefix before and after the run with what the run may change.
#include "app/InstallationFiles.h"
#include "qxsdk/core/ScopedWin32.h"
#include "tests/e2e/Installation.h"
#include "tests/e2e/UninstallRun.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/HiddenWindowStation.h"
#include "tests/support/RestartList.h"
#include "tests/support/ScratchDir.h"
#include "tests/support/ScratchRegistryKey.h"
#include "tests/support/ShellExtensionRecord.h"
#include "tests/support/SystemProgramStandIn.h"
#include "tests/support/Utf8.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <random>
#include <set>

using namespace e2e;

namespace {

const char kAddress[] = "http://www.vexlo.com/suggest.jsp?pd=1";
const char kFileExts[] = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\";
using shellextension::kRecordKey;

std::string screenshots()
{
    const char* folder = std::getenv("VEXLO_SCREENSHOTS");
    return folder ? folder : "";
}

// regsvr32 runs on its own; the test waits for it where the product does not.
bool waitForUnregistration()
{
    const DWORD start = GetTickCount();
    while (testsupport::keyExists(HKEY_CLASSES_ROOT, kShellExtensionClass)) {
        if (GetTickCount() - start > 15000) return false;
        Sleep(50);
    }
    return true;
}

// Whether D: is a second disk: a move from it into the temporary folder is no
// rename, and Windows refuses it without MOVEFILE_COPY_ALLOWED.
bool secondDiskPresent()
{
    const std::string probe = "D:\\vexlo-disk-probe.txt", target = testsupport::tempDir() + "vexlo-disk-probe.txt";
    HANDLE file = CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    const bool refused = !MoveFileExA(probe.c_str(), target.c_str(), 0) && GetLastError() == ERROR_NOT_SAME_DEVICE;
    DeleteFileA(probe.c_str());
    DeleteFileA(target.c_str());
    return refused;
}

// TMP and TEMP of this process, which the uninstaller inherits, name folder
// for the length of a scope.
class TemporaryFolder {
public:
    explicit TemporaryFolder(const std::string& folder)
    {
        for (int i = 0; i < 2; ++i) {
            char value[MAX_PATH] = {};
            had[i] = GetEnvironmentVariableA(kNames[i], value, MAX_PATH) > 0;
            saved[i] = value;
            SetEnvironmentVariableA(kNames[i], folder.c_str());
        }
    }
    ~TemporaryFolder()
    {
        for (int i = 0; i < 2; ++i) SetEnvironmentVariableA(kNames[i], had[i] ? saved[i].c_str() : nullptr);
    }

private:
    static constexpr const char* kNames[2] = {"TMP", "TEMP"};
    bool had[2] = {};
    std::string saved[2];
};

// The paths that a run asked Windows to delete where they stand at the next
// restart, in order (the files it parked in the temporary folder left out).
std::vector<std::string> waitingAtTheirPaths(const Snapshot& before, const Snapshot& after)
{
    std::vector<std::string> waiting;
    for (const std::string& path : after.pending)
        if (!before.isPending(path) && !after.parked.count(path)) waiting.push_back(path);
    return waiting;
}

// What a run may change, relative to `before`.
struct Expectation {
    explicit Expectation(const Snapshot& before) : files(before.files), registry(before.registry) {}
    std::map<std::string, std::string> files;
    std::map<std::string, std::string> registry;

    void removeFile(const std::string& path) { files.erase(path); }
    void removeKey(const std::string& key)
    {
        Snapshot s;
        s.registry = registry;
        s.eraseKeysUnder(key);
        registry = s.registry;
    }
};

class Uninstaller : public ::testing::Test {
protected:
    static void SetUpTestSuite() { installBrowserRecorder(); }

    // The registry work of a completed registry step: the product key and
    // the 19 file types go; extensions still naming their type get their
    // former owner back, and on Windows 6.1 so do Explorer choices naming it
    // or nothing at all.
    static void expectRegistryStep(Expectation& expected, const Installation& installation, bool windows7)
    {
        expected.removeKey("HKLM\\SOFTWARE\\Vexlo");
        for (const std::string& extension : kExtensions) {
            expected.removeKey("HKCR\\Vexlo" + extension);
            const std::string owner = installation.formerOwners.at(extension);
            if (owner.empty()) continue;
            auto current = expected.registry.find("HKCR\\" + extension + "|");
            if (current != expected.registry.end() &&
                (current->second.empty() || _stricmp(current->second.c_str(), ("Vexlo" + extension).c_str()) == 0))
                current->second = owner;
            const std::string choiceKey = kFileExts + extension + "\\UserChoice";
            if (!windows7 || !expected.registry.count(choiceKey)) continue;
            std::string& chosen = expected.registry[choiceKey + "|Progid"];
            if (chosen.empty() || _stricmp(chosen.c_str(), ("Vexlo" + extension).c_str()) == 0) chosen = owner;
        }
    }

    // Every file of the manifest is removed (but `kept`), and filelink.txt
    // when the registry step ran; then, in manifest order, every listed
    // directory that nothing is left in, the installation folder among them.
    static void expectFilesRemoved(Expectation& expected, const Installation& installation, bool registryStep,
                                   const std::vector<std::string>& kept)
    {
        const std::vector<std::string> entries(installation.manifest.begin(), installation.manifest.end() - 1);
        for (const std::string& entry : entries) {
            auto file = expected.files.find(entry);
            if (file != expected.files.end() && file->second != "dir" &&
                std::find(kept.begin(), kept.end(), entry) == kept.end())
                expected.files.erase(file);
        }
        if (registryStep) expected.removeFile(installation.path(kAssociationsFile));
        for (const std::string& entry : entries) {
            auto directory = expected.files.find(entry);
            if (directory == expected.files.end() || directory->second != "dir") continue;
            const std::string inside = entry + "\\";
            auto first = expected.files.lower_bound(inside);
            if (first == expected.files.end() || first->first.compare(0, inside.size(), inside) != 0)
                expected.files.erase(directory);
        }
    }

    // The parked files are exactly the files that could not be deleted, each
    // registered for deletion at the next restart.
    static void expectParked(const Snapshot& before, const Snapshot& after, const Installation& installation,
                             bool uninstallerListed)
    {
        int uninstallers = 0;
        const std::string uninstallerSize = before.files.at(installation.uninstaller());
        const std::string extensionSize = before.files.at(installation.path(kShellExtensionFile));
        for (const auto& parked : after.parked) {
            if (before.parked.count(parked.first)) continue;
            EXPECT_TRUE(after.isPending(parked.first)) << parked.first;
            // The shell extension too, when regsvr32 still held it.
            EXPECT_TRUE(parked.second == uninstallerSize || parked.second == extensionSize) << parked.first;
            uninstallers += parked.second == uninstallerSize;
        }
        EXPECT_EQ(uninstallerListed ? 1 : 0, uninstallers);
    }

    // The new del*.tmp files: exactly the uninstaller's own file.
    static void expectOnlyTheUninstallerParked(const Snapshot& before, const Snapshot& after,
                                               const Installation& installation)
    {
        std::vector<std::string> added;
        for (const auto& parked : after.parked)
            if (!before.parked.count(parked.first)) added.push_back(parked.second);
        EXPECT_EQ(std::vector<std::string>{before.files.at(installation.uninstaller())}, added);
    }

    // A restart (the deletions registered for it) leaves nothing of the
    // installation: no file or folder, no parked file, no deletion pending.
    static void expectNothingLeftAfterARestart(const Installation& installation, const Snapshot& before)
    {
        ASSERT_EQ(0, testsupport::restartWindows());
        const Snapshot restarted = Snapshot::take(installation);
        EXPECT_EQ("", Snapshot::difference({}, restarted.files));
        EXPECT_EQ(before.parked, restarted.parked);
        EXPECT_EQ(std::vector<std::string>{}, restarted.pending);
    }

    // Nothing of the installation changed from before to after.
    static void expectUnchanged(const Snapshot& before, const Snapshot& after)
    {
        EXPECT_EQ("", Snapshot::difference(before.files, after.files));
        EXPECT_EQ("", Snapshot::difference(before.registry, after.registry));
    }

    // The files and the registry after a run are the expected ones.
    void checkSnapshot(const Expectation& expected, const Snapshot& after)
    {
        checkFiles(expected, after);
        checkRegistry(expected, after);
    }
    void checkFiles(const Expectation& expected, const Snapshot& after)
    {
        EXPECT_EQ("", Snapshot::difference(expected.files, after.files));
    }
    void checkRegistry(const Expectation& expected, const Snapshot& after)
    {
        EXPECT_EQ("", Snapshot::difference(expected.registry, after.registry));
    }

    struct Outcome {
        Snapshot before;
        Snapshot after;
        RunResult result;
        std::string log; // of an unattended run that was not given one of its own
    };

    // Runs the staged installation's uninstaller to its end (confirmed, the
    // button clicked) and takes the snapshots around it.
    static Outcome runToTheEnd(const Installation& installation, const std::string& arguments = "",
                               const std::function<void()>& onceFinished = {}, bool pressWithSpace = false)
    {
        Outcome outcome;
        outcome.before = Snapshot::take(installation);
        UninstallRun run(installation, UninstallRun::Answer::Ok);
        run.arguments = arguments;
        run.onceFinished = onceFinished;
        run.pressWithSpace = pressWithSpace;
        outcome.result = run.go();
        EXPECT_TRUE(outcome.result.finished);
        EXPECT_EQ(0, outcome.result.exitCode);
        EXPECT_EQ(std::vector<std::string>{}, outcome.result.displayFaults);
        waitForUnregistration();
        outcome.after = Snapshot::take(installation);
        return outcome;
    }

    // What a finished run leaves: the manifest's files gone (but `kept`),
    // the shell extension unregistered, and, when the registry step could
    // delete the product key, the registry work done and filelink.txt gone.
    static Expectation expectedAfter(const Installation& installation, const Snapshot& before, bool registryStep,
                                     bool windows7 = true, const std::vector<std::string>& kept = {})
    {
        Expectation expected(before);
        expectFilesRemoved(expected, installation, registryStep, kept);
        expected.removeKey(std::string("HKCR\\") + kShellExtensionClass);
        if (registryStep) expectRegistryStep(expected, installation, windows7);
        return expected;
    }

    // The power goes a second into a long run of installation; the user
    // starts the uninstaller again, and a restart follows. Together they
    // remove exactly what the manifest lists and give the extensions back.
    void killOneSecondInAndStartAgain(Installation& installation)
    {
        installation.stage();
        const Snapshot before = Snapshot::take(installation);
        UninstallRun first(installation, UninstallRun::Answer::Ok);
        first.killAfterMs = 1000;
        const RunResult killed = first.go();
        ASSERT_TRUE(killed.windowShown);
        EXPECT_FALSE(killed.finished);
        const Snapshot afterKill = Snapshot::take(installation);
        printf("killed after 1 s: %zu of %zu files and folders left, product key %s\n", afterKill.files.size(),
               before.files.size(), testsupport::keyExists(HKEY_LOCAL_MACHINE, "SOFTWARE\\Vexlo") ? "there" : "gone");
        EXPECT_LT(afterKill.files.size(), before.files.size() - 5); // the run was on its way
        // What a second start needs is still there, as the user starts it.
        for (const char* needed : {"uninstall.exe", kManifestFile, kAssociationsFile})
            ASSERT_TRUE(afterKill.files.count(installation.path(needed))) << needed;

        const Outcome second = runToTheEnd(installation);
        checkSnapshot(expectedAfter(installation, before, true), second.after);
        expectNothingLeftAfterARestart(installation, before);
    }

    // Runs the staged installation's uninstaller as a deployment tool does:
    // with arguments, nobody at the keyboard; takes the snapshots around it.
    // Without a log of its own the run logs to the temporary folder: the
    // log's last lines are printed, and its last line must give the exit
    // code the process ended with.
    static Outcome runUnattended(const Installation& installation, const std::string& arguments,
                                 const std::function<void(UninstallRun&)>& adjust = {})
    {
        Outcome outcome;
        outcome.before = Snapshot::take(installation);
        UninstallRun run(installation, UninstallRun::Answer::Nobody);
        const bool logged = arguments.find("/LOG=") != std::string::npos;
        const std::string log = testsupport::tempDir() + "vexlo-unattended.log";
        run.arguments = logged ? arguments : arguments + " /LOG=\"" + log + "\"";
        if (adjust) adjust(run);
        outcome.result = run.go();
        // A start that touched nothing unregistered nothing: no manifest
        // (1605), nobody to ask (1602), another run (1618), no log (1622).
        const std::set<long> touchedNothing = {1602, 1605, 1618, 1622};
        if (!touchedNothing.count(outcome.result.exitCode)) waitForUnregistration();
        outcome.after = Snapshot::take(installation);
        if (logged) return outcome;
        const std::string text = readFile(log);
        outcome.log = text;
        DeleteFileA(log.c_str());
        size_t tail = text.size() > 1 ? text.size() - 2 : 0;
        for (int lines = 0; lines < 3 && tail != std::string::npos && tail > 0; ++lines) tail = text.rfind('\n', tail - 1);
        printf("uninstall.exe %s: exit code %ld; its log ends\n%s", arguments.c_str(), outcome.result.exitCode,
               text.substr(tail == std::string::npos ? 0 : tail + 1).c_str());
        const std::string last = "exit code: " + std::to_string(outcome.result.exitCode) + "\r\n";
        EXPECT_GE(text.size(), last.size()) << arguments;
        EXPECT_EQ(text.size() - last.size(), text.rfind(last)) << arguments << ":\n" << text;
        return outcome;
    }

    // Runs to the end and checks files and registry against expectedAfter.
    void runAndCheck(const Installation& installation, bool registryStep, bool windows7 = true,
                     const std::vector<std::string>& kept = {})
    {
        const Outcome outcome = runToTheEnd(installation);
        const Expectation expected = expectedAfter(installation, outcome.before, registryStep, windows7, kept);
        checkSnapshot(expected, outcome.after);
    }
};

} // namespace

TEST_F(Uninstaller, CompleteRunRemovesTheProduct)
{
    Installation installation;
    installation.stage();
    const std::string unregisterCommand = "regsvr32.exe /s /u " + testsupport::shortPath(installation.path(kShellExtensionFile));
    const Snapshot before = Snapshot::take(installation);
    UninstallRun run(installation, UninstallRun::Answer::Ok);
    run.screenshotFolder = screenshots();
    const DWORD start = GetTickCount();
    const RunResult result = run.go();
    printf("a run of %zu entries took %lu ms from start to exit; %d looks at the window compared\n",
           installation.manifest.size(), GetTickCount() - start, result.comparedLooks);

    EXPECT_TRUE(result.boxShown);
    EXPECT_TRUE(result.windowShown);
    EXPECT_TRUE(result.finished);
    EXPECT_EQ(0, result.exitCode);
    EXPECT_EQ(kAddress, result.recordedAddress);
    // Opened as the user, by the desktop's Explorer, not by the elevated
    // program. Wine's desktop has no shell window; its desktop window is Explorer's.
    DWORD explorer = 0;
    GetWindowThreadProcessId(GetShellWindow() ? GetShellWindow() : GetDesktopWindow(), &explorer);
    EXPECT_EQ(explorer, std::strtoul(result.browserParents.c_str(), nullptr, 10)) << result.browserParents;
    // What the user saw, compared while the run went and at its end, and
    // what a screen reader read (see RunWatcher).
    EXPECT_GT(result.comparedLooks, 0);
    EXPECT_EQ(std::vector<std::string>{}, result.displayFaults);
    const char* const parts[3] = {"status line", "gauge", "button"};
    for (int i = 0; i < 3; ++i)
        printf("a screen reader read the %s during the run as %s, at its end as %s\n", parts[i],
               describe(result.readDuring[i]).c_str(), describe(result.readAtTheEnd[i]).c_str());
    // A reader hears every percentage the gauge shows once, "完成" enabled
    // and focused, and every entry on the status line.
    std::set<unsigned> percentages;
    const unsigned entries = static_cast<unsigned>(installation.manifest.size());
    for (unsigned value = 0; value <= entries; ++value) percentages.insert(value == entries ? 100 : value * 100 / entries);
    printf("accessibility events: status line %d names, gauge %d values, button %d states and %d focus\n",
           result.statusNameEvents, result.gaugeValueEvents, result.buttonStateEvents, result.buttonFocusEvents);
    EXPECT_EQ(static_cast<int>(percentages.size()) - 1, result.gaugeValueEvents);
    EXPECT_EQ(1, result.buttonStateEvents);
    EXPECT_GE(result.buttonFocusEvents, 1);
    EXPECT_GE(result.statusNameEvents, static_cast<int>(entries) - 1);
    if (!screenshots().empty()) {
        EXPECT_EQ(3u, result.screenshots.size());
    }
    for (const Screenshot& shot : result.screenshots) EXPECT_TRUE(shot.shows) << shot.path << ": " << shot.problem;
    ASSERT_TRUE(waitForUnregistration());
    EXPECT_EQ(unregisterCommand,
              testsupport::readString(HKEY_CURRENT_USER, kRecordKey, shellextension::kCommandLineValue));

    const Snapshot after = Snapshot::take(installation);
    checkSnapshot(expectedAfter(installation, before, true), after);
    expectParked(before, after, installation, true);
    // The running uninstaller itself went to the temporary directory, and
    // the folder it was started in went after it.
    EXPECT_FALSE(testsupport::ScratchDir::exists(installation.programDir));
}

// At any display scaling (the test command runs this at 96, 144 and 192
// DPI, the test itself at the same resolution as the program): the window and
// its widgets are their 96-DPI sizes times the scale, centred, and show
// what the toolkit draws at that scale (the watcher compares their pixels).
TEST_F(Uninstaller, WindowAndTextsScaleWithTheDisplay)
{
    const int dpi = GetDeviceCaps(QXSDK::ClientDC(nullptr).get(), LOGPIXELSY);
    const auto scaled = [dpi](int pixels) { return MulDiv(pixels, dpi, 96); };
    Installation installation;
    installation.stage();
    UninstallRun run(installation, UninstallRun::Answer::Ok);
    if (!screenshots().empty()) run.screenshotFolder = screenshots() + "/dpi" + std::to_string(dpi);
    const RunResult result = run.go();
    EXPECT_TRUE(result.finished);
    EXPECT_EQ(kAddress, result.recordedAddress);
    EXPECT_EQ(std::vector<std::string>{}, result.displayFaults);
    const RECT& window = result.windowRect;
    const RECT& button = result.buttonRect;
    printf("at %d DPI the window is %ld x %ld at (%ld, %ld), the button %ld x %ld\n", dpi, window.right - window.left,
           window.bottom - window.top, window.left, window.top, button.right - button.left, button.bottom - button.top);
    EXPECT_NEAR(scaled(502), window.right - window.left, 1);
    EXPECT_NEAR(scaled(116), window.bottom - window.top, 1);
    EXPECT_NEAR(scaled(175), button.right - button.left, 1);
    EXPECT_NEAR(scaled(20), button.bottom - button.top, 1);
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
    EXPECT_NEAR((screenWidth - (window.right - window.left)) / 2, window.left, 2);
    EXPECT_NEAR((screenHeight - (window.bottom - window.top)) / 2, window.top, 2);
    for (const Screenshot& shot : result.screenshots) EXPECT_TRUE(shot.shows) << shot.path << ": " << shot.problem;
}

TEST_F(Uninstaller, InstallationAndCompanyFoldersGo)
{
    // Whoever has no mouse ends the run with the space bar: "完成" has the
    // keyboard focus once the run is over.
    Installation installation(38, true);
    installation.stage();
    const Outcome outcome = runToTheEnd(installation, "", {}, true);
    EXPECT_EQ(kAddress, outcome.result.recordedAddress);
    checkSnapshot(expectedAfter(installation, outcome.before, true), outcome.after);
    EXPECT_FALSE(testsupport::ScratchDir::exists(Installation::kCompanyDir));
}

TEST_F(Uninstaller, ShellExtensionWaitsForASlowRegsvr)
{
    // The system's regsvr32 takes 1.5 s to start (a loaded machine): the
    // entries before the shell extension go on, its own entry waits for
    // regsvr32 so that the extension is unregistered before its file goes.
    Installation installation;
    installation.stage();
    const std::string unregisterCommand = "regsvr32.exe /s /u " + testsupport::shortPath(installation.path(kShellExtensionFile));
    const std::string regsvr32 = testsupport::systemFolderFile("regsvr32.exe");
    testsupport::SystemProgramStandIn slowRegsvr(regsvr32, testsupport::testBinDir() + "\\slow_regsvr32.exe");
    SetEnvironmentVariableA("VEXLO_SLOW_START_MS", "1500");
    const Outcome outcome = runToTheEnd(installation);
    SetEnvironmentVariableA("VEXLO_SLOW_START_MS", nullptr);

    EXPECT_GE(outcome.result.finishedAtMs - outcome.result.confirmedAtMs, 1500u);
    EXPECT_EQ(unregisterCommand, testsupport::readString(HKEY_CURRENT_USER, kRecordKey, shellextension::kCommandLineValue));
    EXPECT_EQ(regsvr32, testsupport::readString(HKEY_CURRENT_USER, kRecordKey, shellextension::kProgramValue));
    checkSnapshot(expectedAfter(installation, outcome.before, true), outcome.after);
}

TEST_F(Uninstaller, PlantedProgramsAndDllsNeverRun)
{
    // What any process of the user can drop where a careless elevated
    // program looks for regsvr32.exe, the browser and MSIMG32: the temporary
    // folder, the user's own, and the installation folder, which users may
    // write on a second disk. IEXPLORE.EXE, where the App Paths entry and the
    // system folder have it, logs its start too (installBrowserRecorder).
    Installation installation;
    installation.stage();
    testsupport::ScratchDir scratch;
    const std::string log = scratch / "planted.log";
    SetEnvironmentVariableA("VEXLO_PLANTED_LOG", log.c_str());
    const std::string bin = testsupport::testBinDir();
    std::vector<std::string> plantedInTemp;
    for (const char* name : {"regsvr32.exe", "IEXPLORE.EXE"}) {
        plantedInTemp.push_back(testsupport::tempDir() + name);
        ASSERT_TRUE(CopyFileA((bin + "\\planted.exe").c_str(), plantedInTemp.back().c_str(), FALSE));
        ASSERT_TRUE(CopyFileA((bin + "\\planted.exe").c_str(), installation.path(name).c_str(), FALSE));
    }
    ASSERT_TRUE(CopyFileA((bin + "\\planted\\msimg32.dll").c_str(), installation.path("msimg32.dll").c_str(), FALSE));
    // Windows looks for MSIMG32 beside the program first; Wine prefers its
    // own copy unless told to search as Windows does.
    testsupport::ScratchRegistryKey loadOrder(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\uninstall.exe\\DllOverrides");
    loadOrder.setString("msimg32", "native,builtin");

    const Outcome outcome = runToTheEnd(installation);

    EXPECT_EQ("", readFile(log));
    EXPECT_EQ("", readFile("C:\\vexlo-planted.log")); // started without this test's environment
    EXPECT_EQ(testsupport::systemFolderFile("regsvr32.exe"),
              testsupport::readString(HKEY_CURRENT_USER, kRecordKey, shellextension::kProgramValue));
    EXPECT_EQ(kAddress, outcome.result.recordedAddress); // once, in the user's browser
    // The plants are no entries: they keep the installation folder.
    checkSnapshot(expectedAfter(installation, outcome.before, true), outcome.after);
    for (const std::string& file : plantedInTemp) DeleteFileA(file.c_str());
    SetEnvironmentVariableA("VEXLO_PLANTED_LOG", nullptr);
}

TEST_F(Uninstaller, FineClockIsAskedForOnceWhileTheWindowRuns)
{
    // Windows' clock runs at 15.6 ms unless a program asks for more; the
    // run asks for 1 ms while its window runs and gives it back on every way
    // out: finished (before the finished window waits for "完成"), closed
    // half-way, and with nothing to do. Wine's clock is exact either way, so
    // a stand-in winmm.dll records the requests.
    testsupport::ScratchDir scratch;
    const std::string log = scratch / "winmm.log";
    SetEnvironmentVariableA("VEXLO_WINMM_LOG", log.c_str());
    testsupport::SystemProgramStandIn winmm(testsupport::systemFolderFile("winmm.dll"),
                                            testsupport::testBinDir() + "\\recorder\\winmm.dll", "uninstall.exe");
    const std::string onceEach = "timeBeginPeriod 1\ntimeEndPeriod 1\n";
    {
        Installation installation;
        installation.stage();
        std::string whileWaiting;
        const Outcome outcome = runToTheEnd(installation, "", [&] { whileWaiting = readFile(log); });
        EXPECT_EQ(onceEach, whileWaiting) << "finished, waiting for Done";
        EXPECT_EQ(onceEach, readFile(log)) << "finished";
    }
    {
        Installation installation(300);
        installation.stage();
        DeleteFileA(log.c_str());
        UninstallRun run(installation, UninstallRun::Answer::Ok);
        run.closeWhenGone = installation.manifest[10];
        run.go();
        EXPECT_EQ(onceEach, readFile(log)) << "closed";
    }
    {
        Installation installation;
        installation.stage();
        DeleteFileA(installation.path(kManifestFile).c_str());
        DeleteFileA(log.c_str());
        UninstallRun(installation, UninstallRun::Answer::Ok).go();
        EXPECT_EQ(onceEach, readFile(log)) << "nothing to do";
        DeleteFileA(log.c_str());
        UninstallRun(installation, UninstallRun::Answer::Cancel).go();
        EXPECT_EQ("", readFile(log)) << "cancelled: no window";
    }
    SetEnvironmentVariableA("VEXLO_WINMM_LOG", nullptr);
}

TEST_F(Uninstaller, CancelChangesNothing)
{
    Installation installation;
    installation.stage();
    const Snapshot before = Snapshot::take(installation);
    const RunResult result = UninstallRun(installation, UninstallRun::Answer::Cancel).go();
    EXPECT_TRUE(result.boxShown);
    EXPECT_FALSE(result.windowShown);
    EXPECT_EQ(0, result.exitCode);
    EXPECT_EQ("", result.recordedAddress);
    const Snapshot after = Snapshot::take(installation);
    expectUnchanged(before, after);
    EXPECT_EQ(before.parked, after.parked);
}

TEST_F(Uninstaller, WithoutManifestTheWindowOnlyFlashes)
{
    Installation installation;
    installation.stage();
    DeleteFileA(installation.path(kManifestFile).c_str());
    const Snapshot before = Snapshot::take(installation);
    const RunResult result = UninstallRun(installation, UninstallRun::Answer::Ok).go();
    EXPECT_TRUE(result.boxShown);
    EXPECT_FALSE(result.finished);
    EXPECT_EQ(0, result.exitCode);
    Sleep(1000); // a regsvr32 started by mistake would have unregistered by now
    const Snapshot after = Snapshot::take(installation);
    EXPECT_TRUE(testsupport::keyExists(HKEY_CLASSES_ROOT, kShellExtensionClass));
    EXPECT_EQ("<absent>", testsupport::readString(HKEY_CURRENT_USER, kRecordKey, shellextension::kCommandLineValue));
    expectUnchanged(before, after);
}

TEST_F(Uninstaller, OneLineManifestIsTheRegistryStepAlone)
{
    Installation installation;
    installation.manifest = {"HKEY_LOCAL_MACHINE\\SOFTWARE\\Vexlo"};
    installation.stage();
    const Outcome outcome = runToTheEnd(installation);
    EXPECT_EQ(kAddress, outcome.result.recordedAddress);
    checkSnapshot(expectedAfter(installation, outcome.before, true), outcome.after);
}

TEST_F(Uninstaller, LineEndsAndTrailingBlanksAreNotPartOfEntries)
{
    Installation installation;
    installation.stage();
    // Mixed line ends, blanks and tabs after the paths, no final line end.
    std::string text;
    for (size_t i = 0; i < installation.manifest.size(); ++i) {
        text += installation.manifest[i];
        if (i % 3 == 0) text += " \t ";
        if (i + 1 < installation.manifest.size()) text += i % 2 ? "\r\n" : "\n";
    }
    testsupport::ScratchDir::writeFile(installation.path(kManifestFile), text);
    runAndCheck(installation, true);
}

TEST_F(Uninstaller, BlankLineInTheMiddleIsAnEntryOfItsOwn)
{
    Installation installation;
    installation.manifest.insert(installation.manifest.begin() + 3, "");
    installation.stage();
    runAndCheck(installation, true);
}

TEST_F(Uninstaller, BlankLastLineStopsTheRegistryStep)
{
    Installation installation;
    installation.manifest.push_back("");
    installation.stage();
    // The product key is then an ordinary entry (no such file): all of the
    // registry stays, and so do filelink.txt and what a second start needs.
    runAndCheck(installation, false, true, {installation.path(kManifestFile), installation.uninstaller()});
    EXPECT_TRUE(testsupport::ScratchDir::exists(installation.path(kAssociationsFile)));
}

TEST_F(Uninstaller, ProductKeyWithASubkeyStays)
{
    Installation installation;
    installation.stage();
    testsupport::writeString(HKEY_LOCAL_MACHINE, "SOFTWARE\\Vexlo\\Settings", "Zoom", "100");
    runAndCheck(installation, false, true, {installation.path(kManifestFile), installation.uninstaller()});
}

TEST_F(Uninstaller, FileHeldOpenWaitsAtItsPathForTheRestart)
{
    Installation installation;
    installation.stage();
    const std::string held = installation.path("Vexlo.exe");
    testsupport::ChildProcess holder("\"" + testsupport::testBinDir() + "\\holder.exe\" \"" + held + "\"");
    ASSERT_TRUE(testsupport::awaitHolding(holder));
    ASSERT_FALSE(DeleteFileA(held.c_str()));
    const Outcome outcome = runToTheEnd(installation);
    holder.terminate();
    checkSnapshot(expectedAfter(installation, outcome.before, true, true, {held}), outcome.after);
    expectOnlyTheUninstallerParked(outcome.before, outcome.after, installation);
    // The folder that holds it goes after it.
    EXPECT_EQ((std::vector<std::string>{held, installation.programDir}),
              waitingAtTheirPaths(outcome.before, outcome.after));
    expectNothingLeftAfterARestart(installation, outcome.before);
}

TEST_F(Uninstaller, SecondDiskLeavesNothingAfterTheRestart)
{
    if (!secondDiskPresent())
        GTEST_SKIP() << "D: is no second disk (scripts/test.sh links one into the end-to-end prefix)";
    // A user's run, and a deployment tool's (which learns that the removal
    // needs the restart).
    for (const char* arguments : {"", "/S"}) {
        Installation installation(38, false, Installation::kSecondDiskDir);
        installation.stage();
        // Explorer keeps the shell extension loaded once a folder view used it.
        const std::string extension = installation.path(kShellExtensionFile);
        testsupport::ChildProcess explorer("\"" + testsupport::testBinDir() + "\\holder.exe\" --load \"" + extension +
                                           "\"");
        ASSERT_TRUE(testsupport::awaitHolding(explorer));
        ASSERT_FALSE(DeleteFileA(extension.c_str()));

        const Outcome outcome = *arguments ? runUnattended(installation, arguments) : runToTheEnd(installation);
        explorer.terminate();
        EXPECT_EQ(*arguments ? 3010 : 0, outcome.result.exitCode) << arguments;
        // Neither file in use can be moved to C:: both wait where they stand,
        // and the installation folder after them. No placeholder is left.
        checkSnapshot(expectedAfter(installation, outcome.before, true, true, {extension, installation.uninstaller()}),
                      outcome.after);
        EXPECT_EQ(outcome.before.parked, outcome.after.parked);
        EXPECT_EQ((std::vector<std::string>{extension, installation.uninstaller(), installation.programDir}),
                  waitingAtTheirPaths(outcome.before, outcome.after));
        expectNothingLeftAfterARestart(installation, outcome.before);
    }
}

TEST_F(Uninstaller, ReadOnlyFilesGoAtOnce)
{
    Installation installation;
    installation.stage();
    for (const auto& file : Snapshot::take(installation).files) {
        if (file.second == "dir") continue;
        ASSERT_TRUE(SetFileAttributesA(file.first.c_str(), FILE_ATTRIBUTE_READONLY));
    }
    const Outcome outcome = runToTheEnd(installation);
    checkSnapshot(expectedAfter(installation, outcome.before, true), outcome.after);
    EXPECT_FALSE(testsupport::ScratchDir::exists(installation.programDir));
    // Only the running program's own file waits, without the attribute that
    // would keep it at the restart.
    expectOnlyTheUninstallerParked(outcome.before, outcome.after, installation);
    expectNothingLeftAfterARestart(installation, outcome.before);
}

TEST_F(Uninstaller, WithoutATemporaryFolderNothingOutlivesTheRestart)
{
    // A cleaning tool removed the temporary folder: the program's own file
    // cannot be moved aside and waits at its path, the folder after it.
    Installation installation;
    installation.stage();
    const Snapshot before = Snapshot::take(installation);
    const std::string missing = "C:\\vexlo-removed-temp";
    {
        TemporaryFolder removed(missing);
        runToTheEnd(installation);
    }
    const Snapshot after = Snapshot::take(installation);
    checkSnapshot(expectedAfter(installation, before, true, true, {installation.uninstaller()}), after);
    EXPECT_FALSE(testsupport::ScratchDir::exists(missing));
    EXPECT_EQ(before.parked, after.parked);
    EXPECT_EQ((std::vector<std::string>{installation.uninstaller(), installation.programDir}),
              waitingAtTheirPaths(before, after));
    expectNothingLeftAfterARestart(installation, before);
}

TEST_F(Uninstaller, FolderNamesEndingInABackslashByteGo)
{
    if (GetACP() != 936) GTEST_SKIP() << "ANSI code page is " << GetACP() << ", not 936";
    // 昞 (95 5C) and 錦 (E5 5C) in GBK end in the backslash's byte.
    Installation installation(38, false, "C:\\Program Files\\Vexlo \x95\x5C");
    const std::string skins = installation.path("Skins \xE5\x5C");
    installation.manifest.insert(installation.manifest.begin(), {skins + "\\blue.skin", skins + "\\red.skin", skins});
    installation.stage();
    ASSERT_TRUE(testsupport::ScratchDir::exists(skins + "\\red.skin"));
    runAndCheck(installation, true);
    EXPECT_FALSE(testsupport::ScratchDir::exists(installation.programDir));
}

TEST_F(Uninstaller, OwnProgramFileIsDeletedAtRestart)
{
    Installation installation;
    installation.stage();
    const Snapshot before = Snapshot::take(installation);
    // Started from a command prompt elsewhere: the run is the same.
    UninstallRun run(installation, UninstallRun::Answer::Ok);
    run.startIn = "C:\\";
    const RunResult result = run.go();
    EXPECT_EQ(0, result.exitCode);
    const Snapshot after = Snapshot::take(installation);
    checkFiles(expectedAfter(installation, before, true), after);
    std::string parkedUninstaller;
    for (const auto& parked : after.parked)
        if (!before.parked.count(parked.first) && parked.second == before.files.at(installation.uninstaller()))
            parkedUninstaller = parked.first;
    ASSERT_NE("", parkedUninstaller);
    EXPECT_TRUE(after.isPending(parkedUninstaller));
}

TEST_F(Uninstaller, UserFileKeepsItsDirectory)
{
    Installation installation;
    installation.stage();
    const std::string userFile = installation.path("Sample Images\\my holiday.jpg");
    testsupport::ScratchDir::writeFile(userFile, "the user's own photo");
    // The photo keeps "Sample Images", and that the installation folder.
    runAndCheck(installation, true);
    EXPECT_EQ("the user's own photo", readFile(userFile));
}

TEST_F(Uninstaller, ClosingTheWindowStopsTheRunAndASecondRunFinishesIt)
{
    Installation installation(300); // about three seconds of run
    installation.stage();
    const Snapshot before = Snapshot::take(installation);
    UninstallRun run(installation, UninstallRun::Answer::Ok);
    // Closed once the 31st entry has gone, however fast the machine runs.
    run.closeWhenGone = installation.manifest[30];
    const RunResult result = run.go();
    EXPECT_TRUE(result.windowShown);
    EXPECT_FALSE(result.finished);
    EXPECT_EQ(0, result.exitCode);
    EXPECT_EQ("", result.recordedAddress); // no feedback page
    const Snapshot after = Snapshot::take(installation);
    // A prefix of the entries went; everything after the first one still
    // there is untouched, and the registry step never ran.
    size_t handled = 0;
    while (handled < installation.manifest.size() && !after.files.count(installation.manifest[handled])) ++handled;
    EXPECT_GT(handled, 30u);
    EXPECT_LT(handled, 300u);
    for (size_t i = handled; i + 1 < installation.manifest.size(); ++i) {
        const std::string& entry = installation.manifest[i];
        if (!before.files.count(entry)) continue;
        EXPECT_EQ(before.files.at(entry), after.files.count(entry) ? after.files.at(entry) : "<gone>") << entry;
    }
    EXPECT_TRUE(after.files.count(installation.path(kAssociationsFile)));
    EXPECT_TRUE(testsupport::keyExists(HKEY_LOCAL_MACHINE, "SOFTWARE\\Vexlo"));
    EXPECT_TRUE(testsupport::keyExists(HKEY_CLASSES_ROOT, "Vexlo.JPEG"));

    // Started again from the same folder, the uninstaller finishes the job:
    // both runs together remove exactly what the manifest lists.
    ASSERT_TRUE(after.files.count(installation.uninstaller()));
    const Outcome second = runToTheEnd(installation);
    checkSnapshot(expectedAfter(installation, before, true), second.after);
}

TEST_F(Uninstaller, RunKilledHalfWayIsFinishedByTheNextStart)
{
    // The power goes a second into a long run. The installer listed its
    // program first, the uninstaller itself and the shell extension right
    // after it, as installers often do.
    Installation installation(388);
    for (const char* early : {kShellExtensionFile, "Vexlo.exe", "uninstall.exe"}) {
        auto entry = std::find(installation.manifest.begin(), installation.manifest.end(), installation.path(early));
        std::rotate(installation.manifest.begin(), entry, entry + 1);
    }
    killOneSecondInAndStartAgain(installation);
}

TEST_F(Uninstaller, RunKilledAfterTheManifestsTurnIsFinishedByTheNextStart)
{
    // This installer listed its two data files first: both must still be
    // there for the second start, which needs the manifest to run at all and
    // the former file types to give the extensions back.
    Installation installation(388);
    installation.manifest.insert(installation.manifest.begin(), installation.path(kAssociationsFile));
    auto manifest = std::find(installation.manifest.begin(), installation.manifest.end(), installation.path(kManifestFile));
    std::rotate(installation.manifest.begin(), manifest, manifest + 1);
    killOneSecondInAndStartAgain(installation);
}

// A long manifest of real files runs to the end with the process's memory
// and GDI objects flat. The test command runs 20,000 entries, some three and
// a half minutes at one entry per 10 ms tick; scripts/long-run.sh sets
// VEXLO_LONG_RUN_ENTRIES to 100,000 (some seventeen minutes). The entries
// are files in albums of a thousand, each album folder after its files.
TEST_F(Uninstaller, LongManifestRunsToTheEndInBoundedMemory)
{
    const char* wanted = std::getenv("VEXLO_LONG_RUN_ENTRIES");
    // The images, and an album folder for each thousand, make up the rest.
    const int wantedEntries = std::max(100, wanted ? std::atoi(wanted) : 20000);
    Installation installation(wantedEntries - 12 - wantedEntries / (Installation::kAlbumSize + 1));
    installation.stage();
    const int entries = static_cast<int>(installation.manifest.size());
    const Snapshot before = Snapshot::take(installation);
    UninstallRun run(installation, UninstallRun::Answer::Ok);
    run.patienceMs = static_cast<DWORD>(entries) * 20 + 60000;
    // Wine's LresultFromObject keeps some 2 KB in the answering process for
    // every object it hands out (a plain window answering with Wine's own
    // standard object does the same): asked twice a second, the window would
    // grow by 2.5 MiB over this run without holding anything of its own.
    run.asksEveryMs = 10000;
    const RunResult result = run.go();
    EXPECT_TRUE(result.finished);
    EXPECT_EQ(0, result.exitCode);
    EXPECT_EQ(kAddress, result.recordedAddress);
    EXPECT_EQ(std::vector<std::string>{}, result.displayFaults);
    waitForUnregistration();
    const Snapshot after = Snapshot::take(installation);
    checkSnapshot(expectedAfter(installation, before, true), after);

    // From the second sample on (the window painted, its fonts and buffers
    // made) to the enabled button. A sample taken inside a tick's paint
    // counts the objects that paint holds for a moment: the least of a
    // stretch of samples is what the window holds at rest, and the last
    // stretch must not hold more than the first.
    ASSERT_GE(result.samples.size(), 3u);
    const std::vector<ProcessSample> samples(result.samples.begin() + 1, result.samples.end());
    const size_t stretch = std::max<size_t>(1, samples.size() / 4);
    const auto leastOf = [&](size_t from, auto field) {
        auto least = field(samples[from]);
        for (size_t i = from; i < from + stretch; ++i) least = std::min(least, field(samples[i]));
        return least;
    };
    const auto gdi = [](const ProcessSample& s) { return s.gdiObjects; };
    const auto committed = [](const ProcessSample& s) { return s.pagefileUsage; };
    const int firstGdi = leastOf(0, gdi), lastGdi = leastOf(samples.size() - stretch, gdi);
    const SIZE_T firstCommitted = leastOf(0, committed);
    SIZE_T largest = 0;
    for (const ProcessSample& s : samples) largest = std::max(largest, s.pagefileUsage);
    printf("%d entries: run %lu ms (%.3f x entries x 10 ms); committed memory %.1f MiB at rest, largest %.1f; "
           "working set %.1f -> %.1f MiB; GDI objects at rest %d in the first and %d in the last %zu of %zu "
           "samples\n",
           entries, result.finishedAtMs - result.confirmedAtMs,
           (result.finishedAtMs - result.confirmedAtMs) / (entries * 10.0), firstCommitted / 1048576.0,
           largest / 1048576.0, samples.front().workingSet / 1048576.0, samples.back().workingSet / 1048576.0,
           firstGdi, lastGdi, stretch, samples.size());
    // Nothing piles up per entry: 4 MiB over 20,000 entries would be 200 bytes each.
    EXPECT_LE(largest, firstCommitted + 4 * 1048576);
    EXPECT_GT(firstGdi, 0);
    EXPECT_LE(lastGdi, firstGdi);
}

TEST_F(Uninstaller, OtherWindowsVersionsRestoreTheExtensionsThemselves)
{
    // Windows 10 reports 10.0 to the program its manifest names it for: no
    // more Windows 7 than the 6.2 it reported before.
    for (const char* version : {"vista", "win10"}) {
        Installation installation;
        installation.stage();
        testsupport::WineVersionOverride other("uninstall.exe", version);
        runAndCheck(installation, true, false); // Explorer's choices stay
        EXPECT_EQ("Vexlo.JPG", testsupport::readString(HKEY_CURRENT_USER,
                                                       std::string(kFileExts).substr(5) + ".JPG\\UserChoice", "Progid"))
            << version;
        EXPECT_EQ("jpegfile", testsupport::readString(HKEY_CLASSES_ROOT, ".JPEG", "")) << version;
    }
}

TEST_F(Uninstaller, ExtensionTakenOverSinceIsLeftAlone)
{
    Installation installation;
    installation.userChoices[".PNG"] = "OtherViewer.png";
    installation.stage();
    testsupport::writeString(HKEY_CLASSES_ROOT, ".GIF", "", "OtherViewer.gif");
    runAndCheck(installation, true);
    const std::string fileExts = std::string(kFileExts).substr(5);
    EXPECT_EQ("OtherViewer.gif", testsupport::readString(HKEY_CLASSES_ROOT, ".GIF", ""));
    EXPECT_EQ("OtherViewer.png", testsupport::readString(HKEY_CURRENT_USER, fileExts + ".PNG\\UserChoice", "Progid"));
    EXPECT_EQ("jpgfile", testsupport::readString(HKEY_CURRENT_USER, fileExts + ".JPG\\UserChoice", "Progid"));
}

// Unattended, as deployment tools start it: nobody answers a box or sees a
// window, and the exit code says how the run went.
TEST_F(Uninstaller, SilentRunRemovesEverythingUnseen)
{
    for (const char* arguments : {"/S", "/VERYSILENT /SUPPRESSMSGBOXES /NORESTART", "/verysilent"}) {
        Installation installation;
        installation.stage();
        const Outcome outcome = runUnattended(installation, arguments);
        EXPECT_EQ(0, outcome.result.exitCode) << arguments;
        // The hidden window that carries the run's timer is never shown.
        EXPECT_EQ(std::set<std::string>{}, outcome.result.shownClasses) << arguments;
        checkSnapshot(expectedAfter(installation, outcome.before, true), outcome.after);
        expectOnlyTheUninstallerParked(outcome.before, outcome.after, installation);
        EXPECT_FALSE(testsupport::ScratchDir::exists(installation.programDir)) << arguments;
        Sleep(500); // a browser started by mistake would have written by now
        EXPECT_EQ("", readFile(recorderOutput())) << arguments;
    }
}

TEST_F(Uninstaller, SilentRunShowsTheWindowThatClosesByItself)
{
    Installation installation;
    installation.stage();
    // A tool's retry while the run goes touches nothing and says so at once.
    long retried = -1;
    DWORD retryMs = 0;
    const Outcome outcome = runUnattended(installation, "/SILENT", [&](UninstallRun& run) {
        run.onceRunning = [&] {
            const DWORD start = GetTickCount();
            retried = testsupport::runProgram("\"" + installation.uninstaller() + "\" /S", 20000);
            retryMs = GetTickCount() - start;
        };
    });
    EXPECT_EQ(1618, retried); // ERROR_INSTALL_ALREADY_RUNNING
    printf("a second start during the run ended with %ld after %lu ms\n", retried, retryMs);
    EXPECT_EQ(0, outcome.result.exitCode);
    EXPECT_EQ(std::set<std::string>{"QXWindow"}, outcome.result.shownClasses); // and no box
    checkSnapshot(expectedAfter(installation, outcome.before, true), outcome.after);
    Sleep(500);
    EXPECT_EQ("", readFile(recorderOutput()));
}

TEST_F(Uninstaller, SilentRunWithoutManifestChangesNothing)
{
    Installation installation;
    installation.stage();
    DeleteFileA(installation.path(kManifestFile).c_str());
    const Outcome outcome = runUnattended(installation, "/S");
    EXPECT_EQ(1605, outcome.result.exitCode);
    EXPECT_EQ(std::set<std::string>{}, outcome.result.shownClasses);
    expectUnchanged(outcome.before, outcome.after);
}

TEST_F(Uninstaller, SilentRunThatLeavesTheProductKeyFailsAndASecondStartFinishes)
{
    Installation installation;
    installation.stage();
    testsupport::writeString(HKEY_LOCAL_MACHINE, "SOFTWARE\\Vexlo\\Settings", "Zoom", "100");
    const Outcome outcome = runUnattended(installation, "/S");
    EXPECT_EQ(1603, outcome.result.exitCode);
    // What a second start needs stays, and the log says why.
    const std::vector<std::string> kept = {installation.path(kManifestFile), installation.uninstaller()};
    checkSnapshot(expectedAfter(installation, outcome.before, false, true, kept), outcome.after);
    for (const std::string& file : kept)
        EXPECT_NE(std::string::npos, outcome.log.find("stays, kept with the product key that stays: " + file + "\r\n"));

    // The administrator removes the cause; the second start finishes the job.
    deleteTree(HKEY_LOCAL_MACHINE, "SOFTWARE\\Vexlo\\Settings");
    const Outcome second = runUnattended(installation, "/S");
    EXPECT_EQ(0, second.result.exitCode);
    checkSnapshot(expectedAfter(installation, outcome.before, true), second.after);
    EXPECT_FALSE(testsupport::ScratchDir::exists(installation.programDir));
}

TEST_F(Uninstaller, SilentRunAfterTheProductKeyWentGivesTheExtensionsBack)
{
    // A run cut short inside the registry step: the key gone, the
    // associations not yet given back, filelink.txt still there.
    Installation installation;
    installation.stage();
    deleteTree(HKEY_LOCAL_MACHINE, "SOFTWARE\\Vexlo");
    const Outcome outcome = runUnattended(installation, "/S");
    EXPECT_EQ(0, outcome.result.exitCode);
    checkSnapshot(expectedAfter(installation, outcome.before, true), outcome.after);
    EXPECT_NE(std::string::npos, outcome.log.find("registry key already gone: HKEY_LOCAL_MACHINE\\SOFTWARE\\Vexlo"));
}

TEST_F(Uninstaller, SilentRunLogsEveryEntryInUtf8)
{
    Installation installation;
    installation.manifest.insert(installation.manifest.begin() + 1, "drivers\\etc\\hosts");
    installation.stage();
    const std::string userFile = installation.path("Sample Images\\my holiday.jpg");
    testsupport::ScratchDir::writeFile(userFile, "the user's own photo");
    const std::string folder = "C:\\a folder";
    testsupport::ScratchDir::makeDir(folder);
    const std::string log = folder + "\\u.log";
    const Outcome outcome = runUnattended(installation, "/S /LOG=\"" + log + "\"");
    EXPECT_EQ(0, outcome.result.exitCode);
    const std::string text = readFile(log);
    printf("%s", text.c_str());
    ASSERT_EQ(0u, text.rfind("\xEF\xBB\xBF", 0)) << "UTF-8 signature";
    // What became of each entry, the manifest's bytes (GBK here) as UTF-8.
    const auto has = [&](const std::string& line) { return text.find(line + "\r\n") != std::string::npos; };
    for (size_t i = 0; i + 1 < installation.manifest.size(); ++i) {
        const std::string entry = testsupport::toUtf8(testsupport::fromCodePage(installation.manifest[i], CP_ACP));
        EXPECT_TRUE(has("removed: " + entry) || has("moved aside, deleted at the next restart: " + entry) ||
                    has("names no file (no full path), left alone: " + entry) ||
                    has("stays, not empty; deleted at the next restart if empty by then: " + entry))
            << entry;
    }
    // "说明.txt" (readme), written in GBK, as UTF-8.
    EXPECT_TRUE(has("removed: " + installation.path("lang") + "\\\xE8\xAF\xB4\xE6\x98\x8E.txt"));
    EXPECT_TRUE(has("names no file (no full path), left alone: drivers\\etc\\hosts"));
    EXPECT_TRUE(has("moved aside, deleted at the next restart: " + installation.uninstaller()));
    EXPECT_TRUE(has("stays, not empty; deleted at the next restart if empty by then: " +
                    installation.path("Sample Images")));
    EXPECT_TRUE(has("registry key deleted: HKEY_LOCAL_MACHINE\\SOFTWARE\\Vexlo"));
    EXPECT_TRUE(has("association given back: .JPEG -> jpegfile"));
    EXPECT_FALSE(has("association given back: .WMF -> ")); // none recorded
    EXPECT_EQ(text.size() - std::string("exit code: 0\r\n").size(), text.rfind("exit code: 0\r\n"));
    testsupport::ScratchDir::removeTree(folder);
}

TEST_F(Uninstaller, RelativeLogIsWrittenInTheFolderTheToolStartedIn)
{
    // A deployment tool starts the program from its own working folder.
    Installation installation;
    installation.stage();
    testsupport::ScratchDir tool;
    const std::string misplaced = testsupport::systemFolderFile("uninstall.log");
    DeleteFileA(misplaced.c_str());
    const Outcome outcome = runUnattended(installation, "/S /LOG=uninstall.log",
                                          [&](UninstallRun& run) { run.startIn = tool.path(); });
    EXPECT_EQ(0, outcome.result.exitCode);
    checkSnapshot(expectedAfter(installation, outcome.before, true), outcome.after);
    const std::string log = readFile(tool / "uninstall.log");
    EXPECT_NE(std::string::npos, log.find("registry key deleted: HKEY_LOCAL_MACHINE\\SOFTWARE\\Vexlo\r\n"));
    EXPECT_EQ(log.size() - std::string("exit code: 0\r\n").size(), log.rfind("exit code: 0\r\n"));
    EXPECT_FALSE(testsupport::ScratchDir::exists(misplaced));
}

TEST_F(Uninstaller, LogThatCannotBeCreatedStopsAnUnattendedStart)
{
    Installation installation;
    installation.stage();
    const Outcome outcome = runUnattended(installation, "/S /LOG=\"C:\\no such folder\\u.log\"");
    EXPECT_EQ(1622, outcome.result.exitCode); // ERROR_INSTALL_LOG_FAILURE
    EXPECT_EQ(std::set<std::string>{}, outcome.result.shownClasses);
    Sleep(1000); // a regsvr32 started by mistake would have unregistered by now
    expectUnchanged(outcome.before, Snapshot::take(installation));
    EXPECT_TRUE(testsupport::keyExists(HKEY_CLASSES_ROOT, kShellExtensionClass));
}

TEST_F(Uninstaller, WhereNobodyCanSeeAWindowOnlyASilentStartRuns)
{
    // A service, or the system account, starts the program in a window
    // station that nobody sees: a question there would wait for ever.
    testsupport::HiddenWindowStation service;
    ASSERT_TRUE(service.made());
    const auto inTheService = [&](UninstallRun& run) { run.desktop = service.desktopName(); };
    Installation installation;
    installation.stage();
    const Outcome asked = runUnattended(installation, "", inTheService);
    EXPECT_EQ(1602, asked.result.exitCode); // ERROR_INSTALL_USEREXIT: nobody could be asked
    EXPECT_LT(asked.result.endedAtMs, 10000u);
    EXPECT_NE(std::string::npos, asked.log.find("nobody can see the question"));
    expectUnchanged(asked.before, asked.after);

    const Outcome silent = runUnattended(installation, "/S", inTheService);
    EXPECT_EQ(0, silent.result.exitCode);
    checkSnapshot(expectedAfter(installation, silent.before, true), silent.after);
}

TEST_F(Uninstaller, HelpListsTheSwitchesAndChangesNothing)
{
    Installation installation;
    installation.stage();
    const Snapshot before = Snapshot::take(installation);
    UninstallRun run(installation, UninstallRun::Answer::Ok);
    run.arguments = "/?";
    const RunResult result = run.go();
    EXPECT_TRUE(result.boxShown);
    EXPECT_FALSE(result.windowShown);
    EXPECT_EQ(0, result.exitCode);
    for (const wchar_t* word : {L"/S", L"/VERYSILENT", L"/SILENT", L"/SUPPRESSMSGBOXES", L"/NORESTART", L"/LOG=", L"3010"})
        EXPECT_NE(std::wstring::npos, result.boxText.find(word)) << testsupport::toUtf8(word);
    const Snapshot after = Snapshot::take(installation);
    expectUnchanged(before, after);
}

TEST_F(Uninstaller, UnknownWordsLeaveTheInteractiveRunAsItIs)
{
    Installation installation;
    installation.stage();
    const std::string log = testsupport::tempDir() + "vexlo-interactive.log";
    // The run is the interactive one, and its exit code 0 whatever happens;
    // its log says in words how it went, and ends with that 0.
    const Outcome outcome = runToTheEnd(installation, "/X --quiet S silent /LOG=" + log);
    EXPECT_TRUE(outcome.result.boxShown);
    EXPECT_EQ(kAddress, outcome.result.recordedAddress);
    checkSnapshot(expectedAfter(installation, outcome.before, true), outcome.after);
    const std::string text = readFile(log);
    const std::string end = "the run: removed, nothing listed stands any more\r\nexit code: 0\r\n";
    EXPECT_EQ(text.size() - end.size(), text.rfind(end)) << text;
    DeleteFileA(log.c_str());
}

// Bad input: each of these runs to its end, exits with 0 and changes nothing
// that the manifest does not name.
TEST_F(Uninstaller, LineOfOneMebibyteIsJustAnotherEntry)
{
    Installation installation;
    installation.manifest.insert(installation.manifest.begin() + 2,
                                 installation.path(std::string(1 << 20, 'x') + ".jpg"));
    installation.stage();
    runAndCheck(installation, true);
}

TEST_F(Uninstaller, BinaryGarbageAndZeroBytesChangeNothingElse)
{
    Installation installation;
    std::mt19937 random(11);
    std::vector<std::string> garbage;
    for (int i = 0; i < 20; ++i) {
        std::string line(1 + random() % 200, '\0');
        for (char& c : line) c = static_cast<char>(1 + random() % 255);
        for (char& c : line)
            if (c == '\n') c = '\x01'; // one line each
        if (i % 3 == 0) line[line.size() / 2] = '\0'; // the entry ends at a zero byte
        garbage.push_back(line);
    }
    installation.manifest.insert(installation.manifest.begin() + 1, garbage.begin(), garbage.end());
    installation.stage();
    runAndCheck(installation, true);
}

TEST_F(Uninstaller, RelativeEntriesTouchNothing)
{
    // Lines that are no full paths would be resolved in the run's current
    // directory, the system folder, with administrator rights.
    Installation installation;
    const std::string system = testsupport::systemFolderFile("");
    const std::string windows = system.substr(0, system.find_last_of('\\', system.size() - 2) + 1);
    const std::string hosts = system + "drivers\\etc\\hosts";
    const std::string hostsBefore = readFile(hosts);
    const std::vector<std::string> planted = {system + "vexlo-planted.txt", windows + "Temp\\vexlo-planted.txt",
                                              "C:\\vexlo-planted.txt"};
    for (const std::string& file : planted) testsupport::ScratchDir::writeFile(file, "not the product's");
    const std::string plantedDir = system + "vexlo-planted-dir";
    testsupport::ScratchDir::makeDir(plantedDir);
    installation.manifest.insert(installation.manifest.begin() + 1,
                                 {"drivers\\etc\\hosts", "vexlo-planted.txt", "..\\Temp\\vexlo-planted.txt",
                                  "\\vexlo-planted.txt", "C:vexlo-planted.txt", "vexlo-planted-dir", "uninstall.exe"});
    installation.stage();
    const std::vector<std::string> pendingBefore = testsupport::pendingDeletions();

    runAndCheck(installation, true);

    EXPECT_EQ(hostsBefore, readFile(hosts));
    for (const std::string& file : planted) EXPECT_EQ("not the product's", readFile(file)) << file;
    EXPECT_TRUE(testsupport::ScratchDir::exists(plantedDir));
    for (const std::string& pending : testsupport::pendingDeletions())
        EXPECT_TRUE(std::find(pendingBefore.begin(), pendingBefore.end(), pending) != pendingBefore.end() ||
                    pending.find("vexlo-planted") == std::string::npos)
            << pending;
    // A program that took them leaves the prefix whole for the scenarios after it.
    if (readFile(hosts) != hostsBefore) testsupport::ScratchDir::writeFile(hosts, hostsBefore);
    for (const std::string& file : planted) DeleteFileA(file.c_str());
    RemoveDirectoryA(plantedDir.c_str());
}

TEST_F(Uninstaller, PathsLongerThanMaxPathAreLeftAlone)
{
    Installation installation;
    for (int length : {260, 300, 1000})
        installation.manifest.insert(installation.manifest.begin() + 1, installation.path(std::string(length, 'a')));
    installation.stage();
    runAndCheck(installation, true);
}

TEST_F(Uninstaller, FileLinkOfOneMebibyteWithOddLines)
{
    Installation installation;
    installation.stage();
    std::string links;
    std::mt19937 random(12);
    while (links.size() < (1u << 20)) {
        switch (random() % 6) {
        case 0: links += "# a comment =.JPEG=nothing\r\n"; break;
        case 1: links += "=value without a key\n"; break;
        case 2: links += "no equals sign at all\r\n"; break;
        case 3: links += std::string(500, 'k') + "=" + std::string(500, 'v') + "\n"; break;
        case 4: links += ".jpeg=lower case key is another key\r\n"; break;
        default: links += "   \t  \r\n"; break;
        }
    }
    for (const auto& owner : installation.formerOwners)
        if (!owner.second.empty()) links += owner.first + "=" + owner.second + "\r\n";
    testsupport::ScratchDir::writeFile(installation.path(kAssociationsFile), links);
    runAndCheck(installation, true);
}
