#include "app/EntryRemoval.h"

#include "qxsdk/core/QXFile.h"

#include <cstdio>
#include <cstring>

using QXSDK::QXFile;
using QXSDK::QXString;

namespace {

const char kTempPrefix[] = "del";
// The longest path Windows accepts, in characters. Longer entries name no
// file; some layers (Wine's among them) would wrap their length around and
// reach a different, shorter path.
const int kLongestPath = 32767;

// Moves a file that could not be deleted out of its directory and asks Windows
// to delete it at the next restart; answers whether it left its directory.
bool moveAsideForRestart(const char* path)
{
    char tempDir[MAX_PATH];
    char tempName[MAX_PATH];
    std::memset(tempDir, 0, sizeof tempDir);
    std::memset(tempName, 0, sizeof tempName);
    GetTempPathA(MAX_PATH, tempDir);
    // Creates an empty placeholder with a unique name that the move replaces.
    if (!GetTempFileNameA(tempDir, kTempPrefix, 0, tempName)) return false;
    if (!MoveFileExA(path, tempName, MOVEFILE_REPLACE_EXISTING)) {
        // The file stays where it is (held open without delete sharing, or the
        // temporary directory is on another volume): leave no junk behind.
        DeleteFileA(tempName);
        return false;
    }
    MoveFileExA(tempName, nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
    return true;
}

// Clears the read-only attribute of a file (not of a directory, where it
// means something else to Explorer); answers whether there was one.
bool clearReadOnly(const char* path)
{
    const DWORD attributes = GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) ||
        !(attributes & FILE_ATTRIBUTE_READONLY))
        return false;
    return SetFileAttributesA(path, attributes & ~FILE_ATTRIBUTE_READONLY) != 0;
}

} // namespace

bool removePath(const QXString& path)
{
    if (path.getLength() > kLongestPath) return false;
    const char* text = path.getData() ? path.getData() : "";
    if (QXFile(path).isDirectory()) return RemoveDirectoryA(text) != 0;
    if (std::remove(text) == 0) return true;
    // The installer may have left it read-only. The attribute stays cleared
    // when the file still cannot go, so that its deletion at restart can
    // succeed (Windows' own, and Wine's, leave read-only files in place).
    return clearReadOnly(text) && std::remove(text) == 0;
}

bool removeEntry(const QXString& entry)
{
    if (entry.getLength() > kLongestPath) return false;
    if (removePath(entry)) return true;
    // A directory that cannot be removed stays: the run tries it again later.
    if (!QXFile(entry).isFile()) return false;
    if (moveAsideForRestart(entry.getData())) return true;
    deleteAtNextRestart(entry);
    return false;
}

void deleteAtNextRestart(const QXString& path)
{
    if (path.getData() && path.getLength() <= kLongestPath)
        MoveFileExA(path.getData(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
}
