#include "qxsdk/component/ImplQXComponent.h"
#include "qxsdk/component/QXContainer.h"
#include "tests/component/ProbeComponent.h"
#include "tests/support/EventLog.h"
#include "tests/support/TestWindow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

using namespace QXSDK;
using testsupport::EventLog;
using testsupport::pumpMessages;
using testsupport::createPopup;
using testsupport::nativeWindow;

namespace {

// A container in a pop-up window of its own that logs the child events it
// hears as their listener.
class ProbeContainer : public QXContainer {
public:
    explicit ProbeContainer(EventLog& log) : QXObject(), log(log) { retain(); }
    int onMouseMoved(QXObject* source, QXPoint p) override
    {
        if (source != static_cast<QXObject*>(this)) log.push_back("container heard a move");
        return QXContainer::onMouseMoved(source, p);
    }
    int actionPerformed(QXObject*, int id, long long) override
    {
        log.push_back("container action " + std::to_string(id));
        return 1;
    }

private:
    EventLog& log;
};

// A child that logs when its native window is about to be made.
class Child : public ProbeComponent {
public:
    Child(EventLog& log, const std::string& name, int x) : QXObject(), ProbeComponent(log, name), log(log), name(name)
    {
        setBounds(x, 0, 20, 20, 0);
    }
    void windowCreating() override { log.push_back(name + " window"); }

private:
    EventLog& log;
    std::string name;
};

int references(QXObject& object)
{
    const int count = object.retain() - 1;
    object.release();
    return count;
}

} // namespace

TEST(QXContainer, NamesItsWindowClass)
{
    QXContainer container;
    EXPECT_STREQ("QXObject.QXComponent.QXDesignComponent.QXContainer", container.getTypeName());
    EXPECT_STREQ("QXContainer", container.getClassName().getData());
    EXPECT_EQ(0, container.getComponentCount());
    EXPECT_EQ(nullptr, container.getComponentAt(0, 0));
}

TEST(QXContainer, ChildrenAreWiredInInsertionOrderWhenAttached)
{
    EventLog log;
    Child a(log, "a", 0), b(log, "b", 30), c(log, "c", 60);
    ProbeContainer container(log);
    QXFont* childFont = createFont(QXString("Courier New"));
    a.setFont(childFont);
    childFont->release();
    container.add(&a);
    container.add(&b);
    EXPECT_EQ(nullptr, nativeWindow(a));

    ASSERT_EQ(1, createPopup(container, 0, 0, 200, 100));
    container.add(&c); // wired at once
    EventLog created;
    std::copy_if(log.begin(), log.end(), std::back_inserter(created),
                 [](const std::string& line) { return line.find(" window") != std::string::npos; });
    EXPECT_EQ((EventLog{"a window", "b window", "c window"}), created);
    for (Child* child : {&a, &b, &c}) {
        ASSERT_NE(nullptr, nativeWindow(*child));
        EXPECT_EQ(nativeWindow(container), GetParent(nativeWindow(*child)));
        QXFont* mine = container.getFont();
        QXFont* theirs = child->getFont();
        EXPECT_EQ(mine, theirs); // the container's font replaced the child's own
        mine->release();
        theirs->release();
    }
    pumpMessages();
    log.clear();
    for (Child* child : {&a, &b, &c}) {
        SendMessageA(nativeWindow(*child), WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
        child->postActionToParent(5, 0);
        child->fireAction(6, 0);
    }
    pumpMessages();
    int heard = 0, queued = 0, fired = 0;
    for (const std::string& line : log) {
        heard += line == "container heard a move";
        queued += line == "container action 5";
        fired += line == "container action 6";
    }
    EXPECT_EQ(3, heard);
    EXPECT_EQ(3, queued); // through the parent window's queue
    EXPECT_EQ(3, fired);  // as the children's action listener
}

TEST(QXContainer, RemovingTheMiddleChildKeepsTheOrder)
{
    EventLog log;
    Child a(log, "a", 0), b(log, "b", 30), c(log, "c", 60);
    ProbeContainer container(log);
    ASSERT_EQ(1, createPopup(container, 0, 0, 200, 100));
    for (Child* child : {&a, &b, &c}) container.add(child);
    EXPECT_EQ(2, references(b));
    HWND bWindow = nativeWindow(b);
    container.remove(&b);
    EXPECT_EQ(1, references(b));
    EXPECT_FALSE(IsWindow(bWindow));
    EXPECT_EQ(2, container.getComponentCount());
    QXComponent* first = container.getComponentAt(5, 5);
    QXComponent* second = container.getComponentAt(65, 5);
    EXPECT_EQ(static_cast<QXComponent*>(&a), first);
    EXPECT_EQ(static_cast<QXComponent*>(&c), second);
    EXPECT_EQ(nullptr, container.getComponentAt(35, 5));
    first->release();
    second->release();

    // The removed child no longer reaches the container; the others do.
    log.clear();
    WPARAM wParam = 0;
    LPARAM lParam = MAKELPARAM(1, 1);
    b.getBinding()->handleMessage(WM_MOUSEMOVE, &wParam, &lParam);
    EXPECT_EQ(0, std::count(log.begin(), log.end(), "container heard a move"));
    SendMessageA(nativeWindow(c), WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));
    EXPECT_EQ(1, std::count(log.begin(), log.end(), "container heard a move"));

    container.remove(&b); // no longer there: nothing changes
    EXPECT_EQ(1, references(b));
    container.remove(nullptr);
    EXPECT_EQ(2, container.getComponentCount());
}

