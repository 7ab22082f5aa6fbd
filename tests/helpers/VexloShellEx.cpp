// Stand-in for the product's shell extension: registering creates a CLSID
// key, unregistering deletes it and records the command line and the file of
// the program that asked, so a test can see which regsvr32 was started, and
// how.
#include <windows.h>

#include <cstring>
#include <string>

namespace {

const char kClassKey[] = "CLSID\\{6F1E0A55-9D7B-4C1E-B5A3-2E9F1D0C7A11}";
const char kRecordKey[] = "Software\\Vexlo Tests\\ShellEx";

HMODULE thisModule()
{
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&thisModule), &module);
    return module;
}

} // namespace

extern "C" __declspec(dllexport) HRESULT __stdcall DllRegisterServer()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(thisModule(), path, MAX_PATH);
    HKEY key;
    const std::string server = std::string(kClassKey) + "\\InprocServer32";
    if (RegCreateKeyExA(HKEY_CLASSES_ROOT, server.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return E_FAIL;
    RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(path),
                   static_cast<DWORD>(std::strlen(path) + 1));
    RegCloseKey(key);
    return S_OK;
}

extern "C" __declspec(dllexport) HRESULT __stdcall DllUnregisterServer()
{
    RegDeleteTreeA(HKEY_CLASSES_ROOT, kClassKey);
    RegDeleteKeyA(HKEY_CLASSES_ROOT, kClassKey);
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kRecordKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) == ERROR_SUCCESS) {
        const char* line = GetCommandLineA();
        RegSetValueExA(key, "UnregisterCommandLine", 0, REG_SZ, reinterpret_cast<const BYTE*>(line),
                       static_cast<DWORD>(std::strlen(line) + 1));
        char program[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, program, MAX_PATH);
        RegSetValueExA(key, "UnregisteredBy", 0, REG_SZ, reinterpret_cast<const BYTE*>(program),
                       static_cast<DWORD>(std::strlen(program) + 1));
        RegCloseKey(key);
    }
    return S_OK;
}
