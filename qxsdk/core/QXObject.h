#pragma once

#include <windows.h>

namespace QXSDK {

// Root of every toolkit class. Every class derives from it virtually, so an
// object reached along several paths (a component that is also a listener)
// holds one reference count and one type-name chain.
//
// Ownership: an object is born with a reference count of 0. Whoever stores a
// pointer calls retain(); whoever drops it calls release(). The release that
// takes the count from 1 to 0 deletes the object. Objects that are never
// retained (members, stack values) are destroyed by their owner only.
class QXObject {
public:
    QXObject();
    // A copy is a new object: fresh count, fresh chain, no locks.
    QXObject(const QXObject& other);
    QXObject& operator=(const QXObject& other);

    // Deletes the locks that were initialised.
    virtual ~QXObject();
    // Adds one reference; answers the count read after the change.
    virtual int retain();
    // Drops one reference, deleting the object at zero; answers the new count.
    // An object that was never retained is never deleted here.
    virtual int release();
    // Code of the last input/output operation; 0 for classes without one.
    virtual unsigned int getErrorCode();
    // Fixed text for an error code; null for classes without error codes.
    virtual const char* getErrorMessage(int code);
    // The dotted chain of class names, root first ("QXObject.QXString").
    virtual const char* getTypeName();
    // Takes the object lock, waiting at most timeoutMs (0xFFFFFFFF: no limit);
    // answers 1 when taken, 0 on time-out.
    virtual int lock(unsigned int timeoutMs);
    // Leaves the object lock taken by lock().
    virtual void unlock();
    // A new object of the same class and contents, retained once; null when
    // the class does not support cloning.
    virtual QXObject* clone();

    static constexpr unsigned int kWaitForever = 0xFFFFFFFFu;

protected:
    // Appends "." and name to the type-name chain; called by every constructor.
    void appendTypeName(const char* name);

private:
    void ensureRefLock();
    void ensureObjectLock();

    int refCount;
    const char* typeName; // shared with every object of the same chain
    int refLockReady;
    int objectLockReady;
    CRITICAL_SECTION refLock;
    CRITICAL_SECTION objectLock;
};

// Adds a reference to object (when there is one) and answers it: the way a
// getter hands out an object that its caller must release.
template <typename T>
T* retained(T* object)
{
    if (object) object->retain();
    return object;
}

// Stores object (null allowed) in slot and retains it, releasing what slot
// held before. The new object is retained first, so that storing the one
// already held cannot free it.
template <typename T>
void assignRetained(T*& slot, T* object)
{
    if (object) object->retain();
    if (slot) slot->release();
    slot = object;
}

// Releases what slot holds and clears it.
template <typename T>
void releaseAndClear(T*& slot)
{
    if (slot) slot->release();
    slot = nullptr;
}

// Holds a reference for the length of a scope and releases it then: for a
// getter's result, or for a reference a call takes on what it is given.
template <typename T>
class Released {
public:
    explicit Released(T* object) : object(object) {}
    ~Released()
    {
        if (object) object->release();
    }
    Released(const Released&) = delete;
    Released& operator=(const Released&) = delete;

    T* get() const { return object; }
    T* operator->() const { return object; }
    explicit operator bool() const { return object != nullptr; }

private:
    T* object;
};

// The codes of getOSVersionCode, one bit per Windows version.
constexpr int kOSWin32sOrCE = 1;           // platform 0 (Win32s) or 3 (CE)
constexpr int kOSWindows95 = 4;            // 4.0 on platform 1
constexpr int kOSWindows98 = 8;            // 4.10
constexpr int kOSWindowsMe = 16;           // 4.90
constexpr int kOSWindowsNT4 = 32;          // 4.0 on platform 2
constexpr int kOSWindows2000 = 64;         // 5.0
constexpr int kOSWindowsXP = 128;          // 5.1
constexpr int kOSWindowsVista = 256;       // 6.0, workstation
constexpr int kOSWindowsServer2008 = 512;  // 6.0, server
constexpr int kOSWindows7 = 1024;          // 6.1, Windows 7 and Server 2008 R2
constexpr int kOSWindowsServer2003 = 2048; // 5.2

// The code of the running Windows version, 0 for one not listed above.
int getOSVersionCode();

} // namespace QXSDK
