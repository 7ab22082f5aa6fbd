#include "tests/e2e/Installation.h"

#include "tests/support/GdiObjectCount.h"

#include <psapi.h>

#include <string>
#include <vector>

namespace e2e {

namespace {

// "提示" (Notice) and "Vexlo 卸载程序" (Vexlo uninstaller) in GBK.
const char kBoxCaption[] = "\xCC\xE1\xCA\xBE";
const char kWindowTitle[] = "Vexlo \xD0\xB6\xD4\xD8\xB3\xCC\xD0\xF2";
const DWORD kSampleEveryMs = 1000;

struct Search {
    DWORD process;
    const char* className;
    const char* title;
    HWND found;
};

BOOL CALLBACK matchWindow(HWND window, LPARAM data)
{
    Search* search = reinterpret_cast<Search*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char className[64] = {}, title[128] = {};
    GetClassNameA(window, className, sizeof className);
    GetWindowTextA(window, title, sizeof title);
    if (owner == search->process && std::string(className) == search->className && std::string(title) == search->title) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// A top-level window of the process with that class and title, or null.
HWND findWindow(DWORD process, const char* className, const char* title)
{
    Search search = {process, className, title, nullptr};
    EnumWindows(matchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
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

ProcessSample sample(const PROCESS_INFORMATION& process, DWORD atMs)
{
    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(process.hProcess, &memory, sizeof memory);
    WindowCount windows = {process.dwProcessId, 0};
    EnumWindows(countWindow, reinterpret_cast<LPARAM>(&windows));
    return ProcessSample{atMs, memory.WorkingSetSize, memory.PagefileUsage,
                         testsupport::liveGdiObjects(process.hProcess), windows.count};
}

bool ended(HANDLE process)
{
    return WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
}

// The box is found as soon as it exists, before it is active and has drawn
// its text and buttons: wait for those (five seconds at most) and for the
// paint to reach the screen. (Asking it to paint from here with RedrawWindow
// made Wine blank it for the screenshot.)
void awaitDrawn(HWND box)
{
    const DWORD start = GetTickCount();
    for (;;) {
        HWND ok = GetDlgItem(box, IDOK);
        if ((ok && IsWindowVisible(ok) && GetForegroundWindow() == box) || GetTickCount() - start > 5000) break;
        Sleep(20);
    }
    Sleep(200);
}

void screenshot(const std::string& folder, const std::string& name)
{
    if (folder.empty()) return;
    runHost("/usr/bin/import -window root " + folder + "/" + name + ".png");
}

} // namespace

UninstallRun::UninstallRun(const Installation& setup, Answer reply)
    : startIn(setup.programDir), installation(setup), answer(reply)
{
}

RunResult UninstallRun::go()
{
    RunResult result;
    DeleteFileA(recorderOutput().c_str());
    if (!screenshotFolder.empty()) runHost("/bin/mkdir -p " + screenshotFolder);

    std::string commandLine = "\"" + installation.uninstaller() + "\"";
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, startIn.c_str(), &startup,
                        &process))
        return result;
    const DWORD start = GetTickCount();
    auto patient = [&] { return GetTickCount() - start < patienceMs; };

    HWND box = nullptr;
    while (!box && !ended(process.hProcess) && patient()) {
        box = findWindow(process.dwProcessId, "#32770", kBoxCaption);
        if (!box) Sleep(20);
    }
    result.boxShown = box != nullptr;
    if (box) {
        result.boxAtMs = GetTickCount() - start;
        if (!screenshotFolder.empty()) {
            awaitDrawn(box);
            screenshot(screenshotFolder, "confirm");
        }
        // A click can come before the box is ready for it: repeat until it goes.
        while (IsWindow(box) && !ended(process.hProcess) && patient()) {
            SendMessageTimeoutA(GetDlgItem(box, answer == Answer::Ok ? IDOK : IDCANCEL), BM_CLICK, 0, 0,
                                SMTO_ABORTIFHUNG, 1000, nullptr);
            Sleep(20);
        }
        result.confirmedAtMs = GetTickCount() - start;
    }

    HWND window = nullptr, button = nullptr;
    DWORD shownAt = 0, sampledAt = 0;
    bool closed = false, duringShot = false;
    while (!ended(process.hProcess) && patient()) {
        if (!window) {
            window = findWindow(process.dwProcessId, "QXWindow", kWindowTitle);
            if (window) {
                result.windowShown = true;
                shownAt = GetTickCount();
                result.windowAtMs = shownAt - start;
            }
        }
        if (window && GetTickCount() - sampledAt >= kSampleEveryMs) {
            sampledAt = GetTickCount();
            result.samples.push_back(sample(process, sampledAt - start));
        }
        // The children are made right after the window itself: keep looking.
        if (window && !button) button = FindWindowExA(window, nullptr, "QXButton", nullptr);
        if (window && !duringShot && GetTickCount() - shownAt > 150) {
            duringShot = true;
            screenshot(screenshotFolder, "running");
        }
        if (window && closeAfterMs && !closed && GetTickCount() - shownAt >= closeAfterMs) {
            closed = true;
            PostMessageA(window, WM_CLOSE, 0, 0);
        }
        if (window && killAfterMs && GetTickCount() - shownAt >= killAfterMs) {
            TerminateProcess(process.hProcess, 1);
            WaitForSingleObject(process.hProcess, 10000);
            break;
        }
        if (button && IsWindow(button) && IsWindowEnabled(button) && !closed) {
            result.finished = true;
            result.finishedAtMs = GetTickCount() - start;
            result.samples.push_back(sample(process, result.finishedAtMs));
            Sleep(100); // let the last paint reach the screen
            screenshot(screenshotFolder, "finished");
            RECT rect;
            GetWindowRect(button, &rect);
            runHost("/usr/bin/xdotool mousemove " + std::to_string((rect.left + rect.right) / 2) + " " +
                    std::to_string((rect.top + rect.bottom) / 2) + " click 1");
            break;
        }
        Sleep(10);
    }
    if (WaitForSingleObject(process.hProcess, 30000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 99);
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    result.exitCode = static_cast<long>(code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);

    // The browser stand-in runs on its own: give it a moment to write.
    if (result.finished) {
        const DWORD waiting = GetTickCount();
        while (readFile(recorderOutput()).empty() && GetTickCount() - waiting < 5000) Sleep(20);
    }
    result.recordedAddress = readFile(recorderOutput());
    return result;
}

} // namespace e2e
