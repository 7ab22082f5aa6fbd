#include "qxsdk/core/QXFileStream.h"
#include "tests/support/QXStringPrinting.h"
#include "tests/support/ScratchDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

using namespace QXSDK;
using testsupport::ScratchDir;

namespace {

std::string readAll(const std::string& path)
{
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return "<missing>";
    std::string bytes(GetFileSize(h, nullptr), '\0');
    DWORD got = 0;
    if (!bytes.empty()) ReadFile(h, &bytes[0], static_cast<DWORD>(bytes.size()), &got, nullptr);
    CloseHandle(h);
    return bytes;
}

// Every line of the file through readLine, testing available() first as
// the manifest reader does.
std::vector<QXString> lines(const std::string& path)
{
    QXFileStream stream;
    std::vector<QXString> result;
    if (!stream.open(path.c_str(), IQXIOStream::kModeRead)) return result;
    QXString line;
    while (stream.available() != -1) {
        if (!readLine(stream, line)) break;
        result.push_back(line);
    }
    return result;
}

class FileStream : public ::testing::Test {
protected:
    ScratchDir dir;
};

} // namespace

TEST_F(FileStream, TypedWritesProduceLittleEndianBytesAndReadBack)
{
    const std::string path = dir / "typed.bin";
    {
        QXFileStream out;
        ASSERT_EQ(1, out.open(path.c_str(), IQXIOStream::kModeWrite));
        EXPECT_EQ(1, out.writeInt(0x01020304));
        EXPECT_EQ(1, out.writeShort(static_cast<short>(0xA1B2)));
        EXPECT_EQ(1, out.writeByte('\x7F'));
        EXPECT_EQ(1, out.writeLong(-2));
        EXPECT_EQ(1, out.writeUInt(0xFFFFFFFEu));
        EXPECT_EQ(1, out.writeFloat(1.5f));
        EXPECT_EQ(1, out.writeDouble(-0.25));
        EXPECT_EQ(1, out.writeString(QXString("hi")));
        EXPECT_EQ(1, out.writeString(QXString("")));
        EXPECT_EQ(1, out.close());
    }
    const std::string expected = std::string("\x04\x03\x02\x01", 4) + "\xB2\xA1" + "\x7F" +
                                 std::string("\xFE\xFF\xFF\xFF", 4) + std::string("\xFE\xFF\xFF\xFF", 4) +
                                 std::string("\x00\x00\xC0\x3F", 4) +
                                 std::string("\x00\x00\x00\x00\x00\x00\xD0\xBF", 8) +
                                 std::string("hi\0", 3) + std::string("\0", 1);
    EXPECT_EQ(expected, readAll(path));

    QXFileStream in;
    ASSERT_EQ(1, in.open(path.c_str(), IQXIOStream::kModeRead));
    EXPECT_EQ(0x01020304, in.readInt());
    EXPECT_EQ(static_cast<short>(0xA1B2), in.readShort());
    EXPECT_EQ('\x7F', in.readByte());
    EXPECT_EQ(-2L, in.readLong());
    EXPECT_EQ(0xFFFFFFFEu, in.readUInt());
    EXPECT_EQ(1.5f, in.readFloat());
    EXPECT_EQ(-0.25, in.readDouble());
    EXPECT_EQ("hi", in.readString());
    EXPECT_EQ("", in.readString());
    // Past the end every typed read answers zero.
    EXPECT_EQ(0, in.readInt());
    EXPECT_EQ(0.0, in.readDouble());
    EXPECT_EQ('\0', in.readByte());
}

TEST_F(FileStream, ShortDataGivesZeroAndUnterminatedStringsGiveEmpty)
{
    const std::string path = dir / "short.bin";
    ScratchDir::writeFile(path, "ab");
    QXFileStream in;
    ASSERT_EQ(1, in.open(path.c_str(), IQXIOStream::kModeRead));
    EXPECT_EQ("", in.readString());
    in.seek(0, 0);
    EXPECT_EQ(0, in.readInt()); // two bytes are not an int
    in.seek(0, 0);
    EXPECT_EQ(static_cast<short>(0x6261), in.readShort());
}

