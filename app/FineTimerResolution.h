#pragma once

// The system clock at 1 ms for the length of a scope, or until given back. Windows runs it at
// 15.6 ms unless a program asks for more: a 10 ms timer then fires every
// 15.6 ms and Sleep(1) may last a whole clock tick, and the run would take
// half as long again as its pace says. WINMM is loaded from the system
// folder only; what it refuses is not asked back.
class FineTimerResolution {
public:
    FineTimerResolution();
    // Gives the clock back unless that was done already.
    ~FineTimerResolution();
    // Gives the clock back now, before the scope ends.
    void giveBack();
    FineTimerResolution(const FineTimerResolution&) = delete;
    FineTimerResolution& operator=(const FineTimerResolution&) = delete;

private:
    bool granted;
};
