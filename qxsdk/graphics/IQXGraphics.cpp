#include "qxsdk/graphics/IQXGraphics.h"

namespace QXSDK {

namespace {

// One end of a frame line: origin + (extent if `far`) + offset, per axis.
struct FrameEnd {
    bool farX;
    int dx;
    bool farY;
    int dy;
};

struct FrameLine {
    FrameEnd from;
    FrameEnd to;
};

// Lines of one colour.
struct FrameGroup {
    int red, green, blue;
    FrameLine lines[4];
    int lineCount;
};

const FrameEnd kTopLeft = {false, 0, false, 0};
const FrameEnd kTopRight = {true, 0, false, 0};
const FrameEnd kBottomRight = {true, 0, true, 0};
const FrameEnd kBottomLeft = {false, 0, true, 0};

const FrameGroup kSunkenFrame[] = {
    {172, 168, 153, {{kTopLeft, kTopRight}, {kTopLeft, kBottomLeft}}, 2},
    {255, 255, 255, {{kTopRight, kBottomRight}, {kBottomRight, kBottomLeft}}, 2},
    {113, 111, 100, {{{false, 1, false, 1}, {true, -1, false, 1}}, {{false, 1, false, 1}, {false, 1, true, -1}}}, 2},
    {241, 239, 226, {{{true, -1, false, 1}, {true, -1, true, -1}}, {{true, -1, true, -1}, {false, 0, true, -1}}}, 2},
};

const FrameGroup kRaisedFrame[] = {
    {0, 0, 0, {{kBottomRight, kTopRight}, {kBottomRight, kBottomLeft}}, 2},
    {123, 123, 123, {{{true, -1, true, -1}, {true, -1, false, 0}}, {{true, -1, true, -1}, {false, 0, true, -1}}}, 2},
    {255, 255, 255, {{kTopLeft, kBottomLeft}, {kTopLeft, kTopRight}}, 2},
};

const FrameGroup kEtchedFrame[] = {
    {127, 127, 127,
     {{kTopLeft, {true, -1, false, 0}},
      {{true, -1, false, 0}, {true, -1, true, -1}},
      {{true, -1, true, -1}, {false, 0, true, -1}},
      {{false, 0, true, -1}, kTopLeft}},
     4},
    {255, 255, 255,
     {{{false, 1, false, 1}, {true, -2, false, 1}},
      {kTopRight, kBottomRight},
      {kBottomRight, kBottomLeft},
      {{false, 1, true, -2}, {false, 1, false, 1}}},
     4},
};

int endX(const FrameEnd& end, int x, int w) { return x + (end.farX ? w : 0) + end.dx; }
int endY(const FrameEnd& end, int y, int h) { return y + (end.farY ? h : 0) + end.dy; }

// Draws the groups in their colours with one-pixel lines through
// getForeground, then puts the foreground colour back as it was.
template <size_t N>
void drawFrame(IQXGraphics& g, int x, int y, int w, int h, const FrameGroup (&groups)[N])
{
    QXColor* foreground = g.getForeground();
    if (!foreground) return;
    const int saved = foreground->getARGB();
    for (const FrameGroup& group : groups) {
        foreground->setRed(group.red);
        foreground->setGreen(group.green);
        foreground->setBlue(group.blue);
        for (int i = 0; i < group.lineCount; ++i) {
            const FrameLine& line = group.lines[i];
            g.drawLine(endX(line.from, x, w), endY(line.from, y, h), endX(line.to, x, w), endY(line.to, y, h), 1);
        }
    }
    foreground->setARGB(saved);
    foreground->release();
}

} // namespace

IQXGraphics::IQXGraphics() : QXObject()
{
    appendTypeName("IQXGraphics");
}

IQXGraphics::~IQXGraphics()
{
}

void IQXGraphics::drawRect(int, int, int, int) {}
void IQXGraphics::drawRoundRect(int, int, int, int, int, int) {}
int IQXGraphics::drawImage(IQXImageSource*, int, int, int, int, int, int, int, int) { return 0; }
int IQXGraphics::drawImage(IQXImageSource*, int, int, int, int) { return 0; }
int IQXGraphics::drawImage(IQXImageSource*, int, int) { return 0; }
int IQXGraphics::drawImageTransparent(IQXImageSource*, int, int, int, int, int, int, int, int, QXColor) { return 0; }
int IQXGraphics::drawArc(int, int, int, int, int, int, int, int) { return 0; }
void IQXGraphics::drawLine(int, int, int, int, int) {}
void IQXGraphics::drawOval(int, int, int, int) {}
void IQXGraphics::drawPolyline(QXPoint*, int) {}
int IQXGraphics::drawBezier(QXPoint*, int) { return 0; }
void IQXGraphics::drawString(QXString, QXRect, int) {}
void IQXGraphics::drawString(QXString, int, int) {}
void IQXGraphics::setPixel(int, int, QXColor) {}
void IQXGraphics::fillPie(int, int, int, int, int, int, int, int) {}
void IQXGraphics::fillOval(int, int, int, int) {}
void IQXGraphics::drawFilledRect(int, int, int, int) {}
void IQXGraphics::fillPolygon(QXPoint*, int, int) {}
QXFont* IQXGraphics::getFont() { return nullptr; }
int IQXGraphics::setFont(QXFont*) { return 0; }
QXColor* IQXGraphics::getBackground() { return nullptr; }
QXColor* IQXGraphics::getForeground() { return nullptr; }
QXColor* IQXGraphics::getFillColor() { return nullptr; }
void IQXGraphics::setTransparent(int) {}
void IQXGraphics::fillRect(QXRect) {}
void IQXGraphics::clear() {}
void IQXGraphics::drawDisabledString(QXString, int, int) {}
void IQXGraphics::drawFocusRect(int, int, int, int, int) {}
QXSize IQXGraphics::getStringSize(QXString) { return QXSize(0, 0); }
int IQXGraphics::getFontHeight() { return 0; }
void IQXGraphics::reserved30() {}
void IQXGraphics::reserved31() {}
void IQXGraphics::reserved32() {}
void IQXGraphics::reserved33() {}
void IQXGraphics::reserved34() {}
void IQXGraphics::flush(int, int, int, int) {}

void IQXGraphics::draw3DRect(int x, int y, int w, int h, int style)
{
    switch (style) {
    case kSunken: drawSunkenRect(x, y, w, h); break;
    case kRaised: drawRaisedRect(x, y, w, h); break;
    case kEtched: drawEtchedRect(x, y, w, h); break;
    default: break;
    }
}

void IQXGraphics::drawSunkenRect(int x, int y, int w, int h)
{
    drawFrame(*this, x, y, w, h, kSunkenFrame);
}

void IQXGraphics::drawRaisedRect(int x, int y, int w, int h)
{
    drawFrame(*this, x, y, w, h, kRaisedFrame);
}

void IQXGraphics::drawEtchedRect(int x, int y, int w, int h)
{
    drawFrame(*this, x, y, w, h, kEtchedFrame);
}

} // namespace QXSDK
