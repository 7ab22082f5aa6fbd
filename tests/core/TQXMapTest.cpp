#include "qxsdk/core/QXString.h"
#include "qxsdk/core/TQXMap.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <random>
#include <string>
#include <utility>
#include <vector>

using namespace QXSDK;
using StringMap = TQXMap<QXString, QXString>;

namespace {

std::string str(const QXString& s)
{
    return s.getData() ? s.getData() : "<null>";
}

// The keys in walk order (the walk moves the map's cursor).
std::vector<std::string> keys(StringMap& map)
{
    std::vector<std::string> result;
    for (int more = map.moveFirst(); more; more = map.moveNext()) result.push_back(str(map.getCurrentKey()));
    return result;
}

} // namespace

TEST(TQXMap, KeysWalkInUnsignedByteOrder)
{
    StringMap map;
    for (const char* key : {"b", "B", "a", "", "\xB0", "ab"}) EXPECT_EQ(1, map.put(QXString(key), QXString("v")));
    EXPECT_EQ((std::vector<std::string>{"", "B", "a", "ab", "b", "\xB0"}), keys(map));
    EXPECT_STREQ("QXObject.TQXMap", map.getTypeName());

    // The null key orders before the empty one.
    StringMap withNull;
    withNull.put(QXString(""), QXString("empty"));
    withNull.put(QXString(static_cast<const char*>(nullptr)), QXString("null"));
    withNull.moveFirst();
    EXPECT_EQ(nullptr, withNull.getCurrentKey().getData());
    EXPECT_EQ("null", str(withNull.getCurrentValue()));
}

TEST(TQXMap, PutNeverReplacesAndGetLeavesOutAloneWhenAbsent)
{
    StringMap map;
    EXPECT_EQ(1, map.put(QXString("k"), QXString("first")));
    EXPECT_EQ(0, map.put(QXString("k"), QXString("second")));
    QXString out("untouched");
    EXPECT_EQ(1, map.get(QXString("k"), out));
    EXPECT_EQ("first", str(out));
    out = "untouched";
    EXPECT_EQ(0, map.get(QXString("K"), out));
    EXPECT_EQ("untouched", str(out));
    EXPECT_EQ(1, map.containsKey(QXString("k")));
    EXPECT_EQ(0, map.containsKey(QXString("K")));
    EXPECT_EQ(1, map.containsValue(QXString("first")));
    EXPECT_EQ(0, map.containsValue(QXString("firs")));
    EXPECT_EQ(1, map.size());
    EXPECT_EQ(0, map.isEmpty());
}

TEST(TQXMap, ReadingAtTheEndGivesEmptyValues)
{
    StringMap map;
    EXPECT_EQ(0, map.moveFirst());
    EXPECT_EQ(0, map.moveNext());
    EXPECT_EQ("", str(map.getCurrentKey()));
    EXPECT_EQ("", str(map.getCurrentValue()));
    EXPECT_EQ("", str(map.remove(QXString("missing"))));
    EXPECT_EQ(1, map.isEmpty());
}

TEST(TQXMap, RemovingEveryEntryWhileWalkingVisitsEachOnce)
{
    StringMap map;
    for (const char* key : {"a", "b", "c", "d"}) map.put(QXString(key), QXString(key));
    std::vector<std::string> visited;
    for (int more = map.moveFirst(); more; more = map.moveNext()) {
        visited.push_back(str(map.getCurrentKey()));
        EXPECT_EQ(visited.back(), str(map.remove(map.getCurrentKey())));
    }
    EXPECT_EQ((std::vector<std::string>{"a", "b", "c", "d"}), visited);
    EXPECT_EQ(0, map.size());
}

TEST(TQXMap, RemovingAMissingKeyMakesTheNextMoveStay)
{
    StringMap map;
    for (const char* key : {"a", "b", "c"}) map.put(QXString(key), QXString(key));
    map.moveFirst();
    map.remove(QXString("zz"));
    EXPECT_EQ(1, map.moveNext());
    EXPECT_EQ("a", str(map.getCurrentKey()));
    EXPECT_EQ(1, map.moveNext());
    EXPECT_EQ("b", str(map.getCurrentKey()));
}

TEST(TQXMap, PointerMapDoesNotOwnItsPointees)
{
    int one = 1, two = 2;
    TQXMap<QXString, int*> map;
    map.put(QXString("one"), &one);
    map.put(QXString("two"), &two);
    EXPECT_EQ(1, map.containsValue(&two));
    int other = 2;
    EXPECT_EQ(0, map.containsValue(&other)); // pointers compare by address
    EXPECT_EQ(&one, map.remove(QXString("one")));
    EXPECT_EQ(nullptr, map.remove(QXString("one")));
    map.moveFirst();
    EXPECT_EQ(&two, map.getCurrentValue());
    map.moveNext();
    EXPECT_EQ(nullptr, map.getCurrentValue());
    map.clear();
    EXPECT_EQ(2, two);
}

