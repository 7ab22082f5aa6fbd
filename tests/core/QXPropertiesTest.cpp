#include "qxsdk/core/QXFile.h"
#include "qxsdk/core/QXFileStream.h"
#include "qxsdk/core/QXProperties.h"
#include "tests/support/QXStringPrinting.h"
#include "tests/support/ScratchDir.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <random>
#include <string>

using namespace QXSDK;
using testsupport::ScratchDir;

namespace {

using Entries = std::map<QXString, QXString>;

Entries entries(QXParam& table)
{
    Entries result;
    for (int more = table.moveFirst(); more; more = table.moveNext())
        result[table.getCurrentKey()] = table.getCurrentValue();
    return result;
}

// An independent reading of the file format: lines split at LF, the text of
// a line ends at a zero byte, blanks trimmed, '#' comments, key up to the
// first '=', last occurrence wins.
Entries referenceParse(const std::string& bytes)
{
    Entries result;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        end = end == std::string::npos ? bytes.size() : end + 1;
        std::string line = bytes.substr(start, end - start);
        start = end;
        line = line.substr(0, line.find('\0'));
        const char* blanks = " \t\r\n";
        const size_t first = line.find_first_not_of(blanks);
        if (first == std::string::npos) continue;
        line = line.substr(first, line.find_last_not_of(blanks) - first + 1);
        if (line[0] == '#') continue;
        const size_t equals = line.find('=');
        if (equals == std::string::npos)
            result[line.c_str()] = "";
        else
            result[line.substr(0, equals).c_str()] = line.substr(equals + 1).c_str();
    }
    return result;
}

class Properties : public ::testing::Test {
protected:
    Entries loadText(const std::string& bytes)
    {
        const std::string path = dir / "table.properties";
        ScratchDir::writeFile(path, bytes);
        EXPECT_EQ(1, table.load(QXString(path.c_str())));
        return entries(table);
    }

    ScratchDir dir;
    QXProperties table;
};

// A stream whose writes fall short, to see that save leaves it alone.
class ShortWriteStream : public IQXIOStream {
public:
    int write(const void*, int count) override { return count / 2; }
};

} // namespace

TEST_F(Properties, FormatRules)
{
    const auto got = loadText("  .JPEG=ProgId  \r\n"
                              "a = b\n"
                              "x=b=c\n"
                              "   # comment=1\n"
                              "x#=1\n"
                              "lonely key\n"
                              "=leading\n"
                              "trailing=\n"
                              "dup=first\n"
                              "dup=second\n"
                              "\t\r\n"
                              "last=no line feed");
    const Entries expected = {
        {".JPEG", "ProgId"}, {"a ", " b"},   {"x", "b=c"}, {"x#", "1"},     {"lonely key", ""},
        {"", "leading"},     {"trailing", ""}, {"dup", "second"}, {"last", "no line feed"}};
    EXPECT_EQ(expected, got);
    EXPECT_STREQ("QXObject.TQXMap.QXParam.QXProperties", table.getTypeName());
}

TEST_F(Properties, GeneratedFilesMatchTheReferenceParser)
{
    std::mt19937 random(936);
    const std::string pieces[] = {" ",  "\t", "=",  "#",     "a",  "B",   "key", "val",
                                  "\r", "\xD0\xB6\xD4\xD8", std::string("\0", 1), ".jpg"};
    int nonEmpty = 0;
    for (int file = 0; file < 200; ++file) {
        std::string bytes;
        const int lineCount = static_cast<int>(random() % 12);
        for (int line = 0; line < lineCount; ++line) {
            const int n = static_cast<int>(random() % 7);
            for (int i = 0; i < n; ++i) bytes += pieces[random() % 12];
            const bool last = line == lineCount - 1;
            if (!last || random() % 2) bytes += random() % 2 ? "\r\n" : "\n";
        }
        const auto expected = referenceParse(bytes);
        nonEmpty += expected.empty() ? 0 : 1;
        ASSERT_EQ(expected, loadText(bytes)) << "file " << file;
    }
    EXPECT_GT(nonEmpty, 150); // the generator really produces entries
}

TEST_F(Properties, LoadReplacesTheTableAndMissingFilesLeaveIt)
{
    table.set("old", "1");
    EXPECT_EQ(0, table.load(QXString((dir / "missing.txt").c_str())));
    EXPECT_EQ(1, table.containsKey(QXString("old")));
    loadText("new=2\n");
    EXPECT_EQ(0, table.containsKey(QXString("old")));
    EXPECT_EQ(0, table.load(static_cast<IQXIOStream*>(nullptr)));
    EXPECT_EQ(1, table.size());
}

TEST_F(Properties, LoadFromAStreamStartsAtItsBeginningAndLeavesItOpen)
{
    const std::string path = dir / "s.properties";
    ScratchDir::writeFile(path, "k=v\n");
    QXFileStream stream;
    ASSERT_EQ(1, stream.open(path.c_str(), IQXIOStream::kModeRead));
    stream.seek(2, 0);
    EXPECT_EQ(1, table.load(&stream));
    EXPECT_EQ("v", table.getString("k", ""));
    EXPECT_EQ(4, stream.tell());
    EXPECT_EQ(1, stream.close());
}

