#include "app/FileIdentity.h"

#include "qxsdk/core/ScopedWin32.h"

#include <windows.h>

namespace {

// ANSI paths longer than this name no file on Windows; Wine would wrap the
// length of a much longer one around and reach another file.
const int kLongestAnsiPath = MAX_PATH;

} // namespace

FileIdentity::FileIdentity() = default;

FileIdentity::FileIdentity(const QXSDK::QXString& path)
{
    if (path.getData() && path.getLength() < kLongestAnsiPath) identify(path.getData());
}

bool FileIdentity::sameAs(const FileIdentity& other) const
{
    return known && other.known && volume == other.volume && indexHigh == other.indexHigh &&
           indexLow == other.indexLow;
}

bool FileIdentity::isNamedBy(const QXSDK::QXString& path) const
{
    return known && isNamedBy(path, FileStamp(path));
}

bool FileIdentity::isNamedBy(const QXSDK::QXString& path, const FileStamp& pathStamp) const
{
    return known && stamp.sameAs(pathStamp) && sameAs(FileIdentity(path));
}

bool FileIdentity::identify(const char* path)
{
    known = false;
    // No access asked for, and all sharing allowed: this opens files in use
    // without disturbing their users.
    HANDLE opened = CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    QXSDK::KernelHandle file(opened == INVALID_HANDLE_VALUE ? nullptr : opened);
    BY_HANDLE_FILE_INFORMATION information;
    if (!file || !GetFileInformationByHandle(file.get(), &information) ||
        (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    stamp = FileStamp(QXSDK::QXString(path));
    volume = information.dwVolumeSerialNumber;
    indexHigh = information.nFileIndexHigh;
    indexLow = information.nFileIndexLow;
    known = true;
    return true;
}
