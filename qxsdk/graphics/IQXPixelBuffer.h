#pragma once

#include "qxsdk/core/QXObject.h"

namespace QXSDK {

// A block of pixel bytes: the region an image hands to the drawing surface,
// or the target of a capture.
class IQXPixelBuffer : public virtual QXObject {
public:
    IQXPixelBuffer();
    ~IQXPixelBuffer() override;

    // Pointer to the byte at offset, null outside the data.
    virtual unsigned char* getBytes(int offset) = 0;
    // Replaces the data by byteCount zeroed bytes holding pixelCount pixels;
    // nonzero on success.
    virtual int allocate(int byteCount, int pixelCount) = 0;
};

} // namespace QXSDK
