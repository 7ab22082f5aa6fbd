#include "qxsdk/component/WindowClassRegistry.h"

#include "qxsdk/core/TQXMap.h"
#include "qxsdk/core/TQXVector.h"

#include <new>

namespace QXSDK {

namespace {

// A registered class: how many bindings use it, and the cursor and icons
// that the toolkit made for it (null where it has a shared system one).
struct ClassRecord {
    int users;
    HICON made[WindowClassRegistry::kShapeCount];

    void destroyShapes()
    {
        for (int shape = 0; shape < WindowClassRegistry::kShapeCount; ++shape) destroyShape(shape, made[shape]);
    }

    static void destroyShape(int shape, HICON handle)
    {
        if (!handle) return;
        if (shape == WindowClassRegistry::kCursor)
            DestroyCursor(handle);
        else
            DestroyIcon(handle);
    }
};

// The class-long index of each shape.
const int kShapeSlots[WindowClassRegistry::kShapeCount] = {GCLP_HCURSOR, GCLP_HICON, GCLP_HICONSM};

// The classes by name. Guarded by the map's own object lock.
TQXMap<QXString, ClassRecord*>& records()
{
    static TQXMap<QXString, ClassRecord*> registry;
    return registry;
}

// Classes whose last user let go while their last window was handling
// WM_DESTROY. Windows refuses to unregister a class while one of its windows
// exists, so they (and their shapes) are given back once that window is
// really gone.
struct RetiredClass {
    QXString name;
    HINSTANCE instance;
    ClassRecord* record;
};

TQXVector<void*>& retiredClasses()
{
    static TQXVector<void*> retired;
    return retired;
}

class RegistryLock {
public:
    RegistryLock() { records().lock(QXObject::kWaitForever); }
    ~RegistryLock() { records().unlock(); }
    RegistryLock(const RegistryLock&) = delete;
    RegistryLock& operator=(const RegistryLock&) = delete;
};

// Unregisters name and destroys its shapes, or keeps both for later while a
// window of the class still exists. Called under the lock; takes the record.
void unregisterClass(const QXString& name, HINSTANCE instance, ClassRecord* record)
{
    if (UnregisterClassA(name.getData(), instance) || GetLastError() != ERROR_CLASS_HAS_WINDOWS) {
        record->destroyShapes();
        delete record;
        return;
    }
    RetiredClass* retired = new (std::nothrow) RetiredClass{name, instance, record};
    if (retired && retiredClasses().append(retired)) return;
    // Without room to remember it, the class keeps its shapes for good.
    delete retired;
    delete record;
}

// Called under the lock.
void unregisterRetiredClasses()
{
    TQXVector<void*>& retired = retiredClasses();
    for (int i = 0; i < retired.getCount();) {
        RetiredClass* entry = static_cast<RetiredClass*>(retired.getAt(i));
        if (!UnregisterClassA(entry->name.getData(), entry->instance) && GetLastError() == ERROR_CLASS_HAS_WINDOWS) {
            ++i;
            continue;
        }
        retired.remove(entry);
        entry->record->destroyShapes();
        delete entry->record;
        delete entry;
    }
}

} // namespace

bool WindowClassRegistry::addUser(const QXString& name)
{
    RegistryLock lock;
    unregisterRetiredClasses();
    ClassRecord* record = nullptr;
    if (!records().get(name, record)) return false;
    ++record->users;
    return true;
}

int WindowClassRegistry::registerClass(const WNDCLASSEXA& windowClass, const bool made[kShapeCount])
{
    const HICON shapes[kShapeCount] = {windowClass.hCursor, windowClass.hIcon, windowClass.hIconSm};
    const QXString name(windowClass.lpszClassName);
    RegistryLock lock;
    ClassRecord* record = nullptr;
    if (records().get(name, record)) {
        // Another binding registered it meanwhile: it keeps its own shapes.
        ++record->users;
    } else {
        record = new (std::nothrow) ClassRecord{1, {}};
        if (record && records().put(name, record)) {
            if (RegisterClassExA(&windowClass)) {
                for (int shape = 0; shape < kShapeCount; ++shape)
                    record->made[shape] = made[shape] ? shapes[shape] : nullptr;
                return 1;
            }
            records().remove(name);
        }
        delete record;
        record = nullptr;
    }
    for (int shape = 0; shape < kShapeCount; ++shape)
        if (made[shape]) ClassRecord::destroyShape(shape, shapes[shape]);
    return record ? 1 : 0;
}

void WindowClassRegistry::removeUser(const QXString& name, HINSTANCE instance)
{
    RegistryLock lock;
    ClassRecord* record = nullptr;
    if (records().get(name, record) && --record->users == 0) {
        records().remove(name);
        unregisterClass(name, instance, record);
    }
}

void WindowClassRegistry::replaceShape(HWND window, const QXString& name, Shape shape, HICON handle, bool made)
{
    const HICON previous =
        reinterpret_cast<HICON>(SetClassLongPtrA(window, kShapeSlots[shape], reinterpret_cast<LONG_PTR>(handle)));
    // The pointer over one of the class's windows still shows the old cursor.
    if (shape == kCursor && previous && GetCursor() == previous) SetCursor(handle);
    RegistryLock lock;
    ClassRecord* record = nullptr;
    // A class the registry does not hold keeps what it is given.
    if (!records().get(name, record)) return;
    const HICON replaced = record->made[shape];
    record->made[shape] = made ? handle : nullptr;
    if (replaced != handle) ClassRecord::destroyShape(shape, replaced);
}

void WindowClassRegistry::unregisterRetired()
{
    RegistryLock lock;
    unregisterRetiredClasses();
}

bool WindowClassRegistry::hasRetired()
{
    return retiredClasses().getCount() > 0;
}

} // namespace QXSDK