TEST(QXContainer, ChildAddedAfterOthersLostTheirWindowsIsMadePaintedAndHeard)
{
    EventLog log;
    Child a(log, "a", 0), b(log, "b", 30), c(log, "c", 60);
    ProbeContainer container(log);
    container.add(&a);
    container.add(&b);
    ASSERT_EQ(1, createPopup(container, 0, 0, 200, 100));
    container.remove(&b); // its window goes with it
    a.destroyWindow();    // a stays a child, without a window
    // Only the container's own window decides whether it is created.
    EXPECT_EQ(1, container.isCreated());
    EXPECT_EQ(0, a.isCreated());

    container.add(&c);
    ASSERT_NE(nullptr, nativeWindow(c));
    EXPECT_EQ(nativeWindow(container), GetParent(nativeWindow(c)));
    pumpMessages();
    EXPECT_EQ(RGB(255, 0, 0), testsupport::shownPixel(nativeWindow(c), 10, 10)); // the probe's paint
    log.clear();
    SendMessageA(nativeWindow(c), WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    EXPECT_EQ(1, std::count(log.begin(), log.end(), "c.mouseMoved(2,2)"));
    EXPECT_EQ(1, std::count(log.begin(), log.end(), "container heard a move"));
}

TEST(QXContainer, ReferencesFollowAddRemoveAndDestruction)
{
    EventLog log;
    Child a(log, "a", 0);
    auto* container = new ProbeContainer(log);
    container->add(&a);
    container->add(&a); // twice: two entries, two references
    EXPECT_EQ(3, references(a));
    EXPECT_EQ(2, container->getComponentCount());
    container->remove(&a);
    EXPECT_EQ(2, references(a));
    EXPECT_EQ(1, container->getComponentCount());
    delete container;
    EXPECT_EQ(1, references(a));
}

TEST(QXContainer, EdgesBelongToTheChildAndTheFirstAddedWins)
{
    EventLog log;
    Child a(log, "a", 10), b(log, "b", 20);
    QXContainer container;
    container.add(&a); // 10..30 x 0..20
    container.add(&b); // 20..40, overlapping a
    auto at = [&](int x, int y) {
        QXComponent* found = container.getComponentAt(QXPoint(x, y));
        if (found) found->release();
        return found;
    };
    EXPECT_EQ(static_cast<QXComponent*>(&a), at(30, 20)); // right and bottom edge lines
    EXPECT_EQ(static_cast<QXComponent*>(&a), at(10, 0));
    EXPECT_EQ(static_cast<QXComponent*>(&a), at(25, 5));
    EXPECT_EQ(static_cast<QXComponent*>(&b), at(31, 5));
    EXPECT_EQ(static_cast<QXComponent*>(&b), at(40, 20));
    EXPECT_EQ(nullptr, at(41, 20));
    EXPECT_EQ(nullptr, at(9, 0));
    EXPECT_EQ(nullptr, at(20, 21));
}

TEST(QXContainer, InheritedFlagIsHandedOn)
{
    EventLog log;
    struct FlagChild : Child {
        using Child::Child;
        int flag() { return getInheritedFlag(); }
    };
    FlagChild a(log, "a", 0), b(log, "b", 0);
    QXContainer container;
    container.setInheritedFlag(0);
    container.add(&a);
    EXPECT_EQ(0, a.flag());
    container.add(&b);
    container.setInheritedFlag(1);
    EXPECT_EQ(1, a.flag());
    EXPECT_EQ(1, b.flag());
}

TEST(QXContainer, FocusUpdateAndPressesOfChildren)
{
    EventLog log;
    Child a(log, "a", 0), b(log, "b", 30);
    ProbeContainer container(log);
    container.add(&a);
    container.add(&b);
    ASSERT_EQ(1, createPopup(container, 0, 0, 200, 100));
    pumpMessages();

    SetFocus(nativeWindow(b));
    EXPECT_EQ(0, a.hasFocus());
    EXPECT_EQ(1, container.hasFocus()); // through its second child
    // A press on a child makes the child, not the container, take the focus.
    SetFocus(nativeWindow(a));
    SendMessageA(nativeWindow(b), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    EXPECT_EQ(nativeWindow(b), GetFocus());
    SendMessageA(nativeWindow(b), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    SendMessageA(nativeWindow(container), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(150, 50));
    EXPECT_EQ(nativeWindow(container), GetFocus());
    SendMessageA(nativeWindow(container), WM_LBUTTONUP, 0, MAKELPARAM(150, 50));
    EXPECT_EQ(1, container.hasFocus());

    log.clear();
    container.update();
    EXPECT_EQ((EventLog{"a.paint", "b.paint"}), log);
    log.clear();
    container.update(QXRect(0, 0, 5, 5));
    EXPECT_EQ((EventLog{"a.paint", "b.paint"}), log);
}

TEST(QXContainer, DestroyingTheWindowUnwiresTheChildren)
{
    EventLog log;
    Child a(log, "a", 0);
    ProbeContainer container(log);
    container.add(&a);
    ASSERT_EQ(1, createPopup(container, 0, 0, 100, 100));
    container.destroyWindow();
    log.clear();
    WPARAM wParam = 0;
    LPARAM lParam = MAKELPARAM(1, 1);
    a.getBinding()->handleMessage(WM_MOUSEMOVE, &wParam, &lParam);
    EXPECT_EQ(0, std::count(log.begin(), log.end(), "container heard a move"));
    EXPECT_EQ(1, container.getComponentCount()); // still held
    EXPECT_EQ(2, references(a));
}
