#pragma once

#include "qxsdk/component/ComponentCaret.h"
#include "qxsdk/component/CreateContext.h"
#include "qxsdk/component/IQXCaret.h"
#include "qxsdk/component/IQXComponentListener.h"
#include "qxsdk/component/NativeHandles.h"
#include "qxsdk/core/QXObject.h"
#include "qxsdk/core/QXString.h"
#include "qxsdk/core/TQXVector.h"
#include "qxsdk/graphics/ComponentGraphics.h"
#include "qxsdk/graphics/IQXImageSource.h"
#include "qxsdk/graphics/QXColor.h"
#include "qxsdk/graphics/QXCursor.h"
#include "qxsdk/graphics/QXFont.h"
#include "qxsdk/graphics/QXIcon.h"
#include "qxsdk/graphics/QXPoint.h"
#include "qxsdk/graphics/QXRect.h"
#include "qxsdk/graphics/QXSize.h"

namespace QXSDK {

class QXComponent;

// Binds one QXComponent to one Win32 window: creates the window (registering
// its class once per name in the process), turns every window message into
// listener events, paints through the component's back buffer, and does the
// component's screen work (geometry, visibility, styles, focus, capture,
// timer, clipboard, queued actions).
//
// Delivery of an event: first every registered listener in registration
// order, then the owner's own listener implementation, always with the
// owner as the source. Rule A (most events): a listener's 0 stops the
// delivery and the message gets default processing; otherwise the owner
// decides: nonzero means handled. Rule B (cursor, close, other messages): a
// listener's 0 stops the delivery and suppresses default processing; the
// owner's nonzero allows it. Rule P (painting): everyone paints; the owner's
// nonzero copies the painted area to the screen.
//
// Every handler answers the window procedure's result, where 1 means "pass
// the message on to DefWindowProcA".
class ImplQXComponent : public virtual QXObject {
public:
    // Private messages: an action queued by a child for its parent window,
    // the component's timer, and an action queued for the component itself.
    static constexpr UINT kChildActionMessage = 0x2446;
    static constexpr UINT_PTR kTimerId = 0x2447;
    static constexpr UINT kOwnActionMessage = 0x2448;
    static constexpr int kDefaultResult = 1;

    explicit ImplQXComponent(QXComponent* owner);
    ~ImplQXComponent() override;
    ImplQXComponent(const ImplQXComponent&) = delete;
    ImplQXComponent& operator=(const ImplQXComponent&) = delete;

