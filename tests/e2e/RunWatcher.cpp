#include "tests/e2e/RunWatcher.h"

#include <oleacc.h>

#include <cwchar>
#include <string>

namespace e2e {

namespace {

// Far off the screen: the lookalike covers nothing and no picture shows it.
const int kOffScreen = -4000;
// The most values one look of the gauge may stand for before the status
// line is no longer compared (a long manifest moves the gauge by a pixel
// every many ticks).
const size_t kWidestMatch = 4;

// An entry as the program shows it: the line's text ends at a zero byte,
// and trailing blanks, tabs and line ends are cut.
std::string shownEntry(const std::string& line)
{
    std::string text = line.substr(0, line.find('\0'));
    const size_t end = text.find_last_not_of(" \t\r\n");
    return end == std::string::npos ? "" : text.substr(0, end + 1);
}

} // namespace

RunWatcher::RunWatcher(const std::vector<std::string>& manifest)
    : count(static_cast<int>(manifest.size())), lookalike(kOffScreen, kOffScreen, static_cast<int>(manifest.size()))
{
    for (const std::string& line : manifest) entries.push_back(shownEntry(line));
}

bool RunWatcher::attach(HWND window)
{
    status = FindWindowExA(window, nullptr, "QXLabel", nullptr);
    gauge = FindWindowExA(window, nullptr, "QXGuage", nullptr);
    button = FindWindowExA(window, nullptr, "QXButton", nullptr);
    return status && gauge && button;
}

std::string RunWatcher::captionAfter(int j) const
{
    if (j <= 0 || j >= count) return "";
    return "Remove->" + entries[j - 1];
}

const testsupport::Pixels& RunWatcher::gaugeShowing(int value)
{
    auto drawn = gauges.find(value);
    if (drawn == gauges.end()) drawn = gauges.emplace(value, lookalike.gaugeShowing(value)).first;
    return drawn->second;
}

std::vector<int> RunWatcher::valuesLookingLike(const testsupport::Pixels& shown, int from)
{
    std::vector<int> values;
    for (int value = from; value <= count; ++value) {
        if (gaugeShowing(value) == shown) values.push_back(value);
        else if (!values.empty()) break;
        // Wider than the status line is compared for: the first values do.
        if (values.size() > kWidestMatch) break;
    }
    return values;
}

int RunWatcher::percentOf(int value) const
{
    return value >= count ? 100 : static_cast<int>(static_cast<unsigned>(value) * 100u / static_cast<unsigned>(count));
}

void RunWatcher::askAsAScreenReader(int value)
{
    using testsupport::AccessibleReading;
    const bool disabled = !IsWindowEnabled(button);
    const AccessibleReading progress = AccessibleReading::of(gauge);
    const AccessibleReading done = AccessibleReading::of(button);
    if (!readDuring[1].read) {
        readDuring[0] = AccessibleReading::of(status);
        readDuring[1] = progress;
        readDuring[2] = done;
    }
    // The run goes on while it is asked: the gauge may be further on.
    const int read = progress.value.empty() ? -1 : static_cast<int>(std::wcstol(progress.value.c_str(), nullptr, 10));
    if (progress.role != ROLE_SYSTEM_PROGRESSBAR || read < percentOf(value) ||
        progress.value != std::to_wstring(read) + L"%")
        faults.push_back("a screen reader read the gauge showing " + std::to_string(percentOf(value)) +
                         "% as " + describe(progress));
    if (disabled && !IsWindowEnabled(button) && !done.has(STATE_SYSTEM_UNAVAILABLE))
        faults.push_back("a screen reader read the disabled \"Done\" as " + describe(done));
}

void RunWatcher::look(bool mayAsk)
{
    if (!status || !faults.empty()) return;
    // The button first: the run enables it after the gauge is full, so a
    // gauge read afterwards shows at least what it showed then. The gauge
    // before and after the status line: when it did not change, no tick
    // finished in between.
    const bool enabled = IsWindowEnabled(button) != 0;
    const testsupport::Pixels before = testsupport::Pixels::shownBy(gauge, false);
    const testsupport::Pixels caption = testsupport::Pixels::shownBy(status, false);
    const testsupport::Pixels after = testsupport::Pixels::shownBy(gauge, false);
    if (before != after || before.values.empty()) return;
    const std::vector<int> values = valuesLookingLike(before, lastValue);
    // Until the window's first paint has reached the screen it shows no
    // value at all; after that it must always show one.
    if (values.empty() && comparedLooks > 0)
        faults.push_back("the gauge showed none of the values " + std::to_string(lastValue) + " to " +
                         std::to_string(count) + " of " + std::to_string(count));
    if (values.empty()) return;
    ++comparedLooks;
    lastValue = values.front();
    if (enabled && values.back() < count)
        faults.push_back("\"Done\" was enabled with the gauge at " + std::to_string(values.back()) + " of " +
                         std::to_string(count));
    if (mayAsk) askAsAScreenReader(values.front());
    if (values.size() > kWidestMatch) return;
    // Inside tick v + 1 its entry may be shown already; inside the last one
    // the gauge may be full before the status line is cleared.
    std::vector<std::string> possible;
    for (int v : values) {
        possible.push_back(captionAfter(v));
        possible.push_back(v < count ? captionAfter(v + 1) : captionAfter(count - 1));
    }
    for (const std::string& text : possible)
        if (lookalike.statusShowing(text) == caption) return;
    faults.push_back("with the gauge at " + std::to_string(values.front()) + " of " + std::to_string(count) +
                     " the status line showed neither \"" + possible.front() + "\" nor \"" + possible[1] + "\"");
}

void RunWatcher::lookAtTheEnd()
{
    if (!status) return;
    if (testsupport::Pixels::shownBy(gauge, false) != gaugeShowing(count))
        faults.push_back("the finished window's gauge was not full at 100%");
    if (testsupport::Pixels::shownBy(status, false) != lookalike.statusShowing(""))
        faults.push_back("the finished window's status line was not empty");
    if (!IsWindowEnabled(button)) faults.push_back("\"Done\" was not enabled at the end");
    using testsupport::AccessibleReading;
    const HWND parts[3] = {status, gauge, button};
    for (int i = 0; i < 3; ++i) readAtTheEnd[i] = AccessibleReading::of(parts[i]);
    const AccessibleReading& line = readAtTheEnd[0];
    const AccessibleReading& progress = readAtTheEnd[1];
    const AccessibleReading& done = readAtTheEnd[2];
    if (line.role != ROLE_SYSTEM_STATICTEXT || !line.name.empty())
        faults.push_back("a screen reader read the finished status line as " + describe(line));
    if (progress.role != ROLE_SYSTEM_PROGRESSBAR || progress.value != L"100%")
        faults.push_back("a screen reader read the finished gauge as " + describe(progress));
    // "完成" (Done), enabled, with the keyboard focus, that a reader can press.
    if (done.role != ROLE_SYSTEM_PUSHBUTTON || done.name != L"\u5B8C\u6210" || done.defaultAction != L"Press" ||
        done.has(STATE_SYSTEM_UNAVAILABLE) || !done.has(STATE_SYSTEM_FOCUSED))
        faults.push_back("a screen reader read the finished \"Done\" as " + describe(done));
}

} // namespace e2e
