#pragma once

#include "qxsdk/core/QXObject.h"

namespace QXSDK {

// An integer extent; negative values are stored as given.
class QXSize : public virtual QXObject {
public:
    QXSize();
    QXSize(const QXSize& other);
    QXSize(int width, int height);
    QXSize& operator=(const QXSize& other);
    ~QXSize() override;

    virtual int getWidth();
    virtual int getHeight();
    virtual void setSize(int width, int height);

private:
    int width;
    int height;
};

} // namespace QXSDK
