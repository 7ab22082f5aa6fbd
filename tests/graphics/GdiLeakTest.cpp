#include "qxsdk/core/ScopedWin32.h"
#include "qxsdk/graphics/ComponentGraphics.h"
#include "qxsdk/graphics/QXImage.h"
#include "qxsdk/graphics/QXPixelBuffer.h"
#include "tests/support/GdiObjectCount.h"
#include "tests/support/TestWindow.h"

#include <gtest/gtest.h>

using namespace QXSDK;

namespace {

// One round of every kind of drawing, text, image and buffer operation.
void drawEverything(ComponentGraphics& g, HWND window, QXImage& image)
{
    g.createBuffer(ClientDC(nullptr).get(), 40, 30);
    g.setWindow(window);
    g.clear();
    g.drawRect(1, 1, 10, 10);
    g.drawRoundRect(1, 1, 10, 10, 3, 3);
    g.drawLine(0, 0, 20, 20, 2);
    g.drawOval(0, 0, 10, 10);
    g.drawArc(0, 0, 10, 10, 0, 0, 10, 10);
    g.fillOval(0, 0, 10, 10);
    g.fillPie(0, 0, 10, 10, 0, 0, 10, 10);
    g.drawFilledRect(2, 2, 5, 5);
    QXPoint points[] = {QXPoint(0, 0), QXPoint(5, 9), QXPoint(9, 2), QXPoint(3, 3)};
    g.drawPolyline(points, 4);
    g.drawBezier(points, 4);
    g.fillPolygon(points, 4, 0);
    g.draw3DRect(0, 0, 20, 20, IQXGraphics::kSunken);
    g.draw3DRect(0, 0, 20, 20, IQXGraphics::kRaised);
    g.draw3DRect(0, 0, 20, 20, IQXGraphics::kEtched);
    g.drawString(QXString("Vexlo"), 1, 1);
    g.drawString(QXString("Vexlo"), QXRect(0, 0, 40, 30), DT_CENTER);
    g.drawDisabledString(QXString("&Done"), 1, 1);
    g.getStringSize(QXString("Vexlo"));
    g.getFontHeight();
    g.drawFocusRect(0, 0, 10, 10, 2);
    g.fillRect(QXRect(0, 0, 5, 5));
    g.drawImage(&image, 0, 0, 20, 20);
    g.drawImageTransparent(&image, 0, 0, 4, 4, 0, 0, 8, 8, QXColor(255, 0, 255));
    QXPixelBuffer buffer;
    int w, h;
    g.capture(&buffer, &w, &h);
    g.flush(0, 0, 40, 30);
}

} // namespace

TEST(GdiObjects, ThousandsOfOperationsLeaveNoObjectBehind)
{
    testsupport::TestWindow window(100, 60, true);
    QXImage image(4, 4, IQXImageSource::kFormatRGB);
    image.retain(); // the caller's reference that drawImageTransparent requires
    {
        // Warm-up: GDI and Wine cache fonts and stock objects on first use.
        ComponentGraphics g;
        drawEverything(g, window, image);
    }
    const int before = testsupport::liveGdiObjects();
    ASSERT_GT(before, 0);
    {
        // The count really sees objects come and go.
        HPEN pen = CreatePen(PS_SOLID, 1, 0);
        EXPECT_EQ(before + 1, testsupport::liveGdiObjects());
        DeleteObject(pen);
    }
    for (int round = 0; round < 150; ++round) {
        ComponentGraphics g;
        for (int i = 0; i < 10; ++i) drawEverything(g, window, image);
    }
    // 1,500 rounds of 27 operations, each making pens, brushes, fonts,
    // contexts or bitmaps: every one of them was deleted again.
    EXPECT_EQ(before, testsupport::liveGdiObjects());
}
