#pragma once

#include "app/EntryRemoval.h"
#include "qxsdk/core/QXString.h"
#include "qxsdk/core/ScopedWin32.h"

// What a run did, for those who start it unattended: the exit code that
// deployment tools read, and, when asked for, a log in UTF-8 with one line
// per manifest entry, the product key, the associations given back and, last,
// the exit code. A log that cannot be written changes nothing else.
class RunReport {
public:
    // The exit codes, as Windows Installer has them and the tools read them.
    static constexpr int kRemoved = 0;           // nothing listed stands any more
    static constexpr int kRestartNeeded = 3010;  // ERROR_SUCCESS_REBOOT_REQUIRED
    static constexpr int kNotInstalled = 1605;   // ERROR_UNKNOWN_PRODUCT: no manifest
    static constexpr int kFailed = 1603;         // ERROR_INSTALL_FAILURE: something stays

    RunReport();
    RunReport(const RunReport&) = delete;
    RunReport& operator=(const RunReport&) = delete;

    // Logs to the file at path (made anew) from now on.
    void logTo(const wchar_t* path);
    // The run starts on the manifest at path with that many entries.
    void started(const QXSDK::QXString& manifest, int entries);
    // There was nothing to run: no manifest, or an empty one.
    void noManifest(const QXSDK::QXString& manifest);
    // What became of a file or directory entry. The program's own file
    // moved into the temporary folder counts as gone, as the temporary
    // copies of other uninstallers do.
    void entry(const QXSDK::QXString& entry, EntryOutcome outcome, bool ownProgram = false);
    // filelink.txt, listed, stays with a product key that could not go.
    void keptForTheRegistryStep(const QXSDK::QXString& entry);
    // A listed directory that was not empty at its turn, at the end of the
    // run: removed, or asked to go at the next restart (scheduled) because
    // it is still not empty (a file the user put there keeps it; not a
    // failure) or for another reason.
    void directoryAtTheEnd(const QXSDK::QXString& entry, bool removed, bool notEmpty, bool scheduled);
    // The registry step on the manifest's last line.
    void registryKey(const QXSDK::QXString& key, bool deleted);
    void associationGivenBack(const char* extension, const char* program);
    // The run handled its last entry.
    void finished();

    // The exit code of what was reported so far; a run that did not finish
    // has failed.
    int exitCode() const;
    // Writes the last line, with the exit code, and answers that code.
    int close();

private:
    // Writes text (bytes of the system's code page) and a line end, in UTF-8.
    void line(const char* label, const QXSDK::QXString& text);

    QXSDK::KernelHandle log; // the log file, none without a log
    bool nothingToRun;
    bool done;
    bool restartNeeded;
    bool failed;
};
