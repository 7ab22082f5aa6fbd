#include "qxsdk/core/QXFile.h"
#include "tests/support/QXStringPrinting.h"
#include "tests/support/ScratchDir.h"

#include <gtest/gtest.h>

#include <string>

using namespace QXSDK;
using testsupport::ScratchDir;

namespace {


} // namespace

TEST(QXFilePath, NameIsTheTextAfterTheLastBackslash)
{
    QXFile file(QXString("C:\\dir\\a.txt"));
    EXPECT_EQ("a.txt", file.getName());
    EXPECT_EQ(0u, file.getErrorCode());

    QXFile bare(QXString("readme.txt"));
    EXPECT_EQ("", bare.getName());
    EXPECT_EQ(QXFile::kBadFileName, bare.getErrorCode());

    QXFile trailing(QXString("C:\\dir\\"));
    EXPECT_EQ("", trailing.getName());
    EXPECT_EQ(0u, trailing.getErrorCode());

    QXFile slashes(QXString("C:\\dir/a.txt")); // the forward slash is an ordinary character
    EXPECT_EQ("dir/a.txt", slashes.getName());
}

TEST(QXFilePath, ParentKeepsTheRootBackslash)
{
    EXPECT_EQ("C:\\", QXFile(QXString("C:\\a.txt")).getParent());
    EXPECT_EQ("C:\\dir", QXFile(QXString("C:\\dir\\sub")).getParent());
    EXPECT_EQ("C:\\dir", QXFile(QXString("C:\\dir\\")).getParent());

    QXFile bare(QXString("readme.txt"));
    EXPECT_EQ("", bare.getParent());
    EXPECT_EQ(QXFile::kBadFileName, bare.getErrorCode());
}

TEST(QXFilePath, ParentFileIsRetainedOrNull)
{
    QXFile file(QXString("C:\\dir\\a.txt"));
    Released<QXFile> parent(file.getParentFile());
    ASSERT_NE(nullptr, parent.get());
    EXPECT_EQ("C:\\dir", parent->getPath());
    EXPECT_STREQ("QXObject.QXFile", parent->getTypeName());
    EXPECT_EQ(2, parent->retain()); // came with one reference
    parent->release();

    QXFile rootFile(QXString("\\a.txt")); // the parent text is empty
    EXPECT_EQ(nullptr, rootFile.getParentFile());
    EXPECT_EQ(QXFile::kBadFileName, rootFile.getErrorCode());
}

TEST(QXFilePath, SetPathReplacesAndGetPathCopies)
{
    QXFile file(QXString("C:\\one"));
    EXPECT_EQ(1, file.setPath(QXString("C:\\two")));
    EXPECT_EQ("C:\\two", file.getPath());
}

TEST(QXFileStatus, DriveRootsAndTrailingBackslashesAreDirectories)
{
    ScratchDir dir;
    for (const std::string& path : {std::string("C:"), std::string("C:\\"), std::string("C:\\windows\\"),
                                    dir.path(), dir.path() + "\\"}) {
        QXFile file{QXString(path.c_str())};
        EXPECT_EQ(1, file.isDirectory()) << path;
        EXPECT_EQ(0, file.isFile()) << path;
        EXPECT_EQ(0u, file.getErrorCode()) << path;
    }
}

TEST(QXFileStatus, FilesAndMissingPaths)
{
    ScratchDir dir;
    ScratchDir::writeFile(dir / "a.txt", "12345");
    QXFile file{QXString((dir / "a.txt").c_str())};
    EXPECT_EQ(1, file.isFile());
    EXPECT_EQ(0, file.isDirectory());
    EXPECT_EQ(5, file.length());
    EXPECT_EQ(1, file.exists());
    EXPECT_EQ(1, file.canRead());
    EXPECT_EQ(1, file.canWrite());

    for (const std::string& path : {dir / "missing", dir / "missing\\", std::string("")}) {
        QXFile missing{QXString(path.c_str())};
        EXPECT_EQ(0, missing.isDirectory()) << path;
        EXPECT_EQ(QXFile::kNotFound, missing.getErrorCode()) << path;
        EXPECT_EQ(0, missing.isFile()) << path;
        EXPECT_EQ(QXFile::kNotFound, missing.getErrorCode()) << path;
        EXPECT_EQ(0, missing.length());
        EXPECT_EQ(0, missing.exists());
        EXPECT_EQ(0, missing.canRead());
        EXPECT_EQ(0u, missing.getErrorCode()); // existence tests set no code
    }

    QXFile null{QXString(static_cast<const char*>(nullptr))};
    EXPECT_EQ(0, null.isDirectory());
    EXPECT_EQ(0, null.exists());
}

