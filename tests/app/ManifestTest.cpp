#include "app/Manifest.h"
#include "app/InstallationFiles.h"
#include "qxsdk/core/QXFileStream.h"
#include "tests/support/QXStringPrinting.h"
#include "tests/support/ScratchDir.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using namespace QXSDK;
using testsupport::ScratchDir;

namespace {

std::vector<QXString> entriesOf(TQXList<QXString>& list)
{
    std::vector<QXString> out;
    if (list.moveFirst()) {
        do out.push_back(*list.getCurrent());
        while (list.moveNext());
    }
    return out;
}

std::vector<QXString> blockReader(const std::string& path)
{
    TQXList<QXString> entries;
    readManifest(QXString(path.c_str()), entries);
    return entriesOf(entries);
}

// The plain loop over the toolkit's stream: a status query and a line per turn.
std::vector<QXString> lineByLine(const std::string& path)
{
    TQXList<QXString> entries;
    QXFileStream stream;
    stream.setPath(path.c_str());
    stream.setMode(IQXIOStream::kModeRead);
    if (stream.open()) {
        QXString line;
        while (stream.available() != -1 && readLine(stream, line)) {
            line.trimRight();
            entries.addLast(line);
        }
        stream.close();
    }
    return entriesOf(entries);
}

} // namespace

TEST(Manifest, BlocksGiveTheEntriesOfTheLineByLineLoop)
{
    // Random files over an alphabet heavy in blanks, carriage returns and
    // zero bytes, with lines short and long enough to cross the 64 KiB
    // blocks, ending in LF, CR LF or nothing (running into the next).
    ScratchDir dir;
    std::mt19937 random(20261208);
    const char alphabet[] = {'a', 'Z', ' ', '\t', '\r', '\0', '\xB5', '\\', '='};
    for (int round = 0; round < 60; ++round) {
        std::string bytes;
        const int lines = static_cast<int>(random() % 200);
        for (int i = 0; i < lines; ++i) {
            const int kind = static_cast<int>(random() % 10);
            const size_t length = kind == 0 ? 40000 + random() % 100000 : random() % 80;
            for (size_t j = 0; j < length; ++j) bytes += alphabet[random() % sizeof alphabet];
            if (random() % 4) bytes += random() % 2 ? "\r\n" : "\n";
        }
        const std::string path = dir / ("manifest" + std::to_string(round) + ".txt");
        ScratchDir::writeFile(path, bytes);
        ASSERT_EQ(lineByLine(path), blockReader(path)) << "round " << round << ", " << bytes.size() << " bytes";
    }
}

TEST(Manifest, LineFeedsAtTheBlockEdges)
{
    ScratchDir dir;
    const std::string path = dir / kManifestFile;
    const size_t block = 64 * 1024;
    // A line feed as the last byte of a block, as the first byte of the next,
    // a line filling three blocks exactly, and a last line without line feed.
    for (const size_t first : {block - 1, block, block - 2, 3 * block - 1, 3 * block}) {
        std::string bytes(first - 1, 'x');
        bytes += "\n";
        bytes += " padded \t\r\nlast";
        ScratchDir::writeFile(path, bytes);
        const std::vector<QXString> entries = blockReader(path);
        ASSERT_EQ(3u, entries.size()) << first;
        EXPECT_EQ(std::string(first - 1, 'x').c_str(), entries[0]);
        EXPECT_EQ(" padded", entries[1]);
        EXPECT_EQ("last", entries[2]);
        EXPECT_EQ(lineByLine(path), entries);
    }
}

TEST(Manifest, SmallAndMissingFiles)
{
    ScratchDir dir;
    const std::string path = dir / kManifestFile;
    EXPECT_TRUE(blockReader(path).empty()); // missing
    ScratchDir::writeFile(path, "");
    EXPECT_TRUE(blockReader(path).empty());
    ScratchDir::writeFile(path, "\n");
    EXPECT_EQ(lineByLine(path), blockReader(path));
    EXPECT_EQ(1u, blockReader(path).size());
    ScratchDir::writeFile(path, "C:\\a\n\nHKEY_LOCAL_MACHINE\\SOFTWARE\\Vexlo\n");
    EXPECT_EQ(lineByLine(path), blockReader(path));
    EXPECT_EQ(3u, blockReader(path).size());
    ScratchDir::writeFile(path, std::string("C:\\a\0hidden\r\nkey", 16));
    const std::vector<QXString> entries = blockReader(path);
    ASSERT_EQ(2u, entries.size());
    EXPECT_EQ("C:\\a", entries[0]);
    EXPECT_EQ(lineByLine(path), entries);
}

TEST(Manifest, AppendsToWhatTheListHolds)
{
    ScratchDir dir;
    const std::string path = dir / kManifestFile;
    ScratchDir::writeFile(path, "one\ntwo");
    TQXList<QXString> entries;
    entries.addLast(QXString("before"));
    readManifest(QXString(path.c_str()), entries);
    EXPECT_EQ((std::vector<QXString>{"before", "one", "two"}), entriesOf(entries));
}
