#include "qxsdk/graphics/QXPoint.h"

namespace QXSDK {

QXPoint::QXPoint(const QXPoint& other) : QXObject(), x(other.x), y(other.y)
{
    appendTypeName("QXPoint");
}

QXPoint::QXPoint(int px, int py) : QXObject(), x(px), y(py)
{
    appendTypeName("QXPoint");
}

int QXPoint::getX() { return x; }
int QXPoint::getY() { return y; }

void QXPoint::translate(int dx, int dy)
{
    x += dx;
    y += dy;
}

void QXPoint::setLocation(int px, int py)
{
    x = px;
    y = py;
}

} // namespace QXSDK
