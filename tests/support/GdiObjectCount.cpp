#include "tests/support/GdiObjectCount.h"

#include <windows.h>
#include <winternl.h>

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


// The process environment block, asked of ntdll.
const char* processEnvironmentBlock()
{
    using Query = LONG(WINAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    Query query = ntdll ? reinterpret_cast<Query>(reinterpret_cast<void*>(GetProcAddress(ntdll, "NtQueryInformationProcess")))
                        : nullptr;
    PROCESS_BASIC_INFORMATION basic = {};
    if (!query || query(GetCurrentProcess(), ProcessBasicInformation, &basic, sizeof basic, nullptr) != 0) return nullptr;
    return reinterpret_cast<const char*>(basic.PebBaseAddress);
}

} // namespace

int liveGdiObjects()
{
    const char* peb = processEnvironmentBlock();
    if (!peb) return -1;
    const unsigned char* table = *reinterpret_cast<const unsigned char* const*>(peb + kTableOffsetInPeb);
    if (!table) return -1;
    const USHORT self = static_cast<USHORT>(GetCurrentProcessId() & 0xFFFF);
    int live = 0;
    for (int i = 0; i < kEntries; ++i) {
        const unsigned char* entry = table + i * kEntrySize;
        const USHORT owner = *reinterpret_cast<const USHORT*>(entry + kOwnerOffset);
        if (entry[kTypeOffset] != 0 && (owner == 0 || owner == self)) ++live;
    }
    return live;
}

} // namespace testsupport
