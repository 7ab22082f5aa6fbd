#pragma once

#include <windows.h>

namespace QXSDK {

// The platform handles behind a component.
struct NativeHandles {
    HINSTANCE instance;
    HWND window;
};

} // namespace QXSDK
