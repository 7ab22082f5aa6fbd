#pragma once

#include "qxsdk/core/QXString.h"

// The maker's feedback page, opened when the user closes the finished run.
extern const char kFeedbackAddress[];

// Starts commandLine as a process of its own (the first token is looked up
// along the search path); neither waits for it nor reads its result.
void runProgram(QXSDK::QXString commandLine);

// The command line that unregisters programDir\VexloShellEx.dll.
QXSDK::QXString shellExtensionCommand(const QXSDK::QXString& programDir);

// Starts "regsvr32.exe /s /u" on programDir\VexloShellEx.dll, by its short
// (blank-free) path, so the shell extension is unregistered before its file
// is deleted. Does not wait.
void unregisterShellExtension(const QXSDK::QXString& programDir);

// Opens address in the system's browser (IEXPLORE.EXE). Does not wait.
void openFeedbackPage(QXSDK::QXString address);
