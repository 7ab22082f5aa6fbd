#pragma once

#include "qxsdk/component/QXDesignComponent.h"
#include "qxsdk/widgets/QXHelper.h"

namespace QXSDK {

// The push button: a framed rectangle with a centred caption, flat (inherited
// flag 0) or three-dimensional, with pressed, focused and disabled looks. A
// click (press and release over the button) or the space bar queues one
// action kClickAction to the parent window. While the pointer rests on the
// button its help text shows in a pop-up 21 pixels below the pointer.
//
// Outside design mode the press state lives in the design component's fields:
// `dragging` is "pressed" and `focused` the focus flag.
class QXButton : public virtual QXDesignComponent {
public:
    static constexpr int kClickAction = 0x4100701;

    explicit QXButton(QXString caption);
    // Releases the help pop-up.
    ~QXButton() override;

    // Stores the caption and redraws at once; screen readers hear of a new
    // one.
    virtual void setCaption(QXString text);
    virtual QXString getCaption();
    // Gives the help pop-up its text; nothing without a pop-up.
    virtual void setHelpText(QXString text);
    // Replaces the help pop-up (retained; may be null).
    virtual void setHelpPopup(QXHelper* popup);

    void enable() override;
    void disable() override;
    int paint(QXRect area, IQXGraphics* surface) override;
    int mousePressed(QXPoint p) override;
    int mouseReleased(QXPoint p) override;
    int mouseMoved(QXPoint p) override;
    int focusGained() override;
    int focusLost() override;
    int keyPressed(int key, int keyData) override;
    int keyReleased(int key, int keyData) override;
    int mouseExited() override;
    int mouseHovered(QXPoint p) override;
    // A push button named by its caption, focusable, whose default action
    // "Press" clicks it as the space bar does.
    int getAccessibleRole() override;
    QXString getAccessibleName() override;
    int getAccessibleState() override;
    QXString getAccessibleAction() override;
    int doAccessibleAction() override;

private:
    // Gives the help pop-up the button's font and creates its native window.
    void attachPopup();
    void paintFrame(IQXGraphics* surface, QXColor* pen, QXColor* brush, int w, int h, bool pressedIn);
    void paintDesignFrame(IQXGraphics* surface, QXColor* pen, int w, int h);

    QXString caption;
    int buttonDisabled;
    int pressedOutside;
    int hasHelpText;
    int popupAttached;
    QXHelper* helpPopup;
};

} // namespace QXSDK
