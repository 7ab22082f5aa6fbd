#include "app/ExternalPrograms.h"

#include "app/InstallationFiles.h"
#include "qxsdk/core/ScopedWin32.h"

#include <windows.h>
#include <shellapi.h>

#include <cstring>
#include <vector>

using QXSDK::QXString;

const char kFeedbackAddress[] = "http://www.vexlo.com/suggest.jsp?pd=1";

namespace {

const char kUnregisterCommand[] = "regsvr32.exe /s /u ";
const char kBrowser[] = "IEXPLORE.EXE";
const DWORD kShortPathBuffer = 1024;

} // namespace

void runProgram(QXString commandLine)
{
    QXSDK::KernelHandle process(startProgram(commandLine));
}

void* startProgram(const QXString& commandLine)
{
    if (!commandLine.getData()) return nullptr;
    // CreateProcessA may write into the command line, so it gets a copy.
    std::vector<char> line(commandLine.getData(), commandLine.getData() + commandLine.getLength());
    line.push_back('\0');
    STARTUPINFOA startup;
    std::memset(&startup, 0, sizeof startup);
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process;
    std::memset(&process, 0, sizeof process);
    if (CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                       &process)) {
        CloseHandle(process.hThread);
        return process.hProcess;
    }
    return nullptr;
}

QXString shellExtensionCommand(const QXString& programDir)
{
    const QXString path = installationFile(programDir, kShellExtensionFile);
    char shortPath[kShortPathBuffer];
    std::memset(shortPath, 0, sizeof shortPath);
    const DWORD n = GetShortPathNameA(path.getData() ? path.getData() : "", shortPath, kShortPathBuffer);

    // Without a short form (the file is absent, or 8.3 names are off on the
    // volume) the long path goes on the command line, quoted for its blanks.
    const char* chosen = (n > 0 && n < kShortPathBuffer) ? shortPath : path.getData();
    const bool quote = chosen != shortPath || std::strchr(chosen, ' ') != nullptr;
    QXString command(kUnregisterCommand);
    if (quote) command.append("\"");
    command.append(chosen);
    if (quote) command.append("\"");
    return command;
}

void* unregisterShellExtension(const QXString& programDir)
{
    return startProgram(shellExtensionCommand(programDir));
}

void openFeedbackPage(QXString address)
{
    ShellExecuteA(nullptr, "open", kBrowser, address.getData(), nullptr, SW_SHOWDEFAULT);
}
