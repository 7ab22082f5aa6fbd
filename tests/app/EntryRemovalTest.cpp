#include "app/EntryRemoval.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/RestartList.h"
#include "tests/support/ScratchDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

using QXSDK::QXString;
using testsupport::ScratchDir;
using testsupport::parkedFiles;
using testsupport::unpark;

namespace {

std::set<std::string> newParkedFiles(const std::set<std::string>& before)
{
    std::set<std::string> added;
    for (const std::string& name : parkedFiles())
        if (!before.count(name)) added.insert(name);
    return added;
}

bool pendingDeletion(const std::string& path)
{
    for (const std::string& pending : testsupport::pendingDeletions())
        if (_stricmp(pending.c_str(), path.c_str()) == 0) return true;
    return false;
}

DWORD fileSize(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return 0;
    return data.nFileSizeLow;
}

class EntryRemoval : public ::testing::Test {
protected:
    void SetUp() override { parkedBefore = parkedFiles(); }
    std::set<std::string> parked() const { return newParkedFiles(parkedBefore); }

    ScratchDir dir;
    std::set<std::string> parkedBefore;
};

} // namespace

TEST_F(EntryRemoval, DeletesAFile)
{
    ScratchDir::writeFile(dir / "a.txt", "data");
    EXPECT_EQ(EntryOutcome::kRemoved, removeEntry(QXString((dir / "a.txt").c_str())));
    EXPECT_FALSE(ScratchDir::exists(dir / "a.txt"));
    EXPECT_TRUE(parked().empty());
}

TEST_F(EntryRemoval, DirectoryListedAfterItsFilesIsRemoved)
{
    ScratchDir::makeDir(dir / "Vexlo Viewer");
    ScratchDir::makeDir(dir / "Vexlo Viewer\\plugins");
    ScratchDir::writeFile(dir / "Vexlo Viewer\\plugins\\a.dll", "x");
    ScratchDir::writeFile(dir / "Vexlo Viewer\\b.txt", "y");
    for (const char* entry : {"Vexlo Viewer\\plugins\\a.dll", "Vexlo Viewer\\plugins",
                              "Vexlo Viewer\\b.txt", "Vexlo Viewer"})
        EXPECT_EQ(EntryOutcome::kRemoved, removeEntry(QXString((dir / entry).c_str()))) << entry;
    EXPECT_FALSE(ScratchDir::exists(dir / "Vexlo Viewer"));
    EXPECT_TRUE(parked().empty());
}

TEST_F(EntryRemoval, NonEmptyDirectoryStays)
{
    ScratchDir::makeDir(dir / "full");
    ScratchDir::writeFile(dir / "full\\keep.txt", "user data");
    EXPECT_EQ(EntryOutcome::kNotEmpty, removeEntry(QXString((dir / "full").c_str())));
    EXPECT_EQ(EntryOutcome::kNotEmpty, removeEntry(QXString((dir / "full\\").c_str())));
    EXPECT_TRUE(ScratchDir::exists(dir / "full\\keep.txt"));
    EXPECT_TRUE(parked().empty());
}

TEST_F(EntryRemoval, EmptyNullAndMissingEntriesChangeNothing)
{
    ScratchDir::writeFile(dir / "other.txt", "x");
    EXPECT_EQ(EntryOutcome::kNamesNoFile, removeEntry(QXString("")));
    EXPECT_EQ(EntryOutcome::kNamesNoFile, removeEntry(QXString(static_cast<const char*>(nullptr))));
    EXPECT_EQ(EntryOutcome::kAbsent, removeEntry(QXString((dir / "missing.txt").c_str())));
    EXPECT_EQ(EntryOutcome::kAbsent, removeEntry(QXString((dir / "missing\\").c_str())));
    EXPECT_TRUE(ScratchDir::exists(dir / "other.txt"));
    EXPECT_TRUE(ScratchDir::exists(dir.path()));
    EXPECT_TRUE(parked().empty());
}

TEST_F(EntryRemoval, FileHeldWithoutDeleteSharingWaitsAtItsPathForTheRestart)
{
    const std::string path = dir / "locked.dat";
    ScratchDir::writeFile(path, "locked");
    HANDLE holder = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, holder);
    EXPECT_EQ(EntryOutcome::kWaitsAtPath, removeEntry(QXString(path.c_str())));
    CloseHandle(holder);
    EXPECT_TRUE(ScratchDir::exists(path));
    EXPECT_EQ(6u, fileSize(path));
    EXPECT_TRUE(pendingDeletion(path));
    // The placeholder made for the move is deleted when the move fails.
    EXPECT_TRUE(parked().empty());
    testsupport::forgetPendingDeletion(path);
}

