#include "app/CommandLine.h"
#include "tests/support/ScratchDir.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

// The log's path, "" without one.
std::wstring logOf(const CommandLine& options)
{
    return options.logPath() ? options.logPath() : L"";
}

} // namespace

TEST(CommandLine, WithoutSwitchesTheRunIsTheInteractiveOne)
{
    for (const wchar_t* line : {L"uninstall.exe", L"\"C:\\Program Files\\Vexlo Viewer\\uninstall.exe\"",
                                L"uninstall.exe /X --silent S SILENT /LOG /LOG= /SILENTLY //S", L""}) {
        const CommandLine options(line);
        EXPECT_FALSE(options.isUnattended()) << line;
        EXPECT_TRUE(options.showsWindow()) << line;
        EXPECT_FALSE(options.asksForHelp()) << line;
        EXPECT_EQ(nullptr, options.logPath()) << line;
    }
    EXPECT_FALSE(CommandLine(nullptr).isUnattended());
}

TEST(CommandLine, SilentSwitchesInAnyCaseAndOrder)
{
    for (const wchar_t* line : {L"u.exe /S", L"u.exe /s", L"u.exe /VERYSILENT", L"u.exe /VerySilent /NORESTART",
                                L"u.exe /SUPPRESSMSGBOXES /verysilent /norestart", L"u.exe /SILENT /S",
                                L"u.exe /S /SILENT", L"u.exe other /S words"}) {
        const CommandLine options(line);
        EXPECT_TRUE(options.isUnattended()) << line;
        EXPECT_FALSE(options.showsWindow()) << line;
    }
    for (const wchar_t* line : {L"u.exe /SILENT", L"u.exe /silent /SUPPRESSMSGBOXES"}) {
        const CommandLine options(line);
        EXPECT_TRUE(options.isUnattended()) << line;
        EXPECT_TRUE(options.showsWindow()) << line;
    }
    // Accepted, and nothing of their own.
    EXPECT_FALSE(CommandLine(L"u.exe /SUPPRESSMSGBOXES /NORESTART").isUnattended());
    EXPECT_TRUE(CommandLine(L"u.exe /?").asksForHelp());
    EXPECT_TRUE(CommandLine(L"u.exe /S /?").asksForHelp());
}

TEST(CommandLine, LogPathsAsWindowsSplitsThem)
{
    EXPECT_EQ(L"C:\\u.log", logOf(CommandLine(L"u.exe /LOG=C:\\u.log")));
    EXPECT_EQ(L"C:\\u.log", logOf(CommandLine(L"u.exe /log=C:\\u.log /S")));
    // Quotes around the path, or around the whole word, hold its blanks.
    EXPECT_EQ(L"C:\\a folder\\u.log", logOf(CommandLine(L"u.exe /S /LOG=\"C:\\a folder\\u.log\"")));
    EXPECT_EQ(L"C:\\a folder\\u.log", logOf(CommandLine(L"u.exe \"/LOG=C:\\a folder\\u.log\"")));
    // Without quotes the path ends at the blank.
    EXPECT_EQ(L"C:\\a", logOf(CommandLine(L"u.exe /LOG=C:\\a folder\\u.log")));
    // The last one counts; a log does not make the run unattended.
    const CommandLine twice(L"u.exe /LOG=C:\\first.log /LOG=C:\\second.log");
    EXPECT_EQ(L"C:\\second.log", logOf(twice));
    EXPECT_FALSE(twice.isUnattended());
    // "说明.log" (readme) in UTF-16: a path of any language.
    EXPECT_EQ(L"C:\\\u8BF4\u660E.log", logOf(CommandLine(L"u.exe /LOG=C:\\\u8BF4\u660E.log")));
}

TEST(CommandLine, RelativeLogIsAFileOfTheFolderStartedIn)
{
    testsupport::ScratchDir dir;
    char before[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, before);
    ASSERT_TRUE(SetCurrentDirectoryA(dir.path().c_str()));
    const CommandLine options(L"u.exe /S /LOG=uninstall.log");
    const CommandLine up(L"u.exe /LOG=..\\up.log");
    SetCurrentDirectoryA(before);
    const std::string folder = dir.path();
    EXPECT_EQ(std::wstring(folder.begin(), folder.end()) + L"\\uninstall.log", logOf(options));
    const std::string parent = folder.substr(0, folder.find_last_of('\\'));
    EXPECT_EQ(std::wstring(parent.begin(), parent.end()) + L"\\up.log", logOf(up));
}
