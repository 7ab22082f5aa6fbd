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

// Where a handle stands on one axis: at the near edge (left, top), in the
// middle, or at the far edge (right, bottom).
enum class Place { kNear, kMiddle, kFar };

struct Handle {
    Place column;
    Place row;
    int cursor; // the standard cursor kind shown over it
};

// The eight handles, clockwise from the top-left corner (handle 1). Their
// places decide their hit zones, where they are drawn and what dragging them
// does: a near edge moves the origin and shrinks the extent, a far edge
// grows the extent, and a handle in the middle of an axis leaves that axis.
const Handle kHandles[] = {
    {Place::kNear, Place::kNear, QXCursor::kSizeNWSE},  {Place::kMiddle, Place::kNear, QXCursor::kSizeNS},
    {Place::kFar, Place::kNear, QXCursor::kSizeNESW},   {Place::kFar, Place::kMiddle, QXCursor::kSizeWE},
    {Place::kFar, Place::kFar, QXCursor::kSizeNWSE},    {Place::kMiddle, Place::kFar, QXCursor::kSizeNS},
    {Place::kNear, Place::kFar, QXCursor::kSizeNESW},   {Place::kNear, Place::kMiddle, QXCursor::kSizeWE},
};
const int kHandleCount = sizeof kHandles / sizeof kHandles[0];
// The order the handles are painted in, where small components make them
// overlap: top row left to right, middle row left then right, bottom row
// left to right.
const int kPaintOrder[] = {1, 2, 3, 8, 4, 7, 6, 5};

// The handle numbered n (1 to 8), or null for the body and anything else.
const Handle* handleNumbered(int n)
{
    return n >= 1 && n <= kHandleCount ? &kHandles[n - 1] : nullptr;
}

// Whether value lies in the hit zone of place on an axis whose middle and
// far edge are given.
bool hits(Place place, int value, int middle, int farEdge)
{
    switch (place) {
    case Place::kNear: return within(value, 0, kHitSize);
    case Place::kMiddle: return within(value, middle - 2, middle + 2);
    default: return within(value, farEdge - kHitSize, farEdge);
    }
}

// Where a handle at place is drawn on an axis of that extent.
int drawnAt(Place place, int extent, int inset)
{
    switch (place) {
    case Place::kNear: return 0;
    case Place::kMiddle: return extent / 2 - 2;
    default: return extent - inset - kHandleSize;
    }
}

// One axis of a drag by delta: whether the component stays at least
// kMinimumExtent wide there, its new origin and extent, and how far the drag
// origin follows the mouse (where a far edge grows).
struct AxisDrag {
    bool allowed;
    int origin;
    int extent;
    int shift;
};

AxisDrag dragAxis(Place place, int origin, int extent, int delta)
{
    switch (place) {
    case Place::kNear: return {delta < extent - kMinimumExtent, origin + delta, extent - delta, 0};
    case Place::kFar: return {extent + delta > kMinimumExtent, origin, extent + delta, delta};
    default: return {true, origin, extent, 0};
    }
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
    for (int n = 1; n <= kHandleCount; ++n) {
        const Handle& handle = kHandles[n - 1];
        if (hits(handle.column, p.getX(), w / 2, w - handleInset) && hits(handle.row, p.getY(), h / 2, h - handleInset))
            return n;
    }
    return 0;
}

int QXDesignComponent::cursorKindOf(int handle)
{
    const Handle* found = handleNumbered(handle);
    return found ? found->cursor : QXCursor::kArrow;
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
            for (int n : kPaintOrder) {
                const Handle* handle = handleNumbered(n);
                surface->drawFilledRect(drawnAt(handle->column, w, i), drawnAt(handle->row, h, i), kHandleSize,
                                        kHandleSize);
            }
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
    const int X = location.getX(), Y = location.getY();
    const Handle* handle = handleNumbered(activeHandle);
    if (!handle) {
        // The body moves the component and changes nothing else.
        if (activeHandle == 0 && (dx || dy)) setLocation(X + dx, Y + dy, 1);
        return;
    }
    const AxisDrag x = dragAxis(handle->column, X, size.getWidth(), dx);
    const AxisDrag y = dragAxis(handle->row, Y, size.getHeight(), dy);
    if (!x.allowed || !y.allowed) return;
    if (handle->column == Place::kNear || handle->row == Place::kNear) setLocation(x.origin, y.origin, 1);
    setSize(x.extent, y.extent, 1);
    dragOrigin.translate(x.shift, y.shift);
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
