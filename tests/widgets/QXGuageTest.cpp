#include "qxsdk/widgets/QXGuage.h"
#include "tests/support/AccessibleReader.h"
#include "tests/support/TestWindow.h"
#include "tests/support/WinEventLog.h"
#include "tests/widgets/WidgetHost.h"

#include <gtest/gtest.h>

#include <oleacc.h>

using namespace QXSDK;
using testsupport::EventLog;
using testsupport::createPopup;

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kText = RGB(0, 0, 0);

// A gauge of the given size in a host window, with black text.
class GuageTest : public ::testing::Test {
protected:
    void place(int w, int h, int inheritedFlag)
    {
        gauge->retain();
        gauge->setBounds(10, 10, w, h, 0);
        gauge->setForeground(QXColor(0, 0, 0));
        host.add(gauge);
        gauge->setInheritedFlag(inheritedFlag);
        ASSERT_EQ(1, createPopup(host, 40, 40, 520, 200));
        testsupport::pumpMessages();
    }
    void TearDown() override { gauge->release(); }

    EventLog log;
    QXGuage* gauge = new QXGuage();
    WidgetHost host{log};
};

} // namespace

TEST_F(GuageTest, OneOfFourWithPercentageInTheTextColour)
{
    place(475, 20, 0);
    EXPECT_STREQ("QXObject.QXComponent.QXDesignComponent.QXGuage", gauge->getTypeName());
    gauge->setShowPercentage(1);
    gauge->setMaximum(4);
    gauge->setValue(1);
    BufferView view(*gauge);
    EXPECT_EQ(kText, view.at(0, 0)); // the one-pixel border
    EXPECT_EQ(kText, view.at(474, 10));
    EXPECT_EQ(kText, view.at(10, 19));
    EXPECT_EQ(kBlue, view.at(2, 2));
    EXPECT_EQ(kBlue, view.at(118, 17));
    EXPECT_EQ(kWhite, view.at(119, 10)); // fill 117 from x 2
    EXPECT_EQ(kWhite, view.at(2, 18));   // height 16 from y 2
    // "2" at 225, "5" at 233, "%" at 241, in the text colour, from y 2.
    EXPECT_GT(view.countInk(kText, kWhite, 225, 2, 233, 18), 0);
    EXPECT_GT(view.countInk(kText, kWhite, 233, 2, 241, 18), 0);
    EXPECT_GT(view.countInk(kText, kWhite, 241, 2, 256, 18), 0);
    EXPECT_EQ(0, view.countInk(kText, kWhite, 200, 2, 224, 18));
    EXPECT_EQ(0, view.countInk(kText, kWhite, 2, 1, 472, 2)); // the text starts at y 2
}

TEST_F(GuageTest, ThreeOfFourTurnsEveryPieceWhite)
{
    place(475, 20, 0);
    gauge->setShowPercentage(1);
    gauge->setMaximum(4);
    gauge->setValue(3);
    BufferView view(*gauge);
    EXPECT_EQ(kBlue, view.at(354, 10)); // fill 353
    EXPECT_EQ(kWhite, view.at(355, 10));
    for (int x : {225, 233, 241}) {
        EXPECT_GT(view.countInk(kWhite, kBlue, x, 2, x + 8, 18), 0) << x;
        EXPECT_EQ(0, view.countInk(kText, kBlue, x, 2, x + 8, 18)) << x;
    }
}

TEST_F(GuageTest, FullGaugeShowsOneHundredPercentInWhite)
{
    place(475, 20, 0);
    gauge->setShowPercentage(1);
    gauge->setMaximum(4);
    gauge->setValue(4);
    BufferView view(*gauge);
    EXPECT_EQ(kBlue, view.at(471, 10)); // stops one pixel short of the inner width
    EXPECT_EQ(kWhite, view.at(472, 10));
    EXPECT_GT(view.countInk(kWhite, kBlue, 221, 2, 256, 18), 20);
    EXPECT_EQ(0, view.countInk(kText, kBlue, 2, 1, 472, 18));
}

TEST_F(GuageTest, EmptyGaugeShowsZeroPercent)
{
    place(475, 20, 0);
    gauge->setShowPercentage(1);
    gauge->setMaximum(4);
    gauge->setValue(0);
    BufferView view(*gauge);
    EXPECT_EQ(0, view.count(kBlue, 0, 0, 475, 20));
    EXPECT_GT(view.countInk(kText, kWhite, 225, 2, 233, 18), 0);
    EXPECT_GT(view.countInk(kText, kWhite, 233, 2, 241, 18), 0);
}

TEST_F(GuageTest, ZeroMaximumDrawsTheFrameAndAnEmptyBar)
{
    place(475, 20, 0);
    gauge->setShowPercentage(1);
    gauge->setValue(3);
    gauge->setMaximum(0);
    BufferView view(*gauge);
    EXPECT_EQ(kText, view.at(0, 0));
    EXPECT_EQ(0, view.count(kBlue, 0, 0, 475, 20));
    EXPECT_EQ(0, view.countInk(kText, kWhite, 2, 2, 472, 18)); // no percentage
}

