#include "qxsdk/component/ImplQXComponent.h"
#include "qxsdk/component/QXDesignComponent.h"
#include "qxsdk/core/ScopedWin32.h"
#include "tests/support/TestWindow.h"

#include <gtest/gtest.h>

#include <vector>

using namespace QXSDK;
using testsupport::createPopup;
using testsupport::nativeWindow;

namespace {

// A design component in a top-level pop-up window of its own.
class DesignWindow : public QXDesignComponent {
public:
    DesignWindow() : QXObject() { retain(); }
    void send(UINT message, int x, int y)
    {
        const WPARAM buttons = message == WM_LBUTTONDOWN ? MK_LBUTTON : 0;
        SendMessageA(nativeWindow(*this), message, buttons, MAKELPARAM(x, y));
    }
};

// A 100 x 50 back buffer cleared to white, with a yellow fill colour.
class HandleSurface : public ::testing::Test {
protected:
    void SetUp() override
    {
        surface.retain(); // the binding's reference, which paint relies on
        surface.createBuffer(ClientDC(nullptr).get(), 100, 50);
        surface.setWindow(window);
        surface.setBackground(QXColor(255, 255, 255));
        surface.clear();
        QXColor* fill = surface.getFillColor();
        fill->setValue(static_cast<int>(RGB(255, 255, 0)));
        fill->release();
        component.setSize(100, 50, 0);
    }
    COLORREF at(int x, int y) { return GetPixel(surface.getMemoryDC(), x, y); }
    int changedPixels()
    {
        int n = 0;
        for (int y = 0; y < 50; ++y)
            for (int x = 0; x < 100; ++x) n += at(x, y) != RGB(255, 255, 255);
        return n;
    }

    testsupport::TestWindow window;
    ComponentGraphics surface;
    QXDesignComponent component;
};

} // namespace

TEST(QXDesignComponent, NamesItsWindowClass)
{
    QXDesignComponent component;
    EXPECT_STREQ("QXObject.QXComponent.QXDesignComponent", component.getTypeName());
    EXPECT_STREQ("QXDesignComponent", component.getClassName().getData());
}

TEST(QXDesignComponent, HitTestOfA100By50Component)
{
    QXDesignComponent component;
    component.setSize(100, 50, 0);
    const int cases[][3] = {{50, 2, 2},  {100, 50, 5}, {6, 6, 0},   {0, 0, 1},  {5, 5, 1},   {97, 2, 3},
                            {95, 23, 4}, {95, 27, 4},  {95, 28, 0}, {48, 45, 6}, {2, 47, 7},  {0, 25, 8},
                            {94, 23, 0}, {53, 0, 0},   {47, 0, 0},  {101, 50, 0}, {50, 25, 0}, {-1, 0, 0}};
    for (const auto& c : cases) EXPECT_EQ(c[2], component.hitTestHandle(QXPoint(c[0], c[1]))) << c[0] << "," << c[1];
}

TEST_F(HandleSurface, HandlesAreDrawnInBlueAroundTheComponent)
{
    component.setDesignMode(1);
    component.setSelected(1);
    QXColor* pen = surface.getForeground();
    pen->setValue(static_cast<int>(RGB(1, 2, 3)));
    EXPECT_EQ(1, component.paint(QXRect(0, 0, 100, 50), &surface));
    EXPECT_EQ(static_cast<int>(RGB(1, 2, 3)), pen->getValue()); // the pen colour is put back
    pen->release();
    const COLORREF blue = RGB(0, 0, 255), yellow = RGB(255, 255, 0);
    const int corners[][2] = {{0, 0}, {48, 0}, {95, 0}, {0, 23}, {95, 23}, {0, 45}, {48, 45}, {95, 45}};
    for (const auto& c : corners) {
        EXPECT_EQ(blue, at(c[0], c[1])) << c[0] << "," << c[1];
        EXPECT_EQ(blue, at(c[0] + 4, c[1] + 4)) << c[0] << "," << c[1];
        EXPECT_EQ(yellow, at(c[0] + 2, c[1] + 2)) << c[0] << "," << c[1];
        const int beside = c[0] == 0 ? 5 : c[0] - 1; // just outside the square
        EXPECT_EQ(RGB(255, 255, 255), at(beside, c[1] + 2)) << c[0] << "," << c[1];
    }
    EXPECT_EQ(8 * 25, changedPixels());
}

