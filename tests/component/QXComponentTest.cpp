#include "qxsdk/core/ScopedWin32.h"
#include "tests/component/ProbeComponent.h"
#include "tests/support/EventLog.h"
#include "tests/support/TestWindow.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>

using namespace QXSDK;
using testsupport::EventLog;
using testsupport::RecordingActionListener;
using testsupport::RecordingListener;
using testsupport::createPopup;
using testsupport::nativeWindow;

namespace {

HINSTANCE instance()
{
    return GetModuleHandleA(nullptr);
}

} // namespace

TEST(QXComponentState, FreshComponent)
{
    EventLog log;
    ProbeComponent component(log);
    EXPECT_STREQ("QXObject.QXComponent", QXComponent().getTypeName());
    EXPECT_EQ(1, component.isVisible());
    EXPECT_EQ(0, component.isDisabled());
    EXPECT_EQ(0, component.isCreated());
    EXPECT_STREQ("QXComponent", component.getText().getData());
    EXPECT_STREQ("QXComponent", component.getClassName().getData());
    EXPECT_EQ(static_cast<int>(GetSysColor(COLOR_BTNFACE)), component.getBackground().getValue());
    EXPECT_EQ(static_cast<int>(GetSysColor(COLOR_WINDOWTEXT)), component.getForeground().getValue());
    EXPECT_EQ(0, component.getTextHeight() + 1); // -1 without a window
    EXPECT_EQ(0, component.getTextExtent(QXString("abc")).getWidth());
    EXPECT_EQ(0, component.hasFocus());
    EXPECT_EQ(0, component.startTimer(10));
    EXPECT_EQ(0, component.reservedQuery());
    EXPECT_EQ(0, component.getScreenLocation().getX());
}

TEST(QXComponentState, ValuesSetBeforeCreateAreUsed)
{
    EventLog log;
    ProbeComponent component(log);
    component.setText(QXString("Vexlo"));
    component.hide();
    component.disable();
    ASSERT_EQ(1, createPopup(component, 30, 40, 120, 80));
    EXPECT_EQ(1, component.isCreated());
    RECT rect;
    GetWindowRect(nativeWindow(component), &rect);
    EXPECT_EQ(30, rect.left);
    EXPECT_EQ(40, rect.top);
    EXPECT_EQ(120, rect.right - rect.left);
    EXPECT_EQ(80, rect.bottom - rect.top);
    char title[32] = {};
    GetWindowTextA(nativeWindow(component), title, sizeof title);
    EXPECT_STREQ("Vexlo", title);
    EXPECT_FALSE(IsWindowVisible(nativeWindow(component)));
    EXPECT_FALSE(IsWindowEnabled(nativeWindow(component)));
    component.show(1);
    component.enable();
    EXPECT_TRUE(IsWindowVisible(nativeWindow(component)));
    EXPECT_TRUE(IsWindowEnabled(nativeWindow(component)));
    EXPECT_EQ(0, component.isDisabled());
}

namespace {

// The title as Windows keeps it, without a message to the window (whose
// ANSI procedure would give it in the system's code page).
std::wstring titleOf(HWND window)
{
    wchar_t title[128] = {};
    InternalGetWindowText(window, title, 128);
    return title;
}

} // namespace

TEST(QXComponentText, TitleOfAnotherCodePageIsItsCharacters)
{
    EventLog log;
    ProbeComponent other(log), system(log);
    EXPECT_EQ(CP_ACP, other.getTextCodePage());
    // "Café" in Windows-1252; the same bytes in the system's code page.
    other.setTextCodePage(1252);
    other.setText(QXString("Caf\xE9"));
    system.setText(QXString("Caf\xE9"));
    ASSERT_EQ(1, createPopup(other, 0, 0, 60, 40));
    ASSERT_EQ(1, createPopup(system, 70, 0, 60, 40));
    EXPECT_EQ(1252, other.getTextCodePage());
    EXPECT_EQ(L"Caf\u00E9", titleOf(nativeWindow(other)));
    // The system's reading of the bytes, as ever.
    HWND plain = CreateWindowExA(0, "STATIC", "Caf\xE9", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, instance(), nullptr);
    EXPECT_EQ(titleOf(plain), titleOf(nativeWindow(system)));
    DestroyWindow(plain);
    // A title set later, and a code page set later, reach the window too.
    other.setText(QXString("Th\xE9"));
    EXPECT_EQ(L"Th\u00E9", titleOf(nativeWindow(other)));
    system.setTextCodePage(1252);
    EXPECT_EQ(L"Caf\u00E9", titleOf(nativeWindow(system)));
    EXPECT_STREQ("Caf\xE9", system.getText().getData()); // the component keeps its bytes
}

