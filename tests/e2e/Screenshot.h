#pragma once

#include <windows.h>

#include <string>

namespace e2e {

// A picture of one window with a small margin of the screen around it,
// taken with the host's ImageMagick, that is checked to show the window: the
// window's rectangle in it is not one flat colour, and nearly all of its
// pixels are the ones the window shows (a running window may change a few
// while the picture is taken). A picture that fails is taken again, a few
// times.
struct Screenshot {
    std::string path;    // folder/name.png, a path of the host
    bool shows = false;  // the window's pixels are in it
    std::string problem; // why not, after the last attempt

    // Takes folder/name.png of window.
    static Screenshot take(const std::string& folder, const std::string& name, HWND window);
};

} // namespace e2e
