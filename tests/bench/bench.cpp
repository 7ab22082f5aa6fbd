// Benchmarks of the uninstaller against its own limits, each printed with the
// ratio to its baseline or goal, all measured in this run on this machine:
// manifest and properties loading against a plain fgets loop, the work of
// one timer tick, the pace of whole runs of the real uninstall.exe against
// entries x 10 ms, its start-up, GDI objects and memory around 2,000 ticks,
// and silent runs (/S) against a bare removal of the same files.
#include "app/EntryRemoval.h"
#include "app/InstallationFiles.h"
#include "app/Manifest.h"
#include "qxsdk/core/QXFileStream.h"
#include "qxsdk/core/QXProperties.h"
#include "qxsdk/core/TQXList.h"
#include "tests/e2e/Installation.h"
#include "tests/e2e/UninstallRun.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/GdiObjectCount.h"
#include "tests/support/ScratchDir.h"
#include "tests/support/TestWindow.h"
#include "tests/support/UninstallerLookalike.h"

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
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

// The drive's holds of the program during a run, if any.
void printInterruptions(const e2e::RunResult& result)
{
    if (result.holds == 0)
        std::printf("  the drive interrupted the run: never\n");
    else
        std::printf("  the drive interrupted the run: %d holds, %lu ms in all\n", result.holds, result.heldMs);
}

