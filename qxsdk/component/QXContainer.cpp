#include "qxsdk/component/QXContainer.h"

namespace QXSDK {

QXContainer::QXContainer() : QXObject(), QXComponent(), QXDesignComponent(), attached(0)
{
    appendTypeName("QXContainer");
    setClassName(QXString("QXContainer"));
}

QXContainer::~QXContainer()
{
    removeAll();
}

void QXContainer::wire(QXComponent* child, QXFont* font)
{
    child->addActionListener(static_cast<IQXActionListener*>(this));
    child->addComponentListener(static_cast<IQXComponentListener*>(this));
    child->setFont(font);
    createChild(child);
}

void QXContainer::unwire(QXComponent* child)
{
    child->removeActionListener(static_cast<IQXActionListener*>(this));
    child->removeComponentListener(static_cast<IQXComponentListener*>(this));
}

void QXContainer::add(QXComponent* child)
{
    if (!child) return;
    child->retain();
    if (!children.append(child)) {
        child->release();
        return;
    }
    child->setInheritedFlag(getInheritedFlag());
    if (!attached) return;
    QXFont* font = getFont();
    wire(child, font);
    if (font) font->release();
}

void QXContainer::remove(QXComponent* child)
{
    if (children.indexOf(child) < 0) return;
    children.remove(child);
    if (attached) {
        unwire(child);
        child->destroyWindow();
    }
    child->release();
}

void QXContainer::removeAll()
{
    for (int i = 0; i < children.getCount(); ++i) {
        QXComponent* child = childAt(i);
        if (attached) {
            unwire(child);
            child->destroyWindow();
        }
        child->release();
    }
    children.removeAll();
}

int QXContainer::getComponentCount()
{
    return children.getCount();
}

QXComponent* QXContainer::getComponentAt(QXPoint p)
{
    return getComponentAt(p.getX(), p.getY());
}

QXComponent* QXContainer::getComponentAt(int x, int y)
{
    for (int i = 0; i < children.getCount(); ++i) {
        QXComponent* child = childAt(i);
        QXPoint location = child->getLocation();
        QXSize size = child->getSize();
        const int X = location.getX(), Y = location.getY();
        if (X <= x && x <= X + size.getWidth() && Y <= y && y <= Y + size.getHeight()) {
            child->retain();
            return child;
        }
    }
    return nullptr;
}

void QXContainer::windowCreated()
{
    attached = 1;
    QXFont* font = getFont();
    for (int i = 0; i < children.getCount(); ++i) wire(childAt(i), font);
    if (font) font->release();
}

int QXContainer::destroyed()
{
    if (attached)
        for (int i = 0; i < children.getCount(); ++i) unwire(childAt(i));
    attached = 0;
    return 1;
}

int QXContainer::setInheritedFlag(int value)
{
    QXComponent::setInheritedFlag(value);
    for (int i = 0; i < children.getCount(); ++i) childAt(i)->setInheritedFlag(value);
    return 1;
}

int QXContainer::hasFocus()
{
    if (QXComponent::hasFocus()) return 1;
    for (int i = 0; i < children.getCount(); ++i)
        if (childAt(i)->hasFocus()) return 1;
    return 0;
}

void QXContainer::update(QXRect area)
{
    QXComponent::update(area);
    for (int i = 0; i < children.getCount(); ++i) childAt(i)->update(QXRect(area));
}

void QXContainer::update()
{
    QXComponent::update();
    for (int i = 0; i < children.getCount(); ++i) childAt(i)->update();
}

void QXContainer::setFocusOnClick(int value)
{
    QXComponent::setFocusOnClick(value);
}

int QXContainer::onMousePressed(QXObject* source, QXPoint point)
{
    if (!isSelf(source)) return 1;
    return QXComponent::onMousePressed(source, point);
}

} // namespace QXSDK
