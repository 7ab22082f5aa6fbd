#pragma once

#include "qxsdk/core/QXObject.h"
#include "qxsdk/graphics/QXPoint.h"
#include "qxsdk/graphics/QXSize.h"

namespace QXSDK {

// A rectangle as origin plus extent; its right edge is x + width and its
// bottom edge y + height.
class QXRect : public virtual QXObject {
public:
    QXRect(const QXRect& other);
    QXRect(int x, int y, int width, int height);
    // Copies the value; the object keeps its own identity.
    QXRect& operator=(const QXRect& other) = default;
    ~QXRect() override = default;

    virtual void setX(int x);
    virtual void setY(int y);
    virtual void setWidth(int width);
    virtual void setHeight(int height);
    // Copies point's coordinates; point must hold a reference of the caller
    // (it is retained and released around the copy).
    virtual void setLocation(QXPoint* point);
    virtual void setLocation(int x, int y);
    // Copies size's extent; the same reference rule as setLocation(QXPoint*).
    virtual void setSize(QXSize* size);
    virtual void setSize(int width, int height);
    virtual int getX();
    virtual int getY();
    virtual int getWidth();
    virtual int getHeight();
    // A new point (retained once, the caller releases it), or null.
    virtual QXPoint* getLocation();
    // A new size (retained once, the caller releases it), or null.
    virtual QXSize* getSize();

private:
    int x;
    int y;
    int width;
    int height;
};

// The same area as a Win32 RECT (left, top, right, bottom), and back.
RECT toNativeRect(QXRect rect);
QXRect fromNativeRect(const RECT& rect);

} // namespace QXSDK