    // Registers the window class, or counts one more user of it.
    virtual int registerWindowClass();
    // Creates the native window and prepares its surface; 0 (after a
    // message box) when Windows refuses.
    virtual int createNativeWindow();
    // Dispatches this thread's messages until WM_QUIT; answers GetMessageA's last value.
    virtual int runMessageLoop();
    // Turns one window message into events.
    virtual long long handleMessage(UINT message, WPARAM* wParam, LPARAM* lParam);
    virtual int create(CreateContext context);
    virtual int getNativeContext(NativeHandles& out);
    virtual void setText(QXString text);
    virtual void setBackground(QXColor colour);
    virtual void setForeground(QXColor colour);
    virtual int setLocation(int x, int y, int repaint);
    virtual int setSize(int width, int height, int repaint);
    virtual int setBounds(int x, int y, int width, int height, int repaint);
    virtual void setClassName(QXString name);
    virtual void setFont(QXFont* font);
    virtual void show(int activate);
    virtual void hide();
    virtual void enable();
    virtual void disable();
    virtual void maximize();
    virtual void minimize();
    virtual void restore();
    virtual void setCursor(QXCursor* cursor);
    virtual void setIcon(QXIcon* icon);
    virtual void setSmallIcon(QXIcon* icon);
    virtual QXPoint getScreenLocation();
    virtual QXString getText();
    virtual QXColor getBackground();
    virtual QXColor getForeground();
    virtual QXPoint getLocation();
    virtual QXSize getSize();
    virtual QXFont* getFont();
    virtual QXString getClassName();
    virtual IQXCaret* getCaret();
    virtual IQXGraphics* getGraphics();
    virtual int copyToClipboard(QXString text);
    virtual int pasteFromClipboard(QXString& out);
    virtual int isKeyPressed(int virtualKey);
    virtual int hasFocus();
    virtual int reservedQuery();
    virtual void addComponentListener(IQXComponentListener* listener);
    virtual void removeComponentListener(IQXComponentListener* listener);
    virtual int isWindowCreated();
    virtual void update(QXRect area);
    virtual void update();
    virtual void repaint(QXRect area);
    virtual void repaint();
    virtual void captureMouse();
    virtual int hasMouseCapture();
    virtual void releaseMouse(int force);
    virtual int startTimer(int milliseconds);
    virtual void stopTimer();
    virtual void setWindowType(int type);
    virtual void setShape(IQXImageSource* image, QXColor transparent);
    virtual int createChild(QXComponent* child);
    virtual void requestFocus();
    virtual QXSize getTextExtent(QXString text);
    virtual int getTextHeight();
    virtual void destroyWindow();
    virtual void postClose();
    virtual void postQuit();
    virtual void disableParent();
    virtual void enableParent();
    virtual void activateParent();
    virtual void setTopMost(int on);
    virtual int bringToFront();
    virtual void postAction(int id, long long value);
    virtual void postActionToParent(int id, long long value);
    virtual long long handleSetCursor(UINT message, WPARAM* wParam, LPARAM* lParam);
    virtual long long handleLeftButtonDown(UINT message, WPARAM* wParam, LPARAM* lParam);
    virtual long long handleLeftButtonUp(UINT message, WPARAM* wParam, LPARAM* lParam);
    virtual long long handleLeftButtonDoubleClick(UINT message, WPARAM* wParam, LPARAM* lParam);
    virtual long long handleMouseMove(UINT message, WPARAM* wParam, LPARAM* lParam);
    virtual long long handleRightButtonDown(UINT message, WPARAM* wParam, LPARAM* lParam);
    virtual long long handleRightButtonUp(UINT message, WPARAM* wParam, LPARAM* lParam);
    virtual long long handleRightButtonDoubleClick(UINT message, WPARAM* wParam, LPARAM* lParam);
    virtual long long handleActivate(UINT message, WPARAM* wParam, LPARAM* lParam);
    virtual long long handleActivateApp(UINT message, WPARAM* wParam, LPARAM* lParam);
    virtual long long handlePaletteChanged(UINT message, WPARAM* wParam, LPARAM* lParam);
    virtual long long handlePaletteIsChanging(UINT message, WPARAM* wParam, LPARAM* lParam);
    virtual long long handleQueryNewPalette(UINT message, WPARAM* wParam, LPARAM* lParam);
    virtual long long handleNcPaint(UINT message, WPARAM* wParam, LPARAM* lParam);
    virtual long long handleCommand(UINT message, WPARAM* wParam, LPARAM* lParam);
    virtual long long handleSysCommand(UINT message, WPARAM* wParam, LPARAM* lParam);
    virtual long long handlePaint(UINT message, WPARAM* wParam, LPARAM* lParam);
    virtual long long handleCreate(UINT message, WPARAM* wParam, LPARAM* lParam);
    virtual long long handleDestroy(UINT message, WPARAM* wParam, LPARAM* lParam);
    virtual long long handleSize(UINT message, WPARAM* wParam, LPARAM* lParam);
    virtual long long handleClose(UINT message, WPARAM* wParam, LPARAM* lParam);
    virtual long long handleMove(UINT message, WPARAM* wParam, LPARAM* lParam);
    virtual long long handleKeyDown(UINT message, WPARAM* wParam, LPARAM* lParam);
    virtual long long handleKeyUp(UINT message, WPARAM* wParam, LPARAM* lParam);
    virtual long long handleNotify(UINT message, WPARAM* wParam, LPARAM* lParam);
    virtual long long handleEraseBackground(UINT message, WPARAM* wParam, LPARAM* lParam);
    virtual long long handleSetFocus(UINT message, WPARAM* wParam, LPARAM* lParam);
    virtual long long handleKillFocus(UINT message, WPARAM* wParam, LPARAM* lParam);
    virtual long long handleChar(UINT message, WPARAM* wParam, LPARAM* lParam);
    virtual long long handleImeComposition(UINT message, WPARAM* wParam, LPARAM* lParam);
    virtual long long handleQueryEndSession(UINT message, WPARAM* wParam, LPARAM* lParam);
    virtual long long handleHScroll(UINT message, WPARAM* wParam, LPARAM* lParam);
    virtual long long handleVScroll(UINT message, WPARAM* wParam, LPARAM* lParam);
    virtual long long handleMouseActivate(UINT message, WPARAM* wParam, LPARAM* lParam);
    virtual long long handleCaptureChanged(UINT message, WPARAM* wParam, LPARAM* lParam);
    virtual long long handleWindowPosChanging(UINT message, WPARAM* wParam, LPARAM* lParam);
    virtual long long handleWindowPosChanged(UINT message, WPARAM* wParam, LPARAM* lParam);
    virtual long long handleTimer(UINT message, WPARAM* wParam, LPARAM* lParam);
    virtual long long handleMenuSelect(UINT message, WPARAM* wParam, LPARAM* lParam);
    virtual long long handlePowerBroadcast(UINT message, WPARAM* wParam, LPARAM* lParam);
    virtual long long handleShowWindow(UINT message, WPARAM* wParam, LPARAM* lParam);
    virtual long long handleEnable(UINT message, WPARAM* wParam, LPARAM* lParam);
    virtual long long handleCopyData(UINT message, WPARAM* wParam, LPARAM* lParam);
    virtual long long handleOtherMessage(UINT message, int wParam, int lParam);
    virtual long long handleMouseLeave(UINT message, WPARAM* wParam, LPARAM* lParam);
    // Arms leave and hover tracking once per entry of the mouse and raises
    // onMouseEntered.
    virtual void beginMouseTracking();
    virtual long long handleMouseHover(UINT message, WPARAM* wParam, LPARAM* lParam);
    virtual long long handleDropFiles(UINT message, WPARAM* wParam, LPARAM* lParam);
    virtual long long handleHotKey(UINT message, WPARAM* wParam, LPARAM* lParam);
    virtual void removeAllComponentListeners();
    // Maps the navigation and editing virtual keys to X11 keysyms; other
    // codes are returned unchanged.
    virtual int translateKey(int code);

