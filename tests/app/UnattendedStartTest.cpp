// What a start that nobody may be watching finds out before it touches
// anything: whether anyone can see its windows, and whether another run is
// going.
#include "app/SingleRun.h"
#include "app/WindowStation.h"
#include "tests/support/HiddenWindowStation.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

// Whether a claim made on a thread of its own holds, as another process's
// would (a thread that owns the claim could take it again).
bool claimedElsewhere(bool keepItAfterTheThreadEnds = false)
{
    bool claimed = false;
    std::thread other([&] {
        SingleRun* run = new SingleRun();
        claimed = run->claim();
        if (!keepItAfterTheThreadEnds) delete run; // else abandoned with its thread, handle kept open
    });
    other.join();
    return claimed;
}

} // namespace

TEST(WindowStation, OnlyTheInteractiveStationIsSeen)
{
    EXPECT_TRUE(WindowStation::isVisible());
    testsupport::HiddenWindowStation hidden;
    ASSERT_TRUE(hidden.made());
    HWINSTA own = GetProcessWindowStation();
    ASSERT_TRUE(SetProcessWindowStation(hidden.get()));
    const bool seenThere = WindowStation::isVisible();
    SetProcessWindowStation(own);
    EXPECT_FALSE(seenThere);
}

TEST(SingleRun, OneRunAtATimeAndADeadOnesClaimGoesOn)
{
    {
        SingleRun first;
        ASSERT_TRUE(first.claim());
        EXPECT_FALSE(claimedElsewhere());
    }
    EXPECT_TRUE(claimedElsewhere());
    // A run that died half-way left its claim abandoned: the next one takes it.
    EXPECT_TRUE(claimedElsewhere(true));
    EXPECT_TRUE(claimedElsewhere());
}
