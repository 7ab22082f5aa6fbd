#include "qxsdk/core/QXString.h"
#include "qxsdk/core/TQXList.h"
#include "tests/support/QXStringPrinting.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using namespace QXSDK;
using StringList = TQXList<QXString>;

namespace {

// The value at the cursor, "<none>" without a cursor.
QXString current(StringList& list)
{
    QXString* value = list.getCurrent();
    return value ? *value : QXString("<none>");
}

// The values in order, read through a copy so the list's cursor stays put.
std::vector<QXString> contents(const StringList& list)
{
    StringList copy(list);
    std::vector<QXString> values;
    for (int more = copy.moveFirst(); more; more = copy.moveNext()) values.push_back(current(copy));
    return values;
}

StringList listOf(std::initializer_list<const char*> values)
{
    StringList list;
    for (const char* v : values) list.addLast(QXString(v));
    return list;
}

} // namespace

TEST(TQXList, FirstAdditionTakesTheCursorLaterOnesLeaveIt)
{
    StringList list;
    EXPECT_EQ(nullptr, list.getCurrent());
    EXPECT_FALSE(list.isFirst());
    EXPECT_FALSE(list.isLast());
    EXPECT_EQ(1, list.addLast(QXString("a")));
    EXPECT_EQ("a", current(list));
    EXPECT_TRUE(list.isFirst());
    EXPECT_TRUE(list.isLast());
    list.addLast(QXString("b"));
    list.addFirst(QXString("z"));
    EXPECT_EQ("a", current(list));
    EXPECT_EQ(3, list.count());
    EXPECT_EQ((std::vector<QXString>{"z", "a", "b"}), contents(list));
    EXPECT_STREQ("QXObject.TQXList", list.getTypeName());
}

TEST(TQXList, MovesStopAtTheEnds)
{
    StringList list = listOf({"a", "b", "c"});
    EXPECT_EQ(0, list.movePrev());
    EXPECT_EQ("a", current(list));
    EXPECT_EQ(1, list.moveLast());
    EXPECT_EQ(0, list.moveNext());
    EXPECT_EQ("c", current(list));
    EXPECT_TRUE(list.isLast());
    EXPECT_EQ(1, list.movePrev());
    EXPECT_EQ("b", current(list));

    StringList empty;
    EXPECT_EQ(0, empty.moveFirst());
    EXPECT_EQ(0, empty.moveLast());
    EXPECT_EQ(0, empty.moveNext());
    EXPECT_EQ(0, empty.movePrev());
}

TEST(TQXList, RemoveCurrentMovesToTheFollowingNode)
{
    StringList list = listOf({"a", "b", "c"});
    list.moveFirst();
    EXPECT_EQ(1, list.removeCurrent());
    EXPECT_EQ("b", current(list));
    EXPECT_TRUE(list.isFirst());
    list.moveLast();
    EXPECT_EQ(1, list.removeCurrent());
    EXPECT_EQ("b", current(list));
    EXPECT_TRUE(list.isLast());
    EXPECT_EQ(1, list.removeCurrent());
    EXPECT_EQ(0, list.count());
    EXPECT_EQ(nullptr, list.getCurrent());
    EXPECT_EQ(0, list.removeCurrent());
    EXPECT_EQ(0, list.setCurrent(QXString("x")));
    EXPECT_EQ(0, list.insert(QXString("x"), 1));

    StringList middle = listOf({"a", "b", "c"});
    middle.moveFirst();
    middle.moveNext();
    middle.removeCurrent();
    EXPECT_EQ("c", current(middle));
    EXPECT_EQ((std::vector<QXString>{"a", "c"}), contents(middle));
}

TEST(TQXList, InsertBeforeAndAfterTheCursorMovesTheEnds)
{
    StringList list = listOf({"m"});
    list.insert(QXString("before"), 0);
    list.insert(QXString("after"), 1);
    EXPECT_EQ("m", current(list));
    EXPECT_EQ((std::vector<QXString>{"before", "m", "after"}), contents(list));
    list.moveFirst();
    EXPECT_EQ("before", current(list));
    list.moveLast();
    EXPECT_EQ("after", current(list));
    EXPECT_EQ(1, list.setCurrent(QXString("tail")));
    EXPECT_EQ((std::vector<QXString>{"before", "m", "tail"}), contents(list));
}

TEST(TQXList, StoredValuesAreCopies)
{
    QXString value("abc");
    StringList list;
    list.addLast(value);
    value.append("def");
    EXPECT_EQ("abc", current(list));
    list.addLast(QXString(static_cast<const char*>(nullptr)));
    list.moveLast();
    EXPECT_EQ(testsupport::nullString(), current(list)); // the null state survives the copy
}

