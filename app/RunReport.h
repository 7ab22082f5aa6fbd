#pragma once

#include "app/EntryRemoval.h"
#include "qxsdk/core/QXString.h"
#include "qxsdk/core/ScopedWin32.h"

// What a run did: the exit code that deployment tools read, and, when asked
// for, a log in UTF-8 with one line per manifest entry, the product key, the
// associations given back and, last, the exit code the process returns.
// The entry point owns it and hands it to the window that runs.
class RunReport {
public:
    // The exit codes, as Windows Installer has them and the tools read them.
    static constexpr int kRemoved = 0;           // nothing listed stands any more
    static constexpr int kRestartNeeded = 3010;  // ERROR_SUCCESS_REBOOT_REQUIRED
    static constexpr int kNotInstalled = 1605;   // ERROR_UNKNOWN_PRODUCT: no manifest
    static constexpr int kFailed = 1603;         // ERROR_INSTALL_FAILURE: something stays
    static constexpr int kNobodyToAsk = 1602;    // ERROR_INSTALL_USEREXIT: the question could not be asked
    static constexpr int kAlreadyRunning = 1618; // ERROR_INSTALL_ALREADY_RUNNING: another run is going
    static constexpr int kLogFailed = 1622;      // ERROR_INSTALL_LOG_FAILURE: the log cannot be written

    RunReport();
    RunReport(const RunReport&) = delete;
    RunReport& operator=(const RunReport&) = delete;

    // Logs to the file at path (made anew) from now on; false when it cannot
    // be created.
    bool logTo(const wchar_t* path);
    // The run does not start, and why; the process ends with exitCode.
    void refuse(int exitCode, const char* why);
    // The run starts on the manifest at path with that many entries.
    void started(const QXSDK::QXString& manifest, int entries);
    // There was nothing to run: no manifest, or an empty one.
    void noManifest(const QXSDK::QXString& manifest);
    // What became of a file or directory entry. The program's own file
    // moved into the temporary folder counts as gone, as the temporary
    // copies of other uninstallers do.
    void entry(const QXSDK::QXString& entry, EntryOutcome outcome, bool ownProgram = false);
    // The registry step on the manifest's last line: the key deleted
    // (kRemoved), already gone (kAbsent), or staying (anything else).
    void registryKey(const QXSDK::QXString& key, EntryOutcome outcome);
    void associationGivenBack(const char* extension, const char* program);
    // The run handled its last entry.
    void finished();

    // The exit code of what was reported so far; a run that did not finish
    // has failed.
    int exitCode() const;
    // Writes how the run went and, last, the exit code the process returns,
    // and answers that code: the run's own for those who started it
    // unattended (or a refused start's), 0 for a person at the screen.
    int close(bool unattended);

private:
    // Writes text (bytes of the system's code page) and a line end, in UTF-8.
    void line(const char* label, const QXSDK::QXString& text);

    QXSDK::KernelHandle log; // the log file, none without a log
    bool nothingToRun;
    bool done;
    bool restartNeeded;
    bool failed;
    bool refused;
    int refusal; // the exit code of a refused start
};