TEST_F(EntryRemoval, RunningProgramIsMovedAsideAndDeletedAtRestart)
{
    const std::string program = dir / "Vexlo Viewer.exe";
    ASSERT_TRUE(CopyFileA((testsupport::testBinDir() + "\\sleeper.exe").c_str(), program.c_str(), FALSE));
    const DWORD size = fileSize(program);
    testsupport::ChildProcess running("\"" + program + "\"");
    ASSERT_TRUE(running.started());
    ASSERT_FALSE(DeleteFileA(program.c_str())); // in use, as the uninstaller itself is
    EXPECT_EQ(static_cast<DWORD>(ERROR_ACCESS_DENIED), GetLastError());

    EXPECT_EQ(EntryOutcome::kMovedAside, removeEntry(QXString(program.c_str())));

    EXPECT_FALSE(ScratchDir::exists(program));
    const std::set<std::string> added = parked();
    ASSERT_EQ(1u, added.size());
    const std::string parkedName = *added.begin();
    EXPECT_EQ(size, fileSize(parkedName));
    EXPECT_TRUE(pendingDeletion(parkedName)) << parkedName;

    running.terminate();
    unpark(parkedName);
}

TEST_F(EntryRemoval, ReadOnlyFileIsDeletedAtOnce)
{
    const std::string path = dir / "readonly.txt";
    ScratchDir::writeFile(path, "ro");
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(EntryOutcome::kRemoved, removeEntry(QXString(path.c_str())));
    EXPECT_FALSE(ScratchDir::exists(path));
    EXPECT_TRUE(parked().empty());
}

TEST_F(EntryRemoval, ReadOnlyFileInUseWaitsWithoutTheAttribute)
{
    // Deletion at restart leaves read-only files in place: the attribute
    // must be gone from the parked file.
    const std::string program = dir / "Vexlo.exe";
    ASSERT_TRUE(CopyFileA((testsupport::testBinDir() + "\\sleeper.exe").c_str(), program.c_str(), FALSE));
    SetFileAttributesA(program.c_str(), FILE_ATTRIBUTE_READONLY);
    testsupport::ChildProcess running("\"" + program + "\"");
    ASSERT_TRUE(running.started());

    EXPECT_EQ(EntryOutcome::kMovedAside, removeEntry(QXString(program.c_str())));

    const std::set<std::string> added = parked();
    ASSERT_EQ(1u, added.size());
    EXPECT_EQ(0u, GetFileAttributesA(added.begin()->c_str()) & FILE_ATTRIBUTE_READONLY);
    running.terminate();
    unpark(*added.begin());
}

TEST_F(EntryRemoval, WithoutATemporaryFolderAFileInUseWaitsAtItsPath)
{
    const std::string program = dir / "Vexlo.exe";
    ASSERT_TRUE(CopyFileA((testsupport::testBinDir() + "\\sleeper.exe").c_str(), program.c_str(), FALSE));
    testsupport::ChildProcess running("\"" + program + "\"");
    ASSERT_TRUE(running.started());
    // GetTempPathA takes TMP first, then TEMP.
    char previous[MAX_PATH] = {};
    const bool hadTmp = GetEnvironmentVariableA("TMP", previous, MAX_PATH) > 0;
    const std::string missing = dir / "no such folder";
    SetEnvironmentVariableA("TMP", missing.c_str());
    const std::string temp = testsupport::tempDir();
    EXPECT_EQ(EntryOutcome::kWaitsAtPath, removeEntry(QXString(program.c_str())));
    SetEnvironmentVariableA("TMP", hadTmp ? previous : nullptr);
    EXPECT_EQ(missing + "\\", temp);

    EXPECT_TRUE(ScratchDir::exists(program));
    EXPECT_TRUE(pendingDeletion(program));
    EXPECT_FALSE(ScratchDir::exists(missing));
    EXPECT_TRUE(parked().empty());
    running.terminate();
    testsupport::forgetPendingDeletion(program);
}

TEST_F(EntryRemoval, GbkFileNameIsRemoved)
{
    if (GetACP() != 936) GTEST_SKIP() << "ANSI code page is " << GetACP() << ", not 936";
    // "说明.txt" (readme) in GBK.
    const std::string path = dir / "\xCB\xB5\xC3\xF7.txt";
    ScratchDir::writeFile(path, "x");
    removeEntry(QXString(path.c_str()));
    EXPECT_FALSE(ScratchDir::exists(path));
}

