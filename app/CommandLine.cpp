#include "app/CommandLine.h"

#include <windows.h>
#include <shellapi.h>

#include <cstdlib>
#include <cwchar>

namespace {

const wchar_t kLogSwitch[] = L"/LOG=";
const size_t kLogSwitchLength = sizeof kLogSwitch / sizeof kLogSwitch[0] - 1;

bool is(const wchar_t* word, const wchar_t* name)
{
    return _wcsicmp(word, name) == 0;
}

wchar_t* copyOf(const wchar_t* text)
{
    const size_t length = std::wcslen(text);
    wchar_t* copy = static_cast<wchar_t*>(std::malloc((length + 1) * sizeof(wchar_t)));
    if (copy) std::wmemcpy(copy, text, length + 1);
    return copy;
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
            std::free(log);
            log = copyOf(word + kLogSwitchLength);
        }
        // /SUPPRESSMSGBOXES, /NORESTART and any other word change nothing.
    }
    LocalFree(words);
}

CommandLine::~CommandLine()
{
    std::free(log);
}
