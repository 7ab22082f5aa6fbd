// The native window binding: one window procedure for every toolkit window,
// the dispatch of messages into listener events, and the window services.
//
// Event rules, written once below (deliverByRuleA/B/P) and used by every
// handler. A handler's result goes back to windowProc, where 1 means "let
// DefWindowProcA process the message" and anything else is returned as is.
// Listeners are called in registration order and then the owner's own
// listener implementation, always with the owner as the source; each call
// gets its own copy of class-type arguments.

#include "qxsdk/component/ImplQXComponent.h"

#include "qxsdk/component/QXComponent.h"
#include "qxsdk/core/TQXMap.h"
#include "qxsdk/graphics/ScopedFont.h"

#include <shellapi.h>

#include <cstdlib>
#include <cstring>
#include <new>

namespace QXSDK {

namespace {

const DWORD kInitialStyle = WS_CHILD;
const UINT kInitialClassStyle = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_OWNDC | CS_SAVEBITS;
const char kInitialName[] = "QXComponent";
const int kArrowCursorKind = 68;
const LRESULT kBackgroundErased = 2;
const int kIconFileSize = 64;

// Window-style presets of setWindowType, by type number.
const DWORD kStylePresets[] = {
    WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, // 0
    WS_CHILD,                                                 // 1
    WS_OVERLAPPEDWINDOW,                                      // 2
    WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_SYSMENU,           // 3
    WS_CLIPSIBLINGS | WS_CLIPCHILDREN,                        // 4
    WS_SYSMENU | WS_MINIMIZEBOX,                              // 5
    WS_POPUP,                                                 // 6
};

// What a child posts to its parent window with an action: the source and
// the value; the parent frees it.
struct QueuedAction {
    QXObject* source;
    long long value;
};

int captureCount = 0;

// A window class that bindings registered: how many of them use it, and the
// cursor and icons that the toolkit made for it (null where the class has a
// shared system one, which is never destroyed). Each goes once the class no
// longer uses it: when the class is given its replacement, and when the
// class itself goes.
struct WindowClass {
    enum Shape { kCursor, kIcon, kSmallIcon, kShapeCount };

    int users;
    HICON made[kShapeCount];

    // Destroys what the toolkit made for the class.
    void destroyShapes()
    {
        for (int shape = 0; shape < kShapeCount; ++shape) destroyShape(shape, made[shape]);
    }

