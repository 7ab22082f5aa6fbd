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
    case EntryOutcome::kInUse: return "stays, in use";
    default: return "stays, no right";
    }
}

} // namespace

RunReport::RunReport() : nothingToRun(false), done(false), restartNeeded(false), failed(false)
{
}

void RunReport::logTo(const wchar_t* path)
{
    if (log || !path) return;
    HANDLE file = CreateFileW(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    log.reset(file);
    DWORD written = 0;
    WriteFile(file, kUtf8Signature, sizeof kUtf8Signature - 1, &written, nullptr);
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
    default: break;
    }
    line(labelOf(outcome), entry);
}

void RunReport::keptForTheRegistryStep(const QXString& entry)
{
    line("stays, kept with the product key that stays", entry);
}

void RunReport::directoryAtTheEnd(const QXString& entry, bool removed, bool notEmpty, bool scheduled)
{
    if (removed) {
        line(labelOf(EntryOutcome::kRemoved), entry);
    } else if (!scheduled) {
        failed = true;
        line(notEmpty ? "stays, not empty" : "stays, in use", entry);
    } else if (notEmpty) {
        // What keeps it is not the product's (a file the user put there),
        // or waits for the restart itself.
        line("stays, not empty; deleted at the next restart if empty by then", entry);
    } else {
        restartNeeded = true;
        line(labelOf(EntryOutcome::kWaitsAtPath), entry);
    }
}

void RunReport::registryKey(const QXString& key, bool deleted)
{
    failed = failed || !deleted;
    line(deleted ? "registry key deleted" : "registry key stays (it has subkeys, or cannot be deleted)", key);
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
    if (nothingToRun) return kNotInstalled;
    if (!done || failed) return kFailed;
    return restartNeeded ? kRestartNeeded : kRemoved;
}

int RunReport::close()
{
    const int code = exitCode();
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