TEST_F(FileStream, OpenModes)
{
    const std::string path = dir / "modes.txt";
    QXFileStream stream;
    EXPECT_STREQ("QXObject.IQXIOStream.QXFileStream", stream.getTypeName());
    EXPECT_EQ(0, stream.open(path.c_str(), IQXIOStream::kModeRead));
    EXPECT_EQ(QXFileStream::kOpenFailed, stream.getErrorCode());
    EXPECT_STREQ("Open file fail", stream.getErrorMessage(static_cast<int>(stream.getErrorCode())));
    EXPECT_EQ(0, stream.open(path.c_str(), 3)); // read and update needs the file
    EXPECT_FALSE(ScratchDir::exists(path));

    ASSERT_EQ(1, stream.open(path.c_str(), IQXIOStream::kModeWrite)); // creates
    EXPECT_EQ(0u, stream.getErrorCode());
    stream.write("abc", 3);
    stream.close();
    ASSERT_EQ(1, stream.open(path.c_str(), IQXIOStream::kModeAppend));
    stream.write("def", 3);
    stream.seek(0, 0);
    char first = 0;
    EXPECT_EQ(1, stream.read(&first, 1)); // append mode reads too
    EXPECT_EQ('a', first);
    stream.close();
    EXPECT_EQ("abcdef", readAll(path));

    ASSERT_EQ(1, stream.open(path.c_str(), 7)); // any other value: read and update
    stream.seek(1, 0);
    stream.write("X", 1);
    stream.close();
    EXPECT_EQ("aXcdef", readAll(path));

    ASSERT_EQ(1, stream.open(path.c_str(), IQXIOStream::kModeWrite)); // truncates
    stream.close();
    EXPECT_EQ("", readAll(path));
}

TEST_F(FileStream, ReopeningClosesTheOldFileAndSharingAllowsOthers)
{
    const std::string a = dir / "a.txt", b = dir / "b.txt";
    ScratchDir::writeFile(a, "A");
    ScratchDir::writeFile(b, "B");
    QXFileStream stream;
    ASSERT_EQ(1, stream.open(a.c_str(), IQXIOStream::kModeRead));
    QXFileStream other; // a second opener of the same file, for writing
    EXPECT_EQ(1, other.open(a.c_str(), 3));
    other.close();
    ASSERT_EQ(1, stream.open(b.c_str(), IQXIOStream::kModeRead));
    EXPECT_EQ('B', stream.readByte());
    EXPECT_TRUE(DeleteFileA(a.c_str())); // a is no longer held
}

TEST_F(FileStream, ClosedStreamOperationsFail)
{
    QXFileStream stream;
    char buffer[4];
    EXPECT_EQ(-1, stream.available());
    EXPECT_EQ(QXFileStream::kNotOpen, stream.getErrorCode());
    EXPECT_STREQ("File is not openned", stream.getErrorMessage(static_cast<int>(QXFileStream::kNotOpen)));
    EXPECT_EQ(-1, stream.read(buffer, 4));
    EXPECT_EQ(-1, stream.write(buffer, 4));
    EXPECT_EQ(-1, stream.tell());
    EXPECT_EQ(0, stream.seek(0, 0));
    EXPECT_EQ(0, stream.flush());
    EXPECT_EQ(0, stream.close());
    EXPECT_EQ(QXFileStream::kNotOpen, stream.getErrorCode());
    EXPECT_EQ(0, stream.readInt());
    EXPECT_EQ(0, stream.writeInt(1));
    QXString line("old");
    EXPECT_EQ(0, readLine(stream, line));
    EXPECT_EQ("old", line);
}

TEST_F(FileStream, SeekOrigins)
{
    const std::string path = dir / "seek.txt";
    ScratchDir::writeFile(path, "0123456789");
    QXFileStream stream;
    ASSERT_EQ(1, stream.open(path.c_str(), IQXIOStream::kModeRead));
    EXPECT_EQ(1, stream.seek(4, 0));
    EXPECT_EQ(4, stream.tell());
    EXPECT_EQ(1, stream.seek(2, 7)); // unknown origins seek from the current position
    EXPECT_EQ(6, stream.tell());
    EXPECT_EQ(1, stream.seek(-1, 1));
    EXPECT_EQ('5', stream.readByte());
    EXPECT_EQ(1, stream.seek(-3, 2));
    EXPECT_EQ('7', stream.readByte());
    EXPECT_EQ(0, stream.seek(-100, 0));
    EXPECT_EQ(QXFileStream::kSeekFailed, stream.getErrorCode());
    EXPECT_STREQ("File seek fail", stream.getErrorMessage(static_cast<int>(QXFileStream::kSeekFailed)));
    EXPECT_EQ(1, stream.flush());
    EXPECT_EQ(0u, stream.getErrorCode());
}

