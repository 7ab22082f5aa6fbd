#pragma once

#include <windows.h>

namespace QXSDK {

// The one conversion between the toolkit's pixels and a window's. Callers
// of the toolkit give positions, sizes and fonts in pixels of a 96-DPI
// display; a window on a display of another scaling (144 DPI at 150 %)
// shows them scaled to its DPI, with the window system's own pixels
// (messages, window rectangles, back buffers) converted here.
class DpiScale {
public:
    static constexpr int kToolkitDpi = 96;

    explicit DpiScale(int dpi = kToolkitDpi) : dots(dpi > 0 ? dpi : kToolkitDpi) {}

    int dpi() const { return dots; }
    // Whether the window's pixels are the toolkit's (96 DPI).
    bool isIdentity() const { return dots == kToolkitDpi; }
    bool operator!=(const DpiScale& other) const { return dots != other.dots; }

    // A position or length of the toolkit in the window's pixels, and back,
    // each rounded to the nearest.
    int toDevice(int toolkitPixels) const;
    int toToolkit(int devicePixels) const;
    // A rectangle's edges in the window's pixels, and back covering at least
    // the same pixels (edges rounded outward).
    RECT toDevice(const RECT& toolkitRect) const;
    RECT toToolkit(const RECT& deviceRect) const;
    // Makes dc take the toolkit's pixels (drawing, text and measures) and
    // draw them in the window's; at 96 DPI it leaves the context as it is.
    void applyTo(HDC dc) const;

    // The DPI for a top-level window about to be made: the system's.
    static DpiScale ofSystem();
    // The DPI of the display the window is on (Windows 10 1607 and later
    // say it per window; before, every window has the system's).
    static DpiScale ofWindow(HWND window);

private:
    int dots;
};

} // namespace QXSDK
