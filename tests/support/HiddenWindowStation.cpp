#include "tests/support/HiddenWindowStation.h"

namespace testsupport {

HiddenWindowStation::HiddenWindowStation() : name("VexloHidden" + std::to_string(GetCurrentProcessId()))
{
    station = CreateWindowStationA(name.c_str(), 0, WINSTA_ALL_ACCESS, nullptr);
    if (!station) return;
    // A desktop is made in the process's own station: this one, for a moment.
    HWINSTA own = GetProcessWindowStation();
    if (!SetProcessWindowStation(station)) return;
    desktop = CreateDesktopA("Default", nullptr, nullptr, 0, GENERIC_ALL, nullptr);
    SetProcessWindowStation(own);
}

HiddenWindowStation::~HiddenWindowStation()
{
    if (desktop) CloseDesktop(desktop);
    if (station) CloseWindowStation(station);
}

} // namespace testsupport