// Whole runs of the real uninstall.exe, timed from the moments the program
// itself shows (the box gone, the button enabled), with nothing looking at
// its window or holding it still.
void runs()
{
    e2e::installBrowserRecorder();
    for (int entries : {200, 1000, 2000}) {
        e2e::Installation installation(entries - 12); // the sample images make up the rest
        installation.stage();
        e2e::UninstallRun run(installation, e2e::UninstallRun::Answer::Ok);
        run.looksAtTheWindow = false;
        const e2e::RunResult result = run.go();
        if (!result.finished) {
            std::printf("run of %zu entries did not finish\n", installation.manifest.size());
            continue;
        }
        const double span = result.finishedAtMs - result.confirmedAtMs;
        const double floor = installation.manifest.size() * 10.0;
        std::printf("run of %zu entries: %.0f ms from confirmation to the enabled button, %.3f x entries x 10 ms "
                    "(goal 1.05)\n",
                    installation.manifest.size(), span, span / floor);
        printInterruptions(result);
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

// A program run to its end with nothing watching it.
struct Timed {
    double ms = 0;       // from its start to its end, as Windows recorded them
    long exitCode = -1;
    // The process's memory once its window exists (the run has begun), at
    // its last sample, and the largest; filled when asked for.
    PROCESS_MEMORY_COUNTERS atStart = {}, atEnd = {};
    SIZE_T largestCommitted = 0;
};

ULONGLONG ticksOf(const FILETIME& time)
{
    return (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

struct WindowSearch {
    DWORD process;
    bool found;
};

BOOL CALLBACK noteProcessWindow(HWND window, LPARAM data)
{
    auto* search = reinterpret_cast<WindowSearch*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->process) search->found = true;
    return !search->found;
}

const DWORD kMemoryEveryMs = 250;

// Runs commandLine in folder until it ends. With sampleMemory, reads the
// process's memory every kMemoryEveryMs (reads that do not stop it).
Timed timeProgram(const std::string& commandLine, const std::string& folder, DWORD patienceMs, bool sampleMemory)
{
    Timed timed;
    testsupport::ChildProcess process(commandLine, folder);
    if (!process.started()) return timed;
    bool begun = false;
    const DWORD start = GetTickCount();
    while (WaitForSingleObject(process.handle(), sampleMemory ? kMemoryEveryMs : patienceMs) == WAIT_TIMEOUT &&
           GetTickCount() - start < patienceMs) {
        PROCESS_MEMORY_COUNTERS memory = {};
        memory.cb = sizeof memory;
        if (!GetProcessMemoryInfo(process.handle(), &memory, sizeof memory)) continue;
        if (!begun) {
            WindowSearch search = {process.id(), false};
            EnumWindows(noteProcessWindow, reinterpret_cast<LPARAM>(&search));
            begun = search.found;
            if (begun) timed.atStart = memory;
        }
        if (begun) timed.atEnd = memory;
        timed.largestCommitted = std::max(timed.largestCommitted, memory.PagefileUsage);
    }
    timed.exitCode = process.waitExit(0);
    FILETIME created, exited, kernel, user;
    if (timed.exitCode >= 0 && GetProcessTimes(process.handle(), &created, &exited, &kernel, &user))
        timed.ms = (ticksOf(exited) - ticksOf(created)) / 10000.0;
    return timed;
}

// The silent run (/S) of an installation of that many entries beside the
// bare removal of the same files (tests/helpers/bare_removal.cpp), each
// staged anew, in turns; the least of the rounds of each, then every round
// with the silent run's exit code, the paths the bare removal left (the
// installation folder, which holds filelink.txt: the manifest does not list
// it) and the round's ratio. Answers the silent run of the last round.
Timed silentAgainstBare(int entries, int rounds, bool sampleMemory)
{
    e2e::Installation installation(entries - 12 - entries / (e2e::Installation::kAlbumSize + 1));
    const size_t count = installation.manifest.size();
    const DWORD patienceMs = static_cast<DWORD>(entries) * 10 + 60000;
    const std::string bin = testsupport::testBinDir();
    std::vector<Timed> silent, bare;
    for (int round = 0; round < rounds; ++round) {
        installation.stage();
        bare.push_back(timeProgram("\"" + bin + "\\bare_removal.exe\" \"" + installation.path(kManifestFile) + "\"",
                                   bin, patienceMs, false));
        installation.stage();
        silent.push_back(
            timeProgram("\"" + installation.uninstaller() + "\" /S", installation.programDir, patienceMs, sampleMemory));
        if (GetFileAttributesA(installation.programDir.c_str()) != INVALID_FILE_ATTRIBUTES)
            std::printf("  the silent run left the installation folder\n");
    }
    const auto faster = [](const Timed& a, const Timed& b) { return a.ms < b.ms; };
    const double silentMs = std::min_element(silent.begin(), silent.end(), faster)->ms;
    const double bareMs = std::min_element(bare.begin(), bare.end(), faster)->ms;
    std::printf("silent run of %zu entries %.0f ms, bare removal %.0f ms: %.2f x bare\n", count, silentMs, bareMs,
                silentMs / bareMs);
    // A round's two runs follow each other: their ratio holds when the
    // machine's speed drifts between rounds.
    std::vector<double> ratios;
    std::printf("  the least of %d rounds; each round silent / bare:", rounds);
    for (int round = 0; round < rounds; ++round) {
        ratios.push_back(silent[round].ms / bare[round].ms);
        std::printf("%s %.0f ms (exit code %ld) / %.0f ms (paths left: %ld) = %.2f", round ? ";" : "", silent[round].ms,
                    silent[round].exitCode, bare[round].ms, bare[round].exitCode, ratios.back());
    }
    std::sort(ratios.begin(), ratios.end());
    std::printf("; median %.2f x bare\n", ratios[ratios.size() / 2]);
    return silent.back();
}

const int kSilentRounds = 3;

// The silent run beside the bare removal, at two sizes.
void silentRuns()
{
    for (int entries : {1000, 20000}) silentAgainstBare(entries, kSilentRounds, false);
}

// One long silent run (VEXLO_LONG_RUN_ENTRIES, 100,000 unless set) beside the
// bare removal, and the program's memory from the start of its run to its end.
void longSilentRun()
{
    const char* wanted = std::getenv("VEXLO_LONG_RUN_ENTRIES");
    const int entries = std::max(100, wanted ? std::atoi(wanted) : 100000);
    const Timed run = silentAgainstBare(entries, 1, true);
    std::printf("memory of uninstall.exe /S from the start of its run to its end: committed %.2f -> %.2f MiB "
                "(largest %.2f), working set %.2f -> %.2f MiB\n",
                run.atStart.PagefileUsage / 1048576.0, run.atEnd.PagefileUsage / 1048576.0,
                run.largestCommitted / 1048576.0, run.atStart.WorkingSetSize / 1048576.0,
                run.atEnd.WorkingSetSize / 1048576.0);
}

} // namespace

// With arguments, only the parts named: loading, ticks, runs, silent; and
// long, which no other part runs.
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
    if (wanted("silent")) silentRuns();
    if (argc > 1 && wanted("long")) longSilentRun();
    return 0;
}
