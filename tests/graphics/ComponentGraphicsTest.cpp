#include "qxsdk/core/ScopedWin32.h"
#include "qxsdk/graphics/ComponentGraphics.h"
#include "qxsdk/graphics/QXImage.h"
#include "qxsdk/graphics/QXPixelBuffer.h"
#include "tests/support/TestWindow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace QXSDK;

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kRed = RGB(255, 0, 0);

// A drawing surface with a 64 x 48 back buffer on a real window, cleared to
// a background colour; pixels are read back from the memory context.
class Surface : public ::testing::Test {
protected:
    static const int kWidth = 64;
    static const int kHeight = 48;

    void SetUp() override
    {
        g.createBuffer(ClientDC(nullptr).get(), kWidth, kHeight);
        g.setWindow(window);
        paper(kWhite);
    }

    void paper(COLORREF colour)
    {
        QXColor background;
        background.setValue(static_cast<int>(colour));
        g.setBackground(background);
        g.clear();
    }

    void ink(COLORREF colour)
    {
        QXColor foreground;
        foreground.setValue(static_cast<int>(colour));
        g.setForeground(foreground);
    }

    void fill(COLORREF colour)
    {
        QXColor* fillColour = g.getFillColor();
        fillColour->setValue(static_cast<int>(colour));
        fillColour->release();
    }

    COLORREF at(int x, int y) { return GetPixel(g.getMemoryDC(), x, y); }

    // Every pixel of the buffer that is not the colour `paper`.
    std::vector<POINT> marked(COLORREF paperColour)
    {
        std::vector<POINT> points;
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
                if (at(x, y) != paperColour) points.push_back(POINT{x, y});
        return points;
    }

    std::vector<COLORREF> snapshot()
    {
        std::vector<COLORREF> pixels;
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) pixels.push_back(at(x, y));
        return pixels;
    }

    int foregroundARGB()
    {
        QXColor* foreground = g.getForeground();
        const int argb = foreground->getARGB();
        foreground->release();
        return argb;
    }

    testsupport::TestWindow window;
    ComponentGraphics g;
};

// A 4 x 4 image of one format, every pixel set from (red, green, blue).
class SolidImage : public QXImage {
public:
    SolidImage(int format, COLORREF colour, int width = 4, int height = 4) : QXObject(), QXImage(width, height, format)
    {
        // The caller's reference: drawImageTransparent retains and releases
        // the image, which would otherwise delete it.
        retain();
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) paint(x, y, colour);
    }
    void paint(int x, int y, COLORREF colour)
    {
        unsigned char* p = pixelAt(x, y);
        const unsigned char r = GetRValue(colour), gr = GetGValue(colour), b = GetBValue(colour);
        switch (getPixelFormat()) {
        case kFormatRGB: p[0] = r; p[1] = gr; p[2] = b; break;
        case kFormatARGB: p[0] = 0; p[1] = r; p[2] = gr; p[3] = b; break;
        case kFormatBGR: p[0] = b; p[1] = gr; p[2] = r; break;
        case kFormatBGRA: p[0] = b; p[1] = gr; p[2] = r; p[3] = 0; break;
        }
    }
};

// An image source of a pixel format the surface does not know, two bytes a
// pixel: drawing it must not read past its data.
class UnknownFormatImage : public IQXImageSource {
public:
    // The caller's reference, as SolidImage holds it.
    UnknownFormatImage() : QXObject() { retain(); }
    int getWidth() override { return 4; }
    int getHeight() override { return 4; }
    int getPixelFormat() override { return 1006; }
    IQXPixelBuffer* getRegion(int x1, int y1, int x2, int y2) override
    {
        QXPixelBuffer* buffer = new QXPixelBuffer();
        buffer->retain();
        buffer->allocate((x2 - x1) * (y2 - y1) * 2, (x2 - x1) * (y2 - y1));
        return buffer;
    }
};

} // namespace

TEST_F(Surface, RectangleOutlineCoversBothEdges)
{
    EXPECT_STREQ("QXObject.IQXGraphics", g.getTypeName());
    g.drawRect(0, 0, 9, 9);
    const std::vector<POINT> points = marked(kWhite);
    EXPECT_EQ(36u, points.size()); // the outline of a 10 x 10 square
    for (const POINT& p : points) {
        EXPECT_TRUE(p.x == 0 || p.x == 9 || p.y == 0 || p.y == 9) << p.x << "," << p.y;
        EXPECT_LE(p.x, 9);
        EXPECT_LE(p.y, 9);
        EXPECT_EQ(RGB(0, 0, 0), at(p.x, p.y));
    }
}

