// A slow-starting stand-in for a system program. Copied under the system
// program's name (say regsvr32.exe) into an application's directory, it is
// what that application starts by the bare name, because a process is looked
// for first in the starting program's own directory. It waits
// VEXLO_SLOW_START_MS milliseconds (1500 when unset), then runs the program of
// its own name from the system directory with the same arguments, and answers
// that program's exit code.
#include "tests/helpers/CommandLine.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>

int main()
{
    const char* pause = std::getenv("VEXLO_SLOW_START_MS");
    Sleep(pause ? static_cast<DWORD>(std::atol(pause)) : 1500);

    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    const char* name = std::strrchr(self, '\\');
    char system[MAX_PATH] = {};
    GetSystemDirectoryA(system, MAX_PATH);
    const std::string program = std::string(system) + (name ? name : "\\missing.exe");
    std::string command = "\"" + program + "\"" + afterProgramName(GetCommandLineA());

    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(program.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return 127;
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(code);
}
