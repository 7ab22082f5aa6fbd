#include "app/RunReport.h"
#include "tests/support/ScratchDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

using QXSDK::QXString;

namespace {

const QXString kFile("C:\\Program Files\\Vexlo Viewer\\a.dll");
const QXString kFolder("C:\\Program Files\\Vexlo Viewer");

// The exit code of a finished run that reported what the test does.
template <typename Reports>
int exitCodeOf(Reports reports)
{
    RunReport report;
    report.started(QXString("install.txt"), 2);
    reports(report);
    report.finished();
    return report.exitCode();
}

std::string fileText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::wstring wide(const std::string& path)
{
    return std::wstring(path.begin(), path.end()); // scratch paths are ASCII
}

} // namespace

TEST(RunReport, ExitCodesAsDeploymentToolsReadThem)
{
    EXPECT_EQ(RunReport::kFailed, RunReport().exitCode()); // a run that did not finish
    RunReport nothing;
    nothing.noManifest(QXString("install.txt"));
    EXPECT_EQ(RunReport::kNotInstalled, nothing.exitCode());

    EXPECT_EQ(RunReport::kRemoved, exitCodeOf([](RunReport& r) {
                  r.entry(kFile, EntryOutcome::kRemoved);
                  r.entry(kFile, EntryOutcome::kAbsent);
                  r.entry(QXString("drivers\\etc\\hosts"), EntryOutcome::kNamesNoFile);
                  r.entry(kFile, EntryOutcome::kMovedAside, true); // the program's own, in the temporary folder
                  r.entry(kFolder, EntryOutcome::kNotEmptyTillRestart); // a user's file keeps it
                  r.registryKey(QXString("HKEY_LOCAL_MACHINE\\SOFTWARE\\Vexlo"), EntryOutcome::kRemoved);
              }));
    EXPECT_EQ(RunReport::kRestartNeeded,
              exitCodeOf([](RunReport& r) { r.entry(kFile, EntryOutcome::kMovedAside); }));
    EXPECT_EQ(RunReport::kRestartNeeded,
              exitCodeOf([](RunReport& r) { r.entry(kFile, EntryOutcome::kWaitsAtPath, true); }));
    EXPECT_EQ(RunReport::kRestartNeeded,
              exitCodeOf([](RunReport& r) { r.entry(kFolder, EntryOutcome::kWaitsAtPath); }));
    // A key that a run cut short had deleted already.
    EXPECT_EQ(RunReport::kRemoved, exitCodeOf([](RunReport& r) {
                  r.registryKey(QXString("HKEY_LOCAL_MACHINE\\SOFTWARE\\Vexlo"), EntryOutcome::kAbsent);
              }));
    EXPECT_EQ(RunReport::kFailed, exitCodeOf([](RunReport& r) { r.entry(kFile, EntryOutcome::kInUse); }));
    EXPECT_EQ(RunReport::kFailed, exitCodeOf([](RunReport& r) { r.entry(kFile, EntryOutcome::kNoRight); }));
    EXPECT_EQ(RunReport::kFailed, exitCodeOf([](RunReport& r) { r.entry(kFolder, EntryOutcome::kNotEmpty); }));
    // A failure outweighs a restart.
    EXPECT_EQ(RunReport::kFailed, exitCodeOf([](RunReport& r) {
                  r.entry(kFile, EntryOutcome::kWaitsAtPath);
                  r.registryKey(QXString("HKEY_LOCAL_MACHINE\\SOFTWARE\\Vexlo"), EntryOutcome::kNoRight);
                  r.entry(kFile, EntryOutcome::kKeptForASecondStart, true);
              }));
    // A start that did not run ends with the code it was refused with.
    for (int code : {RunReport::kNobodyToAsk, RunReport::kAlreadyRunning, RunReport::kRemoved}) {
        RunReport refused;
        refused.refuse(code, "why");
        EXPECT_EQ(code, refused.close(true));
        RunReport interactive;
        interactive.refuse(code, "why");
        EXPECT_EQ(code, interactive.close(false));
    }
}

TEST(RunReport, LogHasALineForEachReportAndTheExitCodeLast)
{
    testsupport::ScratchDir dir;
    const std::string path = dir / "run.log";
    RunReport report;
    report.logTo(wide(path).c_str());
    report.started(QXString("C:\\Vexlo\\install.txt"), 3);
    report.entry(kFile, EntryOutcome::kWaitsAtPath);
    report.entry(QXString("C:\\Vexlo\\filelink.txt"), EntryOutcome::kKeptForASecondStart);
    report.registryKey(QXString("HKEY_CURRENT_USER\\Software\\Vexlo"), EntryOutcome::kNoRight);
    report.associationGivenBack(".JPEG", "jpegfile");
    report.finished();
    EXPECT_EQ(RunReport::kFailed, report.close(true));
    EXPECT_EQ("\xEF\xBB\xBF"
              "Vexlo uninstaller: 3 entries in C:\\Vexlo\\install.txt\r\n"
              "waits at its path for the next restart: C:\\Program Files\\Vexlo Viewer\\a.dll\r\n"
              "stays, kept with the product key that stays: C:\\Vexlo\\filelink.txt\r\n"
              "registry key stays (it has subkeys, or cannot be deleted): HKEY_CURRENT_USER\\Software\\Vexlo\r\n"
              "association given back: .JPEG -> jpegfile\r\n"
              "exit code: 1603\r\n",
              fileText(path));
}

TEST(RunReport, EntriesAreTheSystemsBytesWrittenAsUtf8)
{
    if (GetACP() != 936) GTEST_SKIP() << "ANSI code page is " << GetACP() << ", not 936";
    testsupport::ScratchDir dir;
    const std::string path = dir / "run.log";
    RunReport report;
    report.logTo(wide(path).c_str());
    // "说明.txt" (readme) in GBK, then in UTF-8.
    report.entry(QXString("C:\\\xCB\xB5\xC3\xF7.txt"), EntryOutcome::kRemoved);
    EXPECT_EQ("\xEF\xBB\xBFremoved: C:\\\xE8\xAF\xB4\xE6\x98\x8E.txt\r\n", fileText(path));
}

TEST(RunReport, ALogThatCannotBeWrittenChangesNothingElse)
{
    testsupport::ScratchDir dir;
    RunReport report;
    report.logTo(wide(dir / "no such folder\\run.log").c_str());
    report.entry(kFile, EntryOutcome::kMovedAside);
    report.finished();
    EXPECT_FALSE(report.logTo(wide(dir / "no such folder\\run.log").c_str()));
    EXPECT_EQ(RunReport::kRestartNeeded, report.close(true));
    EXPECT_FALSE(testsupport::ScratchDir::exists(dir / "no such folder"));
}

TEST(RunReport, APersonsRunEndsWithZeroAndSaysInWordsHowItWent)
{
    testsupport::ScratchDir dir;
    const std::string path = dir / "run.log";
    RunReport report;
    ASSERT_TRUE(report.logTo(wide(path).c_str()));
    report.entry(kFile, EntryOutcome::kWaitsAtPath);
    report.finished();
    EXPECT_EQ(RunReport::kRemoved, report.close(false));
    EXPECT_EQ("\xEF\xBB\xBF"
              "waits at its path for the next restart: C:\\Program Files\\Vexlo Viewer\\a.dll\r\n"
              "the run: removed once Windows restarts\r\n"
              "exit code: 0\r\n",
              fileText(path));
}
