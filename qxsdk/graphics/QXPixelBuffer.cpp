#include "qxsdk/graphics/QXPixelBuffer.h"

#include <cstdlib>

namespace QXSDK {

QXPixelBuffer::QXPixelBuffer() : QXObject(), IQXPixelBuffer(), bytes(nullptr), byteCount(0), pixelCount(0)
{
    appendTypeName("QXPixelBuffer");
}

QXPixelBuffer::~QXPixelBuffer()
{
    std::free(bytes);
}

unsigned char* QXPixelBuffer::getBytes(int offset)
{
    if (!bytes || offset < 0 || offset >= byteCount) return nullptr;
    return bytes + offset;
}

int QXPixelBuffer::allocate(int bytesWanted, int pixels)
{
    if (bytesWanted <= 0) return 0;
    unsigned char* fresh = static_cast<unsigned char*>(std::calloc(static_cast<size_t>(bytesWanted), 1));
    if (!fresh) return 0;
    std::free(bytes);
    bytes = fresh;
    byteCount = bytesWanted;
    pixelCount = pixels;
    return 1;
}

} // namespace QXSDK
