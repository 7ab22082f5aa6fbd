// Stands in for the system's winmm.dll in one program: records each call of
// timeBeginPeriod and timeEndPeriod, one line each, in the file that
// VEXLO_WINMM_LOG names, and answers TIMERR_NOERROR as the real one does.
#include <windows.h>

#include <cstdio>

namespace {

UINT record(const char* call, UINT period)
{
    char log[MAX_PATH] = {};
    if (GetEnvironmentVariableA("VEXLO_WINMM_LOG", log, MAX_PATH) == 0) return 0;
    if (FILE* file = std::fopen(log, "ab")) {
        std::fprintf(file, "%s %u\n", call, period);
        std::fclose(file);
    }
    return 0; // TIMERR_NOERROR
}

} // namespace

extern "C" UINT WINAPI recordedTimeBeginPeriod(UINT period)
{
    return record("timeBeginPeriod", period);
}

extern "C" UINT WINAPI recordedTimeEndPeriod(UINT period)
{
    return record("timeEndPeriod", period);
}
