#pragma once

#include <windows.h>

#include <string>

namespace testsupport {

// A program started for a test; terminated and waited for when it goes away.
class ChildProcess {
public:
    // Starts commandLine (the program's full path first, quoted when needed).
    explicit ChildProcess(const std::string& commandLine);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool started() const { return info.hProcess != nullptr; }
    // Waits for the end; answers the exit code, or -1 on time-out.
    long waitExit(DWORD timeoutMs);
    void terminate();

private:
    PROCESS_INFORMATION info{};
};

// Runs commandLine to its end and answers its exit code (-1 when it could not
// be started or did not end within timeoutMs).
long runProgram(const std::string& commandLine, DWORD timeoutMs = 60000);

} // namespace testsupport
