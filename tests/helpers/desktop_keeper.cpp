// Keeps a prefix's desktop open while the test command runs. Wine closes its
// virtual desktop a second after the last program on it ends; a program that
// starts just then may find the desktop's window gone (an X error,
// BadWindow in X_CreateWindow) and die before its test has begun. A program
// with a message queue on the desktop keeps it, and this one stays until
// the prefix's wineserver ends it.
#include <windows.h>

int main()
{
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE); // its queue, on the desktop
    while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
    return 0;
}
