#include "qxsdk/graphics/QXImage.h"

#include <cstring>
#include <new>

namespace QXSDK {

QXImage::QXImage(int w, int h, int format) : QXObject(), IQXImageSource(), width(0), height(0), pixelFormat(format)
{
    appendTypeName("QXImage");
    const int bpp = bytesPerPixel(format);
    if (bpp == 0 || w <= 0 || h <= 0) return;
    if (pixels.allocate(w * h * bpp, w * h)) {
        width = w;
        height = h;
    }
}

QXImage::~QXImage()
{
}

int QXImage::getWidth() { return width; }
int QXImage::getHeight() { return height; }
int QXImage::getPixelFormat() { return pixelFormat; }

unsigned char* QXImage::pixelAt(int x, int y)
{
    if (x < 0 || y < 0 || x >= width || y >= height) return nullptr;
    return pixels.getBytes((y * width + x) * bytesPerPixel(pixelFormat));
}

IQXPixelBuffer* QXImage::getRegion(int x1, int y1, int x2, int y2)
{
    if (x1 < 0 || y1 < 0 || x2 > width || y2 > height || x1 >= x2 || y1 >= y2) return nullptr;
    const int bpp = bytesPerPixel(pixelFormat);
    const int rowBytes = (x2 - x1) * bpp;
    QXPixelBuffer* region = new (std::nothrow) QXPixelBuffer();
    if (!region) return nullptr;
    region->retain();
    if (!region->allocate(rowBytes * (y2 - y1), (x2 - x1) * (y2 - y1))) {
        region->release();
        return nullptr;
    }
    for (int y = y1; y < y2; ++y)
        std::memcpy(region->getBytes((y - y1) * rowBytes), pixelAt(x1, y), static_cast<size_t>(rowBytes));
    return region;
}

} // namespace QXSDK
