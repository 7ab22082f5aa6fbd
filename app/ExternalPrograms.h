#pragma once

#include "qxsdk/core/QXString.h"

// The maker's feedback page, opened when the user closes the finished run.
extern const char kFeedbackAddress[];

// Starts commandLine as a process of its own (the first token is looked up
// along the search path); neither waits for it nor reads its result.
void runProgram(QXSDK::QXString commandLine);

// Starts commandLine as runProgram does and answers the process handle (a
// HANDLE, to be closed by the caller), or null when it did not start.
void* startProgram(const QXSDK::QXString& commandLine);

// The command line that unregisters programDir\VexloShellEx.dll.
QXSDK::QXString shellExtensionCommand(const QXSDK::QXString& programDir);

// Starts "regsvr32.exe /s /u" on programDir\VexloShellEx.dll, by its short
// (blank-free) path, so the shell extension is unregistered before its file
// is deleted. Does not wait: answers the regsvr32 process (a HANDLE for the
// caller to close), or null when it did not start.
void* unregisterShellExtension(const QXSDK::QXString& programDir);

// Opens address in the system's browser (IEXPLORE.EXE). Does not wait.
void openFeedbackPage(QXSDK::QXString address);
