#include "tests/support/WinEventLog.h"

namespace testsupport {

namespace {

// The one log the hook writes to (its callback has no context of its own).
WinEventLog* current = nullptr;

} // namespace

WinEventLog::WinEventLog() : ready(CreateEventA(nullptr, TRUE, FALSE, nullptr))
{
    current = this;
    pump = std::thread([this] {
        threadId = GetCurrentThreadId();
        HWINEVENTHOOK hook =
            SetWinEventHook(EVENT_OBJECT_CREATE, EVENT_OBJECT_VALUECHANGE, nullptr, heard, 0, 0, WINEVENT_OUTOFCONTEXT);
        MSG message;
        PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE); // the queue exists before anyone posts to it
        SetEvent(ready);
        while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
        if (hook) UnhookWinEvent(hook);
    });
    WaitForSingleObject(ready, 10000);
    // Wine's threads learn of new hooks when they next look at their queue
    // (a thread that raises events before that raises them unheard; so do
    // processes started before the hook).
    MSG message;
    PostThreadMessageA(GetCurrentThreadId(), WM_NULL, 0, 0);
    while (PeekMessageA(&message, nullptr, WM_NULL, WM_NULL, PM_REMOVE)) {
    }
}

WinEventLog::~WinEventLog()
{
    PostThreadMessageA(threadId, WM_QUIT, 0, 0);
    pump.join();
    CloseHandle(ready);
    current = nullptr;
}

void CALLBACK WinEventLog::heard(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD)
{
    if (!current || child != CHILDID_SELF) return;
    std::lock_guard<std::mutex> lock(current->mutex);
    current->log.push_back(Event{event, window, object});
}

int WinEventLog::countOf(DWORD event, HWND window, int atLeast, DWORD settleMs) const
{
    const auto count = [&] {
        std::lock_guard<std::mutex> lock(mutex);
        int n = 0;
        for (const Event& e : log) n += e.event == event && e.window == window && e.object == OBJID_CLIENT;
        return n;
    };
    int seen = count();
    DWORD quietSince = GetTickCount();
    while (GetTickCount() - quietSince < settleMs || (seen < atLeast && GetTickCount() - quietSince < 5000)) {
        Sleep(10);
        const int now = count();
        if (now != seen) quietSince = GetTickCount();
        seen = now;
    }
    return seen;
}

} // namespace testsupport
