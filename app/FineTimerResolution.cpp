#include "app/FineTimerResolution.h"

#include "qxsdk/core/SystemFolder.h"

#include <windows.h>

namespace {

const UINT kMilliseconds = 1;
const UINT kGranted = 0; // TIMERR_NOERROR
using PeriodProcedure = UINT(WINAPI*)(UINT);

PeriodProcedure winmm(const char* name)
{
    return QXSDK::systemProcedure<PeriodProcedure>("winmm.dll", name);
}

} // namespace

FineTimerResolution::FineTimerResolution() : granted(false)
{
    if (const PeriodProcedure begin = winmm("timeBeginPeriod")) granted = begin(kMilliseconds) == kGranted;
}

FineTimerResolution::~FineTimerResolution()
{
    giveBack();
}

void FineTimerResolution::giveBack()
{
    if (!granted) return;
    granted = false;
    if (const PeriodProcedure end = winmm("timeEndPeriod")) end(kMilliseconds);
}
