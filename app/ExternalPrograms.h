#pragma once

#include "qxsdk/core/QXString.h"

// The programs the uninstaller starts run with its administrator rights, so
// each is started by its full path from a folder that only administrators
// can write: never by a bare name, which Windows would look for beside the
// program and in the current directory first.

// The maker's feedback page, opened when the user closes the finished run.
extern const char kFeedbackAddress[];

// Starts commandLine as a process of its own and neither waits for it nor
// reads its result. A first token without a backslash names a program of
// the system folder and is started from there only.
void runProgram(QXSDK::QXString commandLine);

// Starts the program at the full path program with commandLine (whose first
// token is the program's name as it sees it) and answers the process handle
// (a HANDLE, to be closed by the caller), or null when it did not start.
void* startProgram(const QXSDK::QXString& program, const QXSDK::QXString& commandLine);

// The command line that unregisters programDir\VexloShellEx.dll.
QXSDK::QXString shellExtensionCommand(const QXSDK::QXString& programDir);

// Starts the system folder's regsvr32.exe, "/s /u" on
// programDir\VexloShellEx.dll by its short (blank-free) path, so the shell
// extension is unregistered before its file is deleted. Does not wait:
// answers the regsvr32 process (a HANDLE for the caller to close), or null
// when it did not start.
void* unregisterShellExtension(const QXSDK::QXString& programDir);

// The full path of the system's browser IEXPLORE.EXE: where the machine-wide
// App Paths entry says it is, else its standard place under Program Files.
QXSDK::QXString systemBrowser();

// Opens address in the system's browser. Does not wait.
void openFeedbackPage(QXSDK::QXString address);
