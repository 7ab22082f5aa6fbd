#pragma once

#include "qxsdk/core/QXObject.h"

namespace QXSDK {

// An integer extent; negative values are stored as given.
class QXSize : public virtual QXObject {
public:
    QXSize();
    QXSize(const QXSize& other);
    QXSize(int width, int height);
    // Copies the value; the object keeps its own identity.
    QXSize& operator=(const QXSize& other) = default;
    ~QXSize() override = default;

    virtual int getWidth();
    virtual int getHeight();
    virtual void setSize(int width, int height);

private:
    int width;
    int height;
};

} // namespace QXSDK