TEST_F(Properties, FileCutShortWhileReadEndsTheReading)
{
    // Another program may truncate the file (it is shared for writing): the
    // position then lies past the end and nothing more can come.
    const std::string path = dir / "cut.properties";
    ScratchDir::writeFile(path, "k=v\nl=w\n");
    QXFileStream stream;
    ASSERT_EQ(1, stream.open(path.c_str(), IQXIOStream::kModeRead));
    QXString line;
    ASSERT_EQ(1, table.readLine(&stream, line));
    EXPECT_EQ("k=v\n", line);
    QXFileStream truncator;
    ASSERT_EQ(1, truncator.open(path.c_str(), IQXIOStream::kModeWrite));
    truncator.close();
    EXPECT_GT(-1, stream.available()); // past the end
    EXPECT_EQ(0, table.readLine(&stream, line));
    EXPECT_EQ(1, stream.close());
}

TEST_F(Properties, SaveWritesKeyOrderWithCrLf)
{
    table.set("b", "2");
    table.set("a", "1");
    table.set(QXString(""), "empty key");
    const std::string path = dir / "out.properties";
    EXPECT_EQ(1, table.save(QXString(path.c_str())));
    QXFileStream in;
    ASSERT_EQ(1, in.open(path.c_str(), IQXIOStream::kModeRead));
    char buffer[64] = {};
    const int n = in.read(buffer, sizeof buffer - 1);
    EXPECT_EQ("=empty key\r\na=1\r\nb=2\r\n", std::string(buffer, n));
    in.close();

    QXProperties reloaded;
    EXPECT_EQ(1, reloaded.load(QXString(path.c_str())));
    EXPECT_EQ(entries(table), entries(reloaded));

    QXProperties empty;
    EXPECT_EQ(1, empty.save(QXString(path.c_str())));
    EXPECT_TRUE(ScratchDir::exists(path)); // truncated to nothing
    EXPECT_EQ(0, QXFile(QXString(path.c_str())).length());
    EXPECT_EQ(0, empty.save(QXString((dir / "no\\such\\dir.txt").c_str())));
    EXPECT_EQ(0, empty.save(static_cast<IQXIOStream*>(nullptr)));
}

TEST_F(Properties, ShortWriteAnswersZeroAndLeavesTheStreamToItsOwner)
{
    table.set("key", "value");
    ShortWriteStream* stream = new ShortWriteStream();
    stream->retain();
    EXPECT_EQ(0, table.save(stream));
    EXPECT_EQ(2, stream->retain()); // still the caller's single reference (plus this one)
    stream->release();
    EXPECT_EQ(0, stream->release());
}

TEST(QXParam, SettersReplaceAndGettersDefault)
{
    QXParam param;
    EXPECT_STREQ("QXObject.TQXMap.QXParam", param.getTypeName());
    EXPECT_EQ(1, param.set("k", "one"));
    EXPECT_EQ(1, param.set(QXString("k"), "two")); // replaces
    EXPECT_EQ(1, param.set("n", QXString("3")));
    EXPECT_EQ(1, param.set(static_cast<const char*>(nullptr), static_cast<const char*>(nullptr)));
    EXPECT_EQ("two", param.getString("k", ""));
    EXPECT_EQ("", param.getString(QXString(""), "x")); // the null key reads as ""
    EXPECT_EQ("dflt", param.getString("absent", "dflt"));
    EXPECT_EQ("", param.getString("absent", ""));
    EXPECT_EQ("d", param.getString(QXString("absent"), QXString("d")));
    EXPECT_EQ("d", param.getString("absent", QXString("d")));
    QXString out("kept");
    EXPECT_EQ(0, param.get("absent", out));
    EXPECT_EQ("kept", out);
    EXPECT_EQ(1, param.get(QXString("n"), out));
    EXPECT_EQ("3", out);
}

TEST(QXParam, BufferGetterTruncatesSilently)
{
    QXParam param;
    param.set("k", "abcdef");
    char buffer[8];
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(1, param.getString("k", buffer, 4));
    EXPECT_STREQ("abc", buffer);
    EXPECT_EQ('#', buffer[4]);
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(1, param.getString(QXString("k"), buffer, 7));
    EXPECT_STREQ("abcdef", buffer);
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(0, param.getString("k", buffer, 0));
    EXPECT_EQ(0, param.getString("k", nullptr, 4));
    EXPECT_EQ(0, param.getString("absent", buffer, 8));
    EXPECT_EQ('#', buffer[0]);
}

TEST(QXParam, TakeIntRemovesTheEntry)
{
    QXParam param;
    param.set("n", "42");
    param.set("neg", "  -17xyz");
    param.set("text", "abc");
    param.set("empty", "");
    EXPECT_EQ(42, param.takeInt("n"));
    EXPECT_EQ(0, param.takeInt("n"));
    EXPECT_EQ(-17, param.takeInt(QXString("neg")));
    EXPECT_EQ(0, param.takeInt("text"));
    EXPECT_EQ(0, param.takeInt("empty"));
    EXPECT_EQ(1, param.isEmpty());
}

TEST(QXParam, CopiesAndClones)
{
    QXProperties props;
    props.set("a", "1");
    props.set("b", "2");
    QXParam copy(props);
    EXPECT_EQ(entries(props), entries(copy));
    copy.clear();
    EXPECT_EQ(2, props.size());

    QXObject* cloned = props.clone();
    ASSERT_NE(nullptr, cloned);
    EXPECT_STREQ("QXObject.TQXMap.QXParam", cloned->getTypeName()); // a QXParam, not properties
    QXParam* param = dynamic_cast<QXParam*>(cloned);
    ASSERT_NE(nullptr, param);
    EXPECT_EQ(entries(props), entries(*param));
    EXPECT_EQ(0, cloned->release());
}
