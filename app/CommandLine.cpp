#include "app/CommandLine.h"

#include <windows.h>
#include <shellapi.h>

#include <cstdlib>

namespace {

const wchar_t kLogSwitch[] = L"/LOG=";
const size_t kLogSwitchLength = sizeof kLogSwitch / sizeof kLogSwitch[0] - 1;

bool is(const wchar_t* word, const wchar_t* name)
{
    return _wcsicmp(word, name) == 0;
}

// The full path of path, resolved against the current directory as it is
// now (a copy for the caller to free); null when Windows cannot make one.
wchar_t* fullPathOf(const wchar_t* path)
{
    const DWORD size = GetFullPathNameW(path, 0, nullptr, nullptr);
    if (size == 0) return nullptr;
    wchar_t* full = static_cast<wchar_t*>(std::malloc(size * sizeof(wchar_t)));
    const DWORD length = full ? GetFullPathNameW(path, size, full, nullptr) : 0;
    if (length == 0 || length >= size) {
        std::free(full);
        return nullptr;
    }
    return full;
}

} // namespace

CommandLine::CommandLine(const wchar_t* commandLine) : mode(Mode::kInteractive), help(false), log(nullptr)
{
    int count = 0;
    LPWSTR* words = commandLine ? CommandLineToArgvW(commandLine, &count) : nullptr;
    if (!words) return;
    // The first word is the program's own name.
    for (int i = 1; i < count; ++i) {
        const wchar_t* word = words[i];
        if (is(word, L"/S") || is(word, L"/VERYSILENT")) {
            mode = Mode::kHidden;
        } else if (is(word, L"/SILENT")) {
            if (mode == Mode::kInteractive) mode = Mode::kShown;
        } else if (is(word, L"/?")) {
            help = true;
        } else if (_wcsnicmp(word, kLogSwitch, kLogSwitchLength) == 0 && word[kLogSwitchLength]) {
            // Resolved now, before the program leaves the folder it was
            // started in, where a deployment tool means a relative log to be.
            std::free(log);
            log = fullPathOf(word + kLogSwitchLength);
        }
        // /SUPPRESSMSGBOXES, /NORESTART and any other word change nothing.
    }
    LocalFree(words);
}

CommandLine::~CommandLine()
{
    std::free(log);
}
