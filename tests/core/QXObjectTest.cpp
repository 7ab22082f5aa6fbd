#include "qxsdk/core/QXObject.h"
#include "qxsdk/core/QXString.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/ScratchDir.h"
#include "tests/support/ScratchRegistryKey.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

using namespace QXSDK;

namespace {

// Records its own destruction so tests can see when release deletes it.
class Tracked : public virtual QXObject {
public:
    explicit Tracked(bool* destroyedFlag) : destroyed(destroyedFlag) { appendTypeName("Tracked"); }
    ~Tracked() override { *destroyed = true; }

private:
    bool* destroyed;
};

class NamedString : public QXString {
public:
    NamedString() : QXObject() { appendTypeName("NamedString"); }
};

// Appends whatever text it is given, as a class with a computed name would.
class NamedAtRunTime : public virtual QXObject {
public:
    explicit NamedAtRunTime(const char* name) { appendTypeName(name); }
};

long long millisSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now() - start).count();
}

} // namespace

TEST(QXObjectTypeName, ChainsClassNamesFromRootToMostDerived)
{
    QXObject root;
    EXPECT_STREQ("QXObject", root.getTypeName());
    QXString text("x");
    EXPECT_STREQ("QXObject.QXString", text.getTypeName());
    NamedString named;
    EXPECT_STREQ("QXObject.QXString.NamedString", named.getTypeName());
    bool destroyed = false;
    Tracked tracked(&destroyed);
    EXPECT_STREQ("QXObject.Tracked", tracked.getTypeName());
}

TEST(QXObjectTypeName, NamesFromReusedBuffersGetTheirOwnChains)
{
    // The same memory holds one name and then another: a stack array, a
    // std::string's buffer and a heap block each.
    char stack[16];
    std::strcpy(stack, "Alpha");
    NamedAtRunTime alpha(stack);
    std::strcpy(stack, "Beta");
    NamedAtRunTime beta(stack);
    EXPECT_STREQ("QXObject.Alpha", alpha.getTypeName());
    EXPECT_STREQ("QXObject.Beta", beta.getTypeName());

    std::string text = "Gamma";
    NamedAtRunTime gamma(text.c_str());
    text[0] = 'D';
    NamedAtRunTime damma(text.c_str());
    EXPECT_STREQ("QXObject.Gamma", gamma.getTypeName());
    EXPECT_STREQ("QXObject.Damma", damma.getTypeName());

    char* heap = static_cast<char*>(std::malloc(16));
    std::strcpy(heap, "Epsilon");
    NamedAtRunTime epsilon(heap);
    std::strcpy(heap, "Zeta");
    NamedAtRunTime zeta(heap);
    std::free(heap);
    EXPECT_STREQ("QXObject.Epsilon", epsilon.getTypeName());
    EXPECT_STREQ("QXObject.Zeta", zeta.getTypeName());

    // The same text from another place still shares its chain.
    NamedAtRunTime again("Alpha");
    EXPECT_EQ(alpha.getTypeName(), again.getTypeName());
}

TEST(QXObjectTypeName, ChainsAreSharedAndOutliveTheirObjects)
{
    const char* chain;
    {
        QXString* original = new QXString("abc");
        QXString copy(*original);
        EXPECT_STREQ("QXObject.QXString", copy.getTypeName());
        EXPECT_EQ(original->getTypeName(), copy.getTypeName());
        chain = copy.getTypeName();
        delete original;
        copy = QXString("def");
        EXPECT_STREQ("QXObject.QXString", copy.getTypeName());
    }
    EXPECT_STREQ("QXObject.QXString", chain);
    // Extending a shared chain leaves it as it was.
    NamedString named;
    EXPECT_STREQ("QXObject.QXString.NamedString", named.getTypeName());
    EXPECT_STREQ("QXObject.QXString", chain);
}

TEST(QXObjectDefaults, BaseQueriesAnswerNothing)
{
    QXObject object;
    EXPECT_EQ(0u, object.getErrorCode());
    EXPECT_EQ(nullptr, object.getErrorMessage(5));
    EXPECT_EQ(nullptr, object.clone());
}

TEST(QXObjectReferenceCount, ReleaseOfNeverRetainedObjectDoesNothing)
{
    bool destroyed = false;
    Tracked* object = new Tracked(&destroyed);
    EXPECT_EQ(0, object->release());
    EXPECT_EQ(0, object->release());
    EXPECT_FALSE(destroyed);
    delete object;
    EXPECT_TRUE(destroyed);
}

TEST(QXObjectReferenceCount, LastReleaseDeletes)
{
    bool destroyed = false;
    Tracked* object = new Tracked(&destroyed);
    EXPECT_EQ(1, object->retain());
    EXPECT_EQ(2, object->retain());
    EXPECT_EQ(1, object->release());
    EXPECT_FALSE(destroyed);
    EXPECT_EQ(0, object->release());
    EXPECT_TRUE(destroyed);
}

