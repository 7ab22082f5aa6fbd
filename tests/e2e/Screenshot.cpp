#include "tests/e2e/Screenshot.h"

#include "tests/e2e/Installation.h"
#include "tests/support/Pixels.h"

#include <cstdio>

namespace e2e {

namespace {

const int kAttempts = 5;
const DWORD kBetweenAttemptsMs = 300;
// The share of the window's pixels a picture must hold: the status line and
// the gauge of a running window change a few while ImageMagick reads.
const double kSameShare = 0.9;

// What is wrong with the picture at png of window; empty when nothing is.
std::string problemWith(const std::string& png, HWND window)
{
    const testsupport::Pixels shown = testsupport::Pixels::shownBy(window, true);
    RECT area = {};
    if (!GetWindowRect(window, &area) || shown.values.empty()) return "the window is gone";
    const std::string ppm = png + ".window.ppm";
    char crop[64];
    std::snprintf(crop, sizeof crop, "%ldx%ld+%ld+%ld", area.right - area.left, area.bottom - area.top, area.left,
                  area.top);
    runHost("/usr/bin/convert " + png + " -crop " + crop + " +repage " + ppm);
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
        runHost("/usr/bin/import -window root " + shot.path);
        shot.problem = problemWith(shot.path, window);
        shot.shows = shot.problem.empty();
        if (shot.shows) break;
        Sleep(kBetweenAttemptsMs);
    }
    return shot;
}

} // namespace e2e
