// The uninstall window's run, in a process of its own (app_runner run) whose
// file the manifest lists, as an installation lists uninstall.exe.
#include "tests/support/ChildProcess.h"
#include "tests/support/RestartList.h"
#include "tests/support/ScratchDir.h"
#include "tests/support/ScratchRegistryKey.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

using namespace testsupport;

namespace {

std::vector<std::string> lines(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::vector<std::string> result;
    for (std::string line; std::getline(in, line);) result.push_back(line);
    return result;
}

} // namespace

TEST(Run, OwnProgramIsShownAtItsTurnAndGoesAfterTheRegistryStep)
{
    ScratchDir dir;
    const std::string program = dir / "uninstall.exe";
    ASSERT_TRUE(CopyFileA((testBinDir() + "\\app_runner.exe").c_str(), program.c_str(), FALSE));
    ScratchDir::writeFile(dir / "a.txt", "a");
    ScratchRegistryKey productKey(HKEY_CURRENT_USER, "Software\\Vexlo Tests\\Run");
    const std::string key = "HKEY_CURRENT_USER\\Software\\Vexlo Tests\\Run";
    ScratchDir::writeFile(dir / "install.txt", program + "\r\n" + dir / "a.txt" + "\r\n" + key + "\r\n");
    const std::set<std::string> parkedBefore = parkedFiles();
    const std::string log = dir / "ticks.log";

    ASSERT_EQ(0, runProgram("\"" + program + "\" run \"" + log + "\"", 30000));

    // Each line: the status line, then whether the program's file and the
    // product key are still there, after one tick.
    EXPECT_EQ((std::vector<std::string>{"Remove->" + program + "|program|key",
                                        "Remove->" + dir / "a.txt" + "|program|key", "|-|-"}),
              lines(log));
    for (const std::string& parked : parkedFiles())
        if (!parkedBefore.count(parked)) unpark(parked);
}
