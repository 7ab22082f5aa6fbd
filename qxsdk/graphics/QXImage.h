#pragma once

#include "qxsdk/graphics/IQXImageSource.h"
#include "qxsdk/graphics/QXPixelBuffer.h"

namespace QXSDK {

// An image held in memory: width x height pixels of one pixel format, rows
// tightly packed top-down.
class QXImage : public virtual IQXImageSource {
public:
    // An image of the given size whose pixels are all zero bytes; an unknown
    // format or a non-positive size gives an empty (0 x 0) image.
    QXImage(int width, int height, int pixelFormat);
    ~QXImage() override;
    QXImage(const QXImage&) = delete;
    QXImage& operator=(const QXImage&) = delete;

    int getWidth() override;
    int getHeight() override;
    int getPixelFormat() override;
    IQXPixelBuffer* getRegion(int x1, int y1, int x2, int y2) override;

    // The bytes of pixel (x, y), null outside the image.
    unsigned char* pixelAt(int x, int y);

private:
    int width;
    int height;
    int pixelFormat;
    QXPixelBuffer pixels;
};

} // namespace QXSDK