    static void destroyShape(int shape, HICON handle)
    {
        if (!handle) return;
        if (shape == kCursor)
            DestroyCursor(handle);
        else
            DestroyIcon(handle);
    }
};

// The class-long index of each shape.
const int kShapeSlots[WindowClass::kShapeCount] = {GCLP_HCURSOR, GCLP_HICON, GCLP_HICONSM};

// The process-wide window-class registry, by class name. Guarded by the
// map's own object lock.
TQXMap<QXString, WindowClass*>& classRegistry()
{
    static TQXMap<QXString, WindowClass*> registry;
    return registry;
}

// Classes whose last user let go while their last window was handling
// WM_DESTROY. Windows refuses to unregister a class while one of its windows
// exists, so they (and their shapes) are given back once that window is
// really gone.
struct RetiredClass {
    QXString name;
    HINSTANCE instance;
    WindowClass* record;
};

TQXVector<void*>& retiredClasses()
{
    static TQXVector<void*> retired;
    return retired;
}

// Unregisters name and destroys its shapes, or keeps both for later while a
// window of the class still exists. Called under the registry lock; takes
// the record.
void unregisterClass(const QXString& name, HINSTANCE instance, WindowClass* record)
{
    if (UnregisterClassA(name.getData(), instance) || GetLastError() != ERROR_CLASS_HAS_WINDOWS) {
        record->destroyShapes();
        delete record;
        return;
    }
    RetiredClass* retired = new (std::nothrow) RetiredClass{name, instance, record};
    if (retired && retiredClasses().append(retired)) return;
    // Without room to remember it, the class keeps its shapes for good.
    delete retired;
    delete record;
}

// Gives back the retired classes whose windows are gone. Called under the
// registry lock.
void unregisterRetiredClasses()
{
    TQXVector<void*>& retired = retiredClasses();
    for (int i = 0; i < retired.getCount();) {
        RetiredClass* entry = static_cast<RetiredClass*>(retired.getAt(i));
        if (!UnregisterClassA(entry->name.getData(), entry->instance) && GetLastError() == ERROR_CLASS_HAS_WINDOWS) {
            ++i;
            continue;
        }
        retired.remove(entry);
        entry->record->destroyShapes();
        delete entry->record;
        delete entry;
    }
}

class RegistryLock {
public:
    RegistryLock() { classRegistry().lock(QXObject::kWaitForever); }
    ~RegistryLock() { classRegistry().unlock(); }
    RegistryLock(const RegistryLock&) = delete;
    RegistryLock& operator=(const RegistryLock&) = delete;
};

// The window's whole-window device context for the length of a scope.
class WindowDC {
public:
    explicit WindowDC(HWND window) : window(window), dc(GetWindowDC(window)) {}
    ~WindowDC()
    {
        if (dc) ReleaseDC(window, dc);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC get() const { return dc; }

private:
    HWND window;
    HDC dc;
};

// Client coordinates of a mouse message, sign-extended.
QXPoint mousePoint(LPARAM lParam)
{
    return QXPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
}

template <typename T>
void releaseAndClear(T*& object)
{
    if (object) object->release();
    object = nullptr;
}

} // namespace

ImplQXComponent::ImplQXComponent(QXComponent* ownerComponent)
    : QXObject(), instance(nullptr), window(nullptr), exStyle(0), style(kInitialStyle), classStyle(kInitialClassStyle), parent(nullptr),
      text(kInitialName), location(0, 0), size(0, 0), className(kInitialName), font(createSystemFont()),
      cursor(new (std::nothrow) QXCursor()), largeIcon(new (std::nothrow) QXIcon()),
      smallIcon(new (std::nothrow) QXIcon()), visible(1), caret(new (std::nothrow) ComponentCaret()),
      owner(ownerComponent), timerId(0), graphics(new (std::nothrow) ComponentGraphics()), topMost(0), tracking(0),
      classRegistered(0)
{
    background.setValue(static_cast<int>(GetSysColor(COLOR_BTNFACE)));
    foreground.setValue(static_cast<int>(GetSysColor(COLOR_WINDOWTEXT)));
    if (cursor) {
        cursor->setKind(kArrowCursorKind);
        cursor->retain();
    }
    for (QXObject* object : {static_cast<QXObject*>(largeIcon), static_cast<QXObject*>(smallIcon),
                             static_cast<QXObject*>(caret), static_cast<QXObject*>(graphics)})
        if (object) object->retain();
}

ImplQXComponent::~ImplQXComponent()
{
    releaseAndClear(font);
    releaseAndClear(cursor);
    releaseAndClear(caret);
    releaseAndClear(largeIcon);
    releaseAndClear(smallIcon);
    releaseAndClear(graphics);
    // Its WM_DESTROY is handled while this binding still exists.
    if (window) DestroyWindow(window);
    releaseWindowClass();
    RegistryLock lock;
    unregisterRetiredClasses();
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

// ---------------------------------------------------------------------------
// Class registry and creation

HICON ImplQXComponent::makeIcon(QXIcon* icon, bool& made)
{
    made = false;
    if (!icon) return nullptr;
    switch (icon->getKind()) {
    case QXIcon::kCustom:
        made = true;
        return CreateIcon(instance, icon->getWidth(), icon->getHeight(), static_cast<BYTE>(icon->getPlanes()),
                          static_cast<BYTE>(icon->getBitsPerPixel()),
                          static_cast<const BYTE*>(icon->getANDMask()), static_cast<const BYTE*>(icon->getXORMask()));
    case QXIcon::kFile:
        made = true;
        return static_cast<HICON>(LoadImageA(instance, icon->getResourceName(), IMAGE_ICON, kIconFileSize,
                                             kIconFileSize, LR_LOADFROMFILE));
    default:
        return icon->getResourceName() ? LoadIconA(nullptr, icon->getResourceName()) : nullptr;
    }
}

HCURSOR ImplQXComponent::makeCursor(QXCursor* shape, bool& made)
{
    made = false;
    if (!shape) return nullptr;
    if (shape->getKind() == QXCursor::kCustom) {
        made = true;
        return CreateCursor(instance, shape->getHotSpotX(), shape->getHotSpotY(), shape->getWidth(),
                            shape->getHeight(), shape->getANDMask(), shape->getXORMask());
    }
    const int id = systemCursorId(shape->getKind());
    return id ? LoadCursorA(nullptr, MAKEINTRESOURCEA(id)) : nullptr;
}

HICON ImplQXComponent::makeClassIcon(QXIcon* icon, int slot, bool& made)
{
    // A child window has no icons of its own; another window with a parent
    // borrows a copy of its parent's.
    if (!parent) return makeIcon(icon, made);
    made = false;
    if ((style & WS_CHILD) || !parent->window) return nullptr;
    HICON borrowed = reinterpret_cast<HICON>(GetClassLongPtrA(parent->window, slot));
    HICON copy = borrowed ? CopyIcon(borrowed) : nullptr;
    made = copy != nullptr;
    return copy;
}

int ImplQXComponent::registerWindowClass()
{
    WindowClass* record = nullptr;
    {
        RegistryLock lock;
        unregisterRetiredClasses();
        if (classRegistry().get(className, record)) {
            ++record->users;
            return 1;
        }
        record = new (std::nothrow) WindowClass{1, {}};
        if (!record) return 0;
        if (!classRegistry().put(className, record)) {
            delete record;
            return 0;
        }
    }

    WNDCLASSEXA windowClass;
    std::memset(&windowClass, 0, sizeof windowClass);
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = classStyle;
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = className.getData();
    bool made[WindowClass::kShapeCount] = {};
    windowClass.hCursor = makeCursor(cursor, made[WindowClass::kCursor]);
    windowClass.hIcon = makeClassIcon(largeIcon, GCLP_HICON, made[WindowClass::kIcon]);
    windowClass.hIconSm = makeClassIcon(smallIcon, GCLP_HICONSM, made[WindowClass::kSmallIcon]);
    const HICON shapes[WindowClass::kShapeCount] = {windowClass.hCursor, windowClass.hIcon, windowClass.hIconSm};
    for (int shape = 0; shape < WindowClass::kShapeCount; ++shape)
        record->made[shape] = made[shape] ? shapes[shape] : nullptr;
    if (RegisterClassExA(&windowClass)) return 1;

    RegistryLock lock;
    classRegistry().remove(className);
    record->destroyShapes();
    delete record;
    return 0;
}

void ImplQXComponent::replaceClassShape(int shape, HICON handle, bool made)
{
    const HICON previous = reinterpret_cast<HICON>(
        SetClassLongPtrA(window, kShapeSlots[shape], reinterpret_cast<LONG_PTR>(handle)));
    // The pointer over one of the class's windows still shows the old cursor.
    if (shape == WindowClass::kCursor && previous && GetCursor() == previous) SetCursor(handle);
    RegistryLock lock;
    WindowClass* record = nullptr;
    if (!classRegistered || !classRegistry().get(className, record)) {
        // A class the toolkit does not hold keeps what it is given.
        return;
    }
    const HICON replaced = record->made[shape];
    record->made[shape] = made ? handle : nullptr;
    if (replaced != handle) WindowClass::destroyShape(shape, replaced);
}

void ImplQXComponent::releaseWindowClass()
{
    if (!classRegistered) return;
    RegistryLock lock;
    WindowClass* record = nullptr;
    if (classRegistry().get(className, record) && --record->users == 0) {
        classRegistry().remove(className);
        unregisterClass(className, instance, record);
    }
    classRegistered = 0;
}

int ImplQXComponent::create(CreateContext context)
{
    instance = context.instance;
    parent = context.parent;
    if (registerWindowClass()) classRegistered = 1;
    return createNativeWindow() != 0 ? 1 : 0;
}

int ImplQXComponent::createNativeWindow()
{
    if (owner) owner->windowCreating();
    HWND created = CreateWindowExA(exStyle, className.getData(), text.getData(), style, location.getX(),
                                   location.getY(), size.getWidth(), size.getHeight(),
                                   parent ? parent->window : nullptr, nullptr, instance, nullptr);
    if (!created) {
        QXString message;
        message.format("createwindows err=%d", static_cast<int>(GetLastError()));
        MessageBoxA(nullptr, message.getData(), "eeerrr", MB_OK);
        return 0;
    }
    window = created;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));

