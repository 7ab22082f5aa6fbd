#pragma once

#include "qxsdk/component/QXComponent.h"

namespace QXSDK {

// The base of every widget and container. In design mode (off by default)
// it draws eight sizing handles around itself, shows sizing cursors over
// them and lets the user move it by its body or resize it by a handle; with
// design mode off it adds nothing but one thing: its paint answers 1, so what
// a subclass paints reaches the screen.
//
// Handles are numbered clockwise from the top-left corner (1) to the
// left-middle one (8); 0 is the body.
class QXDesignComponent : public virtual QXComponent {
public:
    QXDesignComponent();
    ~QXDesignComponent() override;

    virtual void setDesignMode(int on);
    // Shows the handles even without the focus.
    virtual void setSelected(int on);
    // The handle under p (0 to 8); the hit zones are 6 x 6 pixels.
    virtual int hitTestHandle(QXPoint p);

    int paint(QXRect area, IQXGraphics* surface) override;
    int mousePressed(QXPoint p) override;
    int mouseReleased(QXPoint p) override;
    int mouseMoved(QXPoint p) override;
    int focusGained() override;
    int focusLost() override;

protected:
    // Moves and/or resizes for a drag of (dx, dy) with the active handle.
    void dragBy(int dx, int dy);
    // The standard cursor kind shown over a handle.
    static int cursorKindOf(int handle);

    int designMode;
    // Also the press state of buttons outside design mode.
    int dragging;
    QXPoint dragOrigin;
    int activeHandle;
    int selected;
    // Also the focus state of buttons outside design mode.
    int focused;
    int handleInset;
};

} // namespace QXSDK
