#include "tests/e2e/UninstallRun.h"

#include "tests/e2e/RunWatcher.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/GdiObjectCount.h"
#include "tests/support/WinEventLog.h"

#include <oleacc.h>
#include <psapi.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace e2e {

namespace {

// The waits of the drive.
const DWORD kPollMs = 10;               // between two looks for a window or the enabled button
const DWORD kClickAgainMs = 20;         // between two presses of the box's button
const DWORD kBoxDrawnPatienceMs = 5000; // for the box to be active with its buttons
const DWORD kPaintSettlesMs = 200;      // for a window's last paint to reach the screen
const DWORD kRunningPictureAfterMs = 150;
const DWORD kLookEveryMs = 20;          // what the window shows, compared
const DWORD kSampleEveryMs = 1000;      // the process's memory and objects
const DWORD kExitPatienceMs = 30000;    // from "完成" to the end of the process
const DWORD kBrowserPatienceMs = 5000;  // for the browser stand-in to write
// Looks taken while the program is held still (its thread suspended), until
// this many have compared what the window showed.
const int kHeldLooks = 2;
const DWORD kHoldEveryMs = 100;
const DWORD kHeldPatienceMs = 500;      // for a held window's last paint to reach the screen
const DWORD kHeldAtMostMs = 1500;       // then the program goes on, whatever waits for it
const int kMostHolds = 20;
const size_t kPaintedColours = 3;
// GDI counts read per sample: a read inside a paint also counts the font
// the paint made for its text; the least of these is the count at rest.
const int kGdiReadsPerSample = 5;
const DWORD kBetweenGdiReadsMs = 3;

struct Search {
    DWORD process;
    const wchar_t* className;
    HWND found;
};

BOOL CALLBACK matchWindow(HWND window, LPARAM data)
{
    Search* search = reinterpret_cast<Search*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    wchar_t className[64] = {};
    GetClassNameW(window, className, 64);
    if (owner == search->process && std::wstring(className) == search->className) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// A top-level window of the process with that class, or null. Found by
// class only: what its title says is for the test to judge.
HWND findWindow(DWORD process, const wchar_t* className)
{
    Search search = {process, className, nullptr};
    EnumWindows(matchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// A window's text as the wide functions read it.
std::wstring textOf(HWND window)
{
    wchar_t text[512] = {};
    GetWindowTextW(window, text, 512);
    return text;
}

BOOL CALLBACK collectStaticText(HWND child, LPARAM data)
{
    wchar_t className[16] = {};
    GetClassNameW(child, className, 16);
    std::wstring& text = *reinterpret_cast<std::wstring*>(data);
    if (_wcsicmp(className, L"Static") == 0 && text.empty()) text = textOf(child);
    return TRUE;
}

// The question of a message box: the text of its first static control
// that has one (the icon's has none).
std::wstring boxTextOf(HWND box)
{
    std::wstring text;
    EnumChildWindows(box, collectStaticText, reinterpret_cast<LPARAM>(&text));
    return text;
}

// The window's caption bar as it shows: the rows of the whole window above
// its client area.
testsupport::Pixels captionBarOf(HWND window)
{
    RECT frame = {};
    POINT client = {0, 0};
    if (!GetWindowRect(window, &frame) || !ClientToScreen(window, &client)) return testsupport::Pixels();
    return testsupport::Pixels::shownBy(window, true).rows(0, client.y - frame.top);
}

BOOL CALLBACK countChild(HWND, LPARAM count)
{
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

struct WindowCount {
    DWORD process;
    int count;
};

BOOL CALLBACK countWindow(HWND window, LPARAM data)
{
    WindowCount* windows = reinterpret_cast<WindowCount*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == windows->process) {
        ++windows->count;
        EnumChildWindows(window, countChild, reinterpret_cast<LPARAM>(&windows->count));
    }
    return TRUE;
}

int leastGdiObjects(const testsupport::ChildProcess& process)
{
    int least = -1;
    for (int i = 0; i < kGdiReadsPerSample; ++i) {
        if (i) Sleep(kBetweenGdiReadsMs);
        const int count = testsupport::liveGdiObjects(process.handle());
        if (count >= 0 && (least < 0 || count < least)) least = count;
    }
    return least;
}

ProcessSample sample(const testsupport::ChildProcess& process, DWORD atMs)
{
    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(process.handle(), &memory, sizeof memory);
    WindowCount windows = {process.id(), 0};
    EnumWindows(countWindow, reinterpret_cast<LPARAM>(&windows));
    return ProcessSample{atMs, memory.WorkingSetSize, memory.PagefileUsage, leastGdiObjects(process), windows.count};
}

// The box is found as soon as it exists, before it is active and has drawn
// its text and buttons: wait for those and for the paint to reach the
// screen. (Asking it to paint from here with RedrawWindow made Wine blank
// it for the screenshot.)
void awaitDrawn(HWND box)
{
    const DWORD start = GetTickCount();
    for (;;) {
        HWND ok = GetDlgItem(box, IDOK);
        if ((ok && IsWindowVisible(ok) && GetForegroundWindow() == box) || GetTickCount() - start > kBoxDrawnPatienceMs)
            break;
        Sleep(kPollMs);
    }
    Sleep(kPaintSettlesMs);
}

// One run of the program: the process, the clock from its start, and what
// is found out.
struct Drive {
    Drive(const std::string& commandLine, const std::string& startIn, const std::string& desktop, DWORD patienceMs)
        : process(commandLine, startIn, desktop), start(GetTickCount()), patienceMs(patienceMs)
    {
    }
    DWORD elapsed() const { return GetTickCount() - start; }
    bool goesOn() const { return process.running() && elapsed() < patienceMs; }

    testsupport::ChildProcess process;
    DWORD start;
    DWORD patienceMs;
    RunResult result;
};

void takePicture(Drive& drive, const std::string& folder, const std::string& name, HWND window)
{
    if (!folder.empty()) drive.result.screenshots.push_back(Screenshot::take(folder, name, window));
}

// Step 1: the confirmation box, answered with its button.
void answerTheBox(Drive& drive, UninstallRun::Answer answer, const std::string& folder)
{
    HWND box = nullptr;
    while (!box && drive.goesOn()) {
        box = findWindow(drive.process.id(), L"#32770");
        if (!box) Sleep(kPollMs);
    }
    drive.result.boxShown = box != nullptr;
    if (!box) return;
    drive.result.boxAtMs = drive.elapsed();
    if (!folder.empty()) awaitDrawn(box);
    // Its controls and their texts follow the box itself.
    for (const DWORD start = GetTickCount(); GetTickCount() - start < kBoxDrawnPatienceMs; Sleep(kPollMs)) {
        drive.result.boxText = boxTextOf(box);
        if (GetDlgItem(box, IDOK) && !drive.result.boxText.empty()) break;
    }
    drive.result.boxCaption = textOf(box);
    takePicture(drive, folder, "confirm", box);
    // A press can come before the box is ready for it: press until it goes.
    HWND button = GetDlgItem(box, answer == UninstallRun::Answer::Ok ? IDOK : IDCANCEL);
    while (IsWindow(box) && drive.goesOn()) {
        SendMessageTimeoutA(button, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 1000, nullptr);
        Sleep(kClickAgainMs);
    }
    drive.result.confirmedAtMs = drive.elapsed();
}

// The uninstall window once it exists (the children follow right after).
HWND awaitTheWindow(Drive& drive, RunWatcher& watcher)
{
    HWND window = nullptr;
    while (drive.goesOn()) {
        if (!window) window = findWindow(drive.process.id(), L"QXWindow");
        if (window && watcher.attach(window)) break;
        Sleep(kPollMs);
    }
    if (!window) return nullptr;
    drive.result.windowShown = true;
    drive.result.windowAtMs = drive.elapsed();
    drive.result.windowTitle = textOf(window);
    return window;
}

// The button as it shows while disabled, once it has painted (its frame,
// face and text: more than the one colour of a window not drawn yet). It
// does not change until the run enables it.
void noteDisabledButton(Drive& drive, HWND button)
{
    if (!drive.result.disabledButton.values.empty() || IsWindowEnabled(button)) return;
    testsupport::Pixels shown = testsupport::Pixels::shownBy(button, true);
    if (shown.colourCount() >= kPaintedColours && !IsWindowEnabled(button)) drive.result.disabledButton = shown;
}

// The program's thread suspended for the length of a scope, and resumed by
// a watchdog after kHeldAtMostMs at the latest: a read of its window may
// wait for that very thread under Wine, and would wait for ever.
class Hold {
public:
    explicit Hold(HANDLE programThread) : thread(programThread)
    {
        held = SuspendThread(thread) != static_cast<DWORD>(-1);
        if (held) watchdog = std::thread([this] {
            std::unique_lock<std::mutex> lock(mutex);
            if (!over.wait_for(lock, std::chrono::milliseconds(kHeldAtMostMs), [this] { return released; }))
                release();
        });
    }
    ~Hold()
    {
        {
            std::lock_guard<std::mutex> lock(mutex);
            release();
        }
        over.notify_one();
        if (watchdog.joinable()) watchdog.join();
    }
    Hold(const Hold&) = delete;
    Hold& operator=(const Hold&) = delete;
    bool holds() const { return held; }

private:
    // With the mutex held.
    void release()
    {
        if (held && !released) ResumeThread(thread);
        released = true;
    }

    HANDLE thread;
    bool held = false;
    bool released = false;
    std::mutex mutex;
    std::condition_variable over;
    std::thread watchdog;
};

// Looks at the window while the program is held still: a look from here
// may otherwise never fall between two ticks on a busy machine. Answers the
// milliseconds the program was held.
DWORD lookWhileHeld(Drive& drive, RunWatcher& watcher, HWND button)
{
    const DWORD start = GetTickCount();
    Hold hold(drive.process.thread());
    if (!hold.holds()) return 0;
    const int compared = watcher.comparedLooks;
    while (watcher.comparedLooks == compared && watcher.faults.empty() && GetTickCount() - start < kHeldPatienceMs) {
        watcher.look(false);
        if (watcher.comparedLooks == compared) Sleep(kPollMs);
    }
    noteDisabledButton(drive, button);
    return GetTickCount() - start;
}

// Whether every milliseconds have passed since last; if so, now is the last.
bool due(DWORD& last, DWORD every)
{
    const DWORD now = GetTickCount();
    if (now - last < every) return false;
    last = now;
    return true;
}

// Step 2: the run, looked at as the user sees it until "完成" is enabled (or
// the window is closed or the process killed, as the settings say). Answers
// the button when it was enabled.
HWND watchTheRun(Drive& drive, const UninstallRun& settings, RunWatcher& watcher)
{
    HWND window = awaitTheWindow(drive, watcher);
    HWND button = window ? FindWindowExA(window, nullptr, "QXButton", nullptr) : nullptr;
    if (window && settings.onceRunning) settings.onceRunning();
    const DWORD shownAt = GetTickCount();
    DWORD sampledAt = 0, lookedAt = 0, askedAt = 0, heldAt = 0;
    DWORD& heldMs = drive.result.heldMs;
    int& holds = drive.result.holds;
    bool pictured = false, closed = false;
    while (window && drive.goesOn() && !IsWindowEnabled(button)) {
        const bool looking = settings.looksAtTheWindow && !closed;
        const bool seenEnough = watcher.comparedLooks >= kHeldLooks && !drive.result.disabledButton.values.empty();
        if (looking && !seenEnough && holds < kMostHolds && due(heldAt, kHoldEveryMs)) {
            heldMs += lookWhileHeld(drive, watcher, button);
            ++holds;
        }
        const DWORD run = GetTickCount() - shownAt - heldMs;
        if (due(sampledAt, kSampleEveryMs)) drive.result.samples.push_back(sample(drive.process, drive.elapsed()));
        if (looking && due(lookedAt, kLookEveryMs)) {
            watcher.look(due(askedAt, settings.asksEveryMs));
            noteDisabledButton(drive, button);
        }
        if (!pictured && run > kRunningPictureAfterMs) {
            pictured = true;
            takePicture(drive, settings.screenshotFolder, "running", window);
        }
        if (!settings.closeWhenGone.empty() && !closed &&
            GetFileAttributesA(settings.closeWhenGone.c_str()) == INVALID_FILE_ATTRIBUTES)
            closed = PostMessageA(window, WM_CLOSE, 0, 0) != 0;
        if (settings.killAfterMs && run >= settings.killAfterMs) TerminateProcess(drive.process.handle(), 1);
        Sleep(kPollMs);
    }
    drive.result.comparedLooks = watcher.comparedLooks;
    drive.result.finished = window && !closed && IsWindowEnabled(button);
    if (drive.result.finished) {
        drive.result.finishedAtMs = drive.elapsed();
        drive.result.samples.push_back(sample(drive.process, drive.result.finishedAtMs));
        Sleep(kPaintSettlesMs);
        watcher.lookAtTheEnd();
        drive.result.enabledButton = testsupport::Pixels::shownBy(button, true);
        drive.result.captionBar = captionBarOf(window);
        GetWindowRect(window, &drive.result.windowRect);
        GetWindowRect(button, &drive.result.buttonRect);
        takePicture(drive, settings.screenshotFolder, "finished", window);
        if (settings.onceFinished) settings.onceFinished();
    }
    drive.result.displayFaults = watcher.faults;
    for (int i = 0; i < 3; ++i) {
        drive.result.readDuring[i] = watcher.readDuring[i];
        drive.result.readAtTheEnd[i] = watcher.readAtTheEnd[i];
    }
    return drive.result.finished ? button : nullptr;
}

// What the window told screen readers while it ran.
void countEvents(RunResult& result, const testsupport::WinEventLog& events, const RunWatcher& watcher)
{
    if (!watcher.doneButton()) return;
    result.statusNameEvents = events.countOf(EVENT_OBJECT_NAMECHANGE, watcher.statusLine());
    result.gaugeValueEvents = events.countOf(EVENT_OBJECT_VALUECHANGE, watcher.progressGauge(), 0, 0);
    result.buttonStateEvents = events.countOf(EVENT_OBJECT_STATECHANGE, watcher.doneButton(), 0, 0);
    result.buttonFocusEvents = events.countOf(EVENT_OBJECT_FOCUS, watcher.doneButton(), 0, 0);
}

BOOL CALLBACK noteShownWindow(HWND window, LPARAM data)
{
    auto* drive = reinterpret_cast<Drive*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char className[64] = {};
    if (owner == drive->process.id() && IsWindowVisible(window) && GetClassNameA(window, className, sizeof className))
        drive->result.shownClasses.insert(className);
    return TRUE;
}

// Nobody at the keyboard: which of the process's windows show, until it ends.
void watchUnattended(Drive& drive, const UninstallRun& settings)
{
    bool running = false;
    while (drive.goesOn()) {
        EnumWindows(noteShownWindow, reinterpret_cast<LPARAM>(&drive));
        if (!running && drive.result.shownClasses.count("QXWindow") && settings.onceRunning) {
            running = true;
            settings.onceRunning();
        }
        Sleep(kPollMs);
    }
    drive.result.boxShown = drive.result.shownClasses.count("#32770") > 0;
    drive.result.windowShown = drive.result.shownClasses.count("QXWindow") > 0;
}

// Step 3: "完成" pressed with the real mouse, in the middle of the button.
void pressDone(HWND button)
{
    RECT rect;
    GetWindowRect(button, &rect);
    runHost("/usr/bin/xdotool mousemove " + std::to_string((rect.left + rect.right) / 2) + " " +
            std::to_string((rect.top + rect.bottom) / 2) + " click 1");
}

// Step 4: the end of the process (ended for it when it hangs) and what the
// browser stand-in received.
void collect(Drive& drive)
{
    if (drive.process.waitExit(kExitPatienceMs) < 0) TerminateProcess(drive.process.handle(), 99);
    drive.result.exitCode = drive.process.waitExit(kExitPatienceMs);
    drive.result.endedAtMs = drive.elapsed();
    // The browser stand-in runs on its own: give it a moment to write.
    const DWORD waiting = GetTickCount();
    while (drive.result.finished && readFile(recorderOutput()).empty() && GetTickCount() - waiting < kBrowserPatienceMs)
        Sleep(kPollMs);
    drive.result.recordedAddress = readFile(recorderOutput());
    drive.result.browserParents = readFile(recorderParents());
}

} // namespace

UninstallRun::UninstallRun(const Installation& setup, Answer reply)
    : startIn(setup.programDir), installation(setup), answer(reply)
{
}

RunResult UninstallRun::go()
{
    DeleteFileA(recorderOutput().c_str());
    DeleteFileA(recorderParents().c_str());
    if (!screenshotFolder.empty()) runHost("/bin/mkdir -p " + screenshotFolder);
    // The watcher's lookalike window is shown before the program starts, so
    // that it takes the activation from nothing the program shows.
    RunWatcher watcher(installation.manifest);
    // Heard from processes started after it: before the program.
    const testsupport::WinEventLog events;
    Drive drive("\"" + installation.uninstaller() + "\"" + (arguments.empty() ? "" : " " + arguments), startIn,
                desktop, patienceMs);
    if (!drive.process.started()) return drive.result;
    if (answer == Answer::Nobody) {
        watchUnattended(drive, *this);
    } else {
        answerTheBox(drive, answer, screenshotFolder);
        if (HWND button = watchTheRun(drive, *this, watcher)) {
            if (pressWithSpace)
                runHost("/usr/bin/xdotool key space");
            else
                pressDone(button);
        }
    }
    collect(drive);
    countEvents(drive.result, events, watcher);
    return drive.result;
}

} // namespace e2e
