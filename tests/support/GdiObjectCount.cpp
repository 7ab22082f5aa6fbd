#include "tests/support/GdiObjectCount.h"

#include <windows.h>
#include <winternl.h>

#include <vector>

namespace testsupport {

namespace {

// 64-bit layout of the table: 65,536 entries of 24 bytes; the owner's
// process id (0 in Wine, whose table is per process) at byte 8 and the
// object type (0 for a free entry) at byte 14.
const size_t kTableOffsetInPeb = 0xF8;
const int kEntries = 0x10000;
const size_t kEntrySize = 24;
const size_t kOwnerOffset = 8;
const size_t kTypeOffset = 14;

// The address of a process's environment block, asked of ntdll.
const char* processEnvironmentBlock(HANDLE process)
{
    using Query = LONG(WINAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    Query query = ntdll ? reinterpret_cast<Query>(reinterpret_cast<void*>(GetProcAddress(ntdll, "NtQueryInformationProcess")))
                        : nullptr;
    PROCESS_BASIC_INFORMATION basic = {};
    if (!query || query(process, ProcessBasicInformation, &basic, sizeof basic, nullptr) != 0) return nullptr;
    return reinterpret_cast<const char*>(basic.PebBaseAddress);
}

int countLive(const unsigned char* table, DWORD processId)
{
    const USHORT owner = static_cast<USHORT>(processId & 0xFFFF);
    int live = 0;
    for (int i = 0; i < kEntries; ++i) {
        const unsigned char* entry = table + i * kEntrySize;
        const USHORT entryOwner = *reinterpret_cast<const USHORT*>(entry + kOwnerOffset);
        if (entry[kTypeOffset] != 0 && (entryOwner == 0 || entryOwner == owner)) ++live;
    }
    return live;
}

} // namespace

int liveGdiObjects()
{
    const char* peb = processEnvironmentBlock(GetCurrentProcess());
    if (!peb) return -1;
    const unsigned char* table = *reinterpret_cast<const unsigned char* const*>(peb + kTableOffsetInPeb);
    if (!table) return -1;
    return countLive(table, GetCurrentProcessId());
}

int liveGdiObjects(HANDLE process)
{
    const char* peb = processEnvironmentBlock(process);
    const unsigned char* table = nullptr;
    if (!peb || !ReadProcessMemory(process, peb + kTableOffsetInPeb, &table, sizeof table, nullptr) || !table)
        return -1;
    std::vector<unsigned char> copy(kEntries * kEntrySize);
    if (!ReadProcessMemory(process, table, copy.data(), copy.size(), nullptr)) return -1;
    return countLive(copy.data(), GetProcessId(process));
}

} // namespace testsupport
