#include "qxsdk/graphics/QXSize.h"

namespace QXSDK {

QXSize::QXSize() : QXObject(), width(0), height(0)
{
    appendTypeName("QXSize");
}

QXSize::QXSize(const QXSize& other) : QXObject(), width(other.width), height(other.height)
{
    appendTypeName("QXSize");
}

QXSize::QXSize(int w, int h) : QXObject(), width(w), height(h)
{
    appendTypeName("QXSize");
}

int QXSize::getWidth() { return width; }
int QXSize::getHeight() { return height; }

void QXSize::setSize(int w, int h)
{
    width = w;
    height = h;
}

} // namespace QXSDK