    if (graphics) {
        WindowDC dc(window);
        graphics->setWindow(window);
        graphics->createBuffer(dc.get(), size.getWidth(), size.getHeight());
        graphics->useFont(font);
        graphics->setForeground(foreground);
        graphics->setBackground(background);
    }
    DragAcceptFiles(window, TRUE);
    if (owner) owner->windowCreated();
    if (visible) {
        ShowWindow(window, SW_SHOW);
        UpdateWindow(window);
        setTopMost(topMost);
    } else {
        ShowWindow(window, SW_HIDE);
    }
    if (caret) caret->bindWindow(window);
    tracking = 0;
    return 1;
}

int ImplQXComponent::runMessageLoop()
{
    MSG message;
    int result;
    while ((result = GetMessageA(&message, nullptr, 0, 0)) != 0 && result != -1) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
        // A window closed by the message may have left its class to give back.
        if (retiredClasses().getCount() > 0) {
            RegistryLock lock;
            unregisterRetiredClasses();
        }
        Sleep(1);
    }
    return result;
}

LRESULT CALLBACK ImplQXComponent::windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    // Only windows whose procedure is still this one carry a binding; during
    // CreateWindowExA the binding is not attached yet.
    if (hwnd && GetWindowLongPtrA(hwnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&windowProc)) {
        ImplQXComponent* binding = reinterpret_cast<ImplQXComponent*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        if (binding) {
            const long long result = binding->handleMessage(message, &wParam, &lParam);
            if (result != kDefaultResult) return static_cast<LRESULT>(result);
        }
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

// ---------------------------------------------------------------------------
// Dispatch

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
    case kChildActionMessage: {
        QueuedAction* action = reinterpret_cast<QueuedAction*>(*wParam);
        if (action) {
            if (owner) owner->fireAction(action->source, static_cast<int>(*lParam), action->value);
            std::free(action);
        }
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
    return deliverByRuleA([&](IQXComponentListener* l) { return l->onMousePressed(source(), mousePoint(*lParam)); });
}

long long ImplQXComponent::handleLeftButtonUp(UINT, WPARAM*, LPARAM* lParam)
{
    return deliverByRuleA([&](IQXComponentListener* l) { return l->onMouseReleased(source(), mousePoint(*lParam)); });
}

long long ImplQXComponent::handleLeftButtonDoubleClick(UINT, WPARAM*, LPARAM* lParam)
{
    return deliverByRuleA(
        [&](IQXComponentListener* l) { return l->onMouseDoubleClicked(source(), mousePoint(*lParam)); });
}

long long ImplQXComponent::handleRightButtonDown(UINT, WPARAM*, LPARAM* lParam)
{
    return deliverByRuleA(
        [&](IQXComponentListener* l) { return l->onRightMousePressed(source(), mousePoint(*lParam)); });
}

long long ImplQXComponent::handleRightButtonUp(UINT, WPARAM*, LPARAM* lParam)
{
    return deliverByRuleA(
        [&](IQXComponentListener* l) { return l->onRightMouseReleased(source(), mousePoint(*lParam)); });
}

long long ImplQXComponent::handleRightButtonDoubleClick(UINT, WPARAM*, LPARAM* lParam)
{
    return deliverByRuleA(
        [&](IQXComponentListener* l) { return l->onRightMouseDoubleClicked(source(), mousePoint(*lParam)); });
}

long long ImplQXComponent::handleMouseMove(UINT, WPARAM*, LPARAM* lParam)
{
    beginMouseTracking();
    return deliverByRuleA([&](IQXComponentListener* l) { return l->onMouseMoved(source(), mousePoint(*lParam)); });
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
    return deliverByRuleA([&](IQXComponentListener* l) { return l->onMouseHovered(source(), mousePoint(*lParam)); });
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
    case WA_ACTIVE: state = 0; break;
    case WA_CLICKACTIVE: state = 1; break;
    default: state = 2; break; // WA_INACTIVE
    }
    const int minimized = static_cast<short>(HIWORD(*wParam));
    return deliverByRuleA([&](IQXComponentListener* l) { return l->onActivated(source(), state, minimized); });
}

