#include "qxsdk/core/QXObject.h"

#include <cstdlib>
#include <cstring>

namespace QXSDK {

namespace {

// Spin count 1024 with the high bit asking Windows to pre-allocate the wait
// event, so that entering the lock cannot fail under low memory later.
const DWORD kLockSpinCount = 0x80000400;
const DWORD kLockPollMs = 100;
const char kRootTypeName[] = "QXObject";

char* newRootTypeName()
{
    char* name = static_cast<char*>(std::malloc(sizeof kRootTypeName));
    if (name) std::memcpy(name, kRootTypeName, sizeof kRootTypeName);
    return name;
}

} // namespace

QXObject::QXObject()
    : refCount(0), typeName(newRootTypeName()), refLockReady(0), objectLockReady(0)
{
}

QXObject::QXObject(const QXObject&)
    : QXObject()
{
}

QXObject& QXObject::operator=(const QXObject&)
{
    // Identity (count, chain, locks) belongs to the object, not to its value.
    return *this;
}

QXObject::~QXObject()
{
    std::free(typeName);
    if (refLockReady) DeleteCriticalSection(&refLock);
    if (objectLockReady) DeleteCriticalSection(&objectLock);
}

void QXObject::ensureRefLock()
{
    if (!refLockReady) {
        refLockReady = 1;
        InitializeCriticalSectionAndSpinCount(&refLock, kLockSpinCount);
    }
}

void QXObject::ensureObjectLock()
{
    if (!objectLockReady) {
        objectLockReady = 1;
        InitializeCriticalSectionAndSpinCount(&objectLock, kLockSpinCount);
    }
}

int QXObject::retain()
{
    ensureRefLock();
    EnterCriticalSection(&refLock);
    ++refCount;
    LeaveCriticalSection(&refLock);
    return refCount;
}

int QXObject::release()
{
    if (!refLockReady) return 0;
    EnterCriticalSection(&refLock);
    if (refCount == 0) {
        LeaveCriticalSection(&refLock);
        return 0;
    }
    int count = --refCount;
    LeaveCriticalSection(&refLock);
    if (count == 0) {
        delete this;
        return 0;
    }
    return count;
}

unsigned int QXObject::getErrorCode()
{
    return 0;
}

const char* QXObject::getErrorMessage(int)
{
    return nullptr;
}

const char* QXObject::getTypeName()
{
    return typeName;
}

int QXObject::lock(unsigned int timeoutMs)
{
    ensureObjectLock();
    if (timeoutMs == kWaitForever) {
        EnterCriticalSection(&objectLock);
        return 1;
    }
    const DWORD start = GetTickCount();
    for (;;) {
        if (TryEnterCriticalSection(&objectLock)) return 1;
        if (timeoutMs == 0) return 0;
        // Unsigned subtraction stays right across the 49-day wrap of the tick count.
        if (static_cast<DWORD>(GetTickCount() - start) >= timeoutMs) return 0;
        Sleep(kLockPollMs);
    }
}

void QXObject::unlock()
{
    if (objectLockReady) LeaveCriticalSection(&objectLock);
}

QXObject* QXObject::clone()
{
    return nullptr;
}

void QXObject::appendTypeName(const char* name)
{
    if (!name) return;
    const size_t oldLength = typeName ? std::strlen(typeName) : 0;
    const size_t nameLength = std::strlen(name);
    char* chain = static_cast<char*>(std::malloc(oldLength + nameLength + 2));
    if (!chain) return;
    if (typeName) std::memcpy(chain, typeName, oldLength);
    chain[oldLength] = '.';
    std::memcpy(chain + oldLength + 1, name, nameLength + 1);
    std::free(typeName);
    typeName = chain;
}

int getOSVersionCode()
{
    OSVERSIONINFOEXA info;
    std::memset(&info, 0, sizeof info);
    info.dwOSVersionInfoSize = sizeof info;
    if (!GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info))) return 0;

    const DWORD platform = info.dwPlatformId;
    const DWORD major = info.dwMajorVersion;
    const DWORD minor = info.dwMinorVersion;
    if (platform == 0 || platform == 3) return 1;
    if (major == 4 && minor == 90) return 16;
    if (major == 4 && minor == 10) return 8;
    if (major == 4 && minor == 0 && platform == 1) return 4;
    if (major == 4 && minor == 0 && platform == 2) return 32;
    if (major == 5 && minor == 0) return 64;
    if (major == 5 && minor == 1) return 128;
    if (major == 5 && minor == 2) return 2048;
    if (major == 6 && minor == 0) return info.wProductType == VER_NT_WORKSTATION ? 256 : 512;
    if (major == 6 && minor == 1) return 1024;
    return 0;
}

} // namespace QXSDK