TEST(TQXList, CloneAndAssignFromLeaveTheSourceOnItsTail)
{
    StringList source = listOf({"a", "b", "c"});
    source.moveFirst();
    QXObject* object = source.clone();
    ASSERT_NE(nullptr, object);
    StringList* copy = dynamic_cast<StringList*>(object);
    ASSERT_NE(nullptr, copy);
    EXPECT_TRUE(source.isLast());
    EXPECT_EQ((std::vector<QXString>{"a", "b", "c"}), contents(*copy));
    EXPECT_EQ("a", current(*copy));
    EXPECT_EQ(2, copy->retain()); // came retained once
    copy->release();
    copy->release();

    StringList target = listOf({"x"});
    target.assignFrom(target);
    EXPECT_EQ((std::vector<QXString>{"x"}), contents(target));
    StringList empty;
    target.assignFrom(empty);
    EXPECT_EQ(0, target.count());
}

TEST(TQXList, PointerValuesAreNotOwned)
{
    int a = 1, b = 2;
    TQXList<int*> list;
    list.addLast(&a);
    list.addLast(&b);
    list.moveLast();
    EXPECT_EQ(&b, *list.getCurrent());
    list.clear();
    EXPECT_EQ(2, b);
}

// The list as a vector and a cursor index (-1: unset): each operation
// changes the model as the list should change and answers what the list
// should answer.
struct ListModel {
    std::vector<QXString> values;
    int cursor = -1;

    int size() const { return static_cast<int>(values.size()); }
    QXString current() const { return cursor < 0 ? QXString("<none>") : values[cursor]; }
    bool isFirst() const { return cursor == 0; }
    bool isLast() const { return cursor >= 0 && cursor == size() - 1; }

    int addFirst(const QXString& value)
    {
        values.insert(values.begin(), value);
        cursor = cursor < 0 ? 0 : cursor + 1;
        return 1;
    }
    int addLast(const QXString& value)
    {
        values.push_back(value);
        if (cursor < 0) cursor = 0;
        return 1;
    }
    int insert(const QXString& value, int after)
    {
        if (cursor < 0) return 0;
        values.insert(values.begin() + cursor + (after ? 1 : 0), value);
        if (!after) ++cursor;
        return 1;
    }
    int setCurrent(const QXString& value)
    {
        if (cursor < 0) return 0;
        values[cursor] = value;
        return 1;
    }
    int removeCurrent()
    {
        if (cursor < 0) return 0;
        values.erase(values.begin() + cursor);
        if (values.empty()) cursor = -1;
        else if (cursor == size()) --cursor;
        return 1;
    }
    int moveFirst() { return moveTo(size() > 0, 0); }
    int moveLast() { return moveTo(size() > 0, size() - 1); }
    int movePrev() { return moveTo(cursor > 0, cursor - 1); }
    int moveNext() { return moveTo(cursor >= 0 && cursor < size() - 1, cursor + 1); }
    void clear() { *this = ListModel(); }

private:
    int moveTo(bool possible, int index)
    {
        if (possible) cursor = index;
        return possible ? 1 : 0;
    }
};

TEST(TQXList, RandomOperationsMatchAModel)
{
    std::mt19937 random(20261208);
    StringList list;
    ListModel model;
    for (int step = 0; step < 20000; ++step) {
        const QXString value(("v" + std::to_string(step)).c_str());
        switch (random() % 12) {
        case 0: ASSERT_EQ(model.addFirst(value), list.addFirst(value)); break;
        case 1:
        case 2: ASSERT_EQ(model.addLast(value), list.addLast(value)); break;
        case 3: {
            const int after = static_cast<int>(random() % 2);
            ASSERT_EQ(model.insert(value, after), list.insert(value, after));
            break;
        }
        case 4: ASSERT_EQ(model.setCurrent(value), list.setCurrent(value)); break;
        case 5:
        case 6: ASSERT_EQ(model.removeCurrent(), list.removeCurrent()); break;
        case 7: ASSERT_EQ(model.moveFirst(), list.moveFirst()); break;
        case 8: ASSERT_EQ(model.moveLast(), list.moveLast()); break;
        case 9: ASSERT_EQ(model.movePrev(), list.movePrev()); break;
        case 10: ASSERT_EQ(model.moveNext(), list.moveNext()); break;
        case 11:
            if (random() % 50 == 0) {
                list.clear();
                model.clear();
            }
            break;
        }
        ASSERT_EQ(model.size(), list.count()) << "step " << step;
        ASSERT_EQ(model.current(), current(list)) << "step " << step;
        ASSERT_EQ(model.isFirst(), static_cast<bool>(list.isFirst())) << "step " << step;
        ASSERT_EQ(model.isLast(), static_cast<bool>(list.isLast())) << "step " << step;
        if (step % 100 == 0) {
            ASSERT_EQ(model.values, contents(list)) << "step " << step;
        }
    }
    EXPECT_EQ(model.values, contents(list));
}