long long ImplQXComponent::handleSetFocus(UINT, WPARAM*, LPARAM*)
{
    return deliverByRuleA([&](IQXComponentListener* l) { return l->onFocusGained(source()); });
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
    case VK_BACK: return 0xFF08;
    case VK_TAB: return 0xFF09;
    case 0x0A: return 0xFF0A; // line feed
    case VK_RETURN: return 0xFF0D;
    case VK_PRIOR: return 0xFF55;
    case VK_NEXT: return 0xFF56;
    case VK_END: return 0xFF57;
    case VK_HOME: return 0xFF50;
    case VK_LEFT: return 0xFF51;
    case VK_UP: return 0xFF52;
    case VK_RIGHT: return 0xFF53;
    case VK_DOWN: return 0xFF54;
    case VK_DELETE: return 0xFFFF;
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
    case SIZE_MAXHIDE: kind = 0; break;
    case SIZE_MAXIMIZED: kind = 1; break;
    case SIZE_MAXSHOW: kind = 2; break;
    case SIZE_MINIMIZED: kind = 3; break;
    case SIZE_RESTORED: kind = 4; break;
    default: kind = static_cast<int>(*wParam); break;
    }
    const unsigned short width = LOWORD(*lParam);
    const unsigned short height = HIWORD(*lParam);
    size.setSize(static_cast<short>(width), static_cast<short>(height));
    if (window) resizeBuffer(size.getWidth(), size.getHeight());
    return deliverByRuleA([&](IQXComponentListener* l) { return l->onResized(source(), kind, width, height); });
}