TEST_F(EntryRemoval, OverlongEntryNamesNothing)
{
    // Wine wraps the length of a path this long around and would reach the
    // short name "xxxx" beside it; Windows refuses such paths.
    ScratchDir::writeFile(dir / "xxxx", "an innocent file");
    const std::string overlong = dir / (std::string(65536 + 4, 'x'));
    EXPECT_EQ(EntryOutcome::kNamesNoFile, removeEntry(QXString(overlong.c_str())));
    EXPECT_TRUE(ScratchDir::exists(dir / "xxxx"));
    EXPECT_FALSE(removePath(QXString(overlong.c_str())));
    EXPECT_TRUE(ScratchDir::exists(dir / "xxxx"));
}

TEST(FullPath, IsADriveWithItsRootOrAUncName)
{
    for (const char* full : {"C:\\", "c:\\Program Files\\x.txt", "Z:\\a", "\\\\server\\share\\x", "\\\\?\\C:\\x"})
        EXPECT_TRUE(isFullPath(QXString(full))) << full;
    for (const char* relative : {"", "x.txt", "drivers\\etc\\hosts", "..\\Temp\\x", ".\\x", "\\Windows\\x", "C:",
                                 "C:x.txt", "1:\\x", " C:\\x"})
        EXPECT_FALSE(isFullPath(QXString(relative))) << relative;
    EXPECT_FALSE(isFullPath(QXString(static_cast<const char*>(nullptr))));
}

TEST_F(EntryRemoval, RelativeEntriesNameNoFile)
{
    // Resolved against the current directory they would name these files.
    ScratchDir::writeFile(dir / "a.txt", "a");
    ScratchDir::makeDir(dir / "sub");
    ScratchDir::writeFile(dir / "sub\\b.txt", "b");
    ScratchDir::makeDir(dir / "empty");
    char previous[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryA((dir / "sub").c_str()));
    const std::string fromRoot = dir.path().substr(2) + "\\a.txt"; // \vexlo-tests\...\a.txt
    const std::vector<std::string> entries = {"b.txt", "..\\a.txt", ".\\b.txt", "..\\empty", "C:b.txt", fromRoot};
    for (const std::string& entry : entries) {
        EXPECT_EQ(EntryOutcome::kNamesNoFile, removeEntry(QXString(entry.c_str()))) << entry;
        EXPECT_FALSE(removePath(QXString(entry.c_str()))) << entry;
        EXPECT_FALSE(deleteAtNextRestart(QXString(entry.c_str()))) << entry;
    }
    SetCurrentDirectoryA(previous);
    for (const char* name : {"a.txt", "sub\\b.txt", "empty"}) EXPECT_TRUE(ScratchDir::exists(dir / name)) << name;
    for (const std::string& pending : testsupport::pendingDeletions())
        EXPECT_EQ(std::string::npos, pending.find(dir.path().substr(3))) << pending;
    EXPECT_TRUE(parked().empty());
}

TEST_F(EntryRemoval, UnreadableTemporaryPathLeavesAFileInUseAtItsPath)
{
    // TMP longer than GetTempPathA's buffer: no placeholder is asked for, in
    // no folder (an empty folder name would put it in the current one).
    const std::string program = dir / "Vexlo.exe";
    ASSERT_TRUE(CopyFileA((testsupport::testBinDir() + "\\sleeper.exe").c_str(), program.c_str(), FALSE));
    testsupport::ChildProcess running("\"" + program + "\"");
    ASSERT_TRUE(running.started());
    char previousTmp[MAX_PATH] = {}, previousDirectory[MAX_PATH] = {};
    const bool hadTmp = GetEnvironmentVariableA("TMP", previousTmp, MAX_PATH) > 0;
    GetCurrentDirectoryA(MAX_PATH, previousDirectory);
    const std::string overlong = dir / std::string(300, 't');
    SetEnvironmentVariableA("TMP", overlong.c_str());
    SetCurrentDirectoryA(dir.path().c_str());
    char probe[MAX_PATH] = {};
    const DWORD answered = GetTempPathA(MAX_PATH, probe);
    const EntryOutcome outcome = removeEntry(QXString(program.c_str()));
    SetCurrentDirectoryA(previousDirectory);
    SetEnvironmentVariableA("TMP", hadTmp ? previousTmp : nullptr);

    EXPECT_TRUE(answered == 0 || answered >= MAX_PATH) << answered << " " << probe;
    EXPECT_EQ(EntryOutcome::kWaitsAtPath, outcome);
    EXPECT_TRUE(ScratchDir::exists(program));
    EXPECT_TRUE(pendingDeletion(program));
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((dir / "del*.tmp").c_str(), &found);
    EXPECT_EQ(INVALID_HANDLE_VALUE, search) << found.cFileName;
    if (search != INVALID_HANDLE_VALUE) FindClose(search);
    EXPECT_TRUE(parked().empty());
    running.terminate();
    testsupport::forgetPendingDeletion(program);
}
