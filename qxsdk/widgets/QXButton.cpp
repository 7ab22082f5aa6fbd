#include "qxsdk/widgets/QXButton.h"

#include "qxsdk/graphics/PaintFrame.h"

#include <oleacc.h>

#include <new>

namespace QXSDK {

namespace {

const int kPopupBelowPointer = 21;
// The default action, as screen readers name a button's.
const char kPressAction[] = "Press";
const int kPressedGrey = 211;

void setRGB(QXColor* colour, int red, int green, int blue)
{
    colour->setRed(red);
    colour->setGreen(green);
    colour->setBlue(blue);
}

} // namespace

QXButton::QXButton(QXString text)
    : QXObject(), QXComponent(), QXDesignComponent(), caption(text), buttonDisabled(0), pressedOutside(0),
      hasHelpText(0), popupAttached(0), helpPopup(new (std::nothrow) QXHelper())
{
    appendTypeName("QXButton");
    setClassName(QXString("QXButton"));
    if (helpPopup) helpPopup->retain();
    dragging = 0;
    focused = 0;
    activeHandle = 0;
    dragOrigin.setLocation(0, 0);
}

QXButton::~QXButton()
{
    if (helpPopup) helpPopup->release();
}

void QXButton::setCaption(QXString text)
{
    const bool changed = !caption.equals(text.getData());
    caption = text;
    update();
    if (changed) accessibleChanged(EVENT_OBJECT_NAMECHANGE);
}

QXString QXButton::getCaption()
{
    return caption;
}

void QXButton::setHelpText(QXString text)
{
    if (!helpPopup) return;
    helpPopup->setHelpText(text);
    hasHelpText = 1;
}

void QXButton::attachPopup()
{
    QXFont* font = getFont();
    helpPopup->setFont(font);
    if (font) font->release();
    createChild(helpPopup);
}

void QXButton::setHelpPopup(QXHelper* popup)
{
    assignRetained(helpPopup, popup);
    if (popupAttached && helpPopup) attachPopup();
    hasHelpText = 1;
}

void QXButton::enable()
{
    if (!buttonDisabled) return;
    QXComponent::enable(); // the native window and the component's flag
    buttonDisabled = 0;
    update();
}

void QXButton::disable()
{
    if (buttonDisabled) return;
    // A press in progress stays recorded, but its capture goes: a disabled
    // button ignores the release and would otherwise keep the pointer.
    if (!designMode && dragging && hasMouseCapture()) releaseMouse(0);
    QXComponent::disable(); // the native window and the component's flag
    buttonDisabled = 1;
    update();
}

int QXButton::mousePressed(QXPoint p)
{
    if (designMode) return QXDesignComponent::mousePressed(p);
    if (buttonDisabled) return 1;
    captureMouse();
    dragging = 1;
    pressedOutside = 0;
    update();
    return 1;
}

int QXButton::mouseMoved(QXPoint p)
{
    if (designMode) return QXDesignComponent::mouseMoved(p);
    if (buttonDisabled || !dragging) return 1;
    QXSize size = getSize();
    // The edge lines x = w and y = h still count as inside.
    const int outside =
        (p.getX() < 0 || p.getY() < 0 || p.getX() > size.getWidth() || p.getY() > size.getHeight()) ? 1 : 0;
    if (outside != pressedOutside) {
        pressedOutside = outside;
        update();
    }
    return 1;
}

int QXButton::mouseReleased(QXPoint p)
{
    if (designMode) return QXDesignComponent::mouseReleased(p);
    if (buttonDisabled) return 1;
    releaseMouse(0);
    if (dragging && !pressedOutside) postActionToParent(kClickAction, 0);
    dragging = 0;
    pressedOutside = 0;
    update();
    return 1;
}

int QXButton::keyPressed(int key, int)
{
    if (key != VK_SPACE || buttonDisabled) return 1;
    dragging = 1;
    update();
    return 1;
}

int QXButton::keyReleased(int key, int)
{
    if (key != VK_SPACE || buttonDisabled) return 1;
    dragging = 0;
    postActionToParent(kClickAction, 0);
    update();
    return 1;
}

int QXButton::focusGained()
{
    if (designMode) return QXDesignComponent::focusGained();
    if (!buttonDisabled) focused = 1;
    update();
    return 1;
}

int QXButton::focusLost()
{
    if (designMode) return QXDesignComponent::focusLost();
    focused = 0;
    update();
    return 1;
}

int QXButton::mouseHovered(QXPoint p)
{
    if (!hasHelpText || !helpPopup) return 1;
    if (!popupAttached) {
        popupAttached = 1;
        attachPopup();
    }
    QXPoint screen = getScreenLocation();
    helpPopup->setLocation(screen.getX() + p.getX(), screen.getY() + p.getY() + kPopupBelowPointer, 1);
    helpPopup->show(0);
    return 1;
}

int QXButton::mouseExited()
{
    if (hasHelpText && helpPopup) helpPopup->hide();
    return 1;
}

int QXButton::getAccessibleRole() { return ROLE_SYSTEM_PUSHBUTTON; }
QXString QXButton::getAccessibleName() { return caption; }
QXString QXButton::getAccessibleAction() { return QXString(kPressAction); }

int QXButton::getAccessibleState()
{
    return QXDesignComponent::getAccessibleState() | STATE_SYSTEM_FOCUSABLE;
}

int QXButton::doAccessibleAction()
{
    if (buttonDisabled || designMode) return 0;
    postActionToParent(kClickAction, 0);
    return 1;
}

void QXButton::paintFrame(IQXGraphics* surface, QXColor* pen, QXColor* brush, int w, int h, bool pressedIn)
{
    const bool threeD = getInheritedFlag() != 0;
    if (focused) {
        pen->setARGB(0);
        if (!threeD) {
            surface->drawRect(1, 1, w - 3, h - 3);
            if (pressedIn) {
                setRGB(pen, kPressedGrey, kPressedGrey, kPressedGrey);
                setRGB(brush, kPressedGrey, kPressedGrey, kPressedGrey);
                surface->drawFilledRect(2, 2, w - 5, h - 5);
            }
        } else if (pressedIn) {
            surface->drawRect(1, 1, w - 3, h - 3);
        } else {
            surface->drawRaisedRect(1, 1, w - 3, h - 3);
        }
        pen->setARGB(0);
        surface->drawRect(0, 0, w - 1, h - 1);
        surface->drawFocusRect(4, 4, w - 8, h - 8, 1);
        return;
    }
    if (!threeD) {
        pen->setARGB(0);
        surface->drawRect(1, 1, w - 3, h - 3);
        setRGB(pen, 255, 255, 255);
        surface->drawRect(2, 2, w - 5, h - 5);
    } else {
        surface->drawRaisedRect(1, 1, w - 3, h - 3);
    }
}

void QXButton::paintDesignFrame(IQXGraphics* surface, QXColor* pen, int w, int h)
{
    const bool threeD = getInheritedFlag() != 0;
    const bool pressed = dragging != 0;
    if (!threeD) {
        if (focused && pressed) return;
        pen->setARGB(0);
        surface->drawRect(1, 1, w - 3, h - 3);
        setRGB(pen, 255, 255, 255);
        surface->drawRect(2, 2, w - 5, h - 5);
    } else if (focused && !pressed) {
        surface->drawRaisedRect(1, 1, w - 3, h - 3);
    } else if (!focused) {
        surface->drawRaisedRect(0, 0, w - 1, h - 1);
    }
}

int QXButton::paint(QXRect area, IQXGraphics* surface)
{
    if (!surface) return 1;
    PaintFrame frame(surface);
    QXComponent::paint(area, surface);
    surface->setTransparent(1);
    QXColor* pen = frame.pen();
    QXColor* brush = frame.brush();
    if (pen && brush) {
        QXSize size = getSize();
        const int w = size.getWidth(), h = size.getHeight();
        QXSize text = getTextExtent(caption);
        const int tw = text.getWidth(), th = text.getHeight();
        if (!designMode) {
            const bool pressedIn = dragging && !pressedOutside;
            paintFrame(surface, pen, brush, w, h, pressedIn);
            const int d = focused && pressedIn ? 1 : 0;
            pen->setARGB(0);
            if (buttonDisabled)
                surface->drawDisabledString(caption, d + (w - tw) / 2, d + (h - th) / 2);
            else
                surface->drawString(caption, d + (w - tw) / 2, d + (h - th) / 2);
        } else {
            paintDesignFrame(surface, pen, w, h);
            pen->setARGB(0);
            surface->drawString(caption, (w - tw) / 2, (h - th) / 2);
            QXDesignComponent::paint(area, surface);
        }
    }
    return 1;
}

} // namespace QXSDK
