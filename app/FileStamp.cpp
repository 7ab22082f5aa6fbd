#include "app/FileStamp.h"

#include <windows.h>

namespace {

// ANSI paths longer than this name no file on Windows; Wine would wrap the
// length of a much longer one around and reach another file.
const int kLongestAnsiPath = MAX_PATH;

} // namespace

FileStamp::FileStamp() = default;

FileStamp::FileStamp(const QXSDK::QXString& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!path.getData() || path.getLength() >= kLongestAnsiPath ||
        !GetFileAttributesExA(path.getData(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return;
    file = true;
    sizeHigh = data.nFileSizeHigh;
    sizeLow = data.nFileSizeLow;
    writtenHigh = data.ftLastWriteTime.dwHighDateTime;
    writtenLow = data.ftLastWriteTime.dwLowDateTime;
}

bool FileStamp::sameAs(const FileStamp& other) const
{
    return file && other.file && sizeHigh == other.sizeHigh && sizeLow == other.sizeLow &&
           writtenHigh == other.writtenHigh && writtenLow == other.writtenLow;
}
