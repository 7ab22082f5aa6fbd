#pragma once

#include <windows.h>

#include <string>

namespace testsupport {

// A program started for a test; terminated and waited for when it goes away.
class ChildProcess {
public:
    // Starts commandLine (the program's full path first, quoted when needed)
    // in workingDirectory, or in this program's current directory when empty,
    // on desktop ("station\\desktop"), or on this program's when empty.
    explicit ChildProcess(const std::string& commandLine, const std::string& workingDirectory = "",
                          const std::string& desktop = "");
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool started() const { return info.hProcess != nullptr; }
    bool running() const { return started() && WaitForSingleObject(info.hProcess, 0) == WAIT_TIMEOUT; }
    HANDLE handle() const { return info.hProcess; }
    // Its first thread.
    HANDLE thread() const { return info.hThread; }
    DWORD id() const { return info.dwProcessId; }
    // Waits for the end; answers the exit code, or -1 on time-out.
    long waitExit(DWORD timeoutMs);
    void terminate();

private:
    PROCESS_INFORMATION info{};
};

// Waits (a minute at most) until a holder.exe started as child holds its
// file or DLL; answers whether it does.
bool awaitHolding(const ChildProcess& holder);

// Runs commandLine to its end and answers its exit code (-1 when it could not
// be started or did not end within timeoutMs).
long runProgram(const std::string& commandLine, DWORD timeoutMs = 60000);

} // namespace testsupport
