#include "qxsdk/component/QXDesignComponent.h"

#include "qxsdk/graphics/PaintFrame.h"

#include <new>

namespace QXSDK {

namespace {

const int kHandleSize = 5;
const int kHitSize = 5;     // hit zones run from 0 to 5 inclusive
const int kMinimumExtent = 5;

bool within(int value, int low, int high)
{
    return low <= value && value <= high;
}

} // namespace

QXDesignComponent::QXDesignComponent()
    : QXObject(), QXComponent(), designMode(0), dragging(0), dragOrigin(0, 0), activeHandle(0), selected(0),
      focused(0), handleInset(0)
{
    appendTypeName("QXDesignComponent");
    setClassName(QXString("QXDesignComponent"));
}

QXDesignComponent::~QXDesignComponent()
{
}

void QXDesignComponent::setDesignMode(int on)
{
    designMode = on;
}

void QXDesignComponent::setSelected(int on)
{
    selected = on;
}

int QXDesignComponent::hitTestHandle(QXPoint p)
{
    QXSize size = getSize();
    const int w = size.getWidth(), h = size.getHeight();
    const int cx = w / 2, cy = h / 2, r = w - handleInset, b = h - handleInset;
    const int x = p.getX(), y = p.getY();
    const bool top = within(y, 0, kHitSize);
    const bool middleRow = within(y, cy - 2, cy + 2);
    const bool bottom = within(y, b - kHitSize, b);
    const bool left = within(x, 0, kHitSize);
    const bool centre = within(x, cx - 2, cx + 2);
    const bool right = within(x, r - kHitSize, r);
    if (left && top) return 1;
    if (centre && top) return 2;
    if (right && top) return 3;
    if (right && middleRow) return 4;
    if (right && bottom) return 5;
    if (centre && bottom) return 6;
    if (left && bottom) return 7;
    if (left && middleRow) return 8;
    return 0;
}

int QXDesignComponent::cursorKindOf(int handle)
{
    switch (handle) {
    case 1: case 5: return QXCursor::kSizeNWSE;
    case 2: case 6: return QXCursor::kSizeNS;
    case 3: case 7: return QXCursor::kSizeNESW;
    case 4: case 8: return QXCursor::kSizeWE;
    default: return QXCursor::kArrow;
    }
}

int QXDesignComponent::paint(QXRect area, IQXGraphics* surface)
{
    if (!surface) return 1;
    PaintFrame frame(surface);
    if (!designMode) {
        QXComponent::paint(area, surface);
        return 1;
    }
    surface->setTransparent(1);
    QXSize size = getSize();
    const int w = size.getWidth(), h = size.getHeight(), i = handleInset;
    QXColor* pen = (focused || selected) ? frame.pen() : nullptr;
    if (pen) {
        if (dragging) {
            surface->drawFocusRect(0, 0, w - i, h - i, 1);
        } else {
            pen->setRed(0);
            pen->setGreen(0);
            pen->setBlue(255);
            // Top row left to right, middle row left then right, bottom row.
            const int handles[][2] = {{0, 0},
                                      {w / 2 - 2, 0},
                                      {w - i - kHandleSize, 0},
                                      {0, h / 2 - 2},
                                      {w - i - kHandleSize, h / 2 - 2},
                                      {0, h - i - kHandleSize},
                                      {w / 2 - 2, h - i - kHandleSize},
                                      {w - i - kHandleSize, h - i - kHandleSize}};
            for (const auto& handle : handles) surface->drawFilledRect(handle[0], handle[1], kHandleSize, kHandleSize);
        }
    }
    return 1;
}

int QXDesignComponent::mousePressed(QXPoint p)
{
    if (!designMode) return 1;
    captureMouse();
    dragging = 1;
    activeHandle = hitTestHandle(p);
    dragOrigin = p;
    requestFocus();
    repaint();
    return 1;
}

int QXDesignComponent::mouseReleased(QXPoint)
{
    if (!designMode) return 1;
    releaseMouse(0);
    dragging = 0;
    activeHandle = 0;
    repaint();
    return 1;
}

void QXDesignComponent::dragBy(int dx, int dy)
{
    QXPoint location = getLocation();
    QXSize size = getSize();
    const int X = location.getX(), Y = location.getY(), w = size.getWidth(), h = size.getHeight();
    const int m = kMinimumExtent;
    // The new place and size of each handle's drag, and how far the origin
    // follows the mouse where a right or bottom edge grows.
    bool move = false, resize = false;
    int nx = X, ny = Y, nw = w, nh = h, shiftX = 0, shiftY = 0;
    switch (activeHandle) {
    case 0:
        if (dx || dy) { move = true; nx = X + dx; ny = Y + dy; }
        break;
    case 1:
        if (dx < w - m && dy < h - m) { move = resize = true; nx = X + dx; ny = Y + dy; nw = w - dx; nh = h - dy; }
        break;
    case 2:
        if (dy < h - m) { move = resize = true; ny = Y + dy; nh = h - dy; }
        break;
    case 3:
        if (w + dx > m && dy < h - m) { move = resize = true; ny = Y + dy; nw = w + dx; nh = h - dy; shiftX = dx; }
        break;
    case 4:
        if (w + dx > m) { resize = true; nw = w + dx; shiftX = dx; }
        break;
    case 5:
        if (w + dx > m && h + dy > m) { resize = true; nw = w + dx; nh = h + dy; shiftX = dx; shiftY = dy; }
        break;
    case 6:
        if (h + dy > m) { resize = true; nh = h + dy; shiftY = dy; }
        break;
    case 7:
        if (dx < w - m && h + dy > m) { move = resize = true; nx = X + dx; nw = w - dx; nh = h + dy; shiftY = dy; }
        break;
    case 8:
        if (dx < w - m) { move = resize = true; nx = X + dx; nw = w - dx; }
        break;
    default:
        break;
    }
    if (move) setLocation(nx, ny, 1);
    if (resize) setSize(nw, nh, 1);
    dragOrigin.translate(shiftX, shiftY);
}

int QXDesignComponent::mouseMoved(QXPoint p)
{
    if (!designMode) return 1;
    if (dragging) {
        dragBy(p.getX() - dragOrigin.getX(), p.getY() - dragOrigin.getY());
    } else if (focused) {
        QXCursor* cursor = new (std::nothrow) QXCursor();
        if (cursor) {
            cursor->retain();
            cursor->setKind(cursorKindOf(hitTestHandle(p)));
            setCursor(cursor);
            cursor->release();
        }
    }
    return 1;
}

int QXDesignComponent::focusGained()
{
    if (!designMode) return 1;
    focused = 1;
    repaint();
    return 1;
}

int QXDesignComponent::focusLost()
{
    if (!designMode) return 1;
    focused = 0;
    repaint();
    return 1;
}

} // namespace QXSDK