TEST_F(Surface, LineWidths)
{
    g.drawLine(2, 5, 12, 5, 0);
    g.drawLine(2, 5, 12, 5, -3);
    EXPECT_TRUE(marked(kWhite).empty());
    g.drawLine(2, 5, 12, 5, 1);
    for (int x = 2; x < 12; ++x) EXPECT_EQ(RGB(0, 0, 0), at(x, 5)) << x;
    EXPECT_EQ(kWhite, at(12, 5)); // the end point is not painted
    EXPECT_EQ(kWhite, at(5, 4));
    g.drawLine(2, 20, 40, 20, 3);
    EXPECT_EQ(RGB(0, 0, 0), at(20, 19));
    EXPECT_EQ(RGB(0, 0, 0), at(20, 21));
    EXPECT_EQ(kWhite, at(20, 23));
}

TEST_F(Surface, LiveForegroundColourChangesTheNextDrawing)
{
    QXColor* foreground = g.getForeground();
    foreground->setRed(255);
    foreground->release();
    g.drawRect(10, 10, 5, 5);
    EXPECT_EQ(kRed, at(10, 10));
}

TEST_F(Surface, SunkenFrame)
{
    paper(kBlue);
    ink(RGB(1, 2, 3));
    const int before = foregroundARGB();
    g.draw3DRect(10, 10, 20, 12, IQXGraphics::kSunken);
    EXPECT_EQ(RGB(172, 168, 153), at(15, 10)); // top
    EXPECT_EQ(RGB(172, 168, 153), at(10, 15)); // left
    EXPECT_EQ(kWhite, at(30, 15));             // right
    EXPECT_EQ(kWhite, at(15, 22));             // bottom
    EXPECT_EQ(kWhite, at(30, 10));
    EXPECT_EQ(RGB(113, 111, 100), at(15, 11)); // inner top
    EXPECT_EQ(RGB(113, 111, 100), at(11, 15)); // inner left
    EXPECT_EQ(RGB(241, 239, 226), at(29, 15)); // inner right
    EXPECT_EQ(RGB(241, 239, 226), at(15, 21)); // inner bottom
    EXPECT_EQ(RGB(172, 168, 153), at(10, 21));
    EXPECT_EQ(kBlue, at(10, 22)); // neither line reaches the bottom-left corner
    EXPECT_EQ(kBlue, at(15, 15));
    EXPECT_EQ(before, foregroundARGB());
}

TEST_F(Surface, RaisedFrame)
{
    paper(kBlue);
    ink(RGB(1, 2, 3));
    const int before = foregroundARGB();
    g.draw3DRect(10, 10, 20, 12, IQXGraphics::kRaised);
    EXPECT_EQ(RGB(0, 0, 0), at(30, 15));       // right
    EXPECT_EQ(RGB(0, 0, 0), at(15, 22));       // bottom
    EXPECT_EQ(RGB(123, 123, 123), at(29, 15)); // inner right
    EXPECT_EQ(RGB(123, 123, 123), at(15, 21)); // inner bottom
    EXPECT_EQ(kWhite, at(10, 15));             // left
    EXPECT_EQ(kWhite, at(15, 10));             // top
    EXPECT_EQ(kBlue, at(30, 10));              // the top-right corner stays
    EXPECT_EQ(kBlue, at(15, 15));
    EXPECT_EQ(before, foregroundARGB());
}

TEST_F(Surface, EtchedFrame)
{
    paper(kBlue);
    ink(RGB(1, 2, 3));
    const int before = foregroundARGB();
    g.draw3DRect(10, 10, 20, 12, IQXGraphics::kEtched);
    const COLORREF grey = RGB(127, 127, 127);
    EXPECT_EQ(grey, at(15, 10));   // top
    EXPECT_EQ(grey, at(29, 15));   // right
    EXPECT_EQ(grey, at(15, 21));   // bottom
    EXPECT_EQ(grey, at(10, 15));   // left
    EXPECT_EQ(kWhite, at(15, 11)); // inner top
    EXPECT_EQ(kWhite, at(30, 15)); // outer right
    EXPECT_EQ(kWhite, at(15, 22)); // outer bottom
    EXPECT_EQ(kWhite, at(11, 15)); // inner left
    EXPECT_EQ(kBlue, at(15, 15));
    EXPECT_EQ(before, foregroundARGB());
}

