#pragma once

#include "qxsdk/core/QXString.h"

// The running program's own file, recognised under any spelling of its path
// (another letter case, an 8.3 name, a hard link) by the file's identity: its
// volume and its index on that volume.
class RunningProgram {
public:
    RunningProgram();

    // Whether path names the running program's file.
    bool isNamedBy(const QXSDK::QXString& path) const;

private:
    struct Identity {
        unsigned long volume = 0;
        unsigned long indexHigh = 0;
        unsigned long indexLow = 0;
    };
    // The identity of the file (not a directory) at path, when it can be had.
    static bool identify(const char* path, Identity& identity);

    bool known;
    Identity self;
};