// What a 9 x 9 component's handles show, drawn in the given order of their
// numbers: where the 5 x 5 squares overlap, the one drawn last lies on top.
std::vector<COLORREF> handlesOfANineByNine(const std::vector<int>& order)
{
    // Top-left corners of handles 1 to 8 at 0, 9 / 2 - 2 and 9 - 5.
    const int corners[8][2] = {{0, 0}, {2, 0}, {4, 0}, {4, 2}, {4, 4}, {2, 4}, {0, 4}, {0, 2}};
    std::vector<COLORREF> pixels(81, RGB(255, 255, 255));
    for (int n : order) {
        const int left = corners[n - 1][0], top = corners[n - 1][1];
        for (int y = top; y < top + 5; ++y)
            for (int x = left; x < left + 5; ++x) {
                const bool outline = x == left || x == left + 4 || y == top || y == top + 4;
                pixels[y * 9 + x] = outline ? RGB(0, 0, 255) : RGB(255, 255, 0);
            }
    }
    return pixels;
}

TEST_F(HandleSurface, OverlappingHandlesLieInTheDesignsOrder)
{
    // Top row left to right, middle row left then right, bottom row left to right.
    const std::vector<COLORREF> expected = handlesOfANineByNine({1, 2, 3, 8, 4, 7, 6, 5});
    ASSERT_NE(handlesOfANineByNine({1, 2, 3, 4, 5, 6, 7, 8}), expected); // the order shows
    component.setSize(9, 9, 0);
    component.setDesignMode(1);
    component.setSelected(1);
    EXPECT_EQ(1, component.paint(QXRect(0, 0, 9, 9), &surface));
    std::vector<COLORREF> shown;
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 9; ++x) shown.push_back(at(x, y));
    EXPECT_EQ(expected, shown);
}

TEST_F(HandleSurface, NothingIsDrawnWithoutFocusOrSelection)
{
    component.setDesignMode(1);
    EXPECT_EQ(1, component.paint(QXRect(0, 0, 100, 50), &surface));
    EXPECT_EQ(0, changedPixels());
}

TEST_F(HandleSurface, OutsideDesignModeTheComponentPaintsAndAnswersOne)
{
    surface.setBackground(QXColor(0, 0, 255));
    EXPECT_EQ(1, component.paint(QXRect(0, 0, 10, 10), &surface));
    EXPECT_EQ(RGB(0, 0, 255), at(5, 5));
    EXPECT_EQ(RGB(255, 255, 255), at(50, 25));
}

TEST(QXDesignComponentDrag, EveryHandleMovesOrResizesItsEdges)
{
    struct Row {
        int handle, pressX, pressY, x, y, w, h;
    };
    // A 60 x 40 component at (100, 100) dragged by (7, 3).
    const Row rows[] = {{0, 20, 20, 107, 103, 60, 40}, {1, 1, 1, 107, 103, 53, 37},  {2, 30, 1, 100, 103, 60, 37},
                        {3, 58, 1, 100, 103, 67, 37},  {4, 58, 20, 100, 100, 67, 40}, {5, 58, 38, 100, 100, 67, 43},
                        {6, 30, 38, 100, 100, 60, 43}, {7, 1, 38, 107, 100, 53, 43}, {8, 1, 20, 107, 100, 53, 40}};
    for (const Row& row : rows) {
        DesignWindow component;
        ASSERT_EQ(1, createPopup(component, 100, 100, 60, 40));
        component.setDesignMode(1);
        ASSERT_EQ(row.handle, component.hitTestHandle(QXPoint(row.pressX, row.pressY)));
        component.send(WM_LBUTTONDOWN, row.pressX, row.pressY);
        EXPECT_EQ(nativeWindow(component), GetCapture());
        component.send(WM_MOUSEMOVE, row.pressX + 7, row.pressY + 3);
        QXPoint location = component.getLocation();
        QXSize size = component.getSize();
        EXPECT_EQ(row.x, location.getX()) << row.handle;
        EXPECT_EQ(row.y, location.getY()) << row.handle;
        EXPECT_EQ(row.w, size.getWidth()) << row.handle;
        EXPECT_EQ(row.h, size.getHeight()) << row.handle;
        RECT rect;
        GetWindowRect(nativeWindow(component), &rect);
        EXPECT_EQ(row.x, rect.left) << row.handle;
        EXPECT_EQ(row.w, rect.right - rect.left) << row.handle;
        component.send(WM_LBUTTONUP, row.pressX + 7, row.pressY + 3);
        EXPECT_EQ(nullptr, GetCapture());
    }
}