TEST(TQXMap, CloneCopiesEntriesAndLeavesTheSourceAtItsEnd)
{
    StringMap source;
    source.put(QXString("b"), QXString("2"));
    source.put(QXString("a"), QXString("1"));
    source.moveFirst();
    StringMap* copy = dynamic_cast<StringMap*>(source.clone());
    ASSERT_NE(nullptr, copy);
    EXPECT_EQ("", str(source.getCurrentKey())); // at the end
    EXPECT_EQ((std::vector<std::string>{"a", "b"}), keys(*copy));
    QXString value;
    copy->get(QXString("b"), value);
    EXPECT_EQ("2", str(value));
    EXPECT_EQ(0, copy->release());
}

// The map as a standard map with the cursor as a key (nullopt: at the end)
// and the flag that remove sets.
struct MapModel {
    std::map<std::string, std::string> entries;
    std::optional<std::string> cursor;
    bool advanced = false;

    void toNextAfter(const std::string& key)
    {
        auto next = entries.upper_bound(key);
        cursor = next == entries.end() ? std::nullopt : std::optional<std::string>(next->first);
    }
};

TEST(TQXMap, RandomOperationsMatchAModel)
{
    std::mt19937 random(8122026);
    const char alphabet[] = {'a', 'B', 'b', '\xB0'};
    auto randomKey = [&] {
        std::string key;
        const int n = static_cast<int>(random() % 4);
        for (int i = 0; i < n; ++i) key += alphabet[random() % 4];
        return key;
    };
    StringMap map;
    MapModel model;
    const int operations = 30000;
    for (int step = 0; step < operations; ++step) {
        const std::string key = randomKey();
        const std::string value = "v" + std::to_string(step % 97);
        switch (random() % 10) {
        case 0:
        case 1: {
            const bool fresh = model.entries.emplace(key, value).second;
            ASSERT_EQ(fresh ? 1 : 0, map.put(QXString(key.c_str()), QXString(value.c_str())));
            break;
        }
        case 2: {
            QXString out("before");
            auto found = model.entries.find(key);
            ASSERT_EQ(found != model.entries.end() ? 1 : 0, map.get(QXString(key.c_str()), out));
            ASSERT_EQ(found != model.entries.end() ? found->second : "before", str(out));
            break;
        }
        case 3: {
            bool present = false;
            for (const auto& entry : model.entries) present |= entry.second == value;
            ASSERT_EQ(present ? 1 : 0, map.containsValue(QXString(value.c_str())));
            ASSERT_EQ(model.entries.count(key) ? 1 : 0, map.containsKey(QXString(key.c_str())));
            break;
        }
        case 4: {
            // Removing the current key is the usual case; a random key the rare one.
            const std::string victim = (model.cursor && random() % 2) ? *model.cursor : key;
            auto found = model.entries.find(victim);
            const std::string expected = found != model.entries.end() ? found->second : "";
            ASSERT_EQ(expected, str(map.remove(QXString(victim.c_str()))));
            model.advanced = true;
            if (found != model.entries.end()) {
                model.toNextAfter(victim);
                model.entries.erase(found);
            }
            break;
        }
        case 5:
            ASSERT_EQ(model.entries.empty() ? 0 : 1, map.moveFirst());
            model.advanced = false;
            model.cursor = model.entries.empty() ? std::nullopt
                                                 : std::optional<std::string>(model.entries.begin()->first);
            break;
        case 6:
        case 7:
        case 8: {
            int expected;
            if (!model.cursor) {
                model.advanced = false;
                expected = 0;
            } else if (model.advanced) {
                model.advanced = false;
                expected = 1;
            } else {
                model.toNextAfter(*model.cursor);
                expected = model.cursor ? 1 : 0;
            }
            ASSERT_EQ(expected, map.moveNext()) << "step " << step;
            break;
        }
        case 9:
            if (random() % 100 == 0) {
                map.clear();
                model.entries.clear();
                model.cursor.reset();
            }
            break;
        }
        ASSERT_EQ(static_cast<int>(model.entries.size()), map.size()) << "step " << step;
        ASSERT_EQ(model.cursor ? *model.cursor : "", str(map.getCurrentKey())) << "step " << step;
        ASSERT_EQ(model.cursor ? model.entries[*model.cursor] : "", str(map.getCurrentValue()))
            << "step " << step;
    }
}
