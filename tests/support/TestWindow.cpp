#include "tests/support/TestWindow.h"

#include "qxsdk/component/ImplQXComponent.h"
#include "qxsdk/core/ScopedWin32.h"

#include <stdexcept>

namespace testsupport {

namespace {

const char kClassName[] = "VexloTestWindow";

void registerClassOnce()
{
    static bool registered = false;
    if (registered) return;
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kClassName;
    windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
    RegisterClassA(&windowClass);
    registered = true;
}

} // namespace

TestWindow::TestWindow(int width, int height, bool visible)
{
    registerClassOnce();
    window = CreateWindowExA(0, kClassName, "test", WS_OVERLAPPEDWINDOW | (visible ? WS_VISIBLE : 0), 10, 10,
                             width, height, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!window) throw std::runtime_error("cannot create a test window (is DISPLAY set?)");
    pumpMessages();
}

TestWindow::~TestWindow()
{
    DestroyWindow(window);
    pumpMessages();
}

void pumpMessages()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

COLORREF shownPixel(HWND window, int x, int y)
{
    return GetPixel(QXSDK::WindowDC(window).get(), x, y);
}

HWND nativeWindow(QXSDK::QXComponent& component)
{
    QXSDK::ImplQXComponent* binding = component.getBinding();
    return binding ? binding->getWindow() : nullptr;
}

int createPopup(QXSDK::QXComponent& component, int x, int y, int width, int height)
{
    component.setWindowType(QXSDK::QXComponent::kPopupWindow);
    component.setBounds(x, y, width, height, 0);
    return component.create(QXSDK::CreateContext{GetModuleHandleA(nullptr), nullptr});
}

} // namespace testsupport
