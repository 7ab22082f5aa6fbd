#include "app/ExternalPrograms.h"
#include "app/InstallationFiles.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/ScratchDir.h"
#include "tests/support/ScratchRegistryKey.h"
#include "tests/support/ShellExtensionRecord.h"
#include "tests/support/SystemProgramStandIn.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

using QXSDK::QXString;
using namespace testsupport;

namespace {

using shellextension::kRecordKey;

std::string fileText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Polls until done() holds or the time is up: the product never waits for
// the programs it starts, so the test has to.
template <typename Condition>
bool waitFor(Condition done, DWORD timeoutMs = 30000)
{
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > timeoutMs) return false;
        Sleep(50);
    }
    return true;
}

} // namespace

TEST(ShellExtension, CommandLineCarriesTheShortPath)
{
    ScratchDir dir;
    const std::string programDir = dir / "Vexlo Viewer";
    ScratchDir::makeDir(programDir);
    const std::string dll = programDir + "\\" + kShellExtensionFile;
    ASSERT_TRUE(CopyFileA((testBinDir() + "\\" + kShellExtensionFile).c_str(), dll.c_str(), FALSE));
    const std::string shortDll = shortPath(dll);
    ASSERT_FALSE(shortDll.empty());
    EXPECT_EQ(std::string::npos, shortDll.find(' '));
    EXPECT_EQ("regsvr32.exe /s /u " + shortDll, shellExtensionCommand(QXString(programDir.c_str())).getData());
}

TEST(ShellExtension, MissingFileGivesTheQuotedLongPath)
{
    ScratchDir dir;
    const std::string programDir = dir / "Vexlo Viewer";
    EXPECT_EQ("regsvr32.exe /s /u \"" + programDir + "\\VexloShellEx.dll\"",
              shellExtensionCommand(QXString(programDir.c_str())).getData());
}

TEST(ShellExtension, RegsvrUnregistersTheExtension)
{
    ScratchDir dir;
    const std::string programDir = dir / "Vexlo Viewer";
    ScratchDir::makeDir(programDir);
    const std::string dll = programDir + "\\" + kShellExtensionFile;
    ASSERT_TRUE(CopyFileA((testBinDir() + "\\" + kShellExtensionFile).c_str(), dll.c_str(), FALSE));
    ScratchRegistryKey record(HKEY_CURRENT_USER, kRecordKey);
    ASSERT_EQ(0, runProgram("regsvr32.exe /s \"" + dll + "\""));
    ASSERT_TRUE(keyExists(HKEY_CLASSES_ROOT, shellextension::kClassKey));

    HANDLE regsvr = unregisterShellExtension(QXString(programDir.c_str()));
    ASSERT_NE(nullptr, regsvr);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(regsvr, 20000));
    CloseHandle(regsvr);

    EXPECT_FALSE(keyExists(HKEY_CLASSES_ROOT, shellextension::kClassKey));
    EXPECT_EQ("regsvr32.exe /s /u " + shortPath(dll),
              readString(HKEY_CURRENT_USER, kRecordKey, shellextension::kCommandLineValue));
    EXPECT_EQ(systemFolderFile("regsvr32.exe"),
              readString(HKEY_CURRENT_USER, kRecordKey, shellextension::kProgramValue));
    RegDeleteTreeA(HKEY_CLASSES_ROOT, shellextension::kClassKey);
    RegDeleteKeyA(HKEY_CLASSES_ROOT, shellextension::kClassKey);
    // Let the DLL go before the scratch directory is removed.
    waitFor([&] { return DeleteFileA(dll.c_str()) != 0; }, 10000);
}

