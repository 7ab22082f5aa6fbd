// Keeps the Wine desktop of its prefix in use for a whole test session.
//
// Wine closes a desktop (its explorer.exe) about a second after the last
// program using it has ended, and the next program that needs it starts a
// new explorer.exe, which inherits that program's standard output. Under
// ctest the test then seems to run until that explorer.exe ends: a second
// more per test, or a time-out when other tests keep the desktop busy. The
// test command starts this program first, with its output going nowhere, so
// the desktop stays up; it waits for messages until the session ends.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    // A message-only window: it holds the desktop and is never seen.
    HWND window = CreateWindowExA(0, "STATIC", "desktop keeper", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    if (!window) return 1;
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
    return 0;
}
