#pragma once

#include "qxsdk/graphics/IQXPixelBuffer.h"

namespace QXSDK {

// Pixel bytes on the heap.
class QXPixelBuffer : public virtual IQXPixelBuffer {
public:
    QXPixelBuffer();
    ~QXPixelBuffer() override;
    QXPixelBuffer(const QXPixelBuffer&) = delete;
    QXPixelBuffer& operator=(const QXPixelBuffer&) = delete;

    unsigned char* getBytes(int offset) override;
    int allocate(int byteCount, int pixelCount) override;

    int getByteCount() const { return byteCount; }
    int getPixelCount() const { return pixelCount; }

private:
    unsigned char* bytes;
    int byteCount;
    int pixelCount;
};

} // namespace QXSDK
