#pragma once

#include "qxsdk/component/CreateContext.h"
#include "qxsdk/component/IQXActionListener.h"
#include "qxsdk/component/IQXCaret.h"
#include "qxsdk/component/IQXComponentListener.h"
#include "qxsdk/component/NativeHandles.h"
#include "qxsdk/core/QXObject.h"
#include "qxsdk/core/QXString.h"
#include "qxsdk/core/TQXList.h"
#include "qxsdk/core/TQXVector.h"
#include "qxsdk/graphics/IQXGraphics.h"
#include "qxsdk/graphics/IQXImageSource.h"
#include "qxsdk/graphics/QXColor.h"
#include "qxsdk/graphics/QXCursor.h"
#include "qxsdk/graphics/QXFont.h"
#include "qxsdk/graphics/QXIcon.h"
#include "qxsdk/graphics/QXPoint.h"
#include "qxsdk/graphics/QXRect.h"
#include "qxsdk/graphics/QXSize.h"

namespace QXSDK {

class ImplQXComponent;

// The base of every visual element: five state flags, the action listeners,
// and one native binding (ImplQXComponent) that does all the screen work.
//
// Events: the binding delivers each window event first to the registered
// component listeners, then to this component's own listener
// implementation, which calls the matching handler (paint, mousePressed, ...)
// only when the source is this component. Handlers answer nonzero to let the
// dispatch go on, 0 to stop it.
//
// Ownership: getters that answer a toolkit object pointer (getFont, getCaret,
// getGraphics) retain it for the caller, who releases it.
class QXComponent : public virtual QXObject, public virtual IQXComponentListener, public virtual IQXActionListener {
public:
    // The window-style presets of setWindowType; each replaces the whole
    // style word of windows made afterwards.
    static constexpr int kPopupWithMenu = 0;       // pop-up, system menu, minimize and maximize boxes
    static constexpr int kChildWindow = 1;         // child window (the initial style)
    static constexpr int kOverlappedWindow = 2;    // caption, system menu, sizing border, both boxes
    static constexpr int kClippingWithMenu = 3;    // clips siblings and children, system menu
    static constexpr int kClippingWithoutMenu = 4; // the same without system menu, so without close box
    static constexpr int kMenuAndMinimize = 5;     // system menu and minimize box
    static constexpr int kPopupWindow = 6;         // a bare pop-up
    static constexpr int kWindowTypeCount = 7;

    QXComponent();
    // Empties the action listeners and deletes the binding, which destroys a
    // native window that still exists.
    ~QXComponent() override;
    QXComponent(const QXComponent&) = delete;
    QXComponent& operator=(const QXComponent&) = delete;

