#pragma once

#include "qxsdk/core/QXString.h"

// The programs the uninstaller starts run with its administrator rights, so
// each is started by its full path from a folder that only administrators
// can write: never by a bare name, which Windows would look for beside the
// program and in the current directory first. The browser is the exception:
// it is the user's, and runs as the user.

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

// Whether a process with token (a HANDLE open for TOKEN_QUERY) opens a page
// through the desktop's shell rather than itself: when it runs elevated
// beside a limited token of its user (UAC's split token), or when that
// cannot be read. A browser it started itself would have its rights.
bool opensThroughTheDesktop(void* token);

// Opens address with the "open" operation in the user's default browser,
// as the user: an elevated process asks the desktop's shell (Explorer),
// which runs as the signed-in user, and waits a few seconds at most for it;
// when the shell cannot be asked, nothing opens. Any other process opens it
// itself. Does not wait for the browser.
void openFeedbackPage(QXSDK::QXString address);
