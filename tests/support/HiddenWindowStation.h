#pragma once

#include <windows.h>

#include <string>

namespace testsupport {

// A window station of its own with a desktop "Default" in it, as a service
// runs in: nobody sees its windows. Closed when the scope ends.
class HiddenWindowStation {
public:
    HiddenWindowStation();
    ~HiddenWindowStation();
    HiddenWindowStation(const HiddenWindowStation&) = delete;
    HiddenWindowStation& operator=(const HiddenWindowStation&) = delete;

    bool made() const { return station && desktop; }
    HWINSTA get() const { return station; }
    // "station\Default", for STARTUPINFO.lpDesktop.
    std::string desktopName() const { return name + "\\Default"; }

private:
    std::string name;
    HWINSTA station = nullptr;
    HDESK desktop = nullptr;
};

} // namespace testsupport
