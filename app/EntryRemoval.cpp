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

} // namespace

bool removePath(const QXString& path)
{
    if (path.getLength() > kLongestPath) return false;
    const char* text = path.getData() ? path.getData() : "";
    if (QXFile(path).isDirectory()) return RemoveDirectoryA(text) != 0;
    return std::remove(text) == 0;
}

bool removeEntry(const QXString& entry)
{
    if (entry.getLength() > kLongestPath) return false;
    if (removePath(entry)) return true;
    // A directory that cannot be removed stays: there is no fallback for it.
    return QXFile(entry).isFile() && moveAsideForRestart(entry.getData());
}
