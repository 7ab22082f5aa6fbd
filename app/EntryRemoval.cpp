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

// Whether path names a file this program may touch: a full path that
// Windows accepts.
bool namesAFile(const QXString& path)
{
    return isFullPath(path) && path.getLength() <= kLongestPath;
}

// Moves a file that could not be deleted out of its directory and asks Windows
// to delete it at the next restart; answers whether it left its directory.
bool moveAsideForRestart(const char* path)
{
    char tempDir[MAX_PATH];
    char tempName[MAX_PATH];
    std::memset(tempDir, 0, sizeof tempDir);
    std::memset(tempName, 0, sizeof tempName);
    // A temporary path that cannot be read (TMP longer than the buffer) is
    // no folder: an empty one would make GetTempFileNameA resolve the
    // placeholder against the current directory.
    const DWORD length = GetTempPathA(MAX_PATH, tempDir);
    if (length == 0 || length >= MAX_PATH) return false;
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

// Why a directory that RemoveDirectoryA refused stays.
EntryOutcome directoryStays(DWORD error)
{
    switch (error) {
    case ERROR_DIR_NOT_EMPTY: return EntryOutcome::kNotEmpty;
    case ERROR_ACCESS_DENIED: return EntryOutcome::kNoRight;
    default: return EntryOutcome::kInUse; // another process's current directory, among others
    }
}

} // namespace

bool isFullPath(const QXString& path)
{
    const char* text = path.getData();
    if (!text) return false;
    const char drive = text[0];
    const bool letter = (drive >= 'A' && drive <= 'Z') || (drive >= 'a' && drive <= 'z');
    return (letter && text[1] == ':' && text[2] == '\\') || (text[0] == '\\' && text[1] == '\\');
}

bool removePath(const QXString& path)
{
    if (!namesAFile(path)) return false;
    const char* text = path.getData();
    if (QXFile(path).isDirectory()) return RemoveDirectoryA(text) != 0;
    if (std::remove(text) == 0) return true;
    // The installer may have left it read-only. The attribute stays cleared
    // when the file still cannot go, so that its deletion at restart can
    // succeed (Windows' own, and Wine's, leave read-only files in place).
    return clearReadOnly(text) && std::remove(text) == 0;
}

EntryOutcome removeEntry(const QXString& entry)
{
    if (!namesAFile(entry)) return EntryOutcome::kNamesNoFile;
    QXFile file(entry);
    if (file.isDirectory())
        return RemoveDirectoryA(entry.getData()) ? EntryOutcome::kRemoved : directoryStays(GetLastError());
    if (!file.isFile()) return EntryOutcome::kAbsent;
    if (removePath(entry)) return EntryOutcome::kRemoved;
    const DWORD deleteError = GetLastError();
    if (!file.isFile()) return EntryOutcome::kRemoved; // gone meanwhile
    if (moveAsideForRestart(entry.getData())) return EntryOutcome::kMovedAside;
    if (deleteAtNextRestart(entry)) return EntryOutcome::kWaitsAtPath;
    return deleteError == ERROR_ACCESS_DENIED ? EntryOutcome::kNoRight : EntryOutcome::kInUse;
}

EntryOutcome removeDirectoryAtTheEnd(const QXString& directory)
{
    if (RemoveDirectoryA(directory.getData())) return EntryOutcome::kRemoved;
    const DWORD error = GetLastError();
    if (!QXFile(directory).isDirectory()) return EntryOutcome::kRemoved; // gone meanwhile
    if (!deleteAtNextRestart(directory)) return directoryStays(error);
    return error == ERROR_DIR_NOT_EMPTY ? EntryOutcome::kNotEmptyTillRestart : EntryOutcome::kWaitsAtPath;
}

bool staysAtItsPath(EntryOutcome outcome)
{
    switch (outcome) {
    case EntryOutcome::kWaitsAtPath:
    case EntryOutcome::kNotEmpty:
    case EntryOutcome::kInUse:
    case EntryOutcome::kNoRight: return true;
    default: return false;
    }
}

bool deleteAtNextRestart(const QXString& path)
{
    return namesAFile(path) && MoveFileExA(path.getData(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT) != 0;
}
