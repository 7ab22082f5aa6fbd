#include "tests/support/RestartList.h"

#include "tests/support/ChildProcess.h"
#include "tests/support/ScratchDir.h"

#include <windows.h>

namespace testsupport {

namespace {

const char kSessionManager[] = "System\\CurrentControlSet\\Control\\Session Manager";
const char kPendingValue[] = "PendingFileRenameOperations";
const char kNtPrefix[] = "\\??\\";

// The value as a list of strings, empty ones included (pairs of source and
// destination, the destination empty for a deletion).
std::vector<std::string> readPendingPairs()
{
    std::vector<std::string> strings;
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSessionManager, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return strings;
    DWORD type = 0, size = 0;
    if (RegQueryValueExA(key, kPendingValue, nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
        size > 0) {
        std::string raw(size, '\0');
        RegQueryValueExA(key, kPendingValue, nullptr, &type, reinterpret_cast<BYTE*>(&raw[0]), &size);
        raw.resize(size);
        // Pairs: each source is followed by its (possibly empty) destination.
        size_t pos = 0;
        while (pos < raw.size()) {
            const size_t end = raw.find('\0', pos);
            if (end == std::string::npos) break;
            strings.push_back(raw.substr(pos, end - pos));
            pos = end + 1;
            if (strings.size() % 2 == 0 && pos < raw.size() && raw[pos] == '\0') break;
        }
    }
    RegCloseKey(key);
    return strings;
}

std::string stripNtPrefix(const std::string& path)
{
    return path.compare(0, 4, kNtPrefix) == 0 ? path.substr(4) : path;
}

} // namespace

std::vector<std::string> pendingDeletions()
{
    std::vector<std::string> sources;
    const std::vector<std::string> strings = readPendingPairs();
    for (size_t i = 0; i + 1 < strings.size(); i += 2)
        if (strings[i + 1].empty()) sources.push_back(stripNtPrefix(strings[i]));
    return sources;
}

void forgetPendingDeletion(const std::string& path)
{
    const std::vector<std::string> strings = readPendingPairs();
    std::string kept;
    for (size_t i = 0; i + 1 < strings.size(); i += 2) {
        if (strings[i + 1].empty() && _stricmp(stripNtPrefix(strings[i]).c_str(), path.c_str()) == 0)
            continue;
        kept += strings[i];
        kept += '\0';
        kept += strings[i + 1];
        kept += '\0';
    }
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSessionManager, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
        return;
    if (kept.empty()) {
        RegDeleteValueA(key, kPendingValue);
    } else {
        kept += '\0';
        RegSetValueExA(key, kPendingValue, 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(kept.data()),
                       static_cast<DWORD>(kept.size()));
    }
    RegCloseKey(key);
}

long restartWindows()
{
    return runProgram("\"" + systemFolderFile("wineboot.exe") + "\" -r");
}

std::set<std::string> parkedFiles()
{
    std::set<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((tempDir() + "del*.tmp").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do names.insert(tempDir() + found.cFileName);
    while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

void unpark(const std::string& path)
{
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path.c_str());
    forgetPendingDeletion(path);
}

} // namespace testsupport