    // The window text (title).
    virtual void setText(QXString text);
    virtual void setBackground(QXColor colour);
    virtual void setForeground(QXColor colour);
    virtual int setLocation(int x, int y, int repaint);
    virtual int setLocation(QXPoint location, int repaint);
    virtual int setSize(int width, int height, int repaint);
    virtual int setSize(QXSize size, int repaint);
    virtual int setBounds(QXRect bounds, int repaint);
    virtual int setBounds(int x, int y, int width, int height, int repaint);
    // Keeps font (retained); null is ignored.
    virtual void setFont(QXFont* font);
    // The window class that create registers.
    virtual void setClassName(QXString name);
    virtual void show(int activate);
    virtual void hide();
    virtual void enable();
    virtual void disable();
    virtual int isVisible();
    virtual int isDisabled();
    virtual int isCreated();
    // Top-left corner of the window on the screen; (0, 0) without a window.
    virtual QXPoint getScreenLocation();
    // Whether a left press asks for the keyboard focus.
    virtual void setFocusOnClick(int focusOnClick);
    virtual void setCursor(QXCursor* cursor);
    virtual void setIcon(QXIcon* icon);
    virtual void setSmallIcon(QXIcon* icon);
    virtual QXString getText();
    virtual QXColor getBackground();
    virtual QXColor getForeground();
    // The stored position in the parent.
    virtual QXPoint getLocation();
    // The stored outer size.
    virtual QXSize getSize();
    virtual QXFont* getFont();
    virtual QXString getClassName();
    virtual IQXCaret* getCaret();
    virtual IQXGraphics* getGraphics();
    virtual int hasFocus();
    virtual int reservedQuery();
    // Pixel size of text in the component's font; (0, 0) without a window.
    virtual QXSize getTextExtent(QXString text);
    // Character-cell height of the window's font; -1 without a window.
    virtual int getTextHeight();
    // A flag for subclasses: three-dimensional (nonzero) or flat (0) frames.
    // Answers 1; a subclass may answer what the flag chose.
    virtual int setInheritedFlag(int value);
    // One of the seven window-style presets below; others change nothing.
    virtual void setWindowType(int type);
    virtual void requestFocus();
    virtual int copyToClipboard(QXString text);
    virtual int pasteFromClipboard(QXString& out);
    virtual int isKeyPressed(int virtualKey);
    // Hook called just before the native window is created.
    virtual void windowCreating();
    // Hook called just after the native window exists, before it is shown.
    virtual void windowCreated();
    // Creates child's native window inside this one.
    virtual int createChild(QXComponent* child);
    // Creates the native window; hidden or disabled when set so before.
    virtual int create(CreateContext context);
    virtual void destroyWindow();
    virtual int getNativeContext(NativeHandles& out);
    // Registers a component listener (once; not owned).
    virtual void addComponentListener(IQXComponentListener* listener);
    virtual void removeComponentListener(IQXComponentListener* listener);
    // Registers an action listener (once; not owned).
    virtual void addActionListener(IQXActionListener* listener);
    virtual void removeActionListener(IQXActionListener* listener);
    // Paints the area now and copies it to the screen. A window that is not
    // visible is not painted: showing it paints it.
    virtual void update(QXRect area);
    // Paints the whole component now and copies it to the screen (the same
    // for a window that is not visible).
    virtual void update();
    // Invalidates the area; it is painted later by the message loop.
    virtual void repaint(QXRect area);
    virtual void repaint();
    // Counted capture: the outermost releaseMouse(0) lets go.
    virtual void captureMouse();
    virtual void releaseMouse(int force);
    virtual int hasMouseCapture();
    // The component's one timer (raises timerFired); 1 when it runs.
    virtual int startTimer(int milliseconds);
    virtual void stopTimer();
    // Calls the own actionPerformed, then every action listener in order;
    // answers the last result.
    virtual int fireAction(QXObject* source, int id, long long value);
    // fireAction with this component as the source.
    virtual int fireAction(int id, long long value);
    // fireAction(id, value) later, from the message loop.
    virtual void postAction(int id, long long value);
    // The parent window's fireAction(this, id, value) later, from the loop.
    virtual void postActionToParent(int id, long long value);
    virtual void removeAllActionListeners();
    // Window region: the pixels of image that differ from transparent.
    virtual void setShape(IQXImageSource* image, QXColor transparent);

    // Fills the area with the background colour and answers 0: a plain
    // component's paint never reaches the screen by itself.
    virtual int paint(QXRect area, IQXGraphics* surface);
    virtual int mousePressed(QXPoint point);
    virtual int mouseReleased(QXPoint point);
    virtual int mouseDoubleClicked(QXPoint point);
    virtual int rightMousePressed(QXPoint point);
    virtual int rightMouseReleased(QXPoint point);
    virtual int rightMouseDoubleClicked(QXPoint point);
    virtual int mouseMoved(QXPoint point);
    virtual int focusGained();
    virtual int focusLost();
    virtual int cursorRequested();
    virtual int keyTyped(int character, int keyData);
    virtual int keyPressed(int key, int keyData);
    virtual int keyReleased(int key, int keyData);
    virtual int areaEvent(QXRect area, void* data);
    virtual int resized(int kind, unsigned short width, unsigned short height);
    virtual int moved(QXPoint location);
    virtual int closing();
    virtual int visibilityChanged(int shown, int reason);
    virtual int destroyed();
    virtual int activated(int state, int minimized);
    virtual int created();
    virtual int timerFired();
    virtual int mouseActivated();
    virtual int commandReceived(int message, int wParam, int lParam);
    virtual int messageReceived(int message, int wParam, int lParam);
    virtual int mouseExited();
    virtual int mouseEntered();
    virtual int mouseHovered(QXPoint point);
    virtual int filesDropped(TQXList<QXString> files);
    virtual int hotKeyPressed(int id, int modifiers, int key);
    // Calls paint with the same arguments.
    virtual int paintArea(QXRect area, IQXGraphics* surface);
    // The code page of the component's text (its title and what it draws
    // and measures): CP_ACP, the system's, unless set. Text of another code
    // page reads right on every system (see NativeText).
    virtual void setTextCodePage(int codePage);
    virtual int getTextCodePage();
    // What a screen reader is told of the component (through the window's
    // accessible object, see ComponentAccessible): its role (a
    // ROLE_SYSTEM_ code; the window's client area here), its name (its
    // text, in its text code page), its value ("" for none), its state
    // (STATE_SYSTEM_ bits: unavailable while disabled, invisible while
    // hidden, focused while it has the keyboard focus), its default action
    // ("" for none), and doing that action (1 when it did).
    virtual int getAccessibleRole();
    virtual QXString getAccessibleName();
    virtual QXString getAccessibleValue();
    virtual int getAccessibleState();
    virtual QXString getAccessibleAction();
    virtual int doAccessibleAction();

