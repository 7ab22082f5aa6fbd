#include "app/RunningProgram.h"

#include "qxsdk/core/ScopedWin32.h"

#include <windows.h>

namespace {

// ANSI paths longer than this name no file on Windows; Wine would wrap the
// length of a much longer one around and reach another file.
const int kLongestAnsiPath = MAX_PATH;

} // namespace

RunningProgram::RunningProgram()
{
    char path[MAX_PATH + 1] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    known = length > 0 && length < MAX_PATH && identify(path, self);
}

bool RunningProgram::isNamedBy(const QXSDK::QXString& path) const
{
    Identity other;
    return known && path.getData() && path.getLength() < kLongestAnsiPath && identify(path.getData(), other) &&
           other.volume == self.volume && other.indexHigh == self.indexHigh && other.indexLow == self.indexLow;
}

bool RunningProgram::identify(const char* path, Identity& identity)
{
    // No access asked for, and all sharing allowed: this opens files in use
    // without disturbing their users.
    HANDLE opened = CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    QXSDK::KernelHandle file(opened == INVALID_HANDLE_VALUE ? nullptr : opened);
    BY_HANDLE_FILE_INFORMATION information;
    if (!file || !GetFileInformationByHandle(file.get(), &information) ||
        (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    identity.volume = information.dwVolumeSerialNumber;
    identity.indexHigh = information.nFileIndexHigh;
    identity.indexLow = information.nFileIndexLow;
    return true;
}