TEST(QXComponentState, StylePresets)
{
    EventLog log;
    ProbeComponent component(log);
    ImplQXComponent* binding = component.getBinding();
    EXPECT_EQ(static_cast<DWORD>(WS_CHILD), binding->getStyle());
    component.setWindowType(QXComponent::kWindowTypeCount);
    EXPECT_EQ(static_cast<DWORD>(WS_CHILD), binding->getStyle());
    const DWORD presets[] = {0x800B0000, 0x40000000, 0x00CF0000, 0x06080000, 0x06000000, 0x000A0000, 0x80000000};
    for (int type = 0; type < QXComponent::kWindowTypeCount; ++type) {
        component.setWindowType(type);
        EXPECT_EQ(presets[type], binding->getStyle()) << type;
    }
    component.disable();
    EXPECT_TRUE(binding->getStyle() & WS_DISABLED);
    component.setWindowType(QXComponent::kPopupWindow); // the whole word is replaced
    EXPECT_FALSE(binding->getStyle() & WS_DISABLED);
    EXPECT_EQ(1, component.isDisabled());
    ASSERT_EQ(1, createPopup(component, 0, 0, 50, 50));
    EXPECT_FALSE(IsWindowEnabled(nativeWindow(component))); // create disables it again
}

TEST(QXComponentActions, ListenersAreUniqueAndFanOutInOrder)
{
    EventLog log;
    ProbeComponent component(log);
    RecordingActionListener first(log, "first"), second(log, "second");
    EXPECT_EQ(1, component.fireAction(1, 2)); // the own actionPerformed only
    EXPECT_EQ(1, component.actionCount);
    EXPECT_TRUE(log.empty());

    component.addActionListener(&first);
    component.addActionListener(&first);
    component.addActionListener(&second);
    second.result = 7;
    EXPECT_EQ(7, component.fireAction(5, 0x100000000LL));
    EXPECT_EQ((EventLog{"first:action(5,4294967296)", "second:action(5,4294967296)"}), log);
    EXPECT_EQ(static_cast<QXObject*>(&component), first.lastSource);

    log.clear();
    first.result = 0; // no answer ends the fan-out early
    second.result = 1;
    component.removeActionListener(&first);
    component.removeActionListener(&first);
    RecordingActionListener never(log, "never");
    component.removeActionListener(&never);
    QXColor other;
    EXPECT_EQ(1, component.fireAction(&other, 3, -1));
    EXPECT_EQ((EventLog{"second:action(3,-1)"}), log);
    EXPECT_EQ(static_cast<QXObject*>(&other), second.lastSource);
    component.removeAllActionListeners();
    log.clear();
    component.fireAction(1, 1);
    EXPECT_TRUE(log.empty());
}

TEST(QXComponentSelfFilter, OtherSourcesReachNoHandler)
{
    EventLog log;
    ProbeComponent component(log), other(log, "other");
    QXObject* source = &other;
    EXPECT_EQ(1, component.onMouseMoved(source, QXPoint(1, 2)));
    EXPECT_EQ(1, component.onClosing(source));
    EXPECT_EQ(1, component.onTimer(source));
    EXPECT_EQ(1, component.onPaint(source, QXRect(0, 0, 1, 1), nullptr));
    EXPECT_EQ(1, component.onPaintFrame(source, QXRect(0, 0, 1, 1), nullptr));
    EXPECT_TRUE(log.empty());

    component.closingAnswer = 0;
    EXPECT_EQ(0, component.onClosing(&component));
    component.pressAnswer = 0;
    EXPECT_EQ(1, component.onMousePressed(&component, QXPoint(3, 4))); // the handler's 0 is dropped
    EXPECT_EQ((EventLog{"own.closing", "own.mousePressed(3,4)"}), log);
}

