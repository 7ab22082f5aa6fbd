#include "app/FileIdentity.h"
#include "app/FileStamp.h"
#include "qxsdk/core/ScopedWin32.h"
#include "tests/support/ScratchDir.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

using QXSDK::QXString;
using testsupport::ScratchDir;

TEST(FileIdentity, HardLinkIsTheFileAndATwinOfTheSameStampIsNot)
{
    ScratchDir dir;
    const std::string file = dir / "install.txt";
    ScratchDir::writeFile(file, "C:\\a\r\n");
    const std::string link = dir / "another name.txt";
    ASSERT_TRUE(CreateHardLinkA(link.c_str(), file.c_str(), nullptr));
    // Another file of the same size, last written at the same time.
    const std::string twin = dir / "twin.txt";
    ScratchDir::writeFile(twin, "C:\\b\r\n");
    WIN32_FILE_ATTRIBUTE_DATA data;
    ASSERT_TRUE(GetFileAttributesExA(file.c_str(), GetFileExInfoStandard, &data));
    {
        const QXSDK::KernelHandle handle(CreateFileA(twin.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING,
                                                     FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(SetFileTime(handle.get(), nullptr, nullptr, &data.ftLastWriteTime));
    }
    ASSERT_TRUE(FileStamp(QXString(twin.c_str())).sameAs(FileStamp(QXString(file.c_str()))));

    const FileIdentity identity{QXString(file.c_str())};
    EXPECT_TRUE(identity.isNamedBy(QXString(link.c_str())));
    EXPECT_FALSE(identity.isNamedBy(QXString(twin.c_str())));
}
