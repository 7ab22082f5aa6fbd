#pragma once

#include "qxsdk/component/ComponentAccessible.h"
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
    // Takes the instance and parent, registers the class and makes the window; 1 on success.
    virtual int create(CreateContext context);
    // Fills out with the instance and window handles; answers 1.
    virtual int getNativeContext(NativeHandles& out);
    // The window text (title), kept for a window made later.
    virtual void setText(QXString text);
    // The drawing surface's background and foreground colours.
    virtual void setBackground(QXColor colour);
    virtual void setForeground(QXColor colour);
    // Position in the parent and size; with a window, moves it (and re-makes
    // the back buffer for a new size) and answers MoveWindow's result, else 0.
    virtual int setLocation(int x, int y, int repaint);
    virtual int setSize(int width, int height, int repaint);
    virtual int setBounds(int x, int y, int width, int height, int repaint);
    // The window-class name that the next create registers.
    virtual void setClassName(QXString name);
    // Retains font and hands it to the surface; null is ignored.
    virtual void setFont(QXFont* font);
    // Visibility, enabled state and window state; recorded in the style
    // while no window exists.
    virtual void show(int activate);
    virtual void hide();
    virtual void enable();
    virtual void disable();
    virtual void maximize();
    virtual void minimize();
    virtual void restore();
    // The class's cursor and icons: each object is retained, and with a
    // window a handle made from it replaces the class's (which goes when
    // the toolkit had made it).
    virtual void setCursor(QXCursor* cursor);
    virtual void setIcon(QXIcon* icon);
    virtual void setSmallIcon(QXIcon* icon);
    // The window's top-left corner on the screen; (0, 0) without a window.
    virtual QXPoint getScreenLocation();
    // Copies of the stored values; the font, caret and surface retained for the caller.
    virtual QXString getText();
    virtual QXColor getBackground();
    virtual QXColor getForeground();
    virtual QXPoint getLocation();
    virtual QXSize getSize();
    virtual QXFont* getFont();
    virtual QXString getClassName();
    virtual IQXCaret* getCaret();
    virtual IQXGraphics* getGraphics();
    // The text as CF_TEXT bytes on the clipboard, and back; 1 on success.
    virtual int copyToClipboard(QXString text);
    virtual int pasteFromClipboard(QXString& out);
    // 1 while the key is down; needs no window.
    virtual int isKeyPressed(int virtualKey);
    // 1 when the window has the keyboard focus.
    virtual int hasFocus();
    // Always 0.
    virtual int reservedQuery();
    // The listeners, not owned, called in registration order; no duplicates.
    virtual void addComponentListener(IQXComponentListener* listener);
    virtual void removeComponentListener(IQXComponentListener* listener);
    // 1 while the native window exists.
    virtual int isWindowCreated();
    // Paints the area (or everything) now and copies it to the screen; a
    // window that is not visible is left to the paint its showing brings.
    virtual void update(QXRect area);
    virtual void update();
    // Invalidates the area (or the client area); the message loop paints it.
    virtual void repaint(QXRect area);
    virtual void repaint();
    // Counted mouse capture shared by all components: the outermost
    // release (or a forced one) gives it back.
    virtual void captureMouse();
    virtual int hasMouseCapture();
    virtual void releaseMouse(int force);
    // The component's one timer (id kTimerId); 1 when it runs.
    virtual int startTimer(int milliseconds);
    virtual void stopTimer();
    // Replaces the style word by a preset of QXComponent; other types change nothing.
    virtual void setWindowType(int type);
    // Window region: the pixels of image that differ from transparent.
    virtual void setShape(IQXImageSource* image, QXColor transparent);
    // Makes child's native window inside this one; answers 1.
    virtual int createChild(QXComponent* child);
    // Gives the window the keyboard focus.
    virtual void requestFocus();
    // Pixel size of text in the font, (0, 0), and the font's height, -1,
    // without a window.
    virtual QXSize getTextExtent(QXString text);
    virtual int getTextHeight();
    // Destroys the native window; the binding can create another.
    virtual void destroyWindow();
    // Posts WM_CLOSE or WM_QUIT to the window.
    virtual void postClose();
    virtual void postQuit();
    // Acts on the parent's window when there is one.
    virtual void disableParent();
    virtual void enableParent();
    virtual void activateParent();
    // Z-order: topmost (with a window only) and to the front.
    virtual void setTopMost(int on);
    virtual int bringToFront();
    // Queues an action for this component, or for the parent window's with
    // this one as the source; delivered by the message loop.
    virtual void postAction(int id, long long value);
    virtual void postActionToParent(int id, long long value);
    // The handlers of the dispatch table, one per message (see handleMessage).
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
    // The code page of the window's title and of the text the surface draws
    // and measures; with a window, its title is set again.
    virtual void setTextCodePage(unsigned codePage);
    virtual unsigned getTextCodePage();
    // A screen reader asks for the window's accessible object (see
    // ComponentAccessible), made when first asked for.
    virtual long long handleGetObject(UINT message, WPARAM* wParam, LPARAM* lParam);
    // Raises the accessibility event for the window's client area.
    virtual void notifyAccessible(unsigned event);
    // The window went to a display of another scaling (WM_DPICHANGED).
    virtual long long handleDpiChanged(UINT message, WPARAM* wParam, LPARAM* lParam);

    HWND getWindow() const { return window; }
    // The parent binding while both windows exist; null otherwise.
    ImplQXComponent* getParent() const { return parent; }
    ComponentGraphics* getSurface() const { return graphics; }
    // The window style that create will use.
    DWORD getStyle() const { return style; }

    // The one window procedure of every toolkit window class.
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // The binding of a toolkit window, null for any other window: only
    // windows whose procedure is still the toolkit's (or the wide title's in
    // front of it) carry one, and during CreateWindowExA it is not attached
    // yet.
    static ImplQXComponent* bindingOf(HWND window);
    // In front of it, for a window whose text is of another code page than
    // the system's: the window's own reads of its title (the caption Windows
    // draws among them) get the title as it was set, in UTF-16.
    static LRESULT CALLBACK wideTitleProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // Outstanding captureMouse calls of the whole process.
    static int getCaptureCount();
    // Whether a window that Windows refuses to create is reported in a
    // message box (the initial setting) or only by create's result: a
    // program that nobody watches turns the box off, which would wait for
    // ever for an answer.
    static void setFailureBoxShown(bool shown);