TEST(QXDesignComponentDrag, GrowingEdgesCarryTheOriginAlong)
{
    DesignWindow component;
    ASSERT_EQ(1, createPopup(component, 100, 100, 60, 40));
    component.setDesignMode(1);
    component.send(WM_LBUTTONDOWN, 58, 38); // handle 5
    component.send(WM_MOUSEMOVE, 65, 41);   // +7, +3
    component.send(WM_MOUSEMOVE, 67, 42);   // +2, +1 from the moved origin
    EXPECT_EQ(69, component.getSize().getWidth());
    EXPECT_EQ(44, component.getSize().getHeight());
    component.send(WM_LBUTTONUP, 67, 42);
}

TEST(QXDesignComponentDrag, NoEdgeCrossesTheOpposite)
{
    for (int dx : {6, 4}) {
        DesignWindow component;
        ASSERT_EQ(1, createPopup(component, 100, 100, 10, 40));
        component.setDesignMode(1);
        ASSERT_EQ(8, component.hitTestHandle(QXPoint(1, 20)));
        component.send(WM_LBUTTONDOWN, 1, 20);
        component.send(WM_MOUSEMOVE, 1 + dx, 20);
        if (dx == 6) {
            EXPECT_EQ(100, component.getLocation().getX()); // 6 is not below 10 - 5
            EXPECT_EQ(10, component.getSize().getWidth());
        } else {
            EXPECT_EQ(104, component.getLocation().getX());
            EXPECT_EQ(6, component.getSize().getWidth());
        }
        component.send(WM_LBUTTONUP, 1 + dx, 20);
    }
}

TEST(QXDesignComponentDrag, PressAndReleaseWithoutMovingChangeNothing)
{
    DesignWindow component;
    ASSERT_EQ(1, createPopup(component, 100, 100, 60, 40));
    component.setDesignMode(1);
    component.send(WM_LBUTTONDOWN, 20, 20);
    component.send(WM_MOUSEMOVE, 20, 20);
    component.send(WM_LBUTTONUP, 20, 20);
    EXPECT_EQ(100, component.getLocation().getX());
    EXPECT_EQ(60, component.getSize().getWidth());
}

TEST(QXDesignComponentDrag, OutsideDesignModeNothingHappens)
{
    DesignWindow component;
    ASSERT_EQ(1, createPopup(component, 100, 100, 60, 40));
    component.send(WM_LBUTTONDOWN, 1, 1);
    EXPECT_EQ(nullptr, GetCapture());
    component.send(WM_MOUSEMOVE, 20, 20);
    component.send(WM_LBUTTONUP, 20, 20);
    EXPECT_EQ(100, component.getLocation().getX());
    EXPECT_EQ(60, component.getSize().getWidth());
}

TEST(QXDesignComponentCursor, SizingCursorFollowsTheHandleUnderThePointer)
{
    DesignWindow component;
    ASSERT_EQ(1, createPopup(component, 100, 100, 60, 40));
    component.setDesignMode(1);
    SendMessageA(nativeWindow(component), WM_SETFOCUS, 0, 0);
    const struct {
        int x, y, id;
    } cases[] = {{58, 20, 32644}, {1, 1, 32642}, {30, 1, 32645}, {58, 1, 32643}, {20, 20, 32512}};
    for (const auto& c : cases) {
        component.send(WM_MOUSEMOVE, c.x, c.y);
        const HCURSOR shown =
            reinterpret_cast<HCURSOR>(GetClassLongPtrA(nativeWindow(component), GCLP_HCURSOR));
        EXPECT_EQ(LoadCursorA(nullptr, MAKEINTRESOURCEA(c.id)), shown) << c.x << "," << c.y;
    }
}
