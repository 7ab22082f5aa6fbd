#pragma once

#include "qxsdk/core/QXObject.h"
#include "qxsdk/core/QXString.h"
#include "qxsdk/core/TQXList.h"
#include "qxsdk/graphics/IQXGraphics.h"
#include "qxsdk/graphics/QXPoint.h"
#include "qxsdk/graphics/QXRect.h"

namespace QXSDK {

// Receives the window events of components. Every method takes the source
// component's QXObject pointer first; class-type arguments are the callee's
// own copies. A result of 0 stops the delivery of that event to the
// listeners after this one (and, for some events, the default processing);
// every default body answers 1.
class IQXComponentListener : public virtual QXObject {
public:
    // onActivated's state.
    static constexpr int kActivated = 0;        // by a call or the keyboard
    static constexpr int kActivatedByClick = 1;
    static constexpr int kDeactivated = 2;
    // onResized's kind; any other size request arrives as its platform code.
    static constexpr int kMaxHidden = 0;        // another window was maximized
    static constexpr int kMaximized = 1;
    static constexpr int kMaxShown = 2;         // another window left its maximized state
    static constexpr int kMinimized = 3;
    static constexpr int kRestored = 4;
    // onVisibilityChanged's reason.
    static constexpr int kShowCalled = 0;       // a show call, or uncovered by another window
    static constexpr int kCoveredByZoom = 1;    // another window was maximized over it
    static constexpr int kOwnerMinimized = 2;
    static constexpr int kOwnerRestored = 3;
    // onKeyPressed's and onKeyReleased's key: these keys arrive as X keysyms,
    // every other key as its virtual-key code.
    static constexpr int kKeyBackspace = 0xFF08;
    static constexpr int kKeyTab = 0xFF09;
    static constexpr int kKeyLineFeed = 0xFF0A;
    static constexpr int kKeyReturn = 0xFF0D;
    static constexpr int kKeyHome = 0xFF50;
    static constexpr int kKeyLeft = 0xFF51;
    static constexpr int kKeyUp = 0xFF52;
    static constexpr int kKeyRight = 0xFF53;
    static constexpr int kKeyDown = 0xFF54;
    static constexpr int kKeyPageUp = 0xFF55;
    static constexpr int kKeyPageDown = 0xFF56;
    static constexpr int kKeyEnd = 0xFF57;
    static constexpr int kKeyDelete = 0xFFFF;

    IQXComponentListener();
    ~IQXComponentListener() override;

    virtual int onPaint(QXObject* source, QXRect area, IQXGraphics* surface);
    virtual int onPaintFrame(QXObject* source, QXRect area, IQXGraphics* surface);
    virtual int onMousePressed(QXObject* source, QXPoint point);
    virtual int onMouseReleased(QXObject* source, QXPoint point);
    virtual int onMouseDoubleClicked(QXObject* source, QXPoint point);
    virtual int onRightMousePressed(QXObject* source, QXPoint point);
    virtual int onRightMouseReleased(QXObject* source, QXPoint point);
    virtual int onRightMouseDoubleClicked(QXObject* source, QXPoint point);
    virtual int onMouseMoved(QXObject* source, QXPoint point);
    virtual int onFocusGained(QXObject* source);
    virtual int onFocusLost(QXObject* source);
    virtual int onCursorRequested(QXObject* source);
    virtual int onKeyTyped(QXObject* source, int character, int keyData);
    virtual int onKeyPressed(QXObject* source, int key, int keyData);
    virtual int onKeyReleased(QXObject* source, int key, int keyData);
    virtual int onAreaEvent(QXObject* source, QXRect area, void* data);
    virtual int onResized(QXObject* source, int kind, unsigned short width, unsigned short height);
    virtual int onMoved(QXObject* source, QXPoint location);
    virtual int onClosing(QXObject* source);
    virtual int onVisibilityChanged(QXObject* source, int shown, int reason);
    virtual int onDestroyed(QXObject* source);
    virtual int onActivated(QXObject* source, int state, int minimized);
    virtual int onCreated(QXObject* source);
    virtual int onTimer(QXObject* source);
    virtual int onMouseActivated(QXObject* source);
    virtual int onCommand(QXObject* source, int message, int wParam, int lParam);
    virtual int onMessage(QXObject* source, int message, int wParam, int lParam);
    virtual int onMouseExited(QXObject* source);
    virtual int onMouseEntered(QXObject* source);
    virtual int onMouseHovered(QXObject* source, QXPoint point);
    virtual int onFilesDropped(QXObject* source, TQXList<QXString> files);
    virtual int onHotKey(QXObject* source, int id, int modifiers, int key);
};

} // namespace QXSDK
