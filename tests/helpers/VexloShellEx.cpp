// Stand-in for the product's shell extension: registering creates a CLSID
// key, unregistering deletes it and records the command line and the file of
// the program that asked, so a test can see which regsvr32 was started, and
// how.
#include "tests/support/ShellExtensionRecord.h"

#include <windows.h>

#include <cstring>
#include <string>

namespace {

using shellextension::kClassKey;
using shellextension::kRecordKey;

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
        RegSetValueExA(key, shellextension::kCommandLineValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(line),
                       static_cast<DWORD>(std::strlen(line) + 1));
        char program[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, program, MAX_PATH);
        RegSetValueExA(key, shellextension::kProgramValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(program),
                       static_cast<DWORD>(std::strlen(program) + 1));
        RegCloseKey(key);
    }
    return S_OK;
}
