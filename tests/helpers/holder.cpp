// Holds the file named by its argument open for reading and writing without
// delete sharing, as a program still using it would, until it is terminated
// (at most a minute).
#include <windows.h>

int main(int argc, char** argv)
{
    if (argc < 2) return 2;
    HANDLE file = CreateFileA(argv[1], GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 3;
    Sleep(60000);
    CloseHandle(file);
    return 0;
}
