// Benchmarks of the uninstaller against its own limits, each printed with the
// ratio to its baseline or goal, all measured in this run on this machine:
// manifest and properties loading against a plain fgets loop, the work of
// one timer tick, the pace of whole runs of the real uninstall.exe against
// entries x 10 ms, its start-up, and GDI objects and memory around 2,000 ticks.
#include "app/EntryRemoval.h"
#include "qxsdk/component/QXContainer.h"
#include "qxsdk/core/QXFileStream.h"
#include "qxsdk/core/QXProperties.h"
#include "qxsdk/core/TQXList.h"
#include "qxsdk/widgets/QXGuage.h"
#include "qxsdk/widgets/QXLabel.h"
#include "tests/e2e/Installation.h"
#include "tests/support/GdiObjectCount.h"
#include "tests/support/ScratchDir.h"
#include "tests/support/TestWindow.h"

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>

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
    const std::string manifest = dir / "install.txt";
    std::string text;
    for (int i = 0; i < 100000; ++i)
        text += "C:\\Program Files\\Vexlo Viewer\\Sample Images\\sunset " + std::to_string(i) + ".jpg\r\n";
    ScratchDir::writeFile(manifest, text);
    double start = seconds();
    TQXList<QXString> entries;
    QXFileStream stream;
    stream.open(manifest.c_str(), IQXIOStream::kModeRead);
    QXString line;
    while (stream.available() != -1 && readLine(stream, line)) {
        line.trimRight();
        entries.addLast(line);
    }
    stream.close();
    const double loader = seconds() - start;
    int lines = 0;
    const double baseline = fgetsLines(manifest, lines);
    std::printf("manifest loading, %d lines: %.3f s, fgets %.3f s, ratio %.1f (goal 3)\n", entries.count(), loader,
                baseline, loader / baseline);

    const std::string links = dir / "filelink.txt";
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

// A window with the uninstaller's status line and gauge, doing the work of
// count ticks on real files; prints the time of one tick and the GDI objects
// and private memory before and after.
void ticks(const ScratchDir& dir, int count)
{
    QXContainer* window = new QXContainer();
    window->retain();
    window->setWindowType(6);
    window->setBounds(100, 100, 502, 116, 0);
    QXLabel* label = new QXLabel();
    label->setBounds(10, 8, 475, 21, 0);
    QXGuage* gauge = new QXGuage();
    gauge->setBounds(10, 30, 475, 20, 0);
    gauge->setShowPercentage(1);
    window->add(label);
    window->add(gauge);
    window->setInheritedFlag(0);
    window->create(CreateContext{GetModuleHandleA(nullptr), nullptr});
    gauge->setMaximum(count);
    for (int i = 0; i < count; ++i) ScratchDir::writeFile(dir / ("f" + std::to_string(i) + ".jpg"), "x");

    PROCESS_MEMORY_COUNTERS_EX memory = {};
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory);
    const SIZE_T privateBefore = memory.PrivateUsage;
    const SIZE_T workingSetBefore = memory.WorkingSetSize;
    const int gdiBefore = testsupport::liveGdiObjects();
    double total = 0, longest = 0;
    for (int i = 0; i < count; ++i) {
        const QXString entry((dir / ("f" + std::to_string(i) + ".jpg")).c_str());
        const double start = seconds();
        label->setCaption(QXString("Remove->") + entry.getData());
        removeEntry(entry);
        gauge->setValue(i + 1);
        const double tick = seconds() - start;
        total += tick;
        longest = std::max(longest, tick);
        testsupport::pumpMessages();
    }
    label->setCaption(QXString(""));
    testsupport::pumpMessages();
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory);
    std::printf("tick processing, %d ticks: mean %.3f ms, longest %.3f ms (goal under 1 ms)\n", count,
                1000 * total / count, 1000 * longest);
    // Wine may report no private bytes; the working set is shown beside them.
    std::printf("stability over %d ticks: GDI objects %d -> %d, private memory %.1f -> %.1f MiB, working set %.1f -> "
                "%.1f MiB\n",
                count, gdiBefore, testsupport::liveGdiObjects(), privateBefore / 1048576.0,
                memory.PrivateUsage / 1048576.0, workingSetBefore / 1048576.0, memory.WorkingSetSize / 1048576.0);
    window->release();
}

// Whole runs of the real uninstall.exe.
void runs()
{
    e2e::installBrowserRecorder();
    for (int entries : {200, 1000}) {
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
    }
}

} // namespace

int main()
{
    ScratchDir dir;
    loading(dir);
    ticks(dir, 2000);
    runs();
    return 0;
}
