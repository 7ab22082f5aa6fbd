#pragma once

// What the stand-in shell extension (tests/helpers/VexloShellEx.cpp) writes
// to the registry, for the tests that read it: shared by the DLL and them.
namespace shellextension {

// Its class, under HKEY_CLASSES_ROOT: made by DllRegisterServer, deleted by
// DllUnregisterServer.
constexpr char kClassKey[] = "CLSID\\{6F1E0A55-9D7B-4C1E-B5A3-2E9F1D0C7A11}";
// Under HKEY_CURRENT_USER: what DllUnregisterServer records of the program
// that called it.
constexpr char kRecordKey[] = "Software\\Vexlo Tests\\ShellEx";
// The program's command line, and the full path of its file.
constexpr char kCommandLineValue[] = "UnregisterCommandLine";
constexpr char kProgramValue[] = "UnregisteredBy";

} // namespace shellextension