TEST_F(Surface, UnknownFrameStyleDrawsNothing)
{
    ink(RGB(1, 2, 3));
    const int before = foregroundARGB();
    for (int style : {0, 3, 5, -1}) g.draw3DRect(10, 10, 20, 12, style);
    EXPECT_TRUE(marked(kWhite).empty());
    EXPECT_EQ(before, foregroundARGB());
}

TEST_F(Surface, FilledShapesAreOutlinedInTheForeground)
{
    ink(RGB(0, 0, 0));
    fill(kRed);
    g.drawFilledRect(2, 2, 10, 10);
    EXPECT_EQ(RGB(0, 0, 0), at(2, 2));
    EXPECT_EQ(RGB(0, 0, 0), at(11, 5));
    EXPECT_EQ(kRed, at(6, 6));
    EXPECT_EQ(kWhite, at(12, 6)); // Rectangle excludes the right edge
    g.fillOval(20, 2, 20, 20);
    EXPECT_EQ(kRed, at(30, 12));
    EXPECT_EQ(kWhite, at(20, 2)); // the bounding box's corner is outside the ellipse
    QXPoint triangle[] = {QXPoint(44, 30), QXPoint(62, 30), QXPoint(53, 46)};
    g.fillPolygon(triangle, 3, 1);
    EXPECT_EQ(kRed, at(53, 35));
    g.drawRoundRect(2, 26, 16, 16, 4, 4);
    EXPECT_EQ(kRed, at(10, 34));
    g.fillPie(22, 26, 16, 16, 38, 34, 30, 26); // the upper-right quarter, counter-clockwise
    EXPECT_EQ(kRed, at(33, 31));
    EXPECT_EQ(kWhite, at(27, 38));
}

TEST_F(Surface, OutlineShapesNeverFill)
{
    fill(kRed);
    g.drawOval(2, 2, 20, 20);
    EXPECT_EQ(kWhite, at(12, 12));
    EXPECT_EQ(RGB(0, 0, 0), at(12, 2));
    EXPECT_EQ(1, g.drawArc(30, 2, 20, 20, 50, 12, 30, 12)); // the upper half
    EXPECT_EQ(RGB(0, 0, 0), at(40, 2));
    EXPECT_EQ(kWhite, at(40, 22));
    QXPoint path[] = {QXPoint(2, 30), QXPoint(20, 30), QXPoint(20, 45)};
    g.drawPolyline(path, 3);
    EXPECT_EQ(RGB(0, 0, 0), at(10, 30));
    EXPECT_EQ(RGB(0, 0, 0), at(20, 40));
    EXPECT_EQ(kWhite, at(10, 40)); // open: no closing line, no fill
    g.drawPolyline(path, 0);
    QXPoint curve[] = {QXPoint(30, 40), QXPoint(35, 30), QXPoint(45, 30), QXPoint(50, 40)};
    EXPECT_NE(0, g.drawBezier(curve, 4));
    EXPECT_EQ(0, g.drawBezier(curve, 2)); // not 1 + 3n points
    EXPECT_EQ(0, g.drawBezier(curve, 0));
}

TEST_F(Surface, PixelsAndBackgroundFills)
{
    g.setPixel(3, 4, QXColor(0, 255, 0));
    EXPECT_EQ(RGB(0, 255, 0), at(3, 4));
    QXColor background;
    background.setValue(static_cast<int>(kBlue));
    g.setBackground(background);
    g.fillRect(QXRect(10, 10, 5, 5));
    EXPECT_EQ(kBlue, at(10, 10));
    EXPECT_EQ(kBlue, at(14, 14));
    EXPECT_EQ(kWhite, at(15, 15));
    g.setWindow(nullptr); // fills need the window too
    g.clear();
    EXPECT_EQ(kWhite, at(30, 30));
    g.setWindow(window);
    g.clear();
    EXPECT_EQ(kBlue, at(30, 30));
}

