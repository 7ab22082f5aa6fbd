#include "app/WindowStation.h"

#include <windows.h>

bool WindowStation::isVisible()
{
    USEROBJECTFLAGS flags = {};
    HWINSTA station = GetProcessWindowStation();
    if (!station || !GetUserObjectInformationW(station, UOI_FLAGS, &flags, sizeof flags, nullptr)) return true;
    return (flags.dwFlags & WSF_VISIBLE) != 0;
}
