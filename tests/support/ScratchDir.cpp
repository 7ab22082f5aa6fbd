#include "tests/support/ScratchDir.h"

#include <windows.h>

#include <atomic>
#include <cstdio>
#include <stdexcept>

namespace testsupport {

namespace {

const char kScratchRoot[] = "C:\\vexlo-tests";

std::atomic<unsigned> scratchCounter{0};

} // namespace

ScratchDir::ScratchDir()
{
    // Tests run in parallel, and the last one to finish removes the shared
    // root: another test may take it away between our two creations, so a
    // missing root is made again. A name left by an earlier process with the
    // same id just moves on to the next counter value.
    for (int attempt = 0; attempt < 100; ++attempt) {
        CreateDirectoryA(kScratchRoot, nullptr);
        char name[64];
        std::snprintf(name, sizeof name, "\\t%lu-%u-%lu", GetCurrentProcessId(),
                      scratchCounter++, GetTickCount());
        root = std::string(kScratchRoot) + name;
        if (CreateDirectoryA(root.c_str(), nullptr)) return;
        Sleep(1);
    }
    throw std::runtime_error("cannot create scratch directory " + root);
}

ScratchDir::~ScratchDir()
{
    removeTree(root);
    RemoveDirectoryA(kScratchRoot); // only succeeds when no other test uses it
}

void ScratchDir::writeFile(const std::string& fullPath, const std::string& bytes)
{
    HANDLE h = CreateFileA(fullPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot write " + fullPath);
    DWORD written = 0;
    WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(h);
}

void ScratchDir::makeDir(const std::string& fullPath)
{
    if (!CreateDirectoryA(fullPath.c_str(), nullptr))
        throw std::runtime_error("cannot create " + fullPath);
}

bool ScratchDir::exists(const std::string& fullPath)
{
    return GetFileAttributesA(fullPath.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void ScratchDir::removeTree(const std::string& fullPath)
{
    const DWORD attributes = GetFileAttributesA(fullPath.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return;
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        SetFileAttributesA(fullPath.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(fullPath.c_str());
        return;
    }
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((fullPath + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name != "." && name != "..") removeTree(fullPath + "\\" + name);
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    SetFileAttributesA(fullPath.c_str(), FILE_ATTRIBUTE_DIRECTORY);
    RemoveDirectoryA(fullPath.c_str());
}

std::string testBinDir()
{
    char name[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, name, MAX_PATH);
    std::string full = name;
    return full.substr(0, full.find_last_of('\\'));
}

std::string tempDir()
{
    char buffer[MAX_PATH + 1] = {};
    GetTempPathA(sizeof buffer, buffer);
    return buffer;
}

std::string shortPath(const std::string& path)
{
    char buffer[1024] = {};
    const DWORD length = GetShortPathNameA(path.c_str(), buffer, sizeof buffer);
    return length > 0 && length < sizeof buffer ? buffer : "";
}

std::string systemFolderFile(const std::string& name)
{
    char folder[MAX_PATH] = {};
    GetSystemDirectoryA(folder, MAX_PATH);
    return std::string(folder) + "\\" + name;
}

} // namespace testsupport
