#include "qxsdk/core/QXString.h"
#include "qxsdk/core/TQXList.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using namespace QXSDK;
using StringList = TQXList<QXString>;

namespace {

std::string current(StringList& list)
{
    QXString* value = list.getCurrent();
    if (!value) return "<none>";
    return value->getData() ? value->getData() : "<null>";
}

// The values in order, read through a copy so the list's cursor stays put.
std::vector<std::string> contents(const StringList& list)
{
    StringList copy(list);
    std::vector<std::string> values;
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
    EXPECT_EQ((std::vector<std::string>{"z", "a", "b"}), contents(list));
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
    EXPECT_EQ((std::vector<std::string>{"a", "c"}), contents(middle));
}

TEST(TQXList, InsertBeforeAndAfterTheCursorMovesTheEnds)
{
    StringList list = listOf({"m"});
    list.insert(QXString("before"), 0);
    list.insert(QXString("after"), 1);
    EXPECT_EQ("m", current(list));
    EXPECT_EQ((std::vector<std::string>{"before", "m", "after"}), contents(list));
    list.moveFirst();
    EXPECT_EQ("before", current(list));
    list.moveLast();
    EXPECT_EQ("after", current(list));
    EXPECT_EQ(1, list.setCurrent(QXString("tail")));
    EXPECT_EQ((std::vector<std::string>{"before", "m", "tail"}), contents(list));
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
    EXPECT_EQ("<null>", current(list)); // the null state survives the copy
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
    EXPECT_EQ((std::vector<std::string>{"a", "b", "c"}), contents(*copy));
    EXPECT_EQ("a", current(*copy));
    EXPECT_EQ(2, copy->retain()); // came retained once
    copy->release();
    copy->release();

    StringList target = listOf({"x"});
    target.assignFrom(target);
    EXPECT_EQ((std::vector<std::string>{"x"}), contents(target));
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

// A model of the list as a vector and a cursor index (-1: unset).
struct ListModel {
    std::vector<std::string> values;
    int cursor = -1;
};

TEST(TQXList, RandomOperationsMatchAModel)
{
    std::mt19937 random(20261208);
    StringList list;
    ListModel model;
    const int operations = 20000;
    for (int step = 0; step < operations; ++step) {
        const std::string value = "v" + std::to_string(step);
        const int size = static_cast<int>(model.values.size());
        switch (random() % 12) {
        case 0:
            ASSERT_EQ(1, list.addFirst(QXString(value.c_str())));
            model.values.insert(model.values.begin(), value);
            model.cursor = model.cursor < 0 ? 0 : model.cursor + 1;
            break;
        case 1:
        case 2:
            ASSERT_EQ(1, list.addLast(QXString(value.c_str())));
            model.values.push_back(value);
            if (model.cursor < 0) model.cursor = 0;
            break;
        case 3: {
            const int after = static_cast<int>(random() % 2);
            ASSERT_EQ(model.cursor < 0 ? 0 : 1, list.insert(QXString(value.c_str()), after));
            if (model.cursor < 0) break;
            if (after) {
                model.values.insert(model.values.begin() + model.cursor + 1, value);
            } else {
                model.values.insert(model.values.begin() + model.cursor, value);
                ++model.cursor;
            }
            break;
        }
        case 4:
            ASSERT_EQ(model.cursor < 0 ? 0 : 1, list.setCurrent(QXString(value.c_str())));
            if (model.cursor >= 0) model.values[model.cursor] = value;
            break;
        case 5:
        case 6:
            ASSERT_EQ(model.cursor < 0 ? 0 : 1, list.removeCurrent());
            if (model.cursor < 0) break;
            model.values.erase(model.values.begin() + model.cursor);
            if (model.values.empty())
                model.cursor = -1;
            else if (model.cursor == static_cast<int>(model.values.size()))
                --model.cursor;
            break;
        case 7:
            ASSERT_EQ(size > 0 ? 1 : 0, list.moveFirst());
            if (size > 0) model.cursor = 0;
            break;
        case 8:
            ASSERT_EQ(size > 0 ? 1 : 0, list.moveLast());
            if (size > 0) model.cursor = size - 1;
            break;
        case 9:
            ASSERT_EQ(model.cursor > 0 ? 1 : 0, list.movePrev());
            if (model.cursor > 0) --model.cursor;
            break;
        case 10:
            ASSERT_EQ(model.cursor >= 0 && model.cursor < size - 1 ? 1 : 0, list.moveNext());
            if (model.cursor >= 0 && model.cursor < size - 1) ++model.cursor;
            break;
        case 11:
            if (random() % 50 == 0) {
                list.clear();
                model = ListModel();
            }
            break;
        }
        ASSERT_EQ(static_cast<int>(model.values.size()), list.count()) << "step " << step;
        ASSERT_EQ(model.cursor < 0 ? "<none>" : model.values[model.cursor], current(list)) << "step " << step;
        ASSERT_EQ(model.cursor == 0, static_cast<bool>(list.isFirst())) << "step " << step;
        ASSERT_EQ(model.cursor >= 0 && model.cursor == static_cast<int>(model.values.size()) - 1,
                  static_cast<bool>(list.isLast())) << "step " << step;
        if (step % 100 == 0) {
            ASSERT_EQ(model.values, contents(list)) << "step " << step;
        }
    }
    EXPECT_EQ(model.values, contents(list));
}