TEST_F(Surface, ImagesOfEveryFormatShowRedAsRed)
{
    for (int format : {1003, 1004, 1005, 1007}) {
        paper(kWhite);
        SolidImage image(format, kRed);
        image.paint(1, 1, RGB(0, 0, 255));
        EXPECT_EQ(1, g.drawImage(&image, 5, 5)) << format;
        EXPECT_EQ(kRed, at(5, 5)) << format;
        EXPECT_EQ(kRed, at(8, 8)) << format;
        EXPECT_EQ(kBlue, at(6, 6)) << format;
        EXPECT_EQ(kWhite, at(9, 9)) << format;
    }
}

TEST_F(Surface, ImageSourceIsClippedAndStretched)
{
    SolidImage image(1003, kRed);
    for (int y = 0; y < 4; ++y) {
        image.paint(2, y, kBlue);
        image.paint(3, y, RGB(0, 255, 0));
    }
    // Columns 2..5 asked for; the image ends at column 3.
    EXPECT_EQ(1, g.drawImage(&image, 2, 0, 4, 4, 20, 20, 8, 4));
    for (int x = 20; x < 24; ++x) EXPECT_EQ(kBlue, at(x, 21)) << x;
    for (int x = 24; x < 28; ++x) EXPECT_EQ(RGB(0, 255, 0), at(x, 21)) << x;
    EXPECT_EQ(kWhite, at(28, 21));

    EXPECT_EQ(1, g.drawImage(&image, 30, 30, 16, 16)); // 4 x 4 stretched four times
    EXPECT_EQ(kRed, at(30, 30));
    EXPECT_EQ(kRed, at(37, 45));
    EXPECT_EQ(kBlue, at(38, 30));
    EXPECT_EQ(RGB(0, 255, 0), at(45, 45));
    EXPECT_EQ(kWhite, at(46, 30));
}

TEST_F(Surface, ImagesThatCannotBeDrawnAnswerZero)
{
    UnknownFormatImage unknown;
    EXPECT_EQ(0, g.drawImage(&unknown, 0, 0));
    EXPECT_EQ(0, g.drawImageTransparent(&unknown, 0, 0, 4, 4, 0, 0, 4, 4, QXColor()));
    EXPECT_EQ(0, g.drawImage(nullptr, 0, 0));
    EXPECT_EQ(0, g.drawImage(nullptr, 0, 0, 4, 4));
    EXPECT_EQ(0, g.drawImageTransparent(nullptr, 0, 0, 4, 4, 0, 0, 4, 4, QXColor()));
    SolidImage image(1003, kRed);
    EXPECT_EQ(0, g.drawImage(&image, 4, 0, 4, 4, 0, 0, 4, 4)); // nothing left after clipping
    EXPECT_TRUE(marked(kWhite).empty());
}

TEST_F(Surface, TransparentImageLeavesKeyColouredPixels)
{
    paper(kBlue);
    const COLORREF magenta = RGB(255, 0, 255);
    for (int format : {1003, 1004, 1005, 1007}) {
        SolidImage image(format, magenta);
        image.paint(1, 1, kRed);
        image.paint(2, 2, kRed);
        EXPECT_EQ(1, g.drawImageTransparent(&image, 0, 0, 4, 4, 10, 10, 8, 8, QXColor(255, 0, 255))) << format;
        EXPECT_EQ(kBlue, at(10, 10)) << format;
        EXPECT_EQ(kRed, at(12, 12)) << format;
        EXPECT_EQ(kRed, at(15, 15)) << format;
        EXPECT_EQ(kBlue, at(17, 12)) << format;
    }
}

TEST_F(Surface, FocusRectangleTwiceRestores)
{
    paper(kBlue);
    g.drawRect(3, 3, 20, 20);
    const std::vector<COLORREF> before = snapshot();
    g.drawFocusRect(0, 0, 10, 10, 2);
    const std::vector<COLORREF> once = snapshot();
    int outer = 0, inner = 0, inside = 0;
    for (int x = 0; x < 10; ++x) outer += before[x] != once[x];
    for (int x = 1; x < 9; ++x) inner += before[kWidth + x] != once[kWidth + x];
    for (int x = 2; x < 8; ++x) inside += before[5 * kWidth + x] != once[5 * kWidth + x];
    EXPECT_GT(outer, 0); // dotted frames at rows 0 and 1
    EXPECT_GT(inner, 0);
    EXPECT_EQ(0, inside);
    g.drawFocusRect(0, 0, 10, 10, 2);
    EXPECT_EQ(before, snapshot());
    g.drawFocusRect(0, 0, 10, 10, 0);
    EXPECT_EQ(before, snapshot());
}

