#include "app/ExternalPrograms.h"

#include "app/InstallationFiles.h"
#include "qxsdk/core/ScopedWin32.h"
#include "qxsdk/core/SystemFolder.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <memory>

using QXSDK::QXString;

const char kFeedbackAddress[] = "http://www.vexlo.com/suggest.jsp?pd=1";

namespace {

const char kRegsvr32[] = "regsvr32.exe";
const char kUnregisterCommand[] = "regsvr32.exe /s /u ";
const DWORD kShortPathBuffer = 1024;
// Where the browser is registered for the whole machine; only administrators
// can change it (the per-user App Paths that Explorer also reads are not).
const char kBrowserAppPath[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\IEXPLORE.EXE";
const char kBrowserUnderProgramFiles[] = "\\Internet Explorer\\IEXPLORE.EXE";

// A drive-rooted (C:\...) or network (\\server\...) path.
bool isFullPath(const char* path)
{
    if (!path) return false;
    const bool drive = std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' && path[2] == '\\';
    return drive || (path[0] == '\\' && path[1] == '\\');
}

// The program a command line names: its first token, quoted or up to the
// first blank, from the system folder unless it is a full path.
QXString programOf(const char* line)
{
    const char* start = line;
    const char* end;
    if (*start == '"') {
        ++start;
        end = std::strchr(start, '"');
        if (!end) end = start + std::strlen(start);
    } else {
        end = start;
        while (*end && *end != ' ' && *end != '\t') ++end;
    }
    QXString token;
    token.assign(start, static_cast<int>(end - start));
    return isFullPath(token.getData()) ? token : QXSDK::systemFolderFile(token.getData());
}

// The App Paths entry's file, when it is a full path.
QXString registeredBrowser()
{
    QXSDK::RegistryKey key(HKEY_LOCAL_MACHINE, kBrowserAppPath, KEY_QUERY_VALUE);
    char path[MAX_PATH + 2] = {};
    DWORD size = MAX_PATH;
    DWORD type = REG_NONE;
    if (!key || RegQueryValueExA(key.get(), "", nullptr, &type, reinterpret_cast<BYTE*>(path), &size) !=
                    ERROR_SUCCESS || type != REG_SZ)
        return QXString(static_cast<const char*>(nullptr));
    // The value may be quoted; the buffer holds one byte beyond what was read.
    char* start = path[0] == '"' ? path + 1 : path;
    if (char* quote = std::strchr(start, '"')) *quote = '\0';
    return isFullPath(start) ? QXString(start) : QXString(static_cast<const char*>(nullptr));
}

} // namespace

void runProgram(QXString commandLine)
{
    if (!commandLine.getData()) return;
    QXSDK::KernelHandle process(startProgram(programOf(commandLine.getData()), commandLine));
}

void* startProgram(const QXString& program, const QXString& commandLine)
{
    if (!program.getData() || !commandLine.getData()) return nullptr;
    // CreateProcessA may write into the command line, so it gets a copy.
    const size_t length = static_cast<size_t>(commandLine.getLength());
    std::unique_ptr<char, void (*)(void*)> line(static_cast<char*>(std::calloc(length + 1, 1)), std::free);
    if (!line) return nullptr;
    std::memcpy(line.get(), commandLine.getData(), length);
    STARTUPINFOA startup;
    std::memset(&startup, 0, sizeof startup);
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process;
    std::memset(&process, 0, sizeof process);
    if (CreateProcessA(program.getData(), line.get(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
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
    return startProgram(QXSDK::systemFolderFile(kRegsvr32), shellExtensionCommand(programDir));
}

QXString systemBrowser()
{
    const QXString registered = registeredBrowser();
    if (registered.getData()) return registered;
    char programFiles[MAX_PATH] = {};
    if (SHGetFolderPathA(nullptr, CSIDL_PROGRAM_FILES, nullptr, SHGFP_TYPE_CURRENT, programFiles) != S_OK)
        return QXString(static_cast<const char*>(nullptr));
    return QXString(programFiles) + kBrowserUnderProgramFiles;
}

void openFeedbackPage(QXString address)
{
    const QXString browser = systemBrowser();
    if (browser.getData())
        ShellExecuteA(nullptr, "open", browser.getData(), address.getData(), nullptr, SW_SHOWDEFAULT);
}