TEST(QXFileStatus, ExecutableByExtension)
{
    ScratchDir dir;
    ScratchDir::writeFile(dir / "tool.exe", "MZ");
    ScratchDir::writeFile(dir / "note.txt", "x");
    EXPECT_EQ(1, QXFile(QXString((dir / "tool.exe").c_str())).canExecute());
    EXPECT_EQ(0, QXFile(QXString((dir / "note.txt").c_str())).canExecute());
    QXFile missing{QXString((dir / "none.exe").c_str())};
    EXPECT_EQ(0, missing.canExecute());
    EXPECT_EQ(QXFile::kNotFound, missing.getErrorCode());
}

TEST(QXFileChange, CreateNewFileLeavesAnExistingFileAlone)
{
    ScratchDir dir;
    QXFile file{QXString((dir / "new.txt").c_str())};
    EXPECT_EQ(1, file.createNewFile());
    EXPECT_EQ(1, file.isFile());
    EXPECT_EQ(0, file.length());
    EXPECT_EQ(1, file.canWrite()); // created without the read-only attribute

    ScratchDir::writeFile(dir / "old.txt", "keep");
    QXFile existing{QXString((dir / "old.txt").c_str())};
    EXPECT_EQ(0, existing.createNewFile());
    EXPECT_EQ(QXFile::kFileExists, existing.getErrorCode());
    EXPECT_STREQ("File exis", existing.getErrorMessage(static_cast<int>(existing.getErrorCode())));
    EXPECT_EQ(4, existing.length());

    QXFile inMissingDir{QXString((dir / "no\\such.txt").c_str())};
    EXPECT_EQ(0, inMissingDir.createNewFile());
    EXPECT_EQ(0u, inMissingDir.getErrorCode());
}

TEST(QXFileChange, RemoveFilesAndEmptyDirectoriesOnly)
{
    ScratchDir dir;
    ScratchDir::writeFile(dir / "a.txt", "x");
    ScratchDir::makeDir(dir / "empty");
    ScratchDir::makeDir(dir / "full");
    ScratchDir::writeFile(dir / "full\\b.txt", "y");

    EXPECT_EQ(1, QXFile(QXString((dir / "a.txt").c_str())).remove());
    EXPECT_FALSE(ScratchDir::exists(dir / "a.txt"));
    EXPECT_EQ(1, QXFile(QXString((dir / "empty").c_str())).remove());
    EXPECT_FALSE(ScratchDir::exists(dir / "empty"));
    EXPECT_EQ(0, QXFile(QXString((dir / "full").c_str())).remove());
    EXPECT_TRUE(ScratchDir::exists(dir / "full\\b.txt"));

    QXFile missing{QXString((dir / "missing").c_str())};
    EXPECT_EQ(0, missing.remove());
    EXPECT_EQ(QXFile::kNotFound, missing.getErrorCode());
}

TEST(QXFileChange, MkdirCreatesOneLevel)
{
    ScratchDir dir;
    QXFile sub{QXString((dir / "sub").c_str())};
    EXPECT_EQ(1, sub.mkdir());
    EXPECT_EQ(1, sub.isDirectory());
    EXPECT_EQ(0, sub.mkdir());
    EXPECT_EQ(QXFile::kNotFound, sub.getErrorCode());
    QXFile deep{QXString((dir / "x\\y").c_str())};
    EXPECT_EQ(0, deep.mkdir());
    EXPECT_FALSE(ScratchDir::exists(dir / "x"));
}

TEST(QXFileChange, RenameKeepsTheObjectsPath)
{
    ScratchDir dir;
    ScratchDir::writeFile(dir / "from.txt", "abc");
    QXFile file{QXString((dir / "from.txt").c_str())};
    EXPECT_EQ(1, file.renameTo(QXString((dir / "to.txt").c_str())));
    EXPECT_EQ((dir / "from.txt").c_str(), file.getPath());
    EXPECT_TRUE(ScratchDir::exists(dir / "to.txt"));
    EXPECT_FALSE(ScratchDir::exists(dir / "from.txt"));
    EXPECT_EQ(0, file.renameTo(QXString((dir / "again.txt").c_str())));
    EXPECT_EQ(QXFile::kNotFound, file.getErrorCode());
}