TEST_F(Surface, CaptureGivesTopDownBlueGreenRedRows)
{
    g.createBuffer(ClientDC(nullptr).get(), 2, 2);
    g.setPixel(0, 0, QXColor(255, 0, 0));
    g.setPixel(1, 0, QXColor(0, 255, 0));
    g.setPixel(0, 1, QXColor(0, 0, 255));
    g.setPixel(1, 1, QXColor(255, 255, 255));
    QXPixelBuffer buffer;
    int width = 0, height = 0;
    ASSERT_EQ(1, g.capture(&buffer, &width, &height));
    EXPECT_EQ(2, width);
    EXPECT_EQ(2, height);
    ASSERT_EQ(12, buffer.getByteCount());
    EXPECT_EQ(4, buffer.getPixelCount());
    const std::vector<unsigned char> expected = {0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255};
    EXPECT_EQ(expected, std::vector<unsigned char>(buffer.getBytes(0), buffer.getBytes(0) + 12));
    // Drawing continues into the same buffer after a capture.
    g.setPixel(0, 0, QXColor(1, 2, 3));
    EXPECT_EQ(RGB(1, 2, 3), at(0, 0));
}

TEST_F(Surface, TextIsDrawnInsideItsBoxInTheForeground)
{
    ink(kRed);
    g.setTransparent(1);
    QXSize size = g.getStringSize(QXString("Wg"));
    ASSERT_GT(size.getWidth(), 0);
    g.drawString(QXString("Wg"), 5, 5);
    const std::vector<POINT> points = marked(kWhite);
    ASSERT_FALSE(points.empty());
    int exactlyRed = 0;
    for (const POINT& p : points) {
        EXPECT_GE(p.x, 5);
        EXPECT_GE(p.y, 5);
        EXPECT_LT(p.x, 5 + size.getWidth());
        EXPECT_LT(p.y, 5 + size.getHeight());
        exactlyRed += at(p.x, p.y) == kRed;
    }
    EXPECT_GT(exactlyRed, 0);
}

TEST_F(Surface, OpaqueTextPaintsItsCell)
{
    paper(kBlue);
    ink(kRed);
    g.setTransparent(0);
    g.drawString(QXString("i"), 5, 5);
    EXPECT_EQ(kWhite, at(5, 5)); // the context's own background colour fills the cell
    paper(kBlue);
    g.setTransparent(1);
    g.drawString(QXString("i"), 5, 5);
    EXPECT_EQ(kBlue, at(5, 5));
}

TEST_F(Surface, TextInARectangleFollowsTheFormat)
{
    ink(kRed);
    g.setTransparent(1);
    g.drawString(QXString("ab"), QXRect(0, 0, kWidth, kHeight), DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    const std::vector<POINT> points = marked(kWhite);
    ASSERT_FALSE(points.empty());
    long left = kWidth, right = 0;
    for (const POINT& p : points) {
        left = std::min(left, p.x);
        right = std::max(right, p.x);
    }
    EXPECT_NEAR(kWidth / 2, (left + right) / 2, 3);
    EXPECT_GT(left, 10);
}

TEST_F(Surface, DisabledTextIsEmbossed)
{
    paper(kWhite);
    ink(kRed);
    QXSize size = g.getStringSize(QXString("W"));
    g.drawDisabledString(QXString("W"), 5, 5);
    const std::vector<POINT> points = marked(kWhite);
    ASSERT_FALSE(points.empty());
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    int shadowPixels = 0;
    for (const POINT& p : points) {
        EXPECT_NE(kRed, at(p.x, p.y)); // the text colour is not used
        EXPECT_LT(p.x, 5 + size.getWidth() + 1);
        shadowPixels += at(p.x, p.y) == shadow;
    }
    EXPECT_GT(shadowPixels, 0);
}

// What GDI draws of text in red on white into a buffer of the surface's
// size, in a font of the surface font's values and the character set given:
// the ANSI call with bytes, or the wide one with UTF-16 text.
class ReferenceText {
public:
    ReferenceText(QXFont* font, BYTE charset) : dc(CreateCompatibleDC(nullptr))
    {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = kWidth;
        info.bmiHeader.biHeight = -kHeight;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        SelectObject(dc, bitmap);
        const RECT all = {0, 0, kWidth, kHeight};
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        const QXString face = font->getFaceName();
        handle = CreateFontA(font->getHeight(), font->getWidth(), 0, 0, font->getWeight(), 0, 0, 0, charset,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, face.getData());
        SelectObject(dc, handle);
        SetTextColor(dc, kRed);
        SetBkMode(dc, TRANSPARENT);
    }
    ~ReferenceText()
    {
        DeleteDC(dc);
        DeleteObject(bitmap);
        DeleteObject(handle);
    }
    std::vector<COLORREF> pixels() const
    {
        std::vector<COLORREF> all;
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) all.push_back(GetPixel(dc, x, y));
        return all;
    }

    static const int kWidth = 64;
    static const int kHeight = 48;
    HDC dc;

private:
    HBITMAP bitmap;
    HFONT handle;
};

