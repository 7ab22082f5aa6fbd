#include "app/SingleRun.h"

#include "app/ProgramTexts.h"
#include "qxsdk/core/QXString.h"
#include "qxsdk/core/WideText.h"

#include <windows.h>

namespace {

// "Global\" reaches every session: a service's run and the user's.
const wchar_t kRunName[] = L"Global\\Vexlo.Uninstaller.Run";
const wchar_t kWindowClass[] = L"QXWindow";

} // namespace

SingleRun::~SingleRun()
{
    if (held) ReleaseMutex(mutex.get());
}

bool SingleRun::claim()
{
    if (held) return true;
    mutex.reset(CreateMutexW(nullptr, FALSE, kRunName));
    if (!mutex) return true;
    // An abandoned claim is the run of a process that died half-way: this
    // run takes over and finishes its work.
    const DWORD waited = WaitForSingleObject(mutex.get(), 0);
    held = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
    return held;
}

void SingleRun::showTheOtherRun()
{
    const QXSDK::WideText title(QXSDK::QXString(kWindowTitle), kProgramTextCodePage);
    HWND other = title ? FindWindowW(kWindowClass, title.get()) : nullptr;
    if (!other) return;
    if (IsIconic(other)) ShowWindow(other, SW_RESTORE);
    SetForegroundWindow(other);
}