long long ImplQXComponent::handleMove(UINT, WPARAM*, LPARAM* lParam)
{
    location.setLocation(static_cast<short>(LOWORD(*lParam)), static_cast<short>(HIWORD(*lParam)));
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
    case SW_OTHERZOOM: reason = 1; break;
    case SW_PARENTCLOSING: reason = 2; break;
    case SW_PARENTOPENING: reason = 3; break;
    default: reason = 0; break; // SW_OTHERUNZOOM, or a ShowWindow call
    }
    return deliverByRuleA([&](IQXComponentListener* l) { return l->onVisibilityChanged(source(), shown, reason); });
}

long long ImplQXComponent::handleDestroy(UINT, WPARAM*, LPARAM*)
{
    const long long result = deliverByRuleA([&](IQXComponentListener* l) { return l->onDestroyed(source()); });
    releaseWindowClass();
    window = nullptr;
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
    HDROP drop = reinterpret_cast<HDROP>(*wParam);
    const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    TQXList<QXString> files;
    for (UINT i = 0; i < count; ++i) {
        const UINT length = DragQueryFileA(drop, i, nullptr, 0);
        char* name = static_cast<char*>(std::malloc(length + 1));
        if (!name) {
            DragFinish(drop);
            return 0;
        }
        DragQueryFileA(drop, i, name, length + 1);
        files.addLast(QXString(name));
        std::free(name);
    }
    DragFinish(drop);
    return deliverByRuleA([&](IQXComponentListener* l) { return l->onFilesDropped(source(), TQXList<QXString>(files)); });
}

// ---------------------------------------------------------------------------
// Painting

long long ImplQXComponent::paintThrough(bool frame)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    if (!dc) return kDefaultResult;
    const QXRect area(paint.rcPaint.left, paint.rcPaint.top, paint.rcPaint.right - paint.rcPaint.left,
                      paint.rcPaint.bottom - paint.rcPaint.top);
    IQXGraphics* surface = graphics;
    const int shown = deliverByRuleP([&](IQXComponentListener* l) {
        return frame ? l->onPaintFrame(source(), QXRect(area), surface) : l->onPaint(source(), QXRect(area), surface);
    });
    if (shown && graphics) graphics->blit(dc, area);
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
    const RECT rect = {area.getX(), area.getY(), area.getX() + area.getWidth(), area.getY() + area.getHeight()};
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
    graphics->createBuffer(dc.get(), width, height);
}

