#include "qxsdk/core/QXObject.h"

#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <new>

namespace QXSDK {

namespace {

// Spin count 1024 with the high bit asking Windows to pre-allocate the wait
// event, so that entering the lock cannot fail under low memory later.
const DWORD kLockSpinCount = 0x80000400;
const DWORD kLockPollMs = 100;

// Type-name chains are shared: a program has a few dozen of them, and objects
// by the million (every string is one). Each chain is made once, kept for the
// life of the process, and found again from its parent chain and the text of
// the name appended to it (never its address: a name may come from a buffer
// that holds another text later), so constructing an object allocates
// nothing for its name. Chains are only ever added, at the head of their
// parent's list, so finding one needs no lock.
struct TypeChain {
    const char* name;                     // a copy of the name
    std::atomic<TypeChain*> firstChild;   // chains made by appending to this one
    TypeChain* nextSibling;               // fixed before the chain is published
    char text[1];                         // the whole dotted chain, allocated to fit
};

// The root chain "QXObject" and the lock that serialises additions.
struct TypeChainTree {
    TypeChainTree()
    {
        InitializeCriticalSection(&lock);
        root = make(nullptr, "QXObject");
    }

    // A new chain: parent's text (when there is one), ".", name; null when
    // memory is short.
    static TypeChain* make(const TypeChain* parent, const char* name)
    {
        const size_t parentLength = parent ? std::strlen(parent->text) : 0;
        const size_t nameLength = std::strlen(name);
        const size_t textLength = parent ? parentLength + 1 + nameLength : nameLength;
        void* memory = std::malloc(sizeof(TypeChain) + textLength + nameLength + 1);
        if (!memory) return nullptr;
        TypeChain* chain = new (memory) TypeChain;
        char* text = chain->text;
        if (parent) {
            std::memcpy(text, parent->text, parentLength);
            text[parentLength] = '.';
            std::memcpy(text + parentLength + 1, name, nameLength + 1);
        } else {
            std::memcpy(text, name, nameLength + 1);
        }
        char* nameCopy = text + textLength + 1;
        std::memcpy(nameCopy, name, nameLength + 1);
        chain->name = nameCopy;
        chain->firstChild.store(nullptr, std::memory_order_relaxed);
        chain->nextSibling = nullptr;
        return chain;
    }

    // The chain of parent followed by name, made on first use.
    TypeChain* extend(TypeChain* parent, const char* name)
    {
        for (TypeChain* c = parent->firstChild.load(std::memory_order_acquire); c; c = c->nextSibling)
            if (std::strcmp(c->name, name) == 0) return c;
        EnterCriticalSection(&lock);
        TypeChain* child = parent->firstChild.load(std::memory_order_acquire);
        while (child && std::strcmp(child->name, name) != 0) child = child->nextSibling;
        if (!child) {
            child = make(parent, name);
            if (child) {
                child->nextSibling = parent->firstChild.load(std::memory_order_relaxed);
                parent->firstChild.store(child, std::memory_order_release);
            }
        }
        LeaveCriticalSection(&lock);
        return child;
    }

    CRITICAL_SECTION lock;
    TypeChain* root;
};

// Never destroyed: objects with static storage may outlive any destructor.
// Null only when memory ran out at the first construction.
TypeChainTree* typeChains()
{
    static TypeChainTree* tree = new (std::nothrow) TypeChainTree();
    return tree;
}

const char* rootTypeName()
{
    TypeChainTree* tree = typeChains();
    return tree && tree->root ? tree->root->text : nullptr;
}

TypeChain* chainOf(const char* text)
{
    return reinterpret_cast<TypeChain*>(const_cast<char*>(text) - offsetof(TypeChain, text));
}

} // namespace

QXObject::QXObject()
    : refCount(0), typeName(rootTypeName()), refLockReady(0), objectLockReady(0)
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
    if (!name || !typeName) return;
    const TypeChain* chain = typeChains()->extend(chainOf(typeName), name);
    if (chain) typeName = chain->text;
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
    if (platform == 0 || platform == 3) return kOSWin32sOrCE;
    if (major == 4 && minor == 90) return kOSWindowsMe;
    if (major == 4 && minor == 10) return kOSWindows98;
    if (major == 4 && minor == 0 && platform == 1) return kOSWindows95;
    if (major == 4 && minor == 0 && platform == 2) return kOSWindowsNT4;
    if (major == 5 && minor == 0) return kOSWindows2000;
    if (major == 5 && minor == 1) return kOSWindowsXP;
    if (major == 5 && minor == 2) return kOSWindowsServer2003;
    if (major == 6 && minor == 0)
        return info.wProductType == VER_NT_WORKSTATION ? kOSWindowsVista : kOSWindowsServer2008;
    if (major == 6 && minor == 1) return kOSWindows7;
    return 0;
}

} // namespace QXSDK
