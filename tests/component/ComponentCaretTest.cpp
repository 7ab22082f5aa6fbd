#include "qxsdk/component/ComponentCaret.h"
#include "qxsdk/graphics/QXColor.h"
#include "tests/support/TestWindow.h"

#include <gtest/gtest.h>

using namespace QXSDK;

namespace {

// The system caret's rectangle as Windows reports it for this thread.
RECT caretRect()
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetCurrentThreadId(), &info);
    return info.rcCaret;
}

} // namespace

TEST(ComponentCaret, UnboundCaretAnswersZero)
{
    ComponentCaret caret;
    EXPECT_STREQ("QXObject.IQXCaret", caret.getTypeName());
    EXPECT_EQ(1, caret.getWidth());
    EXPECT_EQ(16, caret.getHeight());
    EXPECT_EQ(0, caret.createCaret());
    EXPECT_EQ(0, caret.isCreated());
    EXPECT_EQ(0, caret.showCaret());
    EXPECT_EQ(0, caret.hideCaret());
    caret.setHeight(30); // never created: only stored
    EXPECT_EQ(30, caret.getHeight());
}

TEST(ComponentCaret, LiveCaretIsRecreatedForANewHeight)
{
    testsupport::TestWindow window(200, 100, true);
    ComponentCaret caret;
    caret.bindWindow(window);
    ASSERT_NE(0, caret.createCaret());
    EXPECT_EQ(1, caret.isCreated());
    EXPECT_NE(0, caret.showCaret());
    EXPECT_NE(0, caret.setCaretPosition(5, 7));
    POINT position = {};
    GetCaretPos(&position);
    EXPECT_EQ(5, position.x);
    EXPECT_EQ(7, position.y);
    RECT rect = caretRect();
    EXPECT_EQ(16, rect.bottom - rect.top);
    EXPECT_EQ(1, rect.right - rect.left);

    caret.setHeight(20);
    rect = caretRect();
    EXPECT_EQ(20, rect.bottom - rect.top);
    EXPECT_EQ(20, caret.getHeight());

    caret.setWidth(3); // takes effect at the next creation
    caret.setHeight(20);
    rect = caretRect();
    EXPECT_EQ(1, rect.right - rect.left);

    EXPECT_NE(0, caret.hideCaret());
    EXPECT_NE(0, caret.destroyCaret());
    EXPECT_EQ(0, caret.isCreated());
    caret.setHeight(25); // no live caret any more
    EXPECT_EQ(0, caretRect().bottom - caretRect().top);
}

TEST(ComponentCaret, AttachmentIsRetainedWhileKept)
{
    ComponentCaret caret;
    EXPECT_EQ(nullptr, caret.getAttachment());
    QXColor* first = new QXColor();
    QXColor* second = new QXColor();
    first->retain();
    second->retain();
    caret.setAttachment(first);
    QXObject* got = caret.getAttachment();
    EXPECT_EQ(first, got);
    EXPECT_EQ(4, first->retain()); // owner, caret, getAttachment, this
    first->release();
    got->release();
    caret.setAttachment(second);
    EXPECT_EQ(2, first->retain()); // the caret let go of it
    first->release();
    EXPECT_EQ(0, first->release());
    caret.setAttachment(nullptr);
    EXPECT_EQ(0, second->release());
}

TEST(ComponentCaret, BlinkTimeIsTheSystems)
{
    ComponentCaret caret;
    const int original = caret.getBlinkTime();
    EXPECT_EQ(static_cast<int>(GetCaretBlinkTime()), original);
    EXPECT_NE(0, caret.setBlinkTime(700));
    EXPECT_EQ(700, caret.getBlinkTime());
    caret.setBlinkTime(original);
}