// ---------------------------------------------------------------------------
// Listeners

void ImplQXComponent::addComponentListener(IQXComponentListener* listener)
{
    if (!listener || listeners.indexOf(listener) >= 0) return;
    listeners.append(listener);
}

void ImplQXComponent::removeComponentListener(IQXComponentListener* listener)
{
    listeners.remove(listener);
}

void ImplQXComponent::removeAllComponentListeners()
{
    listeners.removeAll();
}

int ImplQXComponent::isWindowCreated()
{
    return window ? 1 : 0;
}

// ---------------------------------------------------------------------------
// Window services

int ImplQXComponent::getNativeContext(NativeHandles& out)
{
    out.instance = instance;
    out.window = window;
    return 1;
}

void ImplQXComponent::setText(QXString value)
{
    text = value;
    if (window) SetWindowTextA(window, text.getData());
}

void ImplQXComponent::setBackground(QXColor colour)
{
    background = colour;
    if (graphics) graphics->setBackground(colour);
}

void ImplQXComponent::setForeground(QXColor colour)
{
    foreground = colour;
    if (graphics) graphics->setForeground(colour);
}

int ImplQXComponent::setLocation(int x, int y, int repaintWindow)
{
    location.setLocation(x, y);
    if (!window) return 0;
    return MoveWindow(window, x, y, size.getWidth(), size.getHeight(), repaintWindow);
}

int ImplQXComponent::setSize(int width, int height, int repaintWindow)
{
    size.setSize(width, height);
    if (!window) return 0;
    resizeBuffer(width, height);
    return MoveWindow(window, location.getX(), location.getY(), width, height, repaintWindow);
}

int ImplQXComponent::setBounds(int x, int y, int width, int height, int repaintWindow)
{
    location.setLocation(x, y);
    size.setSize(width, height);
    if (!window) return 0;
    resizeBuffer(width, height);
    return MoveWindow(window, x, y, width, height, repaintWindow);
}

void ImplQXComponent::setClassName(QXString name)
{
    className = name;
}

void ImplQXComponent::setFont(QXFont* newFont)
{
    if (!newFont) return;
    newFont->retain();
    if (font) font->release();
    font = newFont;
    if (graphics) graphics->useFont(font);
}

void ImplQXComponent::show(int activate)
{
    if (window) ShowWindow(window, activate ? SW_SHOW : SW_SHOWNOACTIVATE);
    visible = 1;
    style |= WS_VISIBLE;
}

void ImplQXComponent::hide()
{
    if (window) ShowWindow(window, SW_HIDE);
    visible = 0;
    style &= ~static_cast<DWORD>(WS_VISIBLE);
}

void ImplQXComponent::enable()
{
    if (window && !IsWindowEnabled(window)) EnableWindow(window, TRUE);
    style &= ~static_cast<DWORD>(WS_DISABLED);
}

void ImplQXComponent::disable()
{
    if (window && IsWindowEnabled(window)) EnableWindow(window, FALSE);
    style |= WS_DISABLED;
}

void ImplQXComponent::maximize()
{
    if (window) {
        ShowWindow(window, SW_SHOWMAXIMIZED);
        repaint();
    }
    style |= WS_MAXIMIZE;
}

void ImplQXComponent::minimize()
{
    if (window) {
        ShowWindow(window, SW_MINIMIZE);
        repaint();
    }
    style |= WS_MINIMIZE;
}

void ImplQXComponent::restore()
{
    if (!window) return;
    ShowWindow(window, SW_RESTORE);
    repaint();
}

void ImplQXComponent::setCursor(QXCursor* shape)
{
    if (shape) shape->retain();
    if (cursor) cursor->release();
    cursor = shape;
    if (!window) return;
    bool made = false;
    const HCURSOR handle = makeCursor(cursor, made);
    replaceClassShape(WindowClass::kCursor, handle, made);
}

void ImplQXComponent::setIcon(QXIcon* icon)
{
    if (icon) icon->retain();
    if (largeIcon) largeIcon->release();
    largeIcon = icon;
    if (!window) return;
    bool made = false;
    const HICON handle = makeIcon(largeIcon, made);
    replaceClassShape(WindowClass::kIcon, handle, made);
}

