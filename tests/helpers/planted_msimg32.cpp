// A DLL an attacker would plant beside a program that imports MSIMG32: it
// logs every process that loads it (see PlantedLog.h) and otherwise does
// what MSIMG32's TransparentBlt does, so the program goes on unaware.
#include "tests/helpers/PlantedLog.h"

#include <windows.h>

extern "C" BOOL WINAPI plantedTransparentBlt(HDC target, int dx, int dy, int dw, int dh, HDC source, int sx, int sy,
                                             int sw, int sh, UINT key)
{
    return GdiTransparentBlt(target, dx, dy, dw, dh, source, sx, sy, sw, sh, key);
}

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        char dll[MAX_PATH] = {}, program[MAX_PATH] = {};
        GetModuleFileNameA(self, dll, MAX_PATH);
        GetModuleFileNameA(nullptr, program, MAX_PATH);
        appendToPlantedLog(std::string("loaded ") + dll + " | " + program);
    }
    return TRUE;
}
