// Benchmarks of the uninstaller against its own limits, each printed with the
// ratio to its baseline or goal, all measured in this run on this machine:
// manifest and properties loading against a plain fgets loop, the work of
// one timer tick, the pace of whole runs of the real uninstall.exe against
// entries x 10 ms, its start-up, GDI objects and memory around 2,000 ticks,
// and silent runs (/S) against interactive ones of the same manifests.
#include "app/EntryRemoval.h"
#include "app/InstallationFiles.h"
#include "app/Manifest.h"
#include "qxsdk/core/QXFileStream.h"
#include "qxsdk/core/QXProperties.h"
#include "qxsdk/core/TQXList.h"
#include "tests/e2e/Installation.h"
#include "tests/e2e/UninstallRun.h"
#include "tests/support/GdiObjectCount.h"
#include "tests/support/ScratchDir.h"
#include "tests/support/TestWindow.h"
#include "tests/support/UninstallerLookalike.h"

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

using namespace QXSDK;
using testsupport::ScratchDir;

namespace {

double seconds()
{
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / frequency.QuadPart;
}

double fgetsLines(const std::string& path, int& lines)
{
    const double start = seconds();
    FILE* file = std::fopen(path.c_str(), "rb");
    char buffer[4096];
    lines = 0;
    while (std::fgets(buffer, sizeof buffer, file)) ++lines;
    std::fclose(file);
    return seconds() - start;
}

void loading(const ScratchDir& dir)
{
    const std::string manifest = dir / kManifestFile;
    std::string text;
    for (int i = 0; i < 100000; ++i)
        text += "C:\\Program Files\\Vexlo Viewer\\Sample Images\\sunset " + std::to_string(i) + ".jpg\r\n";
    ScratchDir::writeFile(manifest, text);
    double start = seconds();
    TQXList<QXString> entries;
    readManifest(QXString(manifest.c_str()), entries);
    const double loader = seconds() - start;
    int lines = 0;
    const double baseline = fgetsLines(manifest, lines);
    std::printf("manifest loading, %d lines: %.3f s, fgets %.3f s, ratio %.1f (goal 3)\n", entries.count(), loader,
                baseline, loader / baseline);

    // For comparison, the line-by-line loop over the stream (a size query,
    // a line read and a seek per line) that the loader's blocks replace.
    start = seconds();
    TQXList<QXString> byLine;
    QXFileStream stream;
    stream.open(manifest.c_str(), IQXIOStream::kModeRead);
    QXString line;
    while (stream.available() != -1 && readLine(stream, line)) {
        line.trimRight();
        byLine.addLast(line);
    }
    stream.close();
    const double lineLoop = seconds() - start;
    std::printf("  the same lines one by one through the stream: %.3f s, ratio %.1f\n", lineLoop, lineLoop / baseline);

    const std::string links = dir / kAssociationsFile;
    text.clear();
    for (int i = 0; i < 10000; ++i) text += ".EXT" + std::to_string(i) + "=former.owner." + std::to_string(i) + "\r\n";
    ScratchDir::writeFile(links, text);
    start = seconds();
    QXProperties table;
    table.load(QXString(links.c_str()));
    const double properties = seconds() - start;
    const double propertiesBaseline = fgetsLines(links, lines);
    std::printf("properties loading, %d lines: %.3f s, fgets %.3f s, ratio %.1f\n", table.size(), properties,
                propertiesBaseline, properties / propertiesBaseline);
}

// The time of each tick, and the total of each of its three steps.
struct TickTimes {
    std::vector<double> ticks;
    double caption = 0, removal = 0, gauge = 0;
};

// count ticks on real files, as the uninstaller does them, in a window laid
// out as the uninstaller's.
TickTimes measureTicks(testsupport::UninstallerLookalike& window, const ScratchDir& dir, int count)
{
    TickTimes times;
    for (int i = 0; i < count; ++i) {
        const QXString entry((dir / ("f" + std::to_string(i) + ".jpg")).c_str());
        const double start = seconds();
        window.status().setCaption(QXString("Remove->") + entry.getData());
        const double captioned = seconds();
        removeEntry(entry);
        const double removed = seconds();
        window.gauge().setValue(i + 1);
        const double end = seconds();
        times.ticks.push_back(end - start);
        times.caption += captioned - start;
        times.removal += removed - captioned;
        times.gauge += end - removed;
        testsupport::pumpMessages();
    }
    return times;
}

void printTickTimes(const TickTimes& times)
{
    const size_t count = times.ticks.size();
    double total = 0;
    for (double t : times.ticks) total += t;
    std::vector<double> sorted = times.ticks;
    std::sort(sorted.begin(), sorted.end());
    const auto longest = std::max_element(times.ticks.begin(), times.ticks.end());
    const size_t slowest = static_cast<size_t>(longest - times.ticks.begin());
    std::printf("tick processing, %zu ticks: mean %.3f ms (goal under 1 ms), median %.3f ms, 99th percentile %.3f ms, "
                "longest %.3f ms (tick %zu)\n",
                count, 1000 * total / count, 1000 * sorted[count / 2], 1000 * sorted[count * 99 / 100],
                1000 * sorted.back(), slowest + 1);
    std::printf("  of which status line %.3f ms, removal %.3f ms, gauge %.3f ms on average\n",
                1000 * times.caption / count, 1000 * times.removal / count, 1000 * times.gauge / count);
}

// The work of count ticks in a window laid out as the uninstaller's: the time
// of one tick, and the GDI objects and private memory before and after.
void ticks(const ScratchDir& dir, int count)
{
    testsupport::UninstallerLookalike window(100, 100, count);
    for (int i = 0; i < count; ++i) ScratchDir::writeFile(dir / ("f" + std::to_string(i) + ".jpg"), "x");

    PROCESS_MEMORY_COUNTERS_EX memory = {};
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory);
    const SIZE_T privateBefore = memory.PrivateUsage;
    const SIZE_T workingSetBefore = memory.WorkingSetSize;
    const int gdiBefore = testsupport::liveGdiObjects();
    printTickTimes(measureTicks(window, dir, count));
    window.status().setCaption(QXString(""));
    testsupport::pumpMessages();
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory);
    // Wine may report no private bytes; the working set is shown beside them.
    std::printf("stability over %d ticks: GDI objects %d -> %d, private memory %.1f -> %.1f MiB, working set %.1f -> "
                "%.1f MiB\n",
                count, gdiBefore, testsupport::liveGdiObjects(), privateBefore / 1048576.0,
                memory.PrivateUsage / 1048576.0, workingSetBefore / 1048576.0, memory.WorkingSetSize / 1048576.0);
}

