#include "qxsdk/graphics/IQXImageSource.h"

namespace QXSDK {

IQXPixelBuffer::IQXPixelBuffer() : QXObject()
{
    appendTypeName("IQXPixelBuffer");
}

IQXPixelBuffer::~IQXPixelBuffer()
{
}

IQXImageSource::IQXImageSource() : QXObject()
{
    appendTypeName("IQXImageSource");
}

IQXImageSource::~IQXImageSource()
{
}

IQXPixelBuffer* IQXImageSource::getPixels()
{
    return getRegion(0, 0, getWidth(), getHeight());
}

int bytesPerPixel(int pixelFormat)
{
    switch (pixelFormat) {
    case IQXImageSource::kFormatRGB:
    case IQXImageSource::kFormatBGR: return 3;
    case IQXImageSource::kFormatARGB:
    case IQXImageSource::kFormatBGRA: return 4;
    default: return 0;
    }
}

} // namespace QXSDK