TEST(FeedbackPage, BrowserReceivesExactlyTheAddress)
{
    // A recorder opens http addresses for the length of the test (Wine 8
    // reads the handler from HKCR only); it writes beside itself.
    ScratchDir dir;
    const std::string browser = dir / "browser.exe", handler = "http\\shell\\open\\command";
    ASSERT_TRUE(CopyFileA((testBinDir() + "\\recorder.exe").c_str(), browser.c_str(), FALSE));
    RegistryValueBackup previous(HKEY_CLASSES_ROOT, handler, "");
    writeString(HKEY_CLASSES_ROOT, handler, "", "\"" + browser + "\" %1");

    openFeedbackPage(QXString(kFeedbackAddress));

    EXPECT_TRUE(waitFor([&] { return !fileText(dir / "arguments.txt").empty(); }));
    EXPECT_EQ("http://www.vexlo.com/suggest.jsp?pd=1", fileText(dir / "arguments.txt"));
    waitFor([&] { return DeleteFileA(browser.c_str()) != 0; }, 10000);
}

TEST(FeedbackPage, OnlyTheElevatedHalfOfASplitTokenAsksTheDesktopShell)
{
    HANDLE own = nullptr;
    ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &own));
    TOKEN_ELEVATION_TYPE type = TokenElevationTypeDefault;
    TOKEN_LINKED_TOKEN linked = {};
    DWORD size = 0;
    ASSERT_TRUE(GetTokenInformation(own, TokenElevationType, &type, sizeof type, &size));
    if (type == TokenElevationTypeDefault)
        GTEST_SKIP() << "no split token here: UAC is off, or the user is no administrator";
    ASSERT_TRUE(GetTokenInformation(own, TokenLinkedToken, &linked, sizeof linked, &size)); // the other half
    EXPECT_EQ(type == TokenElevationTypeFull, opensThroughTheDesktop(own));
    EXPECT_EQ(type != TokenElevationTypeFull, opensThroughTheDesktop(linked.LinkedToken));
    EXPECT_TRUE(opensThroughTheDesktop(nullptr)); // unknown: never a browser of its own
    CloseHandle(linked.LinkedToken);
    CloseHandle(own);
}

TEST(RunProgram, StartsWithoutWaiting)
{
    ScratchDir dir;
    const std::string program = dir / "sleeper copy.exe";
    ASSERT_TRUE(CopyFileA((testBinDir() + "\\sleeper.exe").c_str(), program.c_str(), FALSE));
    const DWORD start = GetTickCount();
    runProgram(QXString(("\"" + program + "\"").c_str()));
    EXPECT_LT(GetTickCount() - start, 5000u); // the sleeper lives for a minute
    // Started: its file is now in use.
    EXPECT_TRUE(waitFor([&] { return !DeleteFileA(program.c_str()) && GetLastError() == ERROR_ACCESS_DENIED; },
                        10000));
    runProgram(QXString("taskkill.exe /f /im \"sleeper copy.exe\""));
    waitFor([&] { return DeleteFileA(program.c_str()) != 0; }, 10000);
}

TEST(RunProgram, BareNameIsTakenFromTheSystemFolderOnly)
{
    // Copies of a program that logs its own path, as the system's hostname.exe
    // and planted in the current directory and beside the test program,
    // where a bare name is looked for first.
    ScratchDir dir;
    const std::string log = dir / "planted.log";
    SetEnvironmentVariableA("VEXLO_PLANTED_LOG", log.c_str());
    const std::string planted = testBinDir() + "\\planted.exe";
    SystemProgramStandIn system(systemFolderFile("hostname.exe"), planted);
    const std::string besideProgram = testBinDir() + "\\hostname.exe";
    ASSERT_TRUE(CopyFileA(planted.c_str(), besideProgram.c_str(), FALSE));
    ASSERT_TRUE(CopyFileA(planted.c_str(), (dir / "hostname.exe").c_str(), FALSE));
    char previous[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, previous);
    SetCurrentDirectoryA(dir.path().c_str());

    runProgram(QXString("hostname.exe /x"));

    EXPECT_TRUE(waitFor([&] { return !fileText(log).empty(); }));
    Sleep(500); // a second program would have logged by now
    EXPECT_EQ("ran " + systemFolderFile("hostname.exe") + " | hostname.exe /x\n", fileText(log));
    SetCurrentDirectoryA(previous);
    SetEnvironmentVariableA("VEXLO_PLANTED_LOG", nullptr);
    waitFor([&] { return DeleteFileA(besideProgram.c_str()) != 0; }, 10000);
}
