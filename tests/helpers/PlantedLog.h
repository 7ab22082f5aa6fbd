#pragma once

#include <windows.h>

#include <cstdio>
#include <string>

// The log of the planted program and DLL: the file VEXLO_PLANTED_LOG names,
// C:\vexlo-planted.log when unset. One line per event, appended.
inline void appendToPlantedLog(const std::string& line)
{
    char log[MAX_PATH] = "C:\\vexlo-planted.log";
    GetEnvironmentVariableA("VEXLO_PLANTED_LOG", log, MAX_PATH);
    if (FILE* file = std::fopen(log, "ab")) {
        std::fprintf(file, "%s\n", line.c_str());
        std::fclose(file);
    }
}
