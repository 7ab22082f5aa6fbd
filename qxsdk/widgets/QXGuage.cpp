#include "qxsdk/widgets/QXGuage.h"

#include "qxsdk/graphics/PaintFrame.h"

#include <oleacc.h>

namespace QXSDK {

namespace {

const int kBlockGap = 2;
const int kTextHalfHeight = 8;
// White in red, green and blue; alpha stays as it is.
void makeWhite(QXColor* colour)
{
    colour->setRed(255);
    colour->setGreen(255);
    colour->setBlue(255);
}

} // namespace

QXGuage::QXGuage()
    : QXObject(), QXComponent(), QXDesignComponent(), segmented(0), maximum(100), value(0), horizontal(1),
      showPercentage(0), flatBorder(0), barColor(0, 0, 255)
{
    appendTypeName("QXGuage");
    setClassName(QXString("QXGuage"));
    setBackground(QXColor(255, 255, 255));
}

QXGuage::~QXGuage()
{
}

void QXGuage::setMaximum(int newMaximum)
{
    change(maximum, newMaximum);
}

void QXGuage::setValue(int newValue)
{
    change(value, newValue);
}

void QXGuage::change(int& field, int newValue)
{
    const long long before = percentage();
    field = newValue;
    update();
    if (percentage() != before) accessibleChanged(EVENT_OBJECT_VALUECHANGE);
}

long long QXGuage::percentage() const
{
    if (maximum == 0) return -1;
    const unsigned int max = static_cast<unsigned int>(maximum);
    const unsigned int val = static_cast<unsigned int>(value);
    return val == max ? 100 : static_cast<long long>(val * 100 / max);
}

int QXGuage::getAccessibleRole() { return ROLE_SYSTEM_PROGRESSBAR; }
QXString QXGuage::getAccessibleName() { return QXString(""); }
int QXGuage::getAccessibleState() { return QXDesignComponent::getAccessibleState() | STATE_SYSTEM_READONLY; }

QXString QXGuage::getAccessibleValue()
{
    const long long shown = percentage();
    QXString text("");
    if (shown >= 0) text.format("%lld%%", shown);
    return text;
}

void QXGuage::setSegmented(int on) { segmented = on; }
void QXGuage::setHorizontal(int on) { horizontal = on; }
void QXGuage::setShowPercentage(int on) { showPercentage = on; }
void QXGuage::setBarColor(QXColor colour) { barColor = colour; }

int QXGuage::setInheritedFlag(int flag)
{
    QXComponent::setInheritedFlag(flag);
    flatBorder = flag == 0 ? 1 : 0;
    return flatBorder;
}

void QXGuage::paintBar(IQXGraphics* surface, int w, int h)
{
    const int e = flatBorder;
    const int x0 = 3 - e, y0 = 3 - e;
    const int W = w + 2 * e - 6, H = h + 2 * e - 6;
    // Proportions in unsigned 32-bit arithmetic, as the bar has always had them.
    const unsigned int max = static_cast<unsigned int>(maximum);
    const unsigned int val = static_cast<unsigned int>(value);
    if (horizontal) {
        // Compared and clamped unsigned: a quotient of 2^31 or more (a value
        // of -1, say) is a full bar, not a negative width.
        unsigned int quotient = static_cast<unsigned int>(W) * val / max;
        if (quotient > static_cast<unsigned int>(W - 1)) quotient = static_cast<unsigned int>(W - 1);
        const int fill = W > 0 ? static_cast<int>(quotient) : 0;
        if (!segmented) {
            surface->drawFilledRect(x0, y0, fill, H);
            return;
        }
        int x = x0, end = H;
        while (fill > end) {
            surface->drawFilledRect(x, y0, H, H);
            x += H + kBlockGap;
            end += H + kBlockGap;
        }
        const int partial = fill - (end - H);
        surface->drawFilledRect(x, y0, partial > 0 ? partial : 0, H);
        return;
    }
    const int fill = static_cast<int>(static_cast<unsigned int>(H) * val / max);
    const int base = h + e - 3;
    if (!segmented) {
        surface->drawFilledRect(x0, base - fill, W, fill);
        return;
    }
    int bottom = base, end = W;
    while (fill > end) {
        bottom -= W;
        surface->drawFilledRect(x0, bottom, W, W);
        bottom -= kBlockGap;
        end += W + kBlockGap;
    }
    surface->drawFilledRect(x0, base - fill, W, fill - (end - W));
}

void QXGuage::paintPercentage(IQXGraphics* surface, QXColor* pen, int w, int h)
{
    const int cx = w / 2;
    int ty = h / 2 - kTextHalfHeight;
    if (ty < 1) ty = 1;
    const unsigned int max = static_cast<unsigned int>(maximum);
    const unsigned int val = static_cast<unsigned int>(value);
    if (val == max) {
        makeWhite(pen);
        surface->drawString(QXString("100%"), cx - 16, ty);
        return;
    }
    const unsigned int pct = static_cast<unsigned int>(percentage());
    const int e = flatBorder;
    const int W = w + 2 * e - 6;
    const int barEnd = static_cast<int>(static_cast<unsigned int>(W) * val / max) - e + 3;
    QXString percent("%"), units, tens;
    units.format("%d", static_cast<int>(pct % 10));
    tens.format("%d", static_cast<int>(pct / 10));
    // Right to left: each piece turns white where the bar has reached it,
    // and the pieces left of a white one stay white.
    const QXString* texts[] = {&percent, &units, &tens};
    const int xs[] = {cx + 4, cx - 4, cx - 12};
    for (int i = 0; i < 3; ++i) {
        if (barEnd > xs[i]) makeWhite(pen);
        surface->drawString(*texts[i], xs[i], ty);
    }
}

int QXGuage::paint(QXRect area, IQXGraphics* surface)
{
    if (!surface) return 1;
    PaintFrame frame(surface);
    QXComponent::paint(area, surface);
    surface->setTransparent(1);
    QXSize size = getSize();
    const int w = size.getWidth(), h = size.getHeight();
    if (getInheritedFlag())
        surface->drawSunkenRect(0, 0, w - 1, h - 1);
    else
        surface->drawRect(0, 0, w - 1, h - 1);

    QXColor* pen = frame.pen();
    QXColor* brush = frame.brush();
    if (pen && brush) {
        pen->setValue(barColor.getValue());
        brush->setValue(barColor.getValue());
        // A maximum of 0 has no proportion: the frame and an empty bar only.
        if (maximum != 0) paintBar(surface, w, h);
        frame.restoreColours();
        if (showPercentage && horizontal && maximum != 0) paintPercentage(surface, pen, w, h);
        frame.restoreColours();
    }
    if (designMode) QXDesignComponent::paint(area, surface);
    return 1;
}

} // namespace QXSDK