void ImplQXComponent::setSmallIcon(QXIcon* icon)
{
    if (icon) icon->retain();
    if (smallIcon) smallIcon->release();
    smallIcon = icon;
    if (!window) return;
    bool made = false;
    const HICON handle = makeIcon(smallIcon, made);
    replaceClassShape(WindowClass::kSmallIcon, handle, made);
}

QXPoint ImplQXComponent::getScreenLocation()
{
    RECT rect;
    if (window && GetWindowRect(window, &rect)) return QXPoint(rect.left, rect.top);
    return QXPoint(0, 0);
}

QXString ImplQXComponent::getText() { return text; }
QXColor ImplQXComponent::getBackground() { return background; }
QXColor ImplQXComponent::getForeground() { return foreground; }
QXPoint ImplQXComponent::getLocation() { return location; }
QXSize ImplQXComponent::getSize() { return size; }
QXString ImplQXComponent::getClassName() { return className; }

QXFont* ImplQXComponent::getFont()
{
    return retained(font);
}

IQXCaret* ImplQXComponent::getCaret()
{
    return retained(caret);
}

IQXGraphics* ImplQXComponent::getGraphics()
{
    return retained(graphics);
}

int ImplQXComponent::copyToClipboard(QXString value)
{
    if (!window || !OpenClipboard(window)) return 0;
    if (!EmptyClipboard()) {
        CloseClipboard();
        return 0;
    }
    const int length = value.getLength();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, static_cast<SIZE_T>(length) + 1);
    if (!memory) {
        CloseClipboard();
        return 0;
    }
    char* bytes = static_cast<char*>(GlobalLock(memory));
    if (length > 0) std::memcpy(bytes, value.getData(), static_cast<size_t>(length));
    bytes[length] = '\0';
    GlobalUnlock(memory);
    // The clipboard owns the memory only when it took it.
    const bool taken = SetClipboardData(CF_TEXT, memory) != nullptr;
    if (!taken) GlobalFree(memory);
    CloseClipboard();
    return taken ? 1 : 0;
}

int ImplQXComponent::pasteFromClipboard(QXString& out)
{
    if (!window || !IsClipboardFormatAvailable(CF_TEXT) || !OpenClipboard(window)) return 0;
    HANDLE data = GetClipboardData(CF_TEXT);
    if (!data) {
        CloseClipboard();
        return 0;
    }
    const char* bytes = static_cast<const char*>(GlobalLock(data));
    if (!bytes) {
        CloseClipboard();
        return 0;
    }
    // Another program may have left out the zero byte: the text ends with
    // the block at the latest.
    const SIZE_T size = GlobalSize(data);
    SIZE_T length = 0;
    while (length < size && bytes[length] != '\0') ++length;
    out.assign(bytes, static_cast<int>(length));
    GlobalUnlock(data);
    CloseClipboard();
    return 1;
}

int ImplQXComponent::isKeyPressed(int virtualKey)
{
    return (GetKeyState(virtualKey) & 0x8000) ? 1 : 0;
}

int ImplQXComponent::hasFocus()
{
    return window && GetFocus() == window ? 1 : 0;
}

int ImplQXComponent::reservedQuery()
{
    return 0;
}

void ImplQXComponent::captureMouse()
{
    if (!window) return;
    SetCapture(window);
    ++captureCount;
}

int ImplQXComponent::hasMouseCapture()
{
    return window && GetCapture() == window ? 1 : 0;
}

void ImplQXComponent::releaseMouse(int force)
{
    if (force) {
        captureCount = 0;
        ReleaseCapture();
        return;
    }
    if (captureCount > 0 && --captureCount == 0) ReleaseCapture();
}

int ImplQXComponent::getCaptureCount()
{
    return captureCount;
}

int ImplQXComponent::startTimer(int milliseconds)
{
    if (!window) return 0;
    timerId = SetTimer(window, kTimerId, static_cast<UINT>(milliseconds), nullptr);
    return timerId != 0 ? 1 : 0;
}

