#pragma once

#include "tests/support/AccessibleReader.h"
#include "tests/support/Pixels.h"
#include "tests/support/UninstallerLookalike.h"

#include <windows.h>

#include <map>
#include <string>
#include <vector>

namespace e2e {

// What a user sees of a run, read from the real window while it runs. The
// status line and the gauge are compared pixel for pixel with what the
// toolkit draws, in a lookalike window of this process, for the caption and
// the value they should show; "完成" (Done) is read with IsWindowEnabled.
//
// After the k-th of N ticks the gauge shows k of N and, but after the last,
// the status line "Remove->" and the k-th entry; a look that falls inside a
// tick may find the next entry shown already. "完成" stays disabled until
// the end; then the gauge is full ("100%") and the status line empty.
class RunWatcher {
public:
    // manifest: the lines of install.txt, the registry key last.
    explicit RunWatcher(const std::vector<std::string>& manifest);

    // Finds the window's status line, gauge and button; answers whether it
    // found all three.
    bool attach(HWND window);
    // One look during the run; mayAsk: a screen reader's reading too (not
    // while the program is held still, which could not answer it).
    void look(bool mayAsk);
    // The look at the finished window, once "完成" is enabled.
    void lookAtTheEnd();

    HWND statusLine() const { return status; }
    HWND progressGauge() const { return gauge; }
    HWND doneButton() const { return button; }
    // What a screen reader read of each part at one look during the run and
    // at the end (status line, gauge, button).
    testsupport::AccessibleReading readDuring[3], readAtTheEnd[3];

    // What the user saw that was wrong, one line each (at most one from the
    // looks during the run).
    std::vector<std::string> faults;
    // How many looks during the run compared what was shown.
    int comparedLooks = 0;

private:
    // The caption after tick j (0: none yet).
    std::string captionAfter(int j) const;
    // The values from `from` on that the gauge shows as pixels; empty when
    // no value from `from` to N looks like that.
    std::vector<int> valuesLookingLike(const testsupport::Pixels& gauge, int from);
    const testsupport::Pixels& gaugeShowing(int value);
    // What a screen reader reads of the gauge and the button while the
    // gauge shows at least `value`.
    void askAsAScreenReader(int value);
    // The percentage the gauge shows for value.
    int percentOf(int value) const;

    std::vector<std::string> entries; // as the program shows them
    int count;
    HWND status = nullptr, gauge = nullptr, button = nullptr;
    testsupport::UninstallerLookalike lookalike;
    std::map<int, testsupport::Pixels> gauges; // drawn so far, by value
    int lastValue = 0;
};

} // namespace e2e
