#pragma once

#include "qxsdk/core/QXObject.h"

namespace QXSDK {

// An integer position in device pixels.
class QXPoint : public virtual QXObject {
public:
    QXPoint(const QXPoint& other);
    QXPoint(int x, int y);
    // Copies the value; the object keeps its own identity.
    QXPoint& operator=(const QXPoint& other) = default;
    ~QXPoint() override = default;

    virtual int getX();
    virtual int getY();
    // Moves the point by (dx, dy).
    virtual void translate(int dx, int dy);
    virtual void setLocation(int x, int y);

private:
    int x;
    int y;
};

} // namespace QXSDK
