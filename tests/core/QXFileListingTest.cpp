#include "qxsdk/core/QXFile.h"
#include "tests/support/QXStringPrinting.h"
#include "tests/support/ScratchDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

using namespace QXSDK;
using testsupport::ScratchDir;

namespace {

std::vector<QXString> sorted(TQXList<QXString>& names)
{
    std::vector<QXString> result;
    for (int more = names.moveFirst(); more; more = names.moveNext()) result.push_back(*names.getCurrent());
    std::sort(result.begin(), result.end());
    return result;
}

// Keeps the names that end with ".jpg".
class JpegFilter : public IQXFileFilter {
public:
    int accept(QXString name) override
    {
        seen.push_back(name);
        const size_t n = name.getData() ? std::strlen(name.getData()) : 0;
        return n > 4 && std::strcmp(name.getData() + n - 4, ".jpg") == 0;
    }
    std::vector<QXString> seen;
};

} // namespace

TEST(QXFileListing, EmptyDirectoryFileAndMissingPath)
{
    ScratchDir dir;
    TQXList<QXString> names;
    QXFile directory{QXString(dir.path().c_str())};
    EXPECT_EQ(1, directory.list(&names));
    EXPECT_EQ(0, names.count());

    ScratchDir::writeFile(dir / "a.txt", "x");
    QXFile file{QXString((dir / "a.txt").c_str())};
    EXPECT_EQ(0, file.list(&names));
    EXPECT_EQ(0u, file.getErrorCode());
    QXFile missing{QXString((dir / "none").c_str())};
    EXPECT_EQ(0, missing.list(&names));
    EXPECT_EQ(QXFile::kNotFound, missing.getErrorCode());
    EXPECT_EQ(0, directory.list(nullptr));
    EXPECT_EQ(QXFile::kBadParameter, directory.getErrorCode());
    EXPECT_STREQ("Paramater is wrong", directory.getErrorMessage(static_cast<int>(directory.getErrorCode())));
}

TEST(QXFileListing, EntriesWithBlanksAndGbkNamesAsFullLongPaths)
{
    ScratchDir dir;
    ScratchDir::makeDir(dir / "Sample Images");
    ScratchDir::writeFile(dir / "my photo.jpg", "1");
    ScratchDir::writeFile(dir / "\xCB\xB5\xC3\xF7.txt", "2"); // "说明.txt" in GBK
    TQXList<QXString> names;
    QXFile directory{QXString(dir.path().c_str())};
    EXPECT_EQ(1, directory.list(&names));
    EXPECT_EQ((std::vector<QXString>{(dir / "Sample Images").c_str(), (dir / "my photo.jpg").c_str(),
                                     (dir / "\xCB\xB5\xC3\xF7.txt").c_str()}),
              sorted(names));

    // A trailing backslash on the directory is not doubled.
    TQXList<QXString> again;
    QXFile withSlash{QXString((dir.path() + "\\").c_str())};
    EXPECT_EQ(1, withSlash.list(&again));
    EXPECT_EQ(sorted(names), sorted(again));

    // Short names come back in their long form.
    char shortName[MAX_PATH] = {};
    GetShortPathNameA(dir.path().c_str(), shortName, MAX_PATH);
    TQXList<QXString> fromShort;
    QXFile shortDirectory{QXString(shortName)};
    EXPECT_EQ(1, shortDirectory.list(&fromShort));
    EXPECT_EQ(sorted(names), sorted(fromShort));
}

TEST(QXFileListing, FilteredFormsAndFileObjects)
{
    ScratchDir dir;
    for (const char* name : {"a.jpg", "b.png", "c.jpg"}) ScratchDir::writeFile(dir / name, "x");
    QXFile directory{QXString(dir.path().c_str())};
    JpegFilter filter;
    TQXList<QXString> names;
    EXPECT_EQ(1, directory.list(&names, &filter));
    EXPECT_EQ((std::vector<QXString>{(dir / "a.jpg").c_str(), (dir / "c.jpg").c_str()}), sorted(names));
    std::sort(filter.seen.begin(), filter.seen.end());
    EXPECT_EQ((std::vector<QXString>{"a.jpg", "b.png", "c.jpg"}), filter.seen); // bare names, no "." or ".."
    EXPECT_EQ(0, directory.list(&names, nullptr));
    EXPECT_EQ(QXFile::kBadParameter, directory.getErrorCode());

    TQXList<QXFile*> files;
    EXPECT_EQ(1, directory.listFiles(&files, &filter));
    EXPECT_EQ(2, files.count());
    EXPECT_EQ(1, directory.listFiles(&files));
    ASSERT_EQ(5, files.count());
    for (int more = files.moveFirst(); more; more = files.moveNext()) {
        QXFile* file = *files.getCurrent();
        EXPECT_EQ(1, file->isFile());
        EXPECT_EQ(2, file->retain()); // each came with one reference
        file->release();
        file->release();
    }
    EXPECT_EQ(0, directory.listFiles(nullptr));
    EXPECT_EQ(0, directory.listFiles(&files, nullptr));
}

TEST(QXFileTimes, SetThenReadTheSameSecond)
{
    ScratchDir dir;
    ScratchDir::writeFile(dir / "a.txt", "x");
    QXFile file{QXString((dir / "a.txt").c_str())};
    QXTime* when = new QXTime();
    when->retain();
    when->parse(QXString("2011-07-22 13:05:09"));
    EXPECT_EQ(1, file.setLastModified(when));
    EXPECT_EQ(1, when->retain() - 1); // the call gave its reference back
    when->release();
    QXTime* read = file.lastModified();
    ASSERT_NE(nullptr, read);
    EXPECT_EQ("2011-07-22 13:05:09", read->toString());
    EXPECT_EQ(0, read->release());

    when->parse(QXString("2011-02-30 00:00:00")); // no such date
    EXPECT_EQ(0, file.setLastModified(when));
    EXPECT_EQ(0, file.setLastModified(nullptr));
    EXPECT_EQ(QXFile::kBadParameter, file.getErrorCode());
    when->parse(QXString("2011-07-22 13:05:09"));
    QXFile missing{QXString((dir / "none.txt").c_str())};
    EXPECT_EQ(0, missing.setLastModified(when));
    EXPECT_EQ(QXFile::kOpenFailed, missing.getErrorCode());
    EXPECT_EQ(nullptr, missing.lastModified());
    EXPECT_EQ(QXFile::kNotFound, missing.getErrorCode());
    when->release();
}

TEST(QXFileStreams, OpenStreamInEachMode)
{
    ScratchDir dir;
    QXFile file{QXString((dir / "new.txt").c_str())};
    EXPECT_EQ(nullptr, file.openStream(0)); // missing, read
    QXFileStream* writer = file.openStream(1); // creates it
    ASSERT_NE(nullptr, writer);
    writer->write("abc", 3);
    EXPECT_EQ(0, writer->release());
    QXFileStream* appender = file.openStream(2);
    ASSERT_NE(nullptr, appender);
    appender->write("de", 2);
    appender->release();
    QXFileStream* updater = file.openStream(3);
    ASSERT_NE(nullptr, updater);
    updater->write("X", 1);
    updater->release();
    QXFileStream* reader = file.openStream(0);
    ASSERT_NE(nullptr, reader);
    char buffer[8] = {};
    EXPECT_EQ(5, reader->read(buffer, 7));
    EXPECT_STREQ("Xbcde", buffer);
    reader->release();
    QXFile directory{QXString(dir.path().c_str())};
    EXPECT_EQ(nullptr, directory.openStream(1));
}
