// A slow stand-in for the system's regsvr32.exe, put in its place in the
// system folder (tests/support/SystemProgramStandIn.h): it waits
// VEXLO_SLOW_START_MS milliseconds (1500 when unset), as a program starting
// on a loaded machine would, then does what "regsvr32 /s [/u] dll" does: it
// loads the DLL and calls its DllRegisterServer or DllUnregisterServer.
// Exit codes as regsvr32's: 0 done, 3 the DLL did not load, 4 no such
// entry point, 5 the entry point failed.
//
// It does the work itself instead of starting Wine's regsvr32: Wine decides
// which file a started program runs from in the starting process, so the
// override that puts this file in the system's place would start it again.
// (Neither the child's WINEDLLOVERRIDES nor the parent's AppDefaults change
// that.)
#include <windows.h>
#include <shellapi.h>

#include <cstdlib>
#include <string>

int main()
{
    const char* pause = std::getenv("VEXLO_SLOW_START_MS");
    Sleep(pause ? static_cast<DWORD>(std::atol(pause)) : 1500);

    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    bool unregister = false;
    std::wstring dll;
    for (int i = 1; arguments && i < count; ++i) {
        const std::wstring argument = arguments[i];
        if (argument == L"/u" || argument == L"-u") unregister = true;
        else if (argument != L"/s" && argument != L"-s") dll = argument;
    }
    LocalFree(arguments);

    HMODULE module = LoadLibraryW(dll.c_str());
    if (!module) return 3;
    using EntryPoint = HRESULT(__stdcall*)();
    const auto entry = reinterpret_cast<EntryPoint>(reinterpret_cast<void (*)()>(
        GetProcAddress(module, unregister ? "DllUnregisterServer" : "DllRegisterServer")));
    const int code = !entry ? 4 : FAILED(entry()) ? 5 : 0;
    FreeLibrary(module);
    return code;
}