TEST_F(GuageTest, QuotientBeyondTwoToThe31IsAFullBar)
{
    place(475, 20, 0); // inner 471 x 16 from x 2
    gauge->setMaximum(1);
    gauge->setValue(-1); // 471 x 0xFFFFFFFF / 1 in 32 bits
    {
        BufferView view(*gauge);
        EXPECT_EQ(kText, view.at(0, 10)); // the left border is not painted over
        EXPECT_EQ(kBlue, view.at(2, 10));
        EXPECT_EQ(kBlue, view.at(471, 10)); // clamped at W - 1 = 470
        EXPECT_EQ(kWhite, view.at(472, 10));
    }
    gauge->setSegmented(1);
    gauge->setValue(-1);
    BufferView view(*gauge);
    EXPECT_EQ(kText, view.at(0, 10));
    EXPECT_EQ(kBlue, view.at(2, 10)); // 26 blocks of 16 with gaps of 2, the last at 452
    EXPECT_EQ(kBlue, view.at(467, 10));
    EXPECT_EQ(kWhite, view.at(468, 10));
    EXPECT_EQ(kBlue, view.at(471, 10)); // and the partial block of 2
    EXPECT_EQ(kWhite, view.at(472, 10));
}

TEST_F(GuageTest, SegmentedBlocksAndTheirPartialEnd)
{
    place(104, 18, 0); // inner 100 x 14
    gauge->setSegmented(1);
    gauge->setMaximum(100);
    gauge->setValue(40); // fill 40
    BufferView view(*gauge);
    for (int x = 2; x < 16; ++x) EXPECT_EQ(kBlue, view.at(x, 8)) << x;
    EXPECT_EQ(kWhite, view.at(16, 8));
    EXPECT_EQ(kWhite, view.at(17, 8));
    for (int x = 18; x < 32; ++x) EXPECT_EQ(kBlue, view.at(x, 8)) << x;
    EXPECT_EQ(kWhite, view.at(32, 8));
    for (int x = 34; x < 42; ++x) EXPECT_EQ(kBlue, view.at(x, 8)) << x; // the partial block, 8 wide
    EXPECT_EQ(kWhite, view.at(42, 8));
    EXPECT_EQ(kBlue, view.at(2, 15));
    EXPECT_EQ(kWhite, view.at(2, 16));
}

TEST_F(GuageTest, VerticalBarGrowsFromTheBottom)
{
    place(20, 104, 0); // inner 16 x 100
    gauge->setHorizontal(0);
    gauge->setShowPercentage(1); // never shown upright
    gauge->setMaximum(100);
    gauge->setValue(25);
    BufferView view(*gauge);
    EXPECT_EQ(kBlue, view.at(10, 77));
    EXPECT_EQ(kBlue, view.at(10, 101));
    EXPECT_EQ(kWhite, view.at(10, 76));
    EXPECT_EQ(kBlue, view.at(2, 90));
    EXPECT_EQ(kBlue, view.at(17, 90));
    EXPECT_EQ(kWhite, view.at(18, 90));
    EXPECT_EQ(0, view.countInk(kText, kWhite, 1, 1, 19, 76));
}

TEST_F(GuageTest, InheritedFlagOneGivesASunkenBorder)
{
    place(200, 20, 1);
    gauge->setValue(50);
    BufferView view(*gauge);
    EXPECT_EQ(RGB(172, 168, 153), view.at(50, 0));
    EXPECT_EQ(RGB(113, 111, 100), view.at(50, 1));
    EXPECT_EQ(RGB(241, 239, 226), view.at(198, 10));
    // e = 0: the bar starts at 3 and is 200 - 6 = 194 wide inside; half is 97.
    EXPECT_EQ(kBlue, view.at(3, 3));
    EXPECT_EQ(kBlue, view.at(99, 16));
    EXPECT_EQ(kWhite, view.at(100, 10));
    EXPECT_EQ(1, gauge->setInheritedFlag(0)); // the new flatBorder
    EXPECT_EQ(0, gauge->setInheritedFlag(5));
}

TEST_F(GuageTest, ReadsAsAProgressBarOfThePercentageItShows)
{
    using testsupport::AccessibleReading;
    place(475, 20, 0);
    HWND window = testsupport::nativeWindow(*gauge);
    gauge->setShowPercentage(1);
    gauge->setMaximum(3);
    gauge->setValue(1);
    const AccessibleReading third = AccessibleReading::of(window);
    EXPECT_EQ(ROLE_SYSTEM_PROGRESSBAR, third.role) << describe(third);
    EXPECT_EQ(L"33%", third.value);
    EXPECT_TRUE(third.has(STATE_SYSTEM_READONLY));
    EXPECT_EQ(L"", third.name);
    gauge->setValue(3);
    EXPECT_EQ(L"100%", AccessibleReading::of(window).value);
    gauge->setMaximum(0);
    EXPECT_EQ(L"", AccessibleReading::of(window).value); // no proportion, none shown
}

TEST_F(GuageTest, OneValueEventPerPercentShown)
{
    place(475, 20, 0);
    HWND window = testsupport::nativeWindow(*gauge);
    gauge->setMaximum(400);
    gauge->setValue(0);
    testsupport::WinEventLog events;
    // Four values to each percent: a reader hears the percentages, not the values.
    for (int value = 1; value <= 400; ++value) gauge->setValue(value);
    EXPECT_EQ(100, events.countOf(EVENT_OBJECT_VALUECHANGE, window, 100));
    gauge->setMaximum(800); // 100% becomes 50%
    EXPECT_EQ(101, events.countOf(EVENT_OBJECT_VALUECHANGE, window, 101));
}
