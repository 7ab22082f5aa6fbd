// Stays alive (so that its program file is in use) until it is terminated,
// for at most a minute.
#include <windows.h>

int main()
{
    Sleep(60000);
    return 0;
}
