#pragma once

#include "qxsdk/core/ScopedWin32.h"

// One run of the uninstaller at a time on the machine, across sessions: a
// deployment tool's retry beside a user's double-click must not work through
// the same manifest twice. The first run to claim it holds it until it ends
// (or dies: Windows then hands it on).
class SingleRun {
public:
    SingleRun() = default;
    // Lets the claim go.
    ~SingleRun();
    SingleRun(const SingleRun&) = delete;
    SingleRun& operator=(const SingleRun&) = delete;

    // Claims the run for this process; false when another run holds it. A
    // claim that Windows cannot make holds nothing back.
    bool claim();
    // Brings the other run's window to the front, when it shows one.
    static void showTheOtherRun();

private:
    QXSDK::KernelHandle mutex;
    bool held = false;
};
