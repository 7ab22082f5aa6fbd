#include "app/RunningProgram.h"

#include <windows.h>

RunningProgram::RunningProgram()
{
    char path[MAX_PATH + 1] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length > 0 && length < MAX_PATH) identify(path);
}
