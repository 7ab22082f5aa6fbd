#include "qxsdk/graphics/QXRect.h"

#include <new>

namespace QXSDK {

QXRect::QXRect(const QXRect& other)
    : QXObject(), x(other.x), y(other.y), width(other.width), height(other.height)
{
    appendTypeName("QXRect");
}

QXRect::QXRect(int px, int py, int w, int h) : QXObject(), x(px), y(py), width(w), height(h)
{
    appendTypeName("QXRect");
}

void QXRect::setX(int value) { x = value; }
void QXRect::setY(int value) { y = value; }
void QXRect::setWidth(int value) { width = value; }
void QXRect::setHeight(int value) { height = value; }

void QXRect::setLocation(QXPoint* point)
{
    if (!point) return;
    point->retain();
    x = point->getX();
    y = point->getY();
    point->release();
}

void QXRect::setLocation(int px, int py)
{
    x = px;
    y = py;
}

void QXRect::setSize(QXSize* size)
{
    if (!size) return;
    size->retain();
    width = size->getWidth();
    height = size->getHeight();
    size->release();
}

void QXRect::setSize(int w, int h)
{
    width = w;
    height = h;
}

int QXRect::getX() { return x; }
int QXRect::getY() { return y; }
int QXRect::getWidth() { return width; }
int QXRect::getHeight() { return height; }

QXPoint* QXRect::getLocation()
{
    QXPoint* point = new (std::nothrow) QXPoint(x, y);
    if (point) point->retain();
    return point;
}

QXSize* QXRect::getSize()
{
    QXSize* size = new (std::nothrow) QXSize(width, height);
    if (size) size->retain();
    return size;
}

RECT toNativeRect(QXRect rect)
{
    return RECT{rect.getX(), rect.getY(), rect.getX() + rect.getWidth(), rect.getY() + rect.getHeight()};
}

QXRect fromNativeRect(const RECT& rect)
{
    return QXRect(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
}

} // namespace QXSDK
