#pragma once

#include "qxsdk/core/QXString.h"

#include <windows.h>

namespace QXSDK {

// The process-wide registry of the window classes that bindings register
// (private to the binding): one Win32 class per name, counted by the
// bindings that use it, with the cursor and icons the toolkit made for it.
// Those are destroyed once the class no longer uses them: when the class is
// given a replacement, and when the class goes. Shared system cursors and
// icons are never destroyed. All operations take the registry's lock.
class WindowClassRegistry {
public:
    // The class's cursor and icons, in this order everywhere.
    enum Shape { kCursor, kIcon, kSmallIcon, kShapeCount };

    // Counts one more user of the class name when it is registered already;
    // answers false when it is not (the caller then registers it).
    static bool addUser(const QXString& name);
    // Registers the class windowClass describes for its first user. made
    // tells which of hCursor, hIcon and hIconSm the toolkit made; the
    // registry owns those from here on, and destroys them at once when the
    // registration fails (answer 0).
    static int registerClass(const WNDCLASSEXA& windowClass, const bool made[kShapeCount]);
    // One user fewer; the last one unregisters the class, or retires it
    // while a window of it still exists (its WM_DESTROY is being handled).
    static void removeUser(const QXString& name, HINSTANCE instance);
    // Puts handle on the class of window, the registered class name, and
    // destroys the shape it replaces when the toolkit had made that one.
    static void replaceShape(HWND window, const QXString& name, Shape shape, HICON handle, bool made);
    // Unregisters the retired classes whose windows are gone now.
    static void unregisterRetired();
    // Whether any class waits to be unregistered.
    static bool hasRetired();
};

} // namespace QXSDK
