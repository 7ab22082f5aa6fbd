// Holds the file named by its argument open for reading and writing without
// delete sharing, as a program still using it would, until it is terminated
// (at most a minute). With "--load" before the name it loads the DLL
// instead and keeps it, as Explorer keeps a shell extension it has used.
// Once it holds it, it sets the event "VexloHolder-<its process id>".
#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {

void announceHolding()
{
    char name[64];
    std::snprintf(name, sizeof name, "VexloHolder-%lu", GetCurrentProcessId());
    HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, name);
    if (ready) SetEvent(ready); // kept open while the holder lives
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--load") == 0) {
        if (!LoadLibraryA(argv[2])) return 3;
        announceHolding();
        Sleep(60000);
        return 0;
    }
    if (argc < 2) return 2;
    HANDLE file = CreateFileA(argv[1], GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 3;
    announceHolding();
    Sleep(60000);
    CloseHandle(file);
    return 0;
}
