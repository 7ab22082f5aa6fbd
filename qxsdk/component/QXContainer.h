#pragma once

#include "qxsdk/component/QXDesignComponent.h"
#include "qxsdk/core/TQXVector.h"

namespace QXSDK {

// A component that holds child components in insertion order, one reference
// each. Once its own native window exists (attached), every child is wired
// to it: the container listens to the child's events, hands it its font and
// creates the child's native window inside its own. Children keep the
// positions and sizes they are given and paint themselves.
class QXContainer : public virtual QXDesignComponent {
public:
    QXContainer();
    // Removes (and releases) every child.
    ~QXContainer() override;

    // Appends child (retained) and wires it at once when attached.
    virtual void add(QXComponent* child);
    // Takes out the first entry of child, unwires it and releases it.
    virtual void remove(QXComponent* child);
    virtual void removeAll();
    virtual int getComponentCount();
    virtual QXComponent* getComponentAt(QXPoint p);
    // The first child whose rectangle holds (x, y), edges included,
    // retained for the caller; null when none does.
    virtual QXComponent* getComponentAt(int x, int y);

    void windowCreated() override;
    int destroyed() override;
    int setInheritedFlag(int value) override;
    int hasFocus() override;
    void update(QXRect area) override;
    void update() override;
    void setFocusOnClick(int value) override;
    // A press on a child never makes the container take the focus.
    int onMousePressed(QXObject* source, QXPoint point) override;

private:
    QXComponent* childAt(int index) const { return static_cast<QXComponent*>(children.getAt(index)); }
    // Registers the container with child, gives it font and creates its window.
    void wire(QXComponent* child, QXFont* font);
    void unwire(QXComponent* child);

    TQXVector<void*> children;
    int attached;
};

} // namespace QXSDK
