#include "app/RunReport.h"

#include "qxsdk/core/WideText.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

using QXSDK::QXString;
using QXSDK::WideText;

namespace {

// Windows' own tools take a file without it for one of the system's code page.
const char kUtf8Signature[] = "\xEF\xBB\xBF";

const char* labelOf(EntryOutcome outcome)
{
    switch (outcome) {
    case EntryOutcome::kRemoved: return "removed";
    case EntryOutcome::kAbsent: return "not there";
    case EntryOutcome::kNamesNoFile: return "names no file (no full path), left alone";
    case EntryOutcome::kMovedAside: return "moved aside, deleted at the next restart";
    case EntryOutcome::kWaitsAtPath: return "waits at its path for the next restart";
    case EntryOutcome::kNotEmpty: return "stays, not empty";
    case EntryOutcome::kNotEmptyTillRestart: return "stays, not empty; deleted at the next restart if empty by then";
    case EntryOutcome::kInUse: return "stays, in use";
    case EntryOutcome::kKeptForASecondStart: return "stays, kept with the product key that stays";
    default: return "stays, no right";
    }
}

// How a run that a person watched went, in words: its exit code is 0
// whatever happened.
const char* wordsFor(int exitCode)
{
    switch (exitCode) {
    case RunReport::kRemoved: return "removed, nothing listed stands any more";
    case RunReport::kRestartNeeded: return "removed once Windows restarts";
    case RunReport::kNotInstalled: return "nothing of the product is installed here";
    default: return "something listed stays, or the run did not finish";
    }
}

} // namespace

RunReport::RunReport()
    : nothingToRun(false), done(false), restartNeeded(false), failed(false), refused(false), refusal(kRemoved)
{
}

bool RunReport::logTo(const wchar_t* path)
{
    if (log) return true;
    if (!path) return false;
    HANDLE file = CreateFileW(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    log.reset(file);
    DWORD written = 0;
    WriteFile(file, kUtf8Signature, sizeof kUtf8Signature - 1, &written, nullptr);
    return true;
}

void RunReport::refuse(int exitCode, const char* why)
{
    refused = true;
    refusal = exitCode;
    line("Vexlo uninstaller", QXString(why));
}

void RunReport::started(const QXString& manifest, int entries)
{
    char count[32];
    std::snprintf(count, sizeof count, "%d entries in ", entries);
    line("Vexlo uninstaller", QXString(count) + (manifest.getData() ? manifest.getData() : ""));
}

void RunReport::noManifest(const QXString& manifest)
{
    nothingToRun = true;
    line("nothing of the product is installed here, no entries in", manifest);
}

void RunReport::entry(const QXString& entry, EntryOutcome outcome, bool ownProgram)
{
    switch (outcome) {
    case EntryOutcome::kMovedAside: restartNeeded = restartNeeded || !ownProgram; break;
    case EntryOutcome::kWaitsAtPath: restartNeeded = true; break;
    case EntryOutcome::kNotEmpty:
    case EntryOutcome::kInUse:
    case EntryOutcome::kNoRight: failed = true; break;
    // What keeps such a directory is not the product's (a file the user put
    // there), or waits for the restart itself. What stays with the product
    // key has failed with the key.
    default: break;
    }
    line(labelOf(outcome), entry);
}

void RunReport::registryKey(const QXString& key, EntryOutcome outcome)
{
    switch (outcome) {
    case EntryOutcome::kRemoved: line("registry key deleted", key); break;
    case EntryOutcome::kAbsent: line("registry key already gone", key); break;
    default:
        failed = true;
        line("registry key stays (it has subkeys, or cannot be deleted)", key);
        break;
    }
}

void RunReport::associationGivenBack(const char* extension, const char* program)
{
    line("association given back", QXString(extension) + " -> " + program);
}

void RunReport::finished()
{
    done = true;
}

int RunReport::exitCode() const
{
    if (refused) return refusal;
    if (nothingToRun) return kNotInstalled;
    if (!done || failed) return kFailed;
    return restartNeeded ? kRestartNeeded : kRemoved;
}

int RunReport::close(bool unattended)
{
    const int code = unattended || refused ? exitCode() : kRemoved;
    if (!unattended && !refused) line("the run", QXString(wordsFor(exitCode())));
    char text[16];
    std::snprintf(text, sizeof text, "%d", code);
    line("exit code", QXString(text));
    return code;
}

void RunReport::line(const char* label, const QXString& text)
{
    if (!log) return;
    const WideText wide(text, CP_ACP);
    const int textBytes =
        wide && wide.length() > 0
            ? WideCharToMultiByte(CP_UTF8, 0, wide.get(), wide.length(), nullptr, 0, nullptr, nullptr)
            : 0;
    const size_t labelBytes = std::strlen(label);
    const size_t size = labelBytes + 2 + static_cast<size_t>(textBytes) + 2;
    char* bytes = static_cast<char*>(std::malloc(size));
    if (!bytes) return;
    std::memcpy(bytes, label, labelBytes);
    std::memcpy(bytes + labelBytes, ": ", 2);
    if (textBytes > 0)
        WideCharToMultiByte(CP_UTF8, 0, wide.get(), wide.length(), bytes + labelBytes + 2, textBytes, nullptr,
                            nullptr);
    std::memcpy(bytes + size - 2, "\r\n", 2);
    DWORD written = 0;
    WriteFile(log.get(), bytes, static_cast<DWORD>(size), &written, nullptr);
    std::free(bytes);
}
