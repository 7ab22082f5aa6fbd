#include "qxsdk/core/ScopedWin32.h"
#include "qxsdk/widgets/QXLabel.h"
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

// A white 120 x 20 label with red text in a host window.
class LabelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        label->retain();
        label->setBounds(10, 10, 120, 20, 0);
        label->setBackground(QXColor(255, 255, 255));
        label->setForeground(QXColor(255, 0, 0));
        host.add(label);
        ASSERT_EQ(1, createPopup(host, 40, 40, 520, 200));
        testsupport::pumpMessages();
    }
    void TearDown() override { label->release(); }

    RECT textBox(const char* text, int alignment)
    {
        label->setAlignment(alignment);
        label->setCaption(QXString(text));
        return BufferView(*label).boxOfOthers(kWhite);
    }

    EventLog log;
    QXLabel* label = new QXLabel();
    WidgetHost host{log};
};

} // namespace

TEST_F(LabelTest, NamesItsWindowClass)
{
    EXPECT_STREQ("QXObject.QXComponent.QXDesignComponent.QXLabel", label->getTypeName());
    EXPECT_STREQ("QXLabel", label->getClassName().getData());
    char name[32] = {};
    GetClassNameA(label->getBinding()->getWindow(), name, sizeof name);
    EXPECT_STREQ("QXLabel", name);
    EXPECT_EQ(0, label->getAlignment());
}

TEST_F(LabelTest, AlignmentsPlaceTheTextAtTheTop)
{
    const RECT left = textBox("Vexlo", 0);
    const RECT right = textBox("Vexlo", 1);
    const RECT centre = textBox("Vexlo", 2);
    ASSERT_GE(left.right, 0);
    EXPECT_LE(left.left, 2);
    EXPECT_GE(right.right, 117);
    const int width = left.right - left.left;
    EXPECT_EQ(width, right.right - right.left);
    EXPECT_NEAR(60, (centre.left + centre.right) / 2, 2);
    for (const RECT& box : {left, right, centre}) EXPECT_LE(box.top, 5); // not centred vertically

    // Any other alignment: top-left, at the text's own line breaks.
    const RECT lines = textBox("ab\ncd", 7);
    const RECT single = textBox("ab\ncd", 0);
    EXPECT_LE(lines.left, 2);
    EXPECT_GT(lines.bottom, single.bottom + 5); // a second line
    EXPECT_STREQ("ab\ncd", label->getCaption().getData());
}

TEST_F(LabelTest, TextIsClippedAtTheEdges)
{
    const char* wide = "WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW";
    BufferView view(*label);
    label->setAlignment(0);
    label->setCaption(QXString(wide));
    EXPECT_GT(view.count(RGB(255, 0, 0), 115, 0, 120, 20), 0);
    label->setAlignment(2);
    label->setCaption(QXString(wide));
    EXPECT_GT(view.count(RGB(255, 0, 0), 0, 0, 5, 20), 0);
    EXPECT_GT(view.count(RGB(255, 0, 0), 115, 0, 120, 20), 0);
}

TEST_F(LabelTest, EmptyCaptionPaintsOnlyTheBackground)
{
    label->setCaption(QXString("x"));
    label->setCaption(QXString(""));
    BufferView view(*label);
    EXPECT_EQ(120 * 20, view.count(kWhite, 0, 0, 120, 20));
}

TEST(QXLabel, CaptionBeforeTheWindowIsShownAtTheFirstPaint)
{
    EventLog log;
    QXLabel* label = new QXLabel();
    label->retain();
    label->setCaption(QXString("early")); // no window yet: only stored
    label->setBounds(0, 0, 80, 20, 0);
    label->setBackground(QXColor(255, 255, 255));
    {
        WidgetHost host(log);
        host.add(label);
        ASSERT_EQ(1, createPopup(host, 40, 40, 520, 200));
        testsupport::pumpMessages();
        BufferView view(*label);
        EXPECT_LT(view.count(RGB(255, 255, 255), 0, 0, 80, 20), 80 * 20);
    }
    label->release();
}

TEST_F(LabelTest, ReadsAsStaticTextNamedByItsCaption)
{
    using testsupport::AccessibleReading;
    HWND window = testsupport::nativeWindow(*label);
    testsupport::WinEventLog events;
    label->setCaption(QXString("Remove->C:\\Vexlo\\a.jpg"));
    label->setCaption(QXString("Remove->C:\\Vexlo\\a.jpg")); // the same: no news
    label->setCaption(QXString(""));
    const AccessibleReading reading = AccessibleReading::of(window);
    EXPECT_EQ(2, events.countOf(EVENT_OBJECT_NAMECHANGE, window, 2));
    label->setCaption(QXString("Remove->C:\\Vexlo\\b.jpg"));
    const AccessibleReading named = AccessibleReading::of(window);
    EXPECT_EQ(ROLE_SYSTEM_STATICTEXT, named.role) << describe(named);
    EXPECT_EQ(L"Remove->C:\\Vexlo\\b.jpg", named.name);
    EXPECT_TRUE(named.has(STATE_SYSTEM_READONLY));
    EXPECT_FALSE(named.has(STATE_SYSTEM_UNAVAILABLE));
    EXPECT_EQ(L"", named.defaultAction);
    EXPECT_EQ(L"", reading.name) << describe(reading); // an empty line has no name
}

TEST_F(LabelTest, DisplayOfAnotherScalingLaysOutAndDrawsAgain)
{
    // The window goes to a 150 % display: Windows suggests where it goes
    // there; the label keeps its size in the toolkit's pixels and shows at
    // one and a half times that, its text drawn at that size.
    label->setCaption(QXString("Vexlo"));
    const auto inkRows = [&] {
        Released<IQXGraphics> graphics(label->getGraphics());
        HDC dc = dynamic_cast<ComponentGraphics*>(graphics.get())->getMemoryDC();
        SavedDCState state(dc);
        SetMapMode(dc, MM_TEXT); // the buffer's own pixels
        int top = -1, bottom = -1;
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 200; ++x)
                if (BufferView::nearer(GetPixel(dc, x, y), RGB(255, 0, 0), kWhite)) {
                    if (top < 0) top = y;
                    bottom = y;
                    break;
                }
        return bottom - top + 1;
    };
    const int rowsAt96 = inkRows();
    HWND host = testsupport::nativeWindow(this->host);
    RECT suggested = {40, 40, 40 + 780, 40 + 300};
    SendMessageA(host, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    testsupport::pumpMessages();

    RECT placed = {}, shown = {};
    GetWindowRect(host, &placed);
    GetWindowRect(testsupport::nativeWindow(*label), &shown);
    EXPECT_TRUE(EqualRect(&suggested, &placed));
    EXPECT_EQ(180, shown.right - shown.left);
    EXPECT_EQ(30, shown.bottom - shown.top);
    EXPECT_EQ(15, shown.left - placed.left); // 10 x 1.5 into the borderless pop-up
    EXPECT_EQ(120, label->getSize().getWidth());
    EXPECT_EQ(20, label->getSize().getHeight());
    EXPECT_NEAR(rowsAt96 * 3 / 2, inkRows(), 2);
}
