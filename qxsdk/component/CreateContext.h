#pragma once

#include <windows.h>

namespace QXSDK {

class ImplQXComponent;

// What a component needs to create its native window: the program's instance
// and the parent binding (null for a top-level window).
struct CreateContext {
    HINSTANCE instance;
    ImplQXComponent* parent;
};

} // namespace QXSDK
