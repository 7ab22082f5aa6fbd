#include "app/ExternalPrograms.h"

#include "app/InstallationFiles.h"
#include "qxsdk/core/ScopedWin32.h"
#include "qxsdk/core/SystemFolder.h"
#include "qxsdk/core/WideText.h"

#include <windows.h>
#include <exdisp.h>
#include <shellapi.h>
#include <shldisp.h>
#include <shlguid.h>
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
// How long the desktop's shell may take to take the feedback address: a
// shell that does not answer must not keep the finished program alive.
const DWORD kDesktopShellPatienceMs = 5000;
const int kBrowserShow = SW_SHOWNORMAL;

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

// A VARIANT that carries text (not its owner).
VARIANT textVariant(const QXSDK::ComString& text)
{
    VARIANT variant;
    VariantInit(&variant);
    variant.vt = VT_BSTR;
    variant.bstrVal = text.get();
    return variant;
}

// A VARIANT that carries a number.
VARIANT numberVariant(long number)
{
    VARIANT variant;
    VariantInit(&variant);
    variant.vt = VT_I4;
    variant.lVal = number;
    return variant;
}

// The desktop's shell object (Shell.Application as Explorer serves it):
// Explorer's window list finds the desktop, whose view leads to it.
bool findDesktopShell(QXSDK::ComPointer<IShellDispatch2>& shell)
{
    using QXSDK::ComPointer;
    ComPointer<IShellWindows> windows;
    ComPointer<IDispatch> desktop, background, application;
    ComPointer<IServiceProvider> services;
    ComPointer<IShellBrowser> browser;
    ComPointer<IShellView> view;
    ComPointer<IShellFolderViewDual> folderView;
    VARIANT location = numberVariant(CSIDL_DESKTOP), none;
    VariantInit(&none);
    long window = 0;
    return CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_LOCAL_SERVER, IID_IShellWindows,
                            windows.putVoid()) == S_OK &&
           windows->FindWindowSW(&location, &none, SWC_DESKTOP, &window, SWFO_NEEDDISPATCH, desktop.put()) == S_OK &&
           desktop && desktop->QueryInterface(IID_IServiceProvider, services.putVoid()) == S_OK &&
           services->QueryService(SID_STopLevelBrowser, IID_IShellBrowser, browser.putVoid()) == S_OK &&
           browser->QueryActiveShellView(view.put()) == S_OK && view &&
           view->GetItemObject(SVGIO_BACKGROUND, IID_IDispatch, background.putVoid()) == S_OK &&
           background->QueryInterface(IID_IShellFolderViewDual, folderView.putVoid()) == S_OK &&
           folderView->get_Application(application.put()) == S_OK && application &&
           application->QueryInterface(IID_IShellDispatch2, shell.putVoid()) == S_OK;
}

// Asks the desktop's shell to open address as Explorer's own ShellExecute
// would. Its answer (S_FALSE when it could not) changes nothing: no other
// way is tried, so no browser ever gets the program's rights.
void askTheDesktopShell(BSTR address)
{
    QXSDK::ComPointer<IShellDispatch2> shell;
    const QXSDK::ComString empty(L""), open(L"open");
    if (!empty || !open || !findDesktopShell(shell)) return;
    // The user just clicked here: Explorer may bring the browser to the front.
    CoAllowSetForegroundWindow(shell.get(), nullptr);
    shell->ShellExecute(address, textVariant(empty), textVariant(empty), textVariant(open),
                        numberVariant(kBrowserShow));
}

// The thread that asks the desktop's shell, in a single-threaded apartment
// of its own; it owns address (a BSTR) and frees it.
DWORD WINAPI openThroughTheDesktop(void* address)
{
    if (SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {
        askTheDesktopShell(static_cast<BSTR>(address));
        CoUninitialize();
    }
    SysFreeString(static_cast<BSTR>(address));
    return 0;
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

bool opensThroughTheDesktop(void* token)
{
    TOKEN_ELEVATION_TYPE type = TokenElevationTypeDefault;
    DWORD size = 0;
    return !GetTokenInformation(token, TokenElevationType, &type, sizeof type, &size) ||
           type == TokenElevationTypeFull;
}

void openFeedbackPage(QXString address)
{
    if (!address.getData()) return;
    HANDLE token = nullptr;
    OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token);
    const QXSDK::KernelHandle heldToken(token);
    if (!opensThroughTheDesktop(token)) {
        ShellExecuteA(nullptr, "open", address.getData(), nullptr, nullptr, kBrowserShow);
        return;
    }
    // COM calls into another process wait as long as it takes: the shell is
    // asked from a thread that the program leaves behind when it is late.
    const QXSDK::WideText wide(address, CP_ACP);
    BSTR text = wide ? SysAllocStringLen(wide.get(), static_cast<UINT>(wide.length())) : nullptr;
    if (!text) return;
    const QXSDK::KernelHandle thread(CreateThread(nullptr, 0, openThroughTheDesktop, text, 0, nullptr));
    if (thread) WaitForSingleObject(thread.get(), kDesktopShellPatienceMs);
    else SysFreeString(text);
}