TEST_F(FileStream, CloneIsClosedWithTheSamePathAndMode)
{
    const std::string path = dir / "clone.txt";
    ScratchDir::writeFile(path, "xyz");
    QXFileStream stream;
    ASSERT_EQ(1, stream.open(path.c_str(), IQXIOStream::kModeAppend));
    QXFileStream* copy = dynamic_cast<QXFileStream*>(stream.clone());
    ASSERT_NE(nullptr, copy);
    EXPECT_EQ(-1, copy->tell()); // not opened
    ASSERT_EQ(1, copy->open());
    copy->write("!", 1); // append mode carried over
    copy->close();
    EXPECT_EQ("xyz!", readAll(path));
    EXPECT_EQ(0, copy->release());
}

TEST_F(FileStream, ErrorMessagesOutsideTheTableAreSuccess)
{
    QXFileStream stream;
    EXPECT_STREQ("Success", stream.getErrorMessage(0));
    EXPECT_STREQ("Can not get file length", stream.getErrorMessage(static_cast<int>(0xF0000003)));
    EXPECT_STREQ("Read file data fail", stream.getErrorMessage(static_cast<int>(0xF0000004)));
    EXPECT_STREQ("Write file data fail", stream.getErrorMessage(static_cast<int>(0xF0000005)));
    EXPECT_STREQ("Success", stream.getErrorMessage(static_cast<int>(0xF0000007)));
}

TEST_F(FileStream, AvailableIsMinusOneExactlyAtTheEnd)
{
    const std::string path = dir / "avail.txt";
    ScratchDir::writeFile(path, "abc");
    QXFileStream stream;
    ASSERT_EQ(1, stream.open(path.c_str(), IQXIOStream::kModeRead));
    EXPECT_EQ(3, stream.available());
    stream.readByte();
    stream.readByte();
    EXPECT_EQ(1, stream.available());
    stream.readByte();
    EXPECT_EQ(-1, stream.available());
    stream.readByte(); // reading past the end does not move the position
    EXPECT_EQ(-1, stream.available());

    const std::string empty = dir / "empty.txt";
    ScratchDir::writeFile(empty, "");
    QXFileStream none;
    ASSERT_EQ(1, none.open(empty.c_str(), IQXIOStream::kModeRead));
    EXPECT_EQ(-1, none.available());
}

TEST_F(FileStream, ReadLineKeepsLineEnds)
{
    const std::string path = dir / "lines.txt";
    ScratchDir::writeFile(path, "first\r\nsecond\n\nlast");
    EXPECT_EQ((std::vector<QXString>{"first\r\n", "second\n", "\n", "last"}), lines(path));

    ScratchDir::writeFile(path, "");
    EXPECT_TRUE(lines(path).empty());
    ScratchDir::writeFile(path, "x");
    EXPECT_EQ((std::vector<QXString>{"x"}), lines(path));
    ScratchDir::writeFile(path, "\n");
    EXPECT_EQ((std::vector<QXString>{"\n"}), lines(path));
    ScratchDir::writeFile(path, std::string("ab\0cd\nef", 8)); // a zero byte ends the text
    EXPECT_EQ((std::vector<QXString>{"ab", "ef"}), lines(path));
}

TEST_F(FileStream, ReadLineWithNothingLeftGivesAnEmptyLine)
{
    const std::string path = dir / "one.txt";
    ScratchDir::writeFile(path, "only\n");
    QXFileStream stream;
    ASSERT_EQ(1, stream.open(path.c_str(), IQXIOStream::kModeRead));
    QXString line;
    EXPECT_EQ(1, readLine(stream, line));
    EXPECT_EQ("only\n", line);
    EXPECT_EQ(1, readLine(stream, line));
    EXPECT_EQ("", line);
}

TEST_F(FileStream, ReadLineOfOneMebibyte)
{
    const std::string path = dir / "big.txt";
    std::string big(1 << 20, 'x');
    for (size_t i = 0; i < big.size(); i += 4099) big[i] = static_cast<char>('a' + i % 26);
    ScratchDir::writeFile(path, big + "\r\ntail");
    const std::vector<QXString> got = lines(path);
    ASSERT_EQ(2u, got.size());
    EXPECT_EQ((big + "\r\n").c_str(), got[0]);
    EXPECT_EQ("tail", got[1]);
}
