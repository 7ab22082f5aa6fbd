// Stands in for the web browser as the program that opens http addresses.
// Explorer starts it with an environment of its own, so it writes beside
// itself on every start: "<id> <program>" of the process that started it, a
// line, to parent.txt, then the arguments it was started with (its command
// line without the program name) to arguments.txt, so that a second start
// shows, and a test that sees them sees the parent too.
#include "tests/helpers/CommandLine.h"

#include <windows.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstring>
#include <string>

int main()
{
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    HANDLE processes = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    for (BOOL more = Process32First(processes, &entry); more && entry.th32ProcessID != GetCurrentProcessId();)
        more = Process32Next(processes, &entry);
    char program[MAX_PATH] = "?", self[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    HANDLE parent = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, entry.th32ParentProcessID);
    if (parent) QueryFullProcessImageNameA(parent, 0, program, &size);
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    const std::string folder = std::string(self).substr(0, std::strrchr(self, '\\') + 1 - self);
    const char* line = afterProgramName(GetCommandLineA());
    while (*line == ' ' || *line == '\t') ++line;
    FILE* parents = std::fopen((folder + "parent.txt").c_str(), "ab");
    FILE* arguments = std::fopen((folder + "arguments.txt").c_str(), "ab");
    if (!parents || !arguments) return 3;
    std::fprintf(parents, "%lu %s\n", entry.th32ParentProcessID, program);
    std::fclose(parents);
    std::fwrite(line, 1, std::strlen(line), arguments);
    std::fclose(arguments);
    return 0;
}
