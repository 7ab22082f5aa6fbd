#pragma once

#include "app/FileIdentity.h"

// The running program's own file, recognised under any spelling of its path.
class RunningProgram : public FileIdentity {
public:
    RunningProgram();
};
