#include "tests/e2e/Screenshot.h"

#include "tests/e2e/Installation.h"
#include "tests/support/Pixels.h"

#include <algorithm>
#include <cstdio>

namespace e2e {

namespace {

const int kAttempts = 5;
const DWORD kBetweenAttemptsMs = 300;
// The share of the window's pixels a picture must hold: the status line and
// the gauge of a running window change a few while ImageMagick reads.
const double kSameShare = 0.9;

// The screen around a window, a small margin included: where a picture of
// it is cut out of the whole screen.
struct Frame {
    RECT window;
    RECT picture;
};

const int kMargin = 8;

bool frameOf(HWND window, Frame& frame)
{
    if (!GetWindowRect(window, &frame.window)) return false;
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
    frame.picture = {std::max(0L, frame.window.left - kMargin), std::max(0L, frame.window.top - kMargin),
                     std::min(static_cast<long>(screenWidth), frame.window.right + kMargin),
                     std::min(static_cast<long>(screenHeight), frame.window.bottom + kMargin)};
    return frame.picture.right > frame.picture.left && frame.picture.bottom > frame.picture.top;
}

std::string geometry(const RECT& area, int originX, int originY)
{
    char text[64];
    std::snprintf(text, sizeof text, "%ldx%ld+%ld+%ld", area.right - area.left, area.bottom - area.top,
                  area.left - originX, area.top - originY);
    return text;
}

// What is wrong with the picture at png of window, taken of frame; empty
// when nothing is.
std::string problemWith(const std::string& png, HWND window, const Frame& frame)
{
    const testsupport::Pixels shown = testsupport::Pixels::shownBy(window, true);
    if (shown.values.empty()) return "the window is gone";
    const std::string ppm = png + ".window.ppm";
    runHost("/usr/bin/convert " + png + " -crop " + geometry(frame.window, frame.picture.left, frame.picture.top) +
            " +repage " + ppm);
    const testsupport::Pixels pictured = testsupport::Pixels::fromPpm(wineName(ppm));
    DeleteFileA(wineName(ppm).c_str());
    if (pictured.values.empty()) return "the picture could not be read";
    if (pictured.colourCount() <= 1) return "the window's place in it is one flat colour";
    const double share = pictured.sameShare(shown);
    if (share < kSameShare)
        return "it holds " + std::to_string(static_cast<int>(100 * share)) + " % of the window's pixels";
    return "";
}

} // namespace

Screenshot Screenshot::take(const std::string& folder, const std::string& name, HWND window)
{
    Screenshot shot;
    shot.path = folder + "/" + name + ".png";
    for (int attempt = 1; attempt <= kAttempts; ++attempt) {
        Frame frame;
        if (!frameOf(window, frame)) {
            shot.problem = "the window is gone";
            break;
        }
        runHost("/usr/bin/import -window root -crop " + geometry(frame.picture, 0, 0) + " +repage " + shot.path);
        shot.problem = problemWith(shot.path, window, frame);
        shot.shows = shot.problem.empty();
        if (shot.shows) break;
        Sleep(kBetweenAttemptsMs);
    }
    return shot;
}

} // namespace e2e
