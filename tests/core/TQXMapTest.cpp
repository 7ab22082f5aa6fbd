#include "qxsdk/core/QXString.h"
#include "qxsdk/core/TQXMap.h"
#include "tests/support/QXStringPrinting.h"

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

// The keys in walk order (the walk moves the map's cursor).
std::vector<QXString> keys(StringMap& map)
{
    std::vector<QXString> result;
    for (int more = map.moveFirst(); more; more = map.moveNext()) result.push_back(map.getCurrentKey());
    return result;
}

} // namespace

TEST(TQXMap, KeysWalkInUnsignedByteOrder)
{
    StringMap map;
    for (const char* key : {"b", "B", "a", "", "\xB0", "ab"}) EXPECT_EQ(1, map.put(QXString(key), QXString("v")));
    EXPECT_EQ((std::vector<QXString>{"", "B", "a", "ab", "b", "\xB0"}), keys(map));
    EXPECT_STREQ("QXObject.TQXMap", map.getTypeName());

    // The null key orders before the empty one.
    StringMap withNull;
    withNull.put(QXString(""), QXString("empty"));
    withNull.put(QXString(static_cast<const char*>(nullptr)), QXString("null"));
    withNull.moveFirst();
    EXPECT_EQ(nullptr, withNull.getCurrentKey().getData());
    EXPECT_EQ("null", withNull.getCurrentValue());
}

TEST(TQXMap, PutNeverReplacesAndGetLeavesOutAloneWhenAbsent)
{
    StringMap map;
    EXPECT_EQ(1, map.put(QXString("k"), QXString("first")));
    EXPECT_EQ(0, map.put(QXString("k"), QXString("second")));
    QXString out("untouched");
    EXPECT_EQ(1, map.get(QXString("k"), out));
    EXPECT_EQ("first", out);
    out = "untouched";
    EXPECT_EQ(0, map.get(QXString("K"), out));
    EXPECT_EQ("untouched", out);
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
    EXPECT_EQ("", map.getCurrentKey());
    EXPECT_EQ("", map.getCurrentValue());
    EXPECT_EQ("", map.remove(QXString("missing")));
    EXPECT_EQ(1, map.isEmpty());
}

TEST(TQXMap, RemovingEveryEntryWhileWalkingVisitsEachOnce)
{
    StringMap map;
    for (const char* key : {"a", "b", "c", "d"}) map.put(QXString(key), QXString(key));
    std::vector<QXString> visited;
    for (int more = map.moveFirst(); more; more = map.moveNext()) {
        visited.push_back(map.getCurrentKey());
        EXPECT_EQ(visited.back(), map.remove(map.getCurrentKey()));
    }
    EXPECT_EQ((std::vector<QXString>{"a", "b", "c", "d"}), visited);
    EXPECT_EQ(0, map.size());
}

TEST(TQXMap, RemovingAMissingKeyMakesTheNextMoveStay)
{
    StringMap map;
    for (const char* key : {"a", "b", "c"}) map.put(QXString(key), QXString(key));
    map.moveFirst();
    map.remove(QXString("zz"));
    EXPECT_EQ(1, map.moveNext());
    EXPECT_EQ("a", map.getCurrentKey());
    EXPECT_EQ(1, map.moveNext());
    EXPECT_EQ("b", map.getCurrentKey());
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
    EXPECT_EQ("", source.getCurrentKey()); // at the end
    EXPECT_EQ((std::vector<QXString>{"a", "b"}), keys(*copy));
    QXString value;
    copy->get(QXString("b"), value);
    EXPECT_EQ("2", value);
    EXPECT_EQ(0, copy->release());
}

// The map as a standard map with the cursor as a key (nullopt: at the end)
// and the flag that remove sets: each operation changes the model as the map
// should change and answers what the map should answer.
struct MapModel {
    std::map<QXString, QXString> entries;
    std::optional<QXString> cursor;
    bool advanced = false;

    int put(const QXString& key, const QXString& value) { return entries.emplace(key, value).second ? 1 : 0; }
    int get(const QXString& key, QXString& out) const
    {
        auto found = entries.find(key);
        if (found == entries.end()) return 0;
        out = found->second;
        return 1;
    }
    int containsKey(const QXString& key) const { return entries.count(key) ? 1 : 0; }
    int containsValue(const QXString& value) const
    {
        for (const auto& entry : entries)
            if (entry.second == value) return 1;
        return 0;
    }
    QXString remove(const QXString& key)
    {
        advanced = true;
        auto found = entries.find(key);
        if (found == entries.end()) return QXString("");
        const QXString value = found->second;
        toNextAfter(key);
        entries.erase(found);
        return value;
    }
    int moveFirst()
    {
        advanced = false;
        cursor = entries.empty() ? std::nullopt : std::optional<QXString>(entries.begin()->first);
        return cursor ? 1 : 0;
    }
    int moveNext()
    {
        const bool stays = cursor && advanced;
        advanced = false;
        if (!cursor) return 0;
        if (!stays) toNextAfter(*cursor);
        return cursor ? 1 : 0;
    }
    void clear()
    {
        entries.clear();
        cursor.reset();
    }
    QXString currentKey() const { return cursor ? *cursor : QXString(""); }
    QXString currentValue() const { return cursor ? entries.at(*cursor) : QXString(""); }

private:
    void toNextAfter(const QXString& key)
    {
        auto next = entries.upper_bound(key);
        cursor = next == entries.end() ? std::nullopt : std::optional<QXString>(next->first);
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
        return QXString(key.c_str());
    };
    StringMap map;
    MapModel model;
    for (int step = 0; step < 30000; ++step) {
        const QXString key = randomKey();
        const QXString value(("v" + std::to_string(step % 97)).c_str());
        switch (random() % 10) {
        case 0:
        case 1: ASSERT_EQ(model.put(key, value), map.put(key, value)); break;
        case 2: {
            QXString expected("before"), out("before");
            ASSERT_EQ(model.get(key, expected), map.get(key, out));
            ASSERT_EQ(expected, out);
            break;
        }
        case 3:
            ASSERT_EQ(model.containsValue(value), map.containsValue(value));
            ASSERT_EQ(model.containsKey(key), map.containsKey(key));
            break;
        case 4: {
            // Removing the current key is the usual case; a random key the rare one.
            const QXString victim = (model.cursor && random() % 2) ? *model.cursor : key;
            ASSERT_EQ(model.remove(victim), map.remove(victim));
            break;
        }
        case 5: ASSERT_EQ(model.moveFirst(), map.moveFirst()); break;
        case 6:
        case 7:
        case 8: ASSERT_EQ(model.moveNext(), map.moveNext()) << "step " << step; break;
        case 9:
            if (random() % 100 == 0) {
                map.clear();
                model.clear();
            }
            break;
        }
        ASSERT_EQ(static_cast<int>(model.entries.size()), map.size()) << "step " << step;
        ASSERT_EQ(model.currentKey(), map.getCurrentKey()) << "step " << step;
        ASSERT_EQ(model.currentValue(), map.getCurrentValue()) << "step " << step;
    }
}
