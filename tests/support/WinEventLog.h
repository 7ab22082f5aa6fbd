#pragma once

#include <windows.h>

#include <mutex>
#include <thread>
#include <vector>

namespace testsupport {

// The accessibility events (NotifyWinEvent) of every process, heard by an
// out-of-context hook on a thread of its own that pumps its messages, from
// construction on: events of the constructing thread, and of processes
// started afterwards (Wine tells a process of hooks when it starts). Windows
// delivers them late, after they were raised: countOf waits for them.
class WinEventLog {
public:
    struct Event {
        DWORD event;
        HWND window;
        LONG object;
    };

    WinEventLog();
    ~WinEventLog();
    WinEventLog(const WinEventLog&) = delete;
    WinEventLog& operator=(const WinEventLog&) = delete;

    // The events of that kind for window's client area heard so far, after
    // waiting until at least `atLeast` came or none came for settleMs.
    int countOf(DWORD event, HWND window, int atLeast = 0, DWORD settleMs = 300) const;

private:
    static void CALLBACK heard(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD);

    mutable std::mutex mutex;
    std::vector<Event> log;
    DWORD threadId = 0;
    HANDLE ready = nullptr;
    std::thread pump;
};

} // namespace testsupport
