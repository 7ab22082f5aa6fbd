#include "tests/support/ChildProcess.h"

#include <string>
#include <vector>

namespace testsupport {

ChildProcess::ChildProcess(const std::string& commandLine, const std::string& workingDirectory,
                           const std::string& desktop)
{
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    std::vector<char> desktopName(desktop.begin(), desktop.end());
    desktopName.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (!desktop.empty()) startup.lpDesktop = desktopName.data();
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        workingDirectory.empty() ? nullptr : workingDirectory.c_str(), &startup, &info))
        info = PROCESS_INFORMATION{};
}

ChildProcess::~ChildProcess()
{
    terminate();
}

long ChildProcess::waitExit(DWORD timeoutMs)
{
    if (!started()) return -1;
    if (WaitForSingleObject(info.hProcess, timeoutMs) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(info.hProcess, &code);
    return static_cast<long>(code);
}

void ChildProcess::terminate()
{
    if (!started()) return;
    if (WaitForSingleObject(info.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(info.hProcess, 1);
        WaitForSingleObject(info.hProcess, 10000);
    }
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    info = PROCESS_INFORMATION{};
}

long runProgram(const std::string& commandLine, DWORD timeoutMs)
{
    ChildProcess child(commandLine);
    return child.waitExit(timeoutMs);
}

bool awaitHolding(const ChildProcess& holder)
{
    // holder.exe sets this event once it holds what it was asked to.
    const std::string name = "VexloHolder-" + std::to_string(holder.id());
    const DWORD start = GetTickCount();
    while (holder.running() && GetTickCount() - start < 60000) {
        HANDLE ready = OpenEventA(SYNCHRONIZE, FALSE, name.c_str());
        if (ready) {
            const bool held = WaitForSingleObject(ready, 60000) == WAIT_OBJECT_0;
            CloseHandle(ready);
            return held;
        }
        Sleep(10);
    }
    return false;
}

} // namespace testsupport