TEST(QXComponentSelfFilter, LeftPressFromAnySourceTakesTheFocus)
{
    EventLog log;
    ProbeComponent component(log), other(log, "other");
    ASSERT_EQ(1, createPopup(component, 0, 0, 60, 40));
    ASSERT_EQ(1, createPopup(other, 100, 0, 60, 40));
    SetFocus(nativeWindow(other));
    ASSERT_EQ(nativeWindow(other), GetFocus());
    testsupport::pumpMessages();
    log.clear();

    component.onMousePressed(&other, QXPoint(1, 1));
    EXPECT_EQ(nativeWindow(component), GetFocus());
    EXPECT_EQ(1, component.hasFocus());
    EXPECT_TRUE(log.empty()); // mousePressed is for the own source only

    SetFocus(nativeWindow(other));
    component.setFocusOnClick(0);
    component.onMousePressed(&other, QXPoint(1, 1));
    EXPECT_EQ(nativeWindow(other), GetFocus());
    component.setFocusOnClick(1);
    component.disable();
    component.onMousePressed(&component, QXPoint(1, 1));
    EXPECT_EQ(nativeWindow(other), GetFocus());
}

TEST(QXComponentSelfFilter, OnlyItsOwnDestructionClearsCreated)
{
    EventLog log;
    ProbeComponent component(log), other(log, "other");
    ASSERT_EQ(1, createPopup(component, 0, 0, 40, 40));
    EXPECT_EQ(1, component.isCreated());
    log.clear();
    component.onDestroyed(&other); // a window it listens to went, not its own
    EXPECT_EQ(1, component.isCreated());
    EXPECT_TRUE(log.empty());
    component.destroyWindow();
    EXPECT_EQ(0, component.isCreated());
}

TEST(QXComponentState, ScreenSizeIsTheDesktopsClientArea)
{
    RECT desktop;
    GetClientRect(GetDesktopWindow(), &desktop);
    QXSize screen = QXComponent::getScreenSize();
    EXPECT_EQ(desktop.right, screen.getWidth());
    EXPECT_EQ(desktop.bottom, screen.getHeight());
    EXPECT_GT(screen.getWidth(), 0);
}

TEST(QXComponentState, DefaultPaintFillsTheBackgroundAndAnswersZero)
{
    QXComponent component;
    testsupport::TestWindow window;
    ComponentGraphics surface;
    surface.createBuffer(ClientDC(nullptr).get(), 10, 10);
    surface.setWindow(window);
    surface.setBackground(QXColor(0, 0, 255));
    EXPECT_EQ(0, component.paint(QXRect(0, 0, 5, 5), &surface));
    EXPECT_EQ(RGB(0, 0, 255), GetPixel(surface.getMemoryDC(), 4, 4));
    EXPECT_EQ(0, component.paintArea(QXRect(0, 0, 5, 5), &surface));
}

TEST(QXComponentCreate, FailedWindowShowsTheErrorBox)
{
    EventLog log;
    ProbeComponent component(log);
    // A child window without a parent: Windows refuses it.
    std::string boxText;
    std::thread answer([&] {
        for (int i = 0; i < 200; ++i) {
            HWND box = FindWindowA("#32770", "eeerrr");
            if (box) {
                char text[128] = {};
                GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
                boxText = text;
                PostMessageA(box, WM_COMMAND, IDOK, 0);
                return;
            }
            Sleep(50);
        }
    });
    EXPECT_EQ(0, component.create(CreateContext{instance(), nullptr}));
    answer.join();
    EXPECT_EQ(0, component.isCreated());
    EXPECT_EQ(0u, boxText.find("createwindows err="));
    EXPECT_EQ(std::to_string(ERROR_TLW_WITH_WSCHILD), boxText.substr(18));

    // A program that nobody watches: no box, which would wait for ever; the
    // result alone says it. (A box would hold create until answered here.)
    boxText.clear();
    QXComponent::setFailureBoxShown(false);
    std::thread watch([&] {
        for (int i = 0; i < 40 && boxText.empty(); ++i) {
            if (HWND box = FindWindowA("#32770", "eeerrr")) {
                boxText = "shown";
                PostMessageA(box, WM_COMMAND, IDOK, 0);
            }
            Sleep(50);
        }
    });
    EXPECT_EQ(0, component.create(CreateContext{instance(), nullptr}));
    QXComponent::setFailureBoxShown(true);
    watch.join();
    EXPECT_EQ("", boxText);
    EXPECT_EQ(0, component.isCreated());
}
