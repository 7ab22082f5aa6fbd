#pragma once

#include "qxsdk/core/QXObject.h"
#include "qxsdk/graphics/IQXPixelBuffer.h"

namespace QXSDK {

// An image the drawing surface can draw: its size, its pixel format and
// rectangular regions of its pixels.
class IQXImageSource : public virtual QXObject {
public:
    // Pixel formats: bytes per pixel and their order in the source.
    static constexpr int kFormatRGB = 1003;  // red, green, blue
    static constexpr int kFormatARGB = 1004; // alpha, red, green, blue
    static constexpr int kFormatBGR = 1005;  // blue, green, red
    static constexpr int kFormatBGRA = 1007; // blue, green, red, alpha

    IQXImageSource();
    ~IQXImageSource() override;

    virtual int getWidth() = 0;
    virtual int getHeight() = 0;
    virtual int getPixelFormat() = 0;
    // A new buffer (retained once; the caller releases it) holding the pixels
    // of columns x1..x2-1 and rows y1..y2-1, rows tightly packed top-down;
    // null for a region outside the image.
    virtual IQXPixelBuffer* getRegion(int x1, int y1, int x2, int y2) = 0;
    // The whole image as one buffer (retained once), rows top-down.
    virtual IQXPixelBuffer* getPixels();
};

// Bytes per pixel of a format, 0 for an unknown one.
int bytesPerPixel(int pixelFormat);

} // namespace QXSDK
