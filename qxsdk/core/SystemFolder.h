#pragma once

#include "qxsdk/core/QXString.h"

#include <windows.h>

namespace QXSDK {

// Programs and DLLs run with the rights of the program that starts or loads
// them, and a program started elevated must not run anything a user can
// write. These take them from the system folder only, by full path, never
// from the program's folder, the current directory or the temporary folder.

// The system folder (C:\Windows\System32), without a trailing backslash; the
// null string when it is not known.
QXString systemFolder();

// The full path of the system folder's file name (C:\Windows\System32\name),
// or the null string when the system folder is not known.
QXString systemFolderFile(const char* name);

// The procedure name of the DLL library, loaded from the system folder by
// its full path and kept loaded for the rest of the process (each call takes
// one more reference: callers keep the answer); null when the DLL or the
// procedure cannot be had.
FARPROC systemProcedureAddress(const char* library, const char* name);

// The same, as the function type Procedure.
template <typename Procedure>
Procedure systemProcedure(const char* library, const char* name)
{
    // void (*)() converts to and from every function type without a warning.
    return reinterpret_cast<Procedure>(reinterpret_cast<void (*)()>(systemProcedureAddress(library, name)));
}

} // namespace QXSDK
