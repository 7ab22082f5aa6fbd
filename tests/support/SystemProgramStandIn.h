#pragma once

#include "tests/support/ScratchRegistryKey.h"

#include <string>

namespace testsupport {

// A test's program in the place of a system program (regsvr32.exe, the
// browser) for the length of a scope: the file at path is saved and replaced
// by a copy of standIn, and Wine is told to run that file instead of its own
// built-in program (DllOverrides name = native). The destructor puts both
// back. Throws when the stand-in cannot be put in place.
class SystemProgramStandIn {
public:
    SystemProgramStandIn(const std::string& path, const std::string& standIn);
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