TEST(QXFileChange, WritabilityIsTheReadOnlyAttribute)
{
    ScratchDir dir;
    const std::string path = dir / "ro.txt";
    ScratchDir::writeFile(path, "x");
    QXFile file{QXString(path.c_str())};
    EXPECT_EQ(1, file.setWritable(0));
    EXPECT_TRUE(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(0, file.canWrite());
    EXPECT_EQ(1, file.canRead());
    EXPECT_EQ(1, file.setReadable(1)); // re-applies the read-only state
    EXPECT_TRUE(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(1, file.setWritable(1));
    EXPECT_FALSE(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(1, file.canWrite());
    EXPECT_EQ(1, file.setReadable(0)); // no effect on Windows
    EXPECT_FALSE(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_READONLY);

    QXFile missing{QXString((dir / "none").c_str())};
    EXPECT_EQ(0, missing.setWritable(1));
    EXPECT_EQ(QXFile::kNotFound, missing.getErrorCode());
}

TEST(QXFileChange, GbkNamesPassThroughTheAnsiCalls)
{
    if (GetACP() != 936) GTEST_SKIP() << "ANSI code page is " << GetACP() << ", not 936";
    ScratchDir dir;
    // "卸载.txt" (uninstall) in GBK.
    const std::string path = dir / "\xD0\xB6\xD4\xD8.txt";
    QXFile file{QXString(path.c_str())};
    EXPECT_EQ(1, file.createNewFile());
    EXPECT_EQ(1, file.isFile());
    EXPECT_EQ("\xD0\xB6\xD4\xD8.txt", file.getName());
    EXPECT_EQ(1, file.remove());
    EXPECT_EQ(0, file.exists());
}

TEST(QXFilePath, TrailByteBackslashesOfGbkCharactersAreNoSeparators)
{
    if (GetACP() != 936) GTEST_SKIP() << "ANSI code page is " << GetACP() << ", not 936";
    // 錦 is E5 5C and 昞 95 5C in GBK: their second byte is the backslash's.
    ScratchDir dir;
    const std::string folder = dir / "Vexlo \x95\x5C";
    const std::string file = dir / "\xE5\x5C";
    ScratchDir::makeDir(folder);
    ScratchDir::writeFile(file, "x");
    for (const std::string& path : {folder, folder + "\\"}) {
        QXFile directory{QXString(path.c_str())};
        EXPECT_EQ(1, directory.isDirectory()) << path;
        EXPECT_EQ(0, directory.isFile()) << path;
    }
    QXFile named{QXString(file.c_str())};
    EXPECT_EQ(1, named.isFile());
    EXPECT_EQ("\xE5\x5C", named.getName());
    EXPECT_EQ(dir.path().c_str(), named.getParent());
    EXPECT_EQ(folder.c_str(), QXFile(QXString((folder + "\\a.txt").c_str())).getParent());
    EXPECT_EQ("", QXFile(QXString((folder + "\\").c_str())).getName());
}

TEST(QXFileErrors, MessagesForEveryCode)
{
    QXFile file(QXString("x"));
    EXPECT_STREQ("Success", file.getErrorMessage(0));
    EXPECT_STREQ("File exis", file.getErrorMessage(static_cast<int>(0xF0000001)));
    EXPECT_STREQ("Paramater is wrong", file.getErrorMessage(static_cast<int>(0xF0000002)));
    EXPECT_STREQ("Access denied: file's permission setting does not allow specified access",
                 file.getErrorMessage(static_cast<int>(0xF0000003)));
    EXPECT_STREQ("Filename or path not found", file.getErrorMessage(static_cast<int>(0xF0000004)));
    EXPECT_STREQ("No more file descriptors are available",
                 file.getErrorMessage(static_cast<int>(0xF0000005)));
    EXPECT_STREQ("File name error", file.getErrorMessage(static_cast<int>(0xF0000006)));
    EXPECT_STREQ("Open file fail", file.getErrorMessage(static_cast<int>(0xF0000007)));
    EXPECT_STREQ("Close file fail", file.getErrorMessage(static_cast<int>(0xF0000008)));
    EXPECT_STREQ("Success", file.getErrorMessage(9));
    EXPECT_STREQ("Success", file.getErrorMessage(static_cast<int>(0xF0000009)));
}

TEST(QXFileModule, ModuleDirectoryIsTheProgramsFolder)
{
    Released<QXFile> dir(QXFile::getModuleDirectory());
    ASSERT_NE(nullptr, dir.get());
    const QXString directory = dir->getPath();
    ASSERT_NE(nullptr, directory.getData());
    const std::string path = directory.getData();
    EXPECT_EQ(0, _stricmp(testsupport::testBinDir().c_str(), path.c_str())) << path;
    EXPECT_NE('\\', path.back());
    EXPECT_EQ(1, dir->isDirectory());
}