private:
    // What a child posts to its parent window with an action: the source
    // (retained) and the value; the parent frees it when it delivers or
    // drops the action.
    struct QueuedAction {
        QXObject* source;
        long long value;
    };
    static void discardQueuedAction(QueuedAction* action);
    // Lets go of the accessible object, which answers nothing more.
    void dropAccessible();
    // Remembers the focused child when the window loses the activation and
    // gives it the focus back when the window is activated again.
    void keepFocusAcrossActivation(bool activated);
    // A mouse message's point in the toolkit's pixels.
    QXPoint pointOf(LPARAM lParam) const;
    // A child window at the scale of its top-level window: placed, its back
    // buffer made anew.
    void rescale(DpiScale dpi);
    static BOOL CALLBACK rescaleChild(HWND child, LPARAM topLevel);
    // The stored location and size in the window's pixels, and the window
    // moved there.
    RECT deviceBounds();
    int placeWindow(int repaint);
    // Frees the actions still queued for this window.
    void discardQueuedActions();

    template <typename Event> long long deliverByRuleA(Event event);
    template <typename Event> long long deliverByRuleB(Event event);
    template <typename Event> int deliverByRuleP(Event event);
    long long paintThrough(bool frame);
    void updateArea(QXRect area);
    // Re-makes the back buffer at the new size with the window's context.
    void resizeBuffer(int width, int height);
    // Gives back this binding's count in the class registry.
    void releaseWindowClass();
    // Sets the window's title from text; one of another code page than the
    // system's is kept as wide text (see wideTitleProc).
    void applyTitle();
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
    // Stores icon in slot (largeIcon or smallIcon) and, with a window, gives
    // the class the handle made from it as the shape (icon or small icon).
    void setClassIcon(QXIcon*& slot, QXIcon* icon, int shape);
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
    unsigned textCodePage;
    // The ANSI procedure behind wideTitleProc, as CallWindowProcW takes it;
    // null while the window has none in front.
    WNDPROC ansiProcedure;
    // What screen readers were handed for the window; null until one asks.
    ComponentAccessible* accessible;
    // The window's pixels per toolkit pixel: its display's DPI.
    DpiScale scale;
    // The child that had the focus when the window was last deactivated.
    HWND focusedChild;
};

} // namespace QXSDK
