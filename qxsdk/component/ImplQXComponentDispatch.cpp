// The native window binding: the one window procedure of every toolkit
// window class, and the dispatch of each message into listener events.
//
// Event rules, written once below (deliverByRuleA/B/P) and used by every
// handler. A handler's result goes back to windowProc, where 1 means "let
// DefWindowProcA process the message" and anything else is returned as is.
// Listeners are called in registration order and then the owner's own
// listener implementation, always with the owner as the source; each call
// gets its own copy of class-type arguments. Painting goes through the
// owner's back buffer, which reaches the screen when the owner says so.

#include "qxsdk/component/ImplQXComponent.h"

#include "qxsdk/component/QXComponent.h"
#include "qxsdk/core/ScopedWin32.h"

#include <cstdlib>

namespace QXSDK {

namespace {

using Listener = IQXComponentListener;

const LRESULT kBackgroundErased = 2;

} // namespace

QXPoint ImplQXComponent::pointOf(LPARAM lParam) const
{
    // Client coordinates, sign-extended, in the window's pixels.
    return QXPoint(scale.toToolkit(static_cast<short>(LOWORD(lParam))),
                   scale.toToolkit(static_cast<short>(HIWORD(lParam))));
}

QXObject* ImplQXComponent::source()
{
    return static_cast<QXObject*>(owner);
}

IQXComponentListener* ImplQXComponent::own()
{
    return static_cast<IQXComponentListener*>(owner);
}

template <typename Event>
long long ImplQXComponent::deliverByRuleA(Event event)
{
    for (int i = 0; i < listeners.getCount(); ++i)
        if (event(static_cast<IQXComponentListener*>(listeners.getAt(i))) == 0) return kDefaultResult;
    return event(own()) ? 0 : kDefaultResult;
}

template <typename Event>
long long ImplQXComponent::deliverByRuleB(Event event)
{
    for (int i = 0; i < listeners.getCount(); ++i)
        if (event(static_cast<IQXComponentListener*>(listeners.getAt(i))) == 0) return 0;
    return event(own()) ? kDefaultResult : 0;
}

template <typename Event>
int ImplQXComponent::deliverByRuleP(Event event)
{
    for (int i = 0; i < listeners.getCount(); ++i) event(static_cast<IQXComponentListener*>(listeners.getAt(i)));
    return event(own());
}

LRESULT CALLBACK ImplQXComponent::windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (ImplQXComponent* binding = bindingOf(hwnd)) {
        const long long result = binding->handleMessage(message, &wParam, &lParam);
        if (result != kDefaultResult) return static_cast<LRESULT>(result);
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

ImplQXComponent* ImplQXComponent::bindingOf(HWND hwnd)
{
    if (!hwnd || (GetWindowLongPtrA(hwnd, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(&windowProc) &&
                  GetWindowLongPtrW(hwnd, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(&wideTitleProc)))
        return nullptr;
    return reinterpret_cast<ImplQXComponent*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

LRESULT CALLBACK ImplQXComponent::wideTitleProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    // The title as Windows keeps it, not as the ANSI procedure would give it
    // back: in the system's code page, without what that cannot hold. Every
    // other message reaches the toolkit's procedure as an ANSI message.
    if (message == WM_GETTEXT || message == WM_GETTEXTLENGTH) return DefWindowProcW(hwnd, message, wParam, lParam);
    ImplQXComponent* binding = reinterpret_cast<ImplQXComponent*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (binding && binding->ansiProcedure)
        return CallWindowProcW(binding->ansiProcedure, hwnd, message, wParam, lParam);
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

long long ImplQXComponent::handleMessage(UINT message, WPARAM* wParam, LPARAM* lParam)
{
    switch (message) {
    case WM_CREATE: return handleCreate(message, wParam, lParam);
    case WM_DESTROY: return handleDestroy(message, wParam, lParam);
    case WM_MOVE: return handleMove(message, wParam, lParam);
    case WM_SIZE: return handleSize(message, wParam, lParam);
    case WM_ACTIVATE: return handleActivate(message, wParam, lParam);
    case WM_SETFOCUS: return handleSetFocus(message, wParam, lParam);
    case WM_KILLFOCUS: return handleKillFocus(message, wParam, lParam);
    case WM_ENABLE: return handleEnable(message, wParam, lParam);
    case WM_PAINT: return handlePaint(message, wParam, lParam);
    case WM_CLOSE: return handleClose(message, wParam, lParam);
    case WM_QUERYENDSESSION: return handleQueryEndSession(message, wParam, lParam);
    case WM_ERASEBKGND: return handleEraseBackground(message, wParam, lParam);
    case WM_SHOWWINDOW: return handleShowWindow(message, wParam, lParam);
    case WM_ACTIVATEAPP: return handleActivateApp(message, wParam, lParam);
    case WM_SETCURSOR: return handleSetCursor(message, wParam, lParam);
    case WM_MOUSEACTIVATE: return handleMouseActivate(message, wParam, lParam);
    case WM_WINDOWPOSCHANGING: return handleWindowPosChanging(message, wParam, lParam);
    case WM_WINDOWPOSCHANGED: return handleWindowPosChanged(message, wParam, lParam);
    case WM_COPYDATA: return handleCopyData(message, wParam, lParam);
    case WM_NOTIFY: return handleNotify(message, wParam, lParam);
    case WM_NCPAINT: return handleNcPaint(message, wParam, lParam);
    case WM_KEYDOWN: return handleKeyDown(message, wParam, lParam);
    case WM_KEYUP: return handleKeyUp(message, wParam, lParam);
    case WM_CHAR: return handleChar(message, wParam, lParam);
    case WM_IME_COMPOSITION: return handleImeComposition(message, wParam, lParam);
    case WM_COMMAND: return handleCommand(message, wParam, lParam);
    case WM_SYSCOMMAND: return handleSysCommand(message, wParam, lParam);
    case WM_TIMER: return handleTimer(message, wParam, lParam);
    case WM_HSCROLL: return handleHScroll(message, wParam, lParam);
    case WM_VSCROLL: return handleVScroll(message, wParam, lParam);
    case WM_MENUSELECT: return handleMenuSelect(message, wParam, lParam);
    case WM_MOUSEMOVE: return handleMouseMove(message, wParam, lParam);
    case WM_LBUTTONDOWN: return handleLeftButtonDown(message, wParam, lParam);
    case WM_LBUTTONUP: return handleLeftButtonUp(message, wParam, lParam);
    case WM_LBUTTONDBLCLK: return handleLeftButtonDoubleClick(message, wParam, lParam);
    case WM_RBUTTONDOWN: return handleRightButtonDown(message, wParam, lParam);
    case WM_RBUTTONUP: return handleRightButtonUp(message, wParam, lParam);
    case WM_RBUTTONDBLCLK: return handleRightButtonDoubleClick(message, wParam, lParam);
    case WM_CAPTURECHANGED: return handleCaptureChanged(message, wParam, lParam);
    case WM_POWERBROADCAST: return handlePowerBroadcast(message, wParam, lParam);
    case WM_DROPFILES: return handleDropFiles(message, wParam, lParam);
    case WM_MOUSEHOVER: return handleMouseHover(message, wParam, lParam);
    case WM_MOUSELEAVE: return handleMouseLeave(message, wParam, lParam);
    case WM_QUERYNEWPALETTE: return handleQueryNewPalette(message, wParam, lParam);
    case WM_PALETTEISCHANGING: return handlePaletteIsChanging(message, wParam, lParam);
    case WM_PALETTECHANGED: return handlePaletteChanged(message, wParam, lParam);
    case WM_HOTKEY: return handleHotKey(message, wParam, lParam);
    case WM_GETOBJECT: return handleGetObject(message, wParam, lParam);
    case WM_DPICHANGED: return handleDpiChanged(message, wParam, lParam);
    case kChildActionMessage: {
        QueuedAction* action = reinterpret_cast<QueuedAction*>(*wParam);
        if (action && owner) owner->fireAction(action->source, static_cast<int>(*lParam), action->value);
        discardQueuedAction(action);
        return 0;
    }
    case kOwnActionMessage:
        if (owner) owner->fireAction(static_cast<int>(*lParam), static_cast<long long>(*wParam));
        return 0;
    default:
        return handleOtherMessage(message, static_cast<int>(*wParam), static_cast<int>(*lParam));
    }
}

// Messages that the toolkit leaves to Windows.
long long ImplQXComponent::handleEnable(UINT, WPARAM*, LPARAM*) { return kDefaultResult; }
long long ImplQXComponent::handleQueryEndSession(UINT, WPARAM*, LPARAM*) { return kDefaultResult; }
long long ImplQXComponent::handleActivateApp(UINT, WPARAM*, LPARAM*) { return kDefaultResult; }
long long ImplQXComponent::handleWindowPosChanging(UINT, WPARAM*, LPARAM*) { return kDefaultResult; }
long long ImplQXComponent::handleWindowPosChanged(UINT, WPARAM*, LPARAM*) { return kDefaultResult; }
long long ImplQXComponent::handleCopyData(UINT, WPARAM*, LPARAM*) { return kDefaultResult; }
long long ImplQXComponent::handleNotify(UINT, WPARAM*, LPARAM*) { return kDefaultResult; }
long long ImplQXComponent::handleImeComposition(UINT, WPARAM*, LPARAM*) { return kDefaultResult; }
long long ImplQXComponent::handleSysCommand(UINT, WPARAM*, LPARAM*) { return kDefaultResult; }
long long ImplQXComponent::handleHScroll(UINT, WPARAM*, LPARAM*) { return kDefaultResult; }
long long ImplQXComponent::handleVScroll(UINT, WPARAM*, LPARAM*) { return kDefaultResult; }
long long ImplQXComponent::handleMenuSelect(UINT, WPARAM*, LPARAM*) { return kDefaultResult; }
long long ImplQXComponent::handleCaptureChanged(UINT, WPARAM*, LPARAM*) { return kDefaultResult; }
long long ImplQXComponent::handlePowerBroadcast(UINT, WPARAM*, LPARAM*) { return kDefaultResult; }
long long ImplQXComponent::handleQueryNewPalette(UINT, WPARAM*, LPARAM*) { return kDefaultResult; }
long long ImplQXComponent::handlePaletteIsChanging(UINT, WPARAM*, LPARAM*) { return kDefaultResult; }
long long ImplQXComponent::handlePaletteChanged(UINT, WPARAM*, LPARAM*) { return kDefaultResult; }

// The background counts as erased: painting goes through the back buffer only.
long long ImplQXComponent::handleEraseBackground(UINT, WPARAM*, LPARAM*) { return kBackgroundErased; }

long long ImplQXComponent::handleSetCursor(UINT, WPARAM*, LPARAM*)
{
    return deliverByRuleB([&](IQXComponentListener* l) { return l->onCursorRequested(source()); });
}

long long ImplQXComponent::handleLeftButtonDown(UINT, WPARAM*, LPARAM* lParam)
{
    return deliverByRuleA([&](IQXComponentListener* l) { return l->onMousePressed(source(), pointOf(*lParam)); });
}

long long ImplQXComponent::handleLeftButtonUp(UINT, WPARAM*, LPARAM* lParam)
{
    return deliverByRuleA([&](IQXComponentListener* l) { return l->onMouseReleased(source(), pointOf(*lParam)); });
}

long long ImplQXComponent::handleLeftButtonDoubleClick(UINT, WPARAM*, LPARAM* lParam)
{
    return deliverByRuleA(
        [&](IQXComponentListener* l) { return l->onMouseDoubleClicked(source(), pointOf(*lParam)); });
}

long long ImplQXComponent::handleRightButtonDown(UINT, WPARAM*, LPARAM* lParam)
{
    return deliverByRuleA(
        [&](IQXComponentListener* l) { return l->onRightMousePressed(source(), pointOf(*lParam)); });
}

long long ImplQXComponent::handleRightButtonUp(UINT, WPARAM*, LPARAM* lParam)
{
    return deliverByRuleA(
        [&](IQXComponentListener* l) { return l->onRightMouseReleased(source(), pointOf(*lParam)); });
}

long long ImplQXComponent::handleRightButtonDoubleClick(UINT, WPARAM*, LPARAM* lParam)
{
    return deliverByRuleA(
        [&](IQXComponentListener* l) { return l->onRightMouseDoubleClicked(source(), pointOf(*lParam)); });
}

long long ImplQXComponent::handleMouseMove(UINT, WPARAM*, LPARAM* lParam)
{
    beginMouseTracking();
    return deliverByRuleA([&](IQXComponentListener* l) { return l->onMouseMoved(source(), pointOf(*lParam)); });
}

void ImplQXComponent::beginMouseTracking()
{
    if (tracking) return;
    TRACKMOUSEEVENT track;
    track.cbSize = sizeof track;
    track.dwFlags = TME_HOVER | TME_LEAVE;
    track.hwndTrack = window;
    track.dwHoverTime = HOVER_DEFAULT;
    TrackMouseEvent(&track);
    tracking = 1;
    deliverByRuleA([&](IQXComponentListener* l) { return l->onMouseEntered(source()); });
}

long long ImplQXComponent::handleMouseHover(UINT, WPARAM*, LPARAM* lParam)
{
    return deliverByRuleA([&](IQXComponentListener* l) { return l->onMouseHovered(source(), pointOf(*lParam)); });
}

long long ImplQXComponent::handleMouseLeave(UINT, WPARAM*, LPARAM*)
{
    // Hover and leave are reported once per entry: the next move re-arms them.
    tracking = 0;
    return deliverByRuleA([&](IQXComponentListener* l) { return l->onMouseExited(source()); });
}

long long ImplQXComponent::handleActivate(UINT, WPARAM* wParam, LPARAM*)
{
    int state;
    switch (LOWORD(*wParam)) {
    case WA_ACTIVE: state = Listener::kActivated; break;
    case WA_CLICKACTIVE: state = Listener::kActivatedByClick; break;
    default: state = Listener::kDeactivated; break; // WA_INACTIVE
    }
    const int minimized = static_cast<short>(HIWORD(*wParam));
    keepFocusAcrossActivation(state != Listener::kDeactivated && !minimized);
    return deliverByRuleA([&](IQXComponentListener* l) { return l->onActivated(source(), state, minimized); });
}

void ImplQXComponent::keepFocusAcrossActivation(bool activated)
{
    // As a dialog box does: the child that had the keyboard focus when the
    // window lost the activation has it again when the window gets it back
    // (a keyboard user who switched away finds it where it was).
    if (!activated) {
        HWND focus = GetFocus();
        focusedChild = focus && IsChild(window, focus) ? focus : nullptr;
    } else if (focusedChild && IsChild(window, focusedChild) && IsWindowEnabled(focusedChild)) {
        SetFocus(focusedChild);
    }
}

long long ImplQXComponent::handleSetFocus(UINT, WPARAM*, LPARAM*)
{
    const long long result = deliverByRuleA([&](IQXComponentListener* l) { return l->onFocusGained(source()); });
    notifyAccessible(EVENT_OBJECT_FOCUS);
    return result;
}

long long ImplQXComponent::handleKillFocus(UINT, WPARAM*, LPARAM*)
{
    return deliverByRuleA([&](IQXComponentListener* l) { return l->onFocusLost(source()); });
}

long long ImplQXComponent::handleKeyDown(UINT, WPARAM* wParam, LPARAM* lParam)
{
    const int key = translateKey(static_cast<int>(*wParam));
    const int keyData = static_cast<int>(*lParam);
    return deliverByRuleA([&](IQXComponentListener* l) { return l->onKeyPressed(source(), key, keyData); });
}

long long ImplQXComponent::handleKeyUp(UINT, WPARAM* wParam, LPARAM* lParam)
{
    const int key = translateKey(static_cast<int>(*wParam));
    const int keyData = static_cast<int>(*lParam);
    return deliverByRuleA([&](IQXComponentListener* l) { return l->onKeyReleased(source(), key, keyData); });
}

long long ImplQXComponent::handleChar(UINT, WPARAM* wParam, LPARAM* lParam)
{
    // A byte of the ANSI code page, 0 to 255.
    const int character = static_cast<int>(*wParam & 0xFF);
    const int keyData = static_cast<int>(*lParam);
    return deliverByRuleA([&](IQXComponentListener* l) { return l->onKeyTyped(source(), character, keyData); });
}

int ImplQXComponent::translateKey(int code)
{
    switch (code) {
    case VK_BACK: return Listener::kKeyBackspace;
    case VK_TAB: return Listener::kKeyTab;
    case 0x0A: return Listener::kKeyLineFeed;
    case VK_RETURN: return Listener::kKeyReturn;
    case VK_PRIOR: return Listener::kKeyPageUp;
    case VK_NEXT: return Listener::kKeyPageDown;
    case VK_END: return Listener::kKeyEnd;
    case VK_HOME: return Listener::kKeyHome;
    case VK_LEFT: return Listener::kKeyLeft;
    case VK_UP: return Listener::kKeyUp;
    case VK_RIGHT: return Listener::kKeyRight;
    case VK_DOWN: return Listener::kKeyDown;
    case VK_DELETE: return Listener::kKeyDelete;
    default: return code;
    }
}

long long ImplQXComponent::handleCommand(UINT message, WPARAM* wParam, LPARAM* lParam)
{
    const int w = static_cast<int>(*wParam);
    const int p = static_cast<int>(*lParam);
    return deliverByRuleA(
        [&](IQXComponentListener* l) { return l->onCommand(source(), static_cast<int>(message), w, p); });
}

long long ImplQXComponent::handleOtherMessage(UINT message, int wParam, int lParam)
{
    return deliverByRuleB(
        [&](IQXComponentListener* l) { return l->onMessage(source(), static_cast<int>(message), wParam, lParam); });
}

long long ImplQXComponent::handleSize(UINT, WPARAM* wParam, LPARAM* lParam)
{
    int kind;
    switch (*wParam) {
    case SIZE_MAXHIDE: kind = Listener::kMaxHidden; break;
    case SIZE_MAXIMIZED: kind = Listener::kMaximized; break;
    case SIZE_MAXSHOW: kind = Listener::kMaxShown; break;
    case SIZE_MINIMIZED: kind = Listener::kMinimized; break;
    case SIZE_RESTORED: kind = Listener::kRestored; break;
    default: kind = static_cast<int>(*wParam); break;
    }
    const unsigned short width = static_cast<unsigned short>(scale.toToolkit(LOWORD(*lParam)));
    const unsigned short height = static_cast<unsigned short>(scale.toToolkit(HIWORD(*lParam)));
    size.setSize(static_cast<short>(width), static_cast<short>(height));
    if (window) resizeBuffer(size.getWidth(), size.getHeight());
    return deliverByRuleA([&](IQXComponentListener* l) { return l->onResized(source(), kind, width, height); });
}

long long ImplQXComponent::handleMove(UINT, WPARAM*, LPARAM* lParam)
{
    location.setLocation(scale.toToolkit(static_cast<short>(LOWORD(*lParam))),
                         scale.toToolkit(static_cast<short>(HIWORD(*lParam))));
    return deliverByRuleA([&](IQXComponentListener* l) { return l->onMoved(source(), QXPoint(location)); });
}

long long ImplQXComponent::handleClose(UINT, WPARAM*, LPARAM*)
{
    return deliverByRuleB([&](IQXComponentListener* l) { return l->onClosing(source()); });
}

long long ImplQXComponent::handleShowWindow(UINT, WPARAM* wParam, LPARAM* lParam)
{
    const int shown = static_cast<int>(*wParam);
    int reason;
    switch (*lParam) {
    case SW_OTHERZOOM: reason = Listener::kCoveredByZoom; break;
    case SW_PARENTCLOSING: reason = Listener::kOwnerMinimized; break;
    case SW_PARENTOPENING: reason = Listener::kOwnerRestored; break;
    default: reason = Listener::kShowCalled; break; // SW_OTHERUNZOOM, or a ShowWindow call
    }
    return deliverByRuleA([&](IQXComponentListener* l) { return l->onVisibilityChanged(source(), shown, reason); });
}

long long ImplQXComponent::handleDestroy(UINT, WPARAM*, LPARAM*)
{
    const long long result = deliverByRuleA([&](IQXComponentListener* l) { return l->onDestroyed(source()); });
    discardQueuedActions();
    dropAccessible();
    releaseWindowClass();
    window = nullptr;
    // The parent's window goes before this one: the parent itself may go
    // next, and nothing tells this binding.
    parent = nullptr;
    return result;
}

long long ImplQXComponent::handleCreate(UINT, WPARAM*, LPARAM*)
{
    return deliverByRuleA([&](IQXComponentListener* l) { return l->onCreated(source()); });
}

long long ImplQXComponent::handleTimer(UINT, WPARAM* wParam, LPARAM*)
{
    if (*wParam != kTimerId) return kDefaultResult;
    return deliverByRuleA([&](IQXComponentListener* l) { return l->onTimer(source()); });
}

long long ImplQXComponent::handleMouseActivate(UINT, WPARAM*, LPARAM*)
{
    return deliverByRuleA([&](IQXComponentListener* l) { return l->onMouseActivated(source()); });
}

long long ImplQXComponent::handleHotKey(UINT, WPARAM* wParam, LPARAM* lParam)
{
    const int id = static_cast<int>(*wParam);
    const int modifiers = LOWORD(*lParam);
    const int key = HIWORD(*lParam);
    return deliverByRuleA([&](IQXComponentListener* l) { return l->onHotKey(source(), id, modifiers, key); });
}

long long ImplQXComponent::handleDropFiles(UINT, WPARAM* wParam, LPARAM*)
{
    TQXList<QXString> files;
    {
        // The drop is given back before the listeners see the names.
        DroppedFiles drop(reinterpret_cast<HDROP>(*wParam));
        const UINT count = DragQueryFileA(drop.get(), 0xFFFFFFFF, nullptr, 0);
        for (UINT i = 0; i < count; ++i) {
            const UINT length = DragQueryFileA(drop.get(), i, nullptr, 0);
            char* name = static_cast<char*>(std::malloc(length + 1));
            if (!name) return 0;
            DragQueryFileA(drop.get(), i, name, length + 1);
            files.addLast(QXString(name));
            std::free(name);
        }
    }
    return deliverByRuleA(
        [&](IQXComponentListener* l) { return l->onFilesDropped(source(), TQXList<QXString>(files)); });
}

long long ImplQXComponent::handleGetObject(UINT, WPARAM* wParam, LPARAM* lParam)
{
    // Only the client area is the component's; Windows answers for the rest.
    if (static_cast<LONG>(*lParam) != OBJID_CLIENT || !owner || !window) return kDefaultResult;
    if (!accessible) accessible = ComponentAccessible::create(owner, window);
    if (!accessible) return kDefaultResult;
    // Handing the object to another process takes COM on this thread.
    static thread_local bool apartment = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    const LRESULT answer = apartment ? accessible->answer(*wParam) : 0;
    return answer > 0 ? static_cast<long long>(answer) : kDefaultResult;
}

void ImplQXComponent::dropAccessible()
{
    if (!accessible) return;
    accessible->disconnect();
    accessible->Release();
    accessible = nullptr;
}

void ImplQXComponent::notifyAccessible(unsigned event)
{
    if (window) NotifyWinEvent(event, window, OBJID_CLIENT, CHILDID_SELF);
}

// ---------------------------------------------------------------------------
// Painting

long long ImplQXComponent::paintThrough(bool frame)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    if (!dc) return kDefaultResult;
    const QXRect area = fromNativeRect(scale.toToolkit(paint.rcPaint));
    IQXGraphics* surface = graphics;
    const int shown = deliverByRuleP([&](IQXComponentListener* l) {
        return frame ? l->onPaintFrame(source(), QXRect(area), surface) : l->onPaint(source(), QXRect(area), surface);
    });
    if (shown && graphics) graphics->blit(dc, fromNativeRect(paint.rcPaint));
    EndPaint(window, &paint);
    return kDefaultResult;
}

long long ImplQXComponent::handlePaint(UINT, WPARAM*, LPARAM*)
{
    return paintThrough(false);
}

long long ImplQXComponent::handleNcPaint(UINT, WPARAM*, LPARAM*)
{
    return paintThrough(true);
}

void ImplQXComponent::updateArea(QXRect area)
{
    if (!graphics) return;
    // A window nobody can see (hidden, or inside a hidden parent) is not
    // drawn: showing it sends WM_PAINT, which paints the back buffer anew
    // from the component's state before it reaches the screen.
    if (window && !IsWindowVisible(window)) return;
    IQXGraphics* surface = graphics;
    deliverByRuleP([&](IQXComponentListener* l) { return l->onPaint(source(), QXRect(area), surface); });
    graphics->flush(area.getX(), area.getY(), area.getWidth(), area.getHeight());
}

void ImplQXComponent::update(QXRect area)
{
    updateArea(area);
}

void ImplQXComponent::update()
{
    updateArea(QXRect(0, 0, size.getWidth(), size.getHeight()));
}

void ImplQXComponent::repaint(QXRect area)
{
    if (!window) return;
    const RECT rect = scale.toDevice(toNativeRect(area));
    InvalidateRect(window, &rect, TRUE);
}

void ImplQXComponent::repaint()
{
    if (!window) return;
    RECT client;
    GetClientRect(window, &client);
    InvalidateRect(window, &client, TRUE);
}

void ImplQXComponent::resizeBuffer(int width, int height)
{
    if (!graphics) return;
    WindowDC dc(window);
    graphics->setScale(scale);
    graphics->createBuffer(dc.get(), width, height);
}

// ---------------------------------------------------------------------------
// Display scaling

long long ImplQXComponent::handleDpiChanged(UINT, WPARAM* wParam, LPARAM* lParam)
{
    // The window went to a display of another scaling: it takes the place
    // Windows suggests, and its children follow at the new scale.
    const RECT* suggested = reinterpret_cast<const RECT*>(*lParam);
    scale = DpiScale(HIWORD(*wParam));
    if (suggested)
        SetWindowPos(window, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    resizeBuffer(size.getWidth(), size.getHeight());
    EnumChildWindows(window, rescaleChild, reinterpret_cast<LPARAM>(this));
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
    return 0;
}

BOOL CALLBACK ImplQXComponent::rescaleChild(HWND child, LPARAM topLevel)
{
    ImplQXComponent* binding = bindingOf(child);
    if (binding) binding->rescale(reinterpret_cast<ImplQXComponent*>(topLevel)->scale);
    return TRUE;
}

void ImplQXComponent::rescale(DpiScale dpi)
{
    scale = dpi;
    placeWindow(FALSE);
    resizeBuffer(size.getWidth(), size.getHeight());
}

} // namespace QXSDK
