// Stands in for the web browser: appends the arguments it was started with
// (its command line without the program name) to the file named by the
// environment variable VEXLO_RECORDER_OUT, so that a second start shows.
#include "tests/helpers/CommandLine.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

int main()
{
    char out[MAX_PATH] = {};
    if (!GetEnvironmentVariableA("VEXLO_RECORDER_OUT", out, MAX_PATH)) return 2;
    const char* line = afterProgramName(GetCommandLineA());
    while (*line == ' ' || *line == '\t') ++line;
    FILE* file = std::fopen(out, "ab");
    if (!file) return 3;
    std::fwrite(line, 1, std::strlen(line), file);
    std::fclose(file);
    return 0;
}
