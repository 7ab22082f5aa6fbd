#include "qxsdk/component/ImplQXComponent.h"
#include "qxsdk/component/QXPopupWindow.h"
#include "qxsdk/component/QXWindow.h"
#include "tests/component/ProbeComponent.h"
#include "tests/support/EventLog.h"
#include "tests/support/TestWindow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <thread>

using namespace QXSDK;
using testsupport::EventLog;
using testsupport::nativeWindow;

namespace {

// Ends a message loop that a broken window would never end, so a failing
// test fails instead of hanging.
class Watchdog {
public:
    explicit Watchdog(DWORD milliseconds) : thread(GetCurrentThreadId())
    {
        worker = std::thread([this, milliseconds] {
            const DWORD start = GetTickCount();
            while (!done && GetTickCount() - start < milliseconds) Sleep(20);
            if (!done) {
                fired = true;
                PostThreadMessageA(thread, WM_QUIT, 0, 0);
            }
        });
    }
    ~Watchdog()
    {
        done = true;
        worker.join();
    }
    bool hasFired() const { return fired; }

private:
    DWORD thread;
    std::atomic<bool> done{false};
    std::atomic<bool> fired{false};
    std::thread worker;
};

// A main window whose timer runs a script of steps, one per tick.
class ScriptedWindow : public QXWindow {
public:
    explicit ScriptedWindow(EventLog& log) : QXObject(), log(log)
    {
        retain();
        setBounds(50, 50, 300, 200, 0);
    }
    std::vector<std::function<void()>> steps;
    int ticks = 0;

    void windowCreated() override
    {
        QXWindow::windowCreated();
        startTimer(10);
    }
    int timerFired() override
    {
        if (ticks < static_cast<int>(steps.size())) steps[ticks]();
        ++ticks;
        return 1;
    }
    int destroyed() override
    {
        log.push_back("window destroyed");
        return QXWindow::destroyed();
    }
    int onMouseMoved(QXObject* source, QXPoint p) override
    {
        if (source != static_cast<QXObject*>(this)) log.push_back("window heard a move");
        return QXWindow::onMouseMoved(source, p);
    }

private:
    EventLog& log;
};

} // namespace

TEST(QXWindow, StylesAndNames)
{
    QXWindow window;
    EXPECT_STREQ("QXObject.QXComponent.QXDesignComponent.QXContainer.QXWindow", window.getTypeName());
    EXPECT_STREQ("QXWindow", window.getClassName().getData());
    EXPECT_EQ(static_cast<DWORD>(WS_OVERLAPPEDWINDOW), window.getBinding()->getStyle());
    QXPopupWindow popup;
    EXPECT_STREQ("QXObject.QXComponent.QXDesignComponent.QXContainer.QXPopupWindow", popup.getTypeName());
    EXPECT_STREQ("QXPopupWindow", popup.getClassName().getData());
    EXPECT_EQ(static_cast<DWORD>(WS_POPUP), popup.getBinding()->getStyle());
    // Nothing to act on yet.
    window.maximize();
    window.minimize();
    window.restore();
    window.quit();
    window.close();
    window.setTopMost(1);
    MSG message;
    EXPECT_FALSE(PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE));
}

TEST(QXWindow, ClosingEndsTheLoopAfterTheChildrenWereUnwired)
{
    EventLog log;
    Watchdog watchdog(15000);
    ProbeComponent child(log, "child"); // outlives the window that holds it
    ScriptedWindow window(log);
    child.setBounds(10, 10, 40, 20, 0);
    window.add(&child);
    HWND childWindow = nullptr;
    int heardWhileOpen = 0;
    window.steps = {[&] {
                        childWindow = child.getBinding()->getWindow();
                        SendMessageA(childWindow, WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));
                        heardWhileOpen = static_cast<int>(std::count(log.begin(), log.end(), "window heard a move"));
                    },
                    [&] { window.close(); }};

    EXPECT_EQ(1, window.create(CreateContext{GetModuleHandleA(nullptr), nullptr}));
    EXPECT_FALSE(watchdog.hasFired());
    EXPECT_EQ(1, std::count(log.begin(), log.end(), "window destroyed"));
    EXPECT_EQ(0, window.isCreated());
    EXPECT_EQ(1, heardWhileOpen);
    EXPECT_FALSE(IsWindow(childWindow));
    // The child no longer reports to the window.
    log.clear();
    WPARAM wParam = 0;
    LPARAM lParam = MAKELPARAM(1, 1);
    child.getBinding()->handleMessage(WM_MOUSEMOVE, &wParam, &lParam);
    EXPECT_EQ(0, std::count(log.begin(), log.end(), "window heard a move"));
    EXPECT_EQ(1, window.getComponentCount());
}