// Whole runs of the real uninstall.exe.
void runs()
{
    e2e::installBrowserRecorder();
    for (int entries : {200, 1000, 2000}) {
        e2e::Installation installation(entries - 12); // the sample images make up the rest
        installation.stage();
        const e2e::RunResult result = e2e::UninstallRun(installation, e2e::UninstallRun::Answer::Ok).go();
        if (!result.finished) {
            std::printf("run of %zu entries did not finish\n", installation.manifest.size());
            continue;
        }
        const double run = result.finishedAtMs - result.confirmedAtMs;
        const double floor = installation.manifest.size() * 10.0;
        std::printf("run of %zu entries: %.0f ms from confirmation to the enabled button, %.3f x entries x 10 ms "
                    "(goal 1.05)\n",
                    installation.manifest.size(), run, run / floor);
        std::printf("start-up: box %lu ms after the process started; window %ld ms after the box was answered\n",
                    result.boxAtMs, static_cast<long>(result.windowAtMs) - static_cast<long>(result.confirmedAtMs));
        if (entries == 2000 && result.samples.size() >= 3) {
            // From the second sample (the window painted) to the enabled button.
            const e2e::ProcessSample& first = result.samples[1];
            const e2e::ProcessSample& last = result.samples.back();
            std::printf("stability of uninstall.exe over %d entries: GDI objects %d -> %d, windows %d -> %d, "
                        "committed memory %.2f -> %.2f MiB, working set %.2f -> %.2f MiB\n",
                        entries, first.gdiObjects, last.gdiObjects, first.windows, last.windows,
                        first.pagefileUsage / 1048576.0, last.pagefileUsage / 1048576.0, first.workingSet / 1048576.0,
                        last.workingSet / 1048576.0);
        }
    }
}

// Silent runs (/S, nobody at the keyboard: from the process start to its
// end) beside interactive ones (from the answered box to the enabled
// button) of the same manifests, each as a ratio to entries x 10 ms.
void paces()
{
    e2e::installBrowserRecorder();
    for (int entries : {1000, 20000}) {
        double ratios[2] = {};
        for (int silent = 1; silent >= 0; --silent) {
            e2e::Installation installation(entries - 12 - entries / (e2e::Installation::kAlbumSize + 1));
            installation.stage();
            e2e::UninstallRun run(installation,
                                  silent ? e2e::UninstallRun::Answer::Nobody : e2e::UninstallRun::Answer::Ok);
            run.arguments = silent ? "/S" : "";
            run.patienceMs = static_cast<DWORD>(entries) * 20 + 60000;
            const e2e::RunResult result = run.go();
            const double ms = silent ? result.endedAtMs : result.finishedAtMs - result.confirmedAtMs;
            const double floor = installation.manifest.size() * 10.0;
            ratios[silent] = ms / floor;
            std::printf("%s run of %zu entries: %.0f ms, %.3f x entries x 10 ms (exit code %ld)\n",
                        silent ? "silent" : "interactive", installation.manifest.size(), ms, ms / floor,
                        result.exitCode);
        }
        std::printf("  silent / interactive: %.3f\n", ratios[1] / ratios[0]);
    }
}

} // namespace

// With arguments, only the parts named: loading, ticks, runs, paces.
int main(int argc, char** argv)
{
    auto wanted = [&](const char* part) {
        if (argc < 2) return true;
        for (int i = 1; i < argc; ++i)
            if (std::strcmp(argv[i], part) == 0) return true;
        return false;
    };
    WIN32_FILE_ATTRIBUTE_DATA shipped;
    if (GetFileAttributesExA((testsupport::testBinDir() + "\\uninstall.exe").c_str(), GetFileExInfoStandard, &shipped))
        std::printf("uninstall.exe as shipped: %lu bytes\n", shipped.nFileSizeLow);
    ScratchDir dir;
    if (wanted("loading")) loading(dir);
    if (wanted("ticks")) ticks(dir, 2000);
    if (wanted("runs")) runs();
    if (wanted("paces")) paces();
    return 0;
}