void ImplQXComponent::stopTimer()
{
    if (!window || !timerId) return;
    KillTimer(window, timerId);
    timerId = 0;
}

void ImplQXComponent::setWindowType(int type)
{
    if (type < 0 || type >= static_cast<int>(sizeof kStylePresets / sizeof kStylePresets[0])) return;
    style = kStylePresets[type];
}

void ImplQXComponent::setShape(IQXImageSource* image, QXColor transparent)
{
    if (!image || !window) return;
    HRGN region = CreateRectRgn(0, 0, size.getWidth(), size.getHeight());
    if (!region) return;
    IQXPixelBuffer* pixels = image->getPixels();
    const int width = image->getWidth();
    const int height = image->getHeight();
    const bool keyed = transparent.getAlpha() == 0;
    for (int y = 0; pixels && keyed && y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const unsigned char* p = pixels->getBytes((y * width + x) * 3);
            // A buffer shorter than it should be ends the scan.
            if (!p || !pixels->getBytes((y * width + x) * 3 + 2)) break;
            if (p[0] != transparent.getRed() || p[1] != transparent.getGreen() || p[2] != transparent.getBlue())
                continue;
            HRGN dot = CreateRectRgn(x, y, x + 1, y + 1);
            if (!dot) continue;
            CombineRgn(region, region, dot, RGN_XOR);
            DeleteObject(dot);
        }
    }
    if (pixels) pixels->release();
    // The window owns the region from here on.
    if (!SetWindowRgn(window, region, FALSE)) DeleteObject(region);
}

int ImplQXComponent::createChild(QXComponent* child)
{
    if (!child) return 0;
    child->retain();
    child->create(CreateContext{instance, this});
    child->release();
    return 1;
}

void ImplQXComponent::requestFocus()
{
    if (window) SetFocus(window);
}

QXSize ImplQXComponent::getTextExtent(QXString value)
{
    if (!window) return QXSize(0, 0);
    HDC dc = GetDC(window);
    if (!dc) return QXSize(0, 0);
    const QXSize extent = ScopedFont::measure(dc, font, value);
    ReleaseDC(window, dc);
    return extent;
}

int ImplQXComponent::getTextHeight()
{
    if (!window) return -1;
    HDC dc = GetDC(window);
    if (!dc) return -1;
    TEXTMETRICA metrics;
    const int height = GetTextMetricsA(dc, &metrics) ? metrics.tmHeight : -1;
    ReleaseDC(window, dc);
    return height;
}

void ImplQXComponent::destroyWindow()
{
    if (window && DestroyWindow(window)) window = nullptr;
    RegistryLock lock;
    unregisterRetiredClasses();
}

void ImplQXComponent::postClose()
{
    if (window) PostMessageA(window, WM_CLOSE, 0, 0);
}

void ImplQXComponent::postQuit()
{
    if (window) PostMessageA(window, WM_QUIT, 0, 0);
}

void ImplQXComponent::disableParent()
{
    if (parent && parent->window) EnableWindow(parent->window, FALSE);
}

void ImplQXComponent::enableParent()
{
    if (parent && parent->window) EnableWindow(parent->window, TRUE);
}

void ImplQXComponent::activateParent()
{
    if (parent && parent->window) SetActiveWindow(parent->window);
}

void ImplQXComponent::setTopMost(int on)
{
    if (!window) return;
    SetWindowPos(window, on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
    topMost = on ? 1 : 0;
}

int ImplQXComponent::bringToFront()
{
    return SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
}

void ImplQXComponent::postAction(int id, long long value)
{
    if (window) PostMessageA(window, kOwnActionMessage, static_cast<WPARAM>(value), static_cast<LPARAM>(id));
}

void ImplQXComponent::postActionToParent(int id, long long value)
{
    if (!parent) return;
    QueuedAction* action = static_cast<QueuedAction*>(std::malloc(sizeof(QueuedAction)));
    if (!action) return;
    action->source = source();
    action->value = value;
    // Nobody will free the block when the message is not queued.
    if (!PostMessageA(parent->window, kChildActionMessage, reinterpret_cast<WPARAM>(action),
                      static_cast<LPARAM>(id)))
        std::free(action);
}

} // namespace QXSDK
