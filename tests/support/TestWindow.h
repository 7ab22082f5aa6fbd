#pragma once

#include "qxsdk/component/QXComponent.h"

#include <windows.h>

namespace testsupport {

// A plain top-level window on the test display, destroyed with the object.
class TestWindow {
public:
    explicit TestWindow(int width = 200, int height = 100, bool visible = false);
    ~TestWindow();
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    HWND get() const { return window; }
    operator HWND() const { return window; }

private:
    HWND window;
};

// Dispatches the messages waiting for this thread.
void pumpMessages();

// Reads a pixel of what the window shows on the screen (its window surface).
COLORREF shownPixel(HWND window, int x, int y);

// The native window of a component; null before it is created.
HWND nativeWindow(QXSDK::QXComponent& component);

// Creates the component as a top-level pop-up window of this program at
// (x, y) and of the given size on the test display; answers create's result.
int createPopup(QXSDK::QXComponent& component, int x, int y, int width, int height);

} // namespace testsupport