TEST_F(Surface, TextOfTheSystemsCodePageIsDrawnAsEver)
{
    // Its bytes go to the ANSI calls, in a font of the system's character
    // set, whether the code page is left unset or named.
    QXFont* font = createFont(QXString("Arial"));
    ASSERT_NE(nullptr, font);
    g.setFont(font);
    ink(kRed);
    g.setTransparent(1);
    // "完成" (Done) in GBK, Latin letters beside it.
    const QXString text("Ok \xCD\xEA\xB3\xC9");
    ReferenceText reference(font, DEFAULT_CHARSET);
    TextOutA(reference.dc, 3, 4, text.getData(), text.getLength());
    RECT box = {0, 20, 64, 48};
    DrawTextA(reference.dc, text.getData(), text.getLength(), &box, DT_CENTER | DT_SINGLELINE);
    SIZE extent = {};
    GetTextExtentPoint32A(reference.dc, text.getData(), text.getLength(), &extent);
    for (unsigned codePage : {static_cast<unsigned>(CP_ACP), GetACP()}) {
        paper(kWhite);
        g.setTextCodePage(codePage);
        g.drawString(text, 3, 4);
        g.drawString(text, QXRect(0, 20, 64, 28), DT_CENTER | DT_SINGLELINE);
        EXPECT_EQ(reference.pixels(), snapshot()) << codePage;
        EXPECT_EQ(extent.cx, g.getStringSize(text).getWidth()) << codePage;
    }
    font->release();
}

TEST_F(Surface, TextOfAnotherCodePageIsDrawnAsItsCharacters)
{
    // The system reads these bytes as other characters (or none): the
    // surface draws the characters of the code page they are in, with a
    // font of its character set, through the wide calls.
    QXFont* font = createFont(QXString("Arial"));
    ASSERT_NE(nullptr, font);
    g.setFont(font);
    ink(kRed);
    g.setTransparent(1);
    struct Case {
        unsigned codePage;
        BYTE charset;
        const char* bytes;
        const wchar_t* characters;
    };
    // "Café" in Windows-1252, "完成" (Done) in Big5 and in GBK.
    const Case cases[] = {{1252, ANSI_CHARSET, "Caf\xE9", L"Caf\u00E9"},
                          {950, CHINESEBIG5_CHARSET, "\xA7\xB9\xA6\xA8", L"\u5B8C\u6210"},
                          {936, GB2312_CHARSET, "\xCD\xEA\xB3\xC9", L"\u5B8C\u6210"}};
    for (const Case& c : cases) {
        if (c.codePage == GetACP()) continue; // the system's own: drawn as ever
        const QXString text(c.bytes);
        ReferenceText reference(font, c.charset);
        const int length = static_cast<int>(wcslen(c.characters));
        TextOutW(reference.dc, 3, 4, c.characters, length);
        DrawStateW(reference.dc, nullptr, nullptr, reinterpret_cast<LPARAM>(c.characters), length, 3, 24, 0, 0,
                   DST_PREFIXTEXT | DSS_DISABLED);
        SIZE extent = {};
        GetTextExtentPoint32W(reference.dc, c.characters, length, &extent);

        paper(kWhite);
        g.setTextCodePage(c.codePage);
        g.drawString(text, 3, 4);
        g.drawDisabledString(text, 3, 24);
        EXPECT_EQ(reference.pixels(), snapshot()) << c.codePage;
        EXPECT_EQ(extent.cx, g.getStringSize(text).getWidth()) << c.codePage;
        EXPECT_GT(marked(kWhite).size(), 20u) << c.codePage;
        // Read in the system's code page the same bytes show otherwise.
        const std::vector<COLORREF> asCharacters = snapshot();
        paper(kWhite);
        g.setTextCodePage(CP_ACP);
        g.drawString(text, 3, 4);
        g.drawDisabledString(text, 3, 24);
        EXPECT_NE(asCharacters, snapshot()) << c.codePage;
    }
    EXPECT_EQ(static_cast<unsigned>(CP_ACP), g.getTextCodePage());
    font->release();
}