    // Own listener implementation: the self filter.
    int onPaint(QXObject* source, QXRect area, IQXGraphics* surface) override;
    int onPaintFrame(QXObject* source, QXRect area, IQXGraphics* surface) override;
    int onMousePressed(QXObject* source, QXPoint point) override;
    int onMouseReleased(QXObject* source, QXPoint point) override;
    int onMouseDoubleClicked(QXObject* source, QXPoint point) override;
    int onRightMousePressed(QXObject* source, QXPoint point) override;
    int onRightMouseReleased(QXObject* source, QXPoint point) override;
    int onRightMouseDoubleClicked(QXObject* source, QXPoint point) override;
    int onMouseMoved(QXObject* source, QXPoint point) override;
    int onFocusGained(QXObject* source) override;
    int onFocusLost(QXObject* source) override;
    int onCursorRequested(QXObject* source) override;
    int onKeyTyped(QXObject* source, int character, int keyData) override;
    int onKeyPressed(QXObject* source, int key, int keyData) override;
    int onKeyReleased(QXObject* source, int key, int keyData) override;
    int onAreaEvent(QXObject* source, QXRect area, void* data) override;
    int onResized(QXObject* source, int kind, unsigned short width, unsigned short height) override;
    int onMoved(QXObject* source, QXPoint location) override;
    int onClosing(QXObject* source) override;
    int onVisibilityChanged(QXObject* source, int shown, int reason) override;
    int onDestroyed(QXObject* source) override;
    int onActivated(QXObject* source, int state, int minimized) override;
    int onCreated(QXObject* source) override;
    int onTimer(QXObject* source) override;
    int onMouseActivated(QXObject* source) override;
    int onCommand(QXObject* source, int message, int wParam, int lParam) override;
    int onMessage(QXObject* source, int message, int wParam, int lParam) override;
    int onMouseExited(QXObject* source) override;
    int onMouseEntered(QXObject* source) override;
    int onMouseHovered(QXObject* source, QXPoint point) override;
    int onFilesDropped(QXObject* source, TQXList<QXString> files) override;
    int onHotKey(QXObject* source, int id, int modifiers, int key) override;

    // Width and height of the desktop's client area in the toolkit's pixels
    // (see DpiScale); (0, 0) when unknown.
    static QXSize getScreenSize();
    // Whether a window that cannot be created is reported in a message box
    // (see ImplQXComponent::setFailureBoxShown).
    static void setFailureBoxShown(bool shown);

    // The native binding; null only when its allocation failed.
    ImplQXComponent* getBinding() const { return binding; }

protected:
    // True when source is this component.
    bool isSelf(QXObject* source) { return source == static_cast<QXObject*>(this); }
    // Tells screen readers that something of what they read changed
    // (EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_VALUECHANGE, ...); nothing
    // without a window.
    void accessibleChanged(unsigned event);

private:
    TQXVector<void*> actionListeners;
    int disabled;
    int visible;
    int focusOnClick;
    int inheritedFlag;
    int createdFlag;
    ImplQXComponent* binding;

protected:
    int getInheritedFlag() const { return inheritedFlag; }
};

} // namespace QXSDK
