#include "app/RunningProgram.h"
#include "tests/support/ScratchDir.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>

using QXSDK::QXString;
using testsupport::ScratchDir;

TEST(RunningProgram, IsRecognisedUnderEverySpellingOfItsPath)
{
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string upper = self;
    std::transform(upper.begin(), upper.end(), upper.begin(), ::toupper);
    char shortName[MAX_PATH] = {};
    ASSERT_GT(GetShortPathNameA(self, shortName, MAX_PATH), 0u);
    const RunningProgram program;
    for (const std::string& spelling : {std::string(self), upper, std::string(shortName)})
        EXPECT_TRUE(program.isNamedBy(QXString(spelling.c_str()))) << spelling;
}

TEST(RunningProgram, OtherFilesAndFoldersAreNotIt)
{
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    ScratchDir dir;
    const std::string copy = dir / "copy.exe";
    ASSERT_TRUE(CopyFileA(self, copy.c_str(), FALSE));
    const RunningProgram program;
    for (const std::string& other : {copy, dir.path(), dir / "missing.exe", std::string(""), testsupport::testBinDir()})
        EXPECT_FALSE(program.isNamedBy(QXString(other.c_str()))) << other;
    EXPECT_FALSE(program.isNamedBy(QXString(static_cast<const char*>(nullptr))));
}