TEST(QXWindow, DestroyedPopupLeavesTheMainLoopRunning)
{
    EventLog log;
    Watchdog watchdog(15000);
    ScriptedWindow window(log);
    auto* popup = new QXPopupWindow();
    popup->retain();
    popup->setBounds(400, 400, 60, 40, 0);
    int ticksAfterPopup = 0;
    window.steps = {[&] { ASSERT_EQ(1, popup->create(CreateContext{GetModuleHandleA(nullptr), nullptr})); },
                    [&] { popup->release(); },
                    [&] { ++ticksAfterPopup; },
                    [&] { ++ticksAfterPopup; },
                    [&] { window.quit(); }};
    EXPECT_EQ(1, window.create(CreateContext{GetModuleHandleA(nullptr), nullptr}));
    EXPECT_FALSE(watchdog.hasFired());
    EXPECT_EQ(2, ticksAfterPopup);
    EXPECT_EQ(5, window.ticks);
    window.destroyWindow();
}

TEST(QXWindow, WindowThatCannotBeMadeReturnsWithoutALoop)
{
    EventLog log;
    ScriptedWindow window(log);
    window.setWindowType(QXComponent::kChildWindow); // a child window without a parent: Windows refuses it
    std::atomic<bool> boxSeen{false};
    std::thread answer([&] {
        for (int i = 0; i < 200 && !boxSeen; ++i) {
            if (HWND box = FindWindowA("#32770", "eeerrr")) {
                boxSeen = true;
                PostMessageA(box, WM_COMMAND, IDOK, 0);
            }
            Sleep(50);
        }
    });
    Watchdog watchdog(5000);
    EXPECT_EQ(1, window.create(CreateContext{GetModuleHandleA(nullptr), nullptr}));
    EXPECT_FALSE(watchdog.hasFired()); // it came back by itself
    answer.join();
    EXPECT_TRUE(boxSeen);
    EXPECT_EQ(0, window.isCreated());
}

TEST(QXWindow, TopMostOnAndOffNeitherMovesNorResizes)
{
    EventLog log;
    Watchdog watchdog(15000);
    ScriptedWindow window(log);
    RECT before = {}, after = {};
    LONG onStyle = 0, offStyle = 0;
    window.steps = {[&] { GetWindowRect(nativeWindow(window), &before); },
                    [&] {
                        window.setTopMost(1);
                        onStyle = GetWindowLongA(nativeWindow(window), GWL_EXSTYLE);
                    },
                    [&] {
                        window.setTopMost(0);
                        offStyle = GetWindowLongA(nativeWindow(window), GWL_EXSTYLE);
                        GetWindowRect(nativeWindow(window), &after);
                        window.quit();
                    }};
    window.create(CreateContext{GetModuleHandleA(nullptr), nullptr});
    EXPECT_FALSE(watchdog.hasFired());
    EXPECT_TRUE(onStyle & WS_EX_TOPMOST);
    EXPECT_FALSE(offStyle & WS_EX_TOPMOST);
    EXPECT_TRUE(EqualRect(&before, &after));
    window.destroyWindow();
}

TEST(QXWindow, QuitFromAHandlerReturnsWithTheWindowStillThere)
{
    EventLog log;
    Watchdog watchdog(15000);
    ScriptedWindow window(log);
    window.steps = {[&] { window.quit(); }};
    EXPECT_EQ(1, window.create(CreateContext{GetModuleHandleA(nullptr), nullptr}));
    EXPECT_FALSE(watchdog.hasFired());
    EXPECT_TRUE(IsWindow(nativeWindow(window)));
    EXPECT_EQ(1, window.isCreated());
    window.destroyWindow();
    MSG message;
    // Its destruction posted another WM_QUIT; take it off the queue.
    while (PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

TEST(QXWindow, QuitWaitingWhileAWindowGoesStillEndsTheLoop)
{
    // A top-level window that posts no quit of its own goes (closed) while a
    // quit request waits: its clean-up of queued actions must leave the
    // request, and its exit code, for the loop.
    QXComponent top;
    top.setWindowType(QXComponent::kOverlappedWindow);
    top.setBounds(60, 60, 200, 100, 0);
    ASSERT_EQ(1, top.create(CreateContext{GetModuleHandleA(nullptr), nullptr}));
    HWND window = nativeWindow(top);
    PostMessageA(window, WM_CLOSE, 0, 0);
    PostQuitMessage(7);
    Watchdog watchdog(5000);
    MSG message = {};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
    EXPECT_FALSE(watchdog.hasFired());
    EXPECT_EQ(7u, message.wParam);
    EXPECT_FALSE(IsWindow(window));
}
