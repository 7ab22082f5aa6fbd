#pragma once

#include <windows.h>

#include <string>

namespace testsupport {

// What a screen reader reads of a window's client area through Microsoft
// Active Accessibility (AccessibleObjectFromWindow, OBJID_CLIENT), in this
// process or another. Fields that could not be read stay as they are here.
struct AccessibleReading {
    bool read = false; // the object was had
    long role = -1;    // ROLE_SYSTEM_ code
    std::wstring name, value, defaultAction;
    long state = -1; // STATE_SYSTEM_ bits

    static AccessibleReading of(HWND window);
    // Does the default action, as a screen reader's command would; answers
    // its HRESULT.
    static long doDefaultAction(HWND window);
    bool has(long stateBits) const { return state >= 0 && (state & stateBits) == stateBits; }
};

// Prints a reading (role, name as UTF-8, value, state, action) for messages.
std::string describe(const AccessibleReading& reading);

} // namespace testsupport
