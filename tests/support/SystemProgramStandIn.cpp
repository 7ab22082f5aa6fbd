#include "tests/support/SystemProgramStandIn.h"

#include <windows.h>

#include <stdexcept>

namespace testsupport {

namespace {

const char kDllOverrides[] = "Software\\Wine\\DllOverrides";

std::string fileName(const std::string& path)
{
    return path.substr(path.find_last_of('\\') + 1);
}

// The name an override knows the file by: a program's file name, a DLL's
// without ".dll" (Wine reads "winmm.dll" as a name of its own).
std::string overrideName(const std::string& path)
{
    const std::string name = fileName(path);
    const size_t dot = name.size() >= 4 ? name.size() - 4 : std::string::npos;
    return dot != std::string::npos && _stricmp(name.c_str() + dot, ".dll") == 0 ? name.substr(0, dot) : name;
}

// The DLL overrides for every program, or for one program's processes.
std::string overridesKey(const std::string& forProgram)
{
    return forProgram.empty() ? kDllOverrides : "Software\\Wine\\AppDefaults\\" + forProgram + "\\DllOverrides";
}

// The program that ran from the file may still be ending.
void copyPatiently(const std::string& from, const std::string& to)
{
    for (int attempt = 0; attempt < 100 && !CopyFileA(from.c_str(), to.c_str(), FALSE); ++attempt) Sleep(50);
}

} // namespace

SystemProgramStandIn::SystemProgramStandIn(const std::string& program, const std::string& standIn,
                                           const std::string& forProgram)
    : path(program), saved(program + ".vexlo-saved"),
      override(HKEY_CURRENT_USER, overridesKey(forProgram), overrideName(program))
{
    if (!CopyFileA(path.c_str(), saved.c_str(), FALSE) || !CopyFileA(standIn.c_str(), path.c_str(), FALSE))
        throw std::runtime_error("cannot put " + standIn + " in the place of " + path);
    writeString(HKEY_CURRENT_USER, overridesKey(forProgram), overrideName(program), "native");
}

SystemProgramStandIn::~SystemProgramStandIn()
{
    copyPatiently(saved, path);
    DeleteFileA(saved.c_str());
}

std::string systemBrowserPath()
{
    return readString(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\IEXPLORE.EXE", "");
}

} // namespace testsupport
