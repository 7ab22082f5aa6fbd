#include "qxsdk/core/QXString.h"

#include <gtest/gtest.h>

#include <string>

using namespace QXSDK;

namespace {

enum class State { Null, Empty, Text };

QXString make(State state)
{
    switch (state) {
    case State::Null: return QXString(static_cast<const char*>(nullptr));
    case State::Empty: return QXString("");
    default: return QXString("abc");
    }
}

bool isNull(const QXString& s) { return s.getData() == nullptr && s.getLength() == 0; }
bool isEmpty(const QXString& s) { return s.getData() != nullptr && s.getData()[0] == '\0' && s.getLength() == 0; }

// The bytes and the stored length together, so one comparison checks both.
std::string show(const QXString& s)
{
    if (!s.getData()) return "<null>";
    return std::string(s.getData()) + "#" + std::to_string(s.getLength());
}

} // namespace

TEST(QXStringConstruction, ThreeStates)
{
    EXPECT_TRUE(isNull(QXString(static_cast<const char*>(nullptr))));
    EXPECT_TRUE(isEmpty(QXString("")));
    EXPECT_TRUE(isEmpty(QXString()));
    EXPECT_EQ("abc#3", show(QXString("abc")));
}

TEST(QXStringConstruction, CopiesKeepTheState)
{
    for (State state : {State::Null, State::Empty, State::Text}) {
        QXString original = make(state);
        QXString copy(original);
        EXPECT_EQ(show(original), show(copy));
        if (original.getData()) {
            EXPECT_NE(original.getData(), copy.getData());
        }
    }
}

TEST(QXStringAssign, NullBytesMakeAnyStringEmptyButANullStringStaysNull)
{
    QXString text("abc");
    text.assign(nullptr, 5);
    EXPECT_TRUE(isEmpty(text));

    QXString empty("");
    empty.assign(static_cast<const char*>(nullptr));
    EXPECT_TRUE(isEmpty(empty));

    QXString null = make(State::Null);
    null.assign(nullptr, 0);
    EXPECT_TRUE(isNull(null));
    null = make(State::Null);
    EXPECT_TRUE(isNull(null));
}

TEST(QXStringAssign, CopiesExactlyNBytesIntoAZeroFilledBuffer)
{
    QXString s = make(State::Null);
    s.assign("abcdef", 3);
    EXPECT_EQ("abc#3", show(s));
    s.assign("xy", 0);
    EXPECT_TRUE(isEmpty(s));
    const char withZero[] = {'a', '\0', 'b'};
    s.assign(withZero, 3);
    EXPECT_EQ(3, s.getLength());
    EXPECT_EQ('b', s.getData()[2]);
    EXPECT_EQ('\0', s.getData()[3]);
}

TEST(QXStringAssign, OwnBufferIsNotReassigned)
{
    QXString s("hello");
    const char* before = s.getData();
    s.assign(s.getData(), 2);
    EXPECT_EQ(before, s.getData());
    EXPECT_EQ("hello#5", show(s));
    const QXString& same = s; // s = s, without the compiler's objection
    s = same;
    EXPECT_EQ("hello#5", show(s));
    // A pointer into the middle of the own buffer is an ordinary source.
    s.assign(s.getData() + 1, 3);
    EXPECT_EQ("ell#3", show(s));
}

TEST(QXStringAppend, EveryStateAcceptsText)
{
    QXString null = make(State::Null);
    null.append("xy");
    EXPECT_EQ("xy#2", show(null));
    QXString empty("");
    empty.append("xy");
    EXPECT_EQ("xy#2", show(empty));
    QXString text("abc");
    text.append("xy");
    EXPECT_EQ("abcxy#5", show(text));
    text.append(nullptr);
    EXPECT_EQ("abcxy#5", show(text));
    QXString nullAppendsNull = make(State::Null);
    nullAppendsNull.append(nullptr); // the own (null) buffer: nothing happens
    EXPECT_TRUE(isNull(nullAppendsNull));
}

TEST(QXStringAppend, OwnBufferChangesNothing)
{
    QXString s("ab");
    s.append(s.getData());
    EXPECT_EQ("ab#2", show(s));
}

TEST(QXStringAppend, ConcatenationLeavesTheLeftOperand)
{
    QXString left("C:\\dir");
    QXString joined = left + "\\install.txt";
    EXPECT_EQ("C:\\dir\\install.txt#18", show(joined));
    EXPECT_EQ("C:\\dir#6", show(left));
    EXPECT_EQ("x#1", show(make(State::Null) + "x"));
}

TEST(QXStringSubstring, InclusiveEndAndMinusOneForTheWhole)
{
    QXString s("abcdef");
    EXPECT_EQ("abcdef#6", show(s.substring(0, -1)));
    EXPECT_EQ("bcd#3", show(s.substring(1, 3)));
    EXPECT_EQ("a#1", show(s.substring(0, 0)));
    EXPECT_EQ("def#3", show(s.substring(3, 6))); // end == length takes the terminator
    EXPECT_EQ("#0", show(s.substring(6, 6)));
}