TEST(QXObjectReferenceCount, ConcurrentRetainsAreNotLost)
{
    bool destroyed = false;
    Tracked* object = new Tracked(&destroyed);
    object->retain(); // initialises the lock before the threads race
    const int perThread = 20000;
    auto work = [&] {
        for (int i = 0; i < perThread; ++i) object->retain();
    };
    std::thread a(work), b(work);
    a.join();
    b.join();
    EXPECT_EQ(2 * perThread + 2, object->retain());
    for (int i = 0; i < 2 * perThread + 1; ++i) object->release();
    EXPECT_FALSE(destroyed);
    EXPECT_EQ(0, object->release());
    EXPECT_TRUE(destroyed);
}

// Holds an object's lock on another thread until told to let go.
class LockHolder {
public:
    explicit LockHolder(QXObject& object) : target(object)
    {
        worker = std::thread([this] {
            target.lock(QXObject::kWaitForever);
            held = true;
            while (!letGo) Sleep(1);
            target.unlock();
        });
        while (!held) Sleep(1);
    }
    ~LockHolder()
    {
        letGo = true;
        worker.join();
    }
    void release() { letGo = true; }

private:
    QXObject& target;
    std::thread worker;
    std::atomic<bool> held{false};
    std::atomic<bool> letGo{false};
};

TEST(QXObjectLock, ZeroTimeOutAnswersAtOnceWhenHeldElsewhere)
{
    QXObject object;
    LockHolder holder(object);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(0, object.lock(0));
    EXPECT_LT(millisSince(start), 50);
}

TEST(QXObjectLock, FiniteTimeOutPollsEveryHundredMilliseconds)
{
    QXObject object;
    LockHolder holder(object);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(0, object.lock(250));
    const long long elapsed = millisSince(start);
    // Three 100 ms sleeps before the elapsed time reaches 250 ms.
    EXPECT_GE(elapsed, 290);
    EXPECT_LT(elapsed, 1500);
}

TEST(QXObjectLock, WaitsUntilTheHolderLetsGo)
{
    QXObject object;
    LockHolder holder(object);
    std::thread releaser([&] {
        Sleep(150);
        holder.release();
    });
    EXPECT_EQ(1, object.lock(5000));
    object.unlock();
    releaser.join();
}

TEST(QXObjectLock, FreeLockIsTakenAndReentrant)
{
    QXObject object;
    EXPECT_EQ(1, object.lock(0));
    EXPECT_EQ(1, object.lock(0));
    object.unlock();
    object.unlock();
    LockHolder holder(object); // another thread can take it again
}

TEST(OSVersionCode, WineDefaultIsWindows7)
{
    // Wine 8 reports Windows 6.1 (platform 2, workstation) unless told otherwise.
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
    ASSERT_TRUE(GetVersionExA(&info));
    if (info.dwMajorVersion != 6 || info.dwMinorVersion != 1)
        GTEST_SKIP() << "prefix reports Windows " << info.dwMajorVersion << "." << info.dwMinorVersion;
    EXPECT_EQ(kOSWindows7, getOSVersionCode());
}

// Runs the probe program with Wine's per-program version override, which
// Wine reads when the process starts.
long probeVersionCode(const char* wineVersion, const std::string& probe = "osversion_probe.exe",
                      const std::string& arguments = "")
{
    testsupport::WineVersionOverride override(probe, wineVersion);
    return testsupport::runProgram("\"" + testsupport::testBinDir() + "\\" + probe + "\"" + arguments);
}

TEST(OSVersionCode, FollowsTheReportedVersion)
{
    EXPECT_EQ(kOSWindows7, probeVersionCode("win7"));
    EXPECT_EQ(kOSWindowsVista, probeVersionCode("vista"));
    EXPECT_EQ(kOSWindowsServer2008, probeVersionCode("win2008"));
    EXPECT_EQ(kOSWindowsServer2003, probeVersionCode("win2003"));
    EXPECT_EQ(0, probeVersionCode("win8"));       // 6.2 is unknown
    EXPECT_EQ(0, probeVersionCode("win10"));
}

TEST(OSVersionCode, TheShippedManifestKeepsEveryCode)
{
    // The manifest names every Windows from Vista to 11: Windows 10 then
    // reports 10.0 to the program instead of 6.2, which is no code either,
    // and Windows 7 still reports 6.1.
    const std::string probe = "manifested_osversion_probe.exe";
    EXPECT_EQ(1000, probeVersionCode("win10", probe, " --version"));
    EXPECT_EQ(601, probeVersionCode("win7", probe, " --version"));
    EXPECT_EQ(0, probeVersionCode("win10", probe));
    EXPECT_EQ(kOSWindows7, probeVersionCode("win7", probe));
    EXPECT_EQ(kOSWindowsVista, probeVersionCode("vista", probe));
}
