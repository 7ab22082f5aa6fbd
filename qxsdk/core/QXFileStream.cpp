#include "qxsdk/core/QXFileStream.h"

#include "qxsdk/core/QXFile.h"

#include <share.h>

#include <new>

namespace QXSDK {

QXFileStream::QXFileStream()
    : QXObject(), IQXIOStream(), handle(nullptr), path(""), modeText("rb+"), errorCode(0)
{
    appendTypeName("QXFileStream");
}

QXFileStream::~QXFileStream()
{
    if (handle) std::fclose(handle);
}

bool QXFileStream::beginFileOperation()
{
    errorCode = 0;
    if (handle) return true;
    errorCode = kNotOpen;
    return false;
}

void QXFileStream::setPath(const char* newPath)
{
    path = newPath ? newPath : "";
}

void QXFileStream::setPath(QXString newPath)
{
    path = newPath;
}

int QXFileStream::open(const char* newPath, int newMode)
{
    setPath(newPath);
    setMode(newMode);
    return open();
}

int QXFileStream::open(QXString newPath, int newMode)
{
    setPath(newPath);
    setMode(newMode);
    return open();
}

void QXFileStream::setMode(int newMode)
{
    mode = newMode;
    switch (newMode) {
    case kModeRead: modeText = "rb"; break;
    case kModeWrite: modeText = "wb"; break;
    case kModeAppend: modeText = "ab+"; break;
    default: modeText = "rb+"; break;
    }
}

int QXFileStream::open()
{
    if (handle) {
        std::fclose(handle);
        handle = nullptr;
    }
    errorCode = 0;
    handle = _fsopen(path.getData() ? path.getData() : "", modeText.getData(), _SH_DENYNO);
    if (!handle) {
        errorCode = kOpenFailed;
        return 0;
    }
    return 1;
}

int QXFileStream::close()
{
    if (!beginFileOperation()) return 0;
    std::fclose(handle);
    handle = nullptr;
    return 1;
}

int QXFileStream::available()
{
    if (!beginFileOperation()) return -1;
    // The size comes from the file system, not from the stream's buffer.
    QXFile file(path);
    const int size = file.length();
    const int left = size - static_cast<int>(std::ftell(handle));
    return left == 0 ? -1 : left;
}

int QXFileStream::read(void* buffer, int count)
{
    if (!beginFileOperation()) return -1;
    if (count <= 0 || !buffer) return 0;
    return static_cast<int>(std::fread(buffer, 1, static_cast<size_t>(count), handle));
}

int QXFileStream::write(const void* buffer, int count)
{
    if (!beginFileOperation()) return -1;
    if (count <= 0 || !buffer) return 0;
    return static_cast<int>(std::fwrite(buffer, 1, static_cast<size_t>(count), handle));
}

int QXFileStream::seek(int offset, int origin)
{
    if (!beginFileOperation()) return 0;
    const int whence = origin == 0 ? SEEK_SET : origin == 2 ? SEEK_END : SEEK_CUR;
    if (std::fseek(handle, offset, whence) != 0) {
        errorCode = kSeekFailed;
        return 0;
    }
    return 1;
}

int QXFileStream::tell()
{
    if (!beginFileOperation()) return -1;
    return static_cast<int>(std::ftell(handle));
}

int QXFileStream::flush()
{
    if (!beginFileOperation()) return 0;
    if (std::fflush(handle) != 0) {
        errorCode = kWriteFailed;
        return 0;
    }
    return 1;
}

unsigned int QXFileStream::getErrorCode()
{
    return errorCode;
}

const char* QXFileStream::getErrorMessage(int code)
{
    const char* text;
    switch (static_cast<unsigned int>(code)) {
    case kOpenFailed: text = "Open file fail"; break;
    case kNotOpen: text = "File is not openned"; break;
    case kNoLength: text = "Can not get file length"; break;
    case kReadFailed: text = "Read file data fail"; break;
    case kWriteFailed: text = "Write file data fail"; break;
    case kSeekFailed: text = "File seek fail"; break;
    default: text = "Success"; break;
    }
    errorMessage = text;
    return errorMessage.getData();
}

QXObject* QXFileStream::clone()
{
    QXFileStream* copy = new (std::nothrow) QXFileStream();
    if (!copy) return nullptr;
    copy->retain();
    copy->setPath(path);
    copy->setMode(mode);
    return copy;
}

} // namespace QXSDK
