#pragma once

#include "qxsdk/component/QXContainer.h"
#include "qxsdk/widgets/QXButton.h"
#include "qxsdk/widgets/QXGuage.h"
#include "qxsdk/widgets/QXLabel.h"
#include "tests/support/Pixels.h"

#include <string>

namespace testsupport {

// A pop-up window of this program laid out as the uninstaller's window is:
// its status line, its gauge (with the percentage, for maximum entries) and
// its button, flat, in Arial, at the same places and sizes, drawn by the
// same toolkit.
// It measures what a tick's drawing costs, and it draws what the real window
// should show for a caption and a value.
class UninstallerLookalike {
public:
    // The window at (x, y); far off the screen it covers nothing.
    UninstallerLookalike(int x, int y, int maximum);
    ~UninstallerLookalike();
    UninstallerLookalike(const UninstallerLookalike&) = delete;
    UninstallerLookalike& operator=(const UninstallerLookalike&) = delete;

    QXSDK::QXLabel& status() { return *statusLine; }
    QXSDK::QXGuage& gauge() { return *progressGauge; }

    // The status line showing caption, as drawn in its back buffer.
    Pixels statusShowing(const std::string& caption);
    // The gauge showing value (of the maximum), as drawn in its back buffer.
    Pixels gaugeShowing(int value);
    // The button showing caption, text of codePage, disabled, or enabled
    // with the keyboard focus (as the finished run has it).
    Pixels buttonShowing(const std::string& caption, int codePage, bool enabled);

private:
    QXSDK::QXContainer* window;
    QXSDK::QXLabel* statusLine;
    QXSDK::QXGuage* progressGauge;
    QXSDK::QXButton* button;
};

} // namespace testsupport
