// What an attacker would plant where a careless program looks for a system
// program (regsvr32.exe, IEXPLORE.EXE): it does nothing but append its own
// path and command line to the log that VEXLO_PLANTED_LOG names (C:\vexlo-
// planted.log when unset), so a test sees whether it ran.
#include "tests/helpers/PlantedLog.h"

#include <windows.h>

int main()
{
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    appendToPlantedLog(std::string("ran ") + self + " | " + GetCommandLineA());
    return 0;
}