TEST_F(Surface, MeasuringNeedsAWindow)
{
    QXSize withBuffer = g.getStringSize(QXString("Vexlo"));
    EXPECT_GT(withBuffer.getWidth(), 0);
    EXPECT_GT(g.getFontHeight(), 0);

    ComponentGraphics unbuffered;
    EXPECT_EQ(0, unbuffered.getStringSize(QXString("Vexlo")).getWidth());
    EXPECT_EQ(-1, unbuffered.getFontHeight());
    unbuffered.setWindow(window);
    // Measured in the window's context without a buffer; the height needs one.
    EXPECT_EQ(withBuffer.getWidth(), unbuffered.getStringSize(QXString("Vexlo")).getWidth());
    EXPECT_EQ(-1, unbuffered.getFontHeight());

    g.setWindow(nullptr);
    EXPECT_EQ(0, g.getStringSize(QXString("Vexlo")).getHeight());
    EXPECT_EQ(-1, g.getFontHeight());
}

TEST_F(Surface, FontHeightIsTheContextsOwnFont)
{
    TEXTMETRICA metrics;
    GetTextMetricsA(g.getMemoryDC(), &metrics);
    EXPECT_EQ(metrics.tmHeight, g.getFontHeight());
    QXFont* big = createFont(QXString("Arial"));
    big->setHeight(-40);
    g.setFont(big);
    EXPECT_EQ(metrics.tmHeight, g.getFontHeight()); // the QXFont is selected only while drawing
    EXPECT_GT(g.getStringSize(QXString("W")).getHeight(), 30);
    big->release();
}

TEST_F(Surface, FontIsSharedByReference)
{
    QXFont* font = createFont(QXString("Arial"));
    EXPECT_EQ(0, g.setFont(nullptr));
    EXPECT_EQ(1, g.setFont(font));
    EXPECT_EQ(1, g.setFont(font)); // the same font again keeps it alive
    QXFont* current = g.getFont();
    EXPECT_EQ(font, current);
    EXPECT_EQ(4, font->retain()); // creator, surface, getFont, this
    font->release();
    current->release();
    font->release();
    QXFont* still = g.getFont();
    EXPECT_EQ("Arial", std::string(still->getFaceName().getData()));
    still->release();
}

TEST_F(Surface, NothingIsDrawnWithoutABuffer)
{
    ComponentGraphics none;
    none.drawRect(0, 0, 5, 5);
    none.drawString(QXString("x"), 0, 0);
    EXPECT_EQ(0, none.drawArc(0, 0, 5, 5, 0, 0, 0, 0));
    SolidImage image(1003, kRed);
    EXPECT_EQ(0, none.drawImage(&image, 0, 0));
    QXPixelBuffer buffer;
    int w = -1, h = -1;
    EXPECT_EQ(0, none.capture(&buffer, &w, &h));
    EXPECT_EQ(nullptr, none.getMemoryDC());
}

TEST_F(Surface, BlitAndFlushCopyToTheSamePlace)
{
    g.setPixel(7, 3, QXColor(0, 255, 0));
    {
        const ClientDC screen(nullptr);
        GdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(screen.get(), kWidth, kHeight));
        MemoryDC target(screen.get());
        SelectedObject selected(target.get(), bitmap.get());
        g.blit(target.get(), QXRect(5, 2, 4, 4));
        EXPECT_EQ(RGB(0, 255, 0), GetPixel(target.get(), 7, 3));
    }

    testsupport::TestWindow visible(200, 100, true);
    g.setWindow(visible);
    g.flush(0, 0, kWidth, kHeight);
    const WindowDC windowDC(visible);
    EXPECT_EQ(RGB(0, 255, 0), GetPixel(windowDC.get(), 7, 3));
    EXPECT_EQ(kWhite, GetPixel(windowDC.get(), 8, 3));
}