    HWND getWindow() const { return window; }
    ComponentGraphics* getSurface() const { return graphics; }
    // The window style that create will use.
    DWORD getStyle() const { return style; }

    // The one window procedure of every toolkit window class.
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // Outstanding captureMouse calls of the whole process.
    static int getCaptureCount();

private:
    // What a child posts to its parent window with an action: the source and
    // the value; the parent frees it.
    struct QueuedAction {
        QXObject* source;
        long long value;
    };

    template <typename Event> long long deliverByRuleA(Event event);
    template <typename Event> long long deliverByRuleB(Event event);
    template <typename Event> int deliverByRuleP(Event event);
    long long paintThrough(bool frame);
    void updateArea(QXRect area);
    // Re-makes the back buffer at the new size with the window's context.
    void resizeBuffer(int width, int height);
    // Gives back this binding's count in the class registry.
    void releaseWindowClass();
    // A handle for the cursor or icon object; made tells whether the toolkit
    // made it (and so destroys it) or it is a shared system one.
    HICON makeIcon(QXIcon* icon, bool& made);
    HCURSOR makeCursor(QXCursor* cursor, bool& made);
    // The large or small icon (class-long slot) for a new class: made from
    // the object, or a copy of the parent's class icon.
    HICON makeClassIcon(QXIcon* icon, int slot, bool& made);
    // Puts the handle on the window's class and destroys the one it
    // replaces when the toolkit had made it.
    void replaceClassShape(int shape, HICON handle, bool made);
    QXObject* source();
    IQXComponentListener* own();

    HINSTANCE instance;
    HWND window;
    DWORD exStyle;
    DWORD style;
    UINT classStyle;
    ImplQXComponent* parent;
    QXString text;
    QXColor background;
    QXColor foreground;
    QXPoint location;
    QXSize size;
    QXString className;
    QXFont* font;
    QXCursor* cursor;
    QXIcon* largeIcon;
    QXIcon* smallIcon;
    int visible;
    ComponentCaret* caret;
    QXComponent* owner;
    TQXVector<void*> listeners;
    UINT_PTR timerId;
    ComponentGraphics* graphics;
    int topMost;
    int tracking;
    int classRegistered;
};

} // namespace QXSDK