TEST(QXStringSubstring, BadRangesGiveTheEmptyString)
{
    QXString s("abcdef");
    EXPECT_TRUE(isEmpty(s.substring(3, 2)));
    EXPECT_TRUE(isEmpty(s.substring(0, 7)));
    EXPECT_TRUE(isEmpty(s.substring(-1, 2)));
    EXPECT_TRUE(isEmpty(s.substring(7, -1)));
    EXPECT_TRUE(isEmpty(make(State::Null).substring(0, -1)));
    EXPECT_TRUE(isEmpty(make(State::Empty).substring(0, -1)));
}

TEST(QXStringBackslash, LastBackslashIndex)
{
    EXPECT_EQ(4, QXString("C:\\a\\b").lastBackslashIndex());
    EXPECT_EQ(4, QXString("abcd\\").lastBackslashIndex());
    EXPECT_EQ(0, QXString("\\abc").lastBackslashIndex());
    EXPECT_EQ(-1, QXString("abc").lastBackslashIndex());
    EXPECT_EQ(-1, make(State::Empty).lastBackslashIndex());
    EXPECT_EQ(-1, make(State::Null).lastBackslashIndex());
}

TEST(QXStringTrim, LeftDropsLeadingBlanks)
{
    QXString s("  \tab");
    s.trimLeft();
    EXPECT_EQ("ab#2", show(s));
    QXString blanks(" \r\n");
    blanks.trimLeft();
    EXPECT_TRUE(isNull(blanks));
    QXString inner("a b ");
    inner.trimLeft();
    EXPECT_EQ("a b #4", show(inner));
    QXString empty("");
    empty.trimLeft();
    EXPECT_TRUE(isEmpty(empty));
    QXString null = make(State::Null);
    null.trimLeft();
    EXPECT_TRUE(isNull(null));
}

TEST(QXStringTrim, RightCutsInPlace)
{
    QXString s("a b \r\n");
    s.trimRight();
    EXPECT_EQ("a b#3", show(s));
    QXString leading("  x\t");
    leading.trimRight();
    EXPECT_EQ("  x#3", show(leading));
    QXString blanks("\t \r\n");
    blanks.trimRight();
    EXPECT_TRUE(isNull(blanks));
    QXString empty("");
    empty.trimRight();
    EXPECT_TRUE(isEmpty(empty));
    QXString null = make(State::Null);
    null.trimRight();
    EXPECT_TRUE(isNull(null));
}

TEST(QXStringFormat, FormatsAndGrowsPastOneThousand)
{
    QXString s;
    s.format("%s=%d", "count", 42);
    EXPECT_EQ("count=42#8", show(s));

    const std::string longText(2500, 'x');
    s.format("[%s]", longText.c_str());
    EXPECT_EQ(2502, s.getLength());
    EXPECT_EQ('[', s.getData()[0]);
    EXPECT_EQ(']', s.getData()[2501]);

    // Exactly the capacity: no room for the terminator inside the count.
    const std::string thousand(1000, 'y');
    s.format("%s", thousand.c_str());
    EXPECT_EQ(1000, s.getLength());
    EXPECT_EQ('\0', s.getData()[1000]);

    s.format(nullptr);
    EXPECT_TRUE(isNull(s));
    s.format("");
    EXPECT_TRUE(isEmpty(s));
}

TEST(QXStringCompare, EqualsNeedsTheSameLengthAndBytes)
{
    EXPECT_TRUE(QXString("abc").equals("abc"));
    EXPECT_FALSE(QXString("abc").equals("ab"));
    EXPECT_FALSE(QXString("abc").equals("ABC"));
    EXPECT_TRUE(make(State::Empty).equals(""));
    EXPECT_TRUE(make(State::Null).equals(""));
    EXPECT_FALSE(make(State::Empty).equals("a"));
    EXPECT_TRUE(make(State::Empty).equals(nullptr));
}

TEST(QXStringCompare, EqualsIgnoreCase)
{
    EXPECT_TRUE(QXString("hkey_users").equalsIgnoreCase("HKEY_USERS"));
    EXPECT_FALSE(QXString("hkey_user").equalsIgnoreCase("HKEY_USERS"));
    EXPECT_TRUE(make(State::Empty).equalsIgnoreCase(""));
    EXPECT_FALSE(make(State::Empty).equalsIgnoreCase("a"));
    EXPECT_FALSE(QXString("a").equalsIgnoreCase(""));
    EXPECT_TRUE(make(State::Null).equalsIgnoreCase(""));
}

TEST(QXStringCompare, OrderPutsNullThenEmptyThenBytes)
{
    const QXString null = make(State::Null), empty(""), upper("Z"), lower("a"), prefix("ab"),
                   longer("abc"), high("\xB0");
    EXPECT_FALSE(null < null);
    EXPECT_TRUE(null < empty);
    EXPECT_FALSE(empty < null);
    EXPECT_TRUE(empty < upper);
    EXPECT_TRUE(upper < lower); // every upper-case letter before every lower-case one
    EXPECT_TRUE(prefix < longer);
    EXPECT_FALSE(longer < prefix);
    EXPECT_TRUE(lower < high); // bytes compare as unsigned
    EXPECT_FALSE(lower < lower);
}
