#pragma once

#include "tests/support/ScratchRegistryKey.h"

#include <string>

namespace testsupport {

// A test's program or DLL in the place of a system one (regsvr32.exe,
// hostname.exe, winmm.dll) for the length of a scope: the file at path is
// saved and replaced by a copy of standIn, and Wine is told to load that file
// instead of its own built-in one (DllOverrides name = native), for every
// program or, when forProgram names one, for that program's processes
// only. The destructor puts both back. Throws when the stand-in cannot be
// put in place.
class SystemProgramStandIn {
public:
    SystemProgramStandIn(const std::string& path, const std::string& standIn, const std::string& forProgram = "");
    ~SystemProgramStandIn();
    SystemProgramStandIn(const SystemProgramStandIn&) = delete;
    SystemProgramStandIn& operator=(const SystemProgramStandIn&) = delete;

private:
    std::string path;
    std::string saved;
    RegistryValueBackup override;
};

// Where the machine's App Paths entry puts the system's browser IEXPLORE.EXE.
std::string systemBrowserPath();

} // namespace testsupport
