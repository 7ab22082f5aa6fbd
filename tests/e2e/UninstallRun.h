#pragma once

#include "tests/e2e/Installation.h"
#include "tests/e2e/Screenshot.h"
#include "tests/support/AccessibleReader.h"
#include "tests/support/Pixels.h"

#include <windows.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

namespace e2e {

// The uninstaller process at one moment of its run.
struct ProcessSample {
    DWORD atMs;          // from the process start
    SIZE_T workingSet;   // bytes
    SIZE_T pagefileUsage; // bytes committed for the process (Wine's private bytes read 0)
    int gdiObjects;      // the least of a few reads; -1 when the table could not be read
    int windows;         // its top-level and child windows (Wine counts no USER objects)
};

// How one run of uninstall.exe went.
struct RunResult {
    bool boxShown = false;
    bool windowShown = false;
    // What the box and the window said, as the wide functions read them
    // (what a user of any code page sees).
    std::wstring boxCaption, boxText, windowTitle;
    // What the button and the window's caption bar showed: "完成" (Done)
    // disabled while the run went, enabled at its end, and the bar then.
    testsupport::Pixels disabledButton, enabledButton, captionBar;
    // Where the finished window and its button were on the screen.
    RECT windowRect = {}, buttonRect = {};
    bool finished = false; // the button became enabled
    long exitCode = -1;
    std::string recordedAddress; // what the browser stand-in received
    std::string browserParents;  // "<id> <program>" of what started it, a line each time
    // Milliseconds from the process start: the box seen, answered, the
    // window seen, the button seen enabled (0 when it did not happen).
    DWORD boxAtMs = 0, confirmedAtMs = 0, windowAtMs = 0, finishedAtMs = 0;
    // Milliseconds from the process start to its end.
    DWORD endedAtMs = 0;
    // About once a second from the window's appearance to the enabled button.
    std::vector<ProcessSample> samples;
    // What the user saw that was wrong (see RunWatcher), and how many looks
    // during the run compared what the window showed (some of them taken
    // while the program was held still, so that a busy machine cannot
    // starve them).
    std::vector<std::string> displayFaults;
    int comparedLooks = 0;
    // How often, and for how many milliseconds in all, the drive held the
    // program still to look at it.
    int holds = 0;
    DWORD heldMs = 0;
    // The pictures taken, each checked to show its window.
    std::vector<Screenshot> screenshots;
    // Nobody at the keyboard: the classes of the process's windows that were
    // ever seen shown ("QXWindow", "#32770" for a box).
    std::set<std::string> shownClasses;
    // What a screen reader read of the status line, the gauge and "完成" at
    // one look during the run and at its end.
    testsupport::AccessibleReading readDuring[3], readAtTheEnd[3];
    // The accessibility events the window raised: the status line's name
    // changes, the gauge's value changes, the button's state changes and
    // focus events.
    int statusNameEvents = 0, gaugeValueEvents = 0, buttonStateEvents = 0, buttonFocusEvents = 0;
};

// Runs the installation's uninstall.exe and drives it as a user would, in
// four steps: answer the confirmation box, watch the run (checking what the
// window shows, see RunWatcher), press "完成" (Done) with the real mouse
// (xdotool), and collect how the process and the browser ended.
class UninstallRun {
public:
    // Ok, Cancel: a user answers the box (and clicks "完成" at the end).
    // Nobody: nobody is at the keyboard, as for a deployment tool; the drive
    // only watches which windows show until the process ends.
    enum class Answer { Ok, Cancel, Nobody };

    UninstallRun(const Installation& installation, Answer answer);
    // The current directory of the process: the installation folder, as
    // Explorer and the Start menu's shortcut give it, unless set otherwise.
    std::string startIn;
    // What follows the program's name on its command line.
    std::string arguments;
    // Take screenshots into this folder (made if needed) during and after.
    std::string screenshotFolder;
    // Posts WM_CLOSE to the window as soon as this path is gone ("": never).
    std::string closeWhenGone;
    // Terminates the process after this many milliseconds of run, as a power
    // loss would end it (0: never). The moments the drive holds the program
    // still to look at it do not count.
    DWORD killAfterMs = 0;
    // How long the run may take from the process start before it is given up.
    DWORD patienceMs = 30000;
    // The desktop to start on ("station\\desktop"; "": the drive's own).
    std::string desktop;
    // Called once when the program's window shows, and once when the run
    // has finished (before "完成" is pressed).
    std::function<void()> onceRunning, onceFinished;
    // "完成" is pressed with the space bar (it has the keyboard focus), not
    // clicked with the mouse.
    bool pressWithSpace = false;
    // Compare what the window shows while the run goes (some looks hold the
    // program still). Off, the drive only watches for the enabled button and
    // samples the process, so that nothing interrupts the run it times.
    bool looksAtTheWindow = true;
    // How often, while it looks, the drive asks the window what a screen
    // reader would read of it.
    DWORD asksEveryMs = 500;
    RunResult go();

private:
    const Installation& installation;
    Answer answer;
};

} // namespace e2e
