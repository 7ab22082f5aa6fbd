// The native window binding: its lifetime. Construction, the registration
// of its window class, the native window's creation and destruction, the
// message loop and the listener list. The window procedure and the dispatch
// of messages into events are in ImplQXComponentDispatch.cpp, the window
// services in ImplQXComponentServices.cpp.
//
// Ownership: the binding owns its font, cursor and icon objects, caret and
// drawing surface (one reference each) and its native window; the window
// class belongs to the registry, which counts the bindings that use it.
// Listeners are not owned.

#include "qxsdk/component/ImplQXComponent.h"

#include "qxsdk/component/QXComponent.h"
#include "qxsdk/component/WindowClassRegistry.h"
#include "qxsdk/core/ScopedWin32.h"
#include "qxsdk/core/WideText.h"

#include <shellapi.h>

#include <cstring>
#include <new>

namespace QXSDK {

namespace {

const DWORD kInitialStyle = WS_CHILD;
const UINT kInitialClassStyle = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_OWNDC | CS_SAVEBITS;
const char kInitialName[] = "QXComponent";

bool failureBoxShown = true;

} // namespace

ImplQXComponent::ImplQXComponent(QXComponent* ownerComponent)
    : QXObject(), instance(nullptr), window(nullptr), exStyle(0), style(kInitialStyle),
      classStyle(kInitialClassStyle), parent(nullptr), text(kInitialName), location(0, 0), size(0, 0),
      className(kInitialName), font(createSystemFont()),
      cursor(new (std::nothrow) QXCursor()), largeIcon(new (std::nothrow) QXIcon()),
      smallIcon(new (std::nothrow) QXIcon()), visible(1), caret(new (std::nothrow) ComponentCaret()),
      owner(ownerComponent), timerId(0), graphics(new (std::nothrow) ComponentGraphics()), topMost(0), tracking(0),
      classRegistered(0), textCodePage(CP_ACP), ansiProcedure(nullptr), accessible(nullptr), focusedChild(nullptr)
{
    background.setValue(static_cast<int>(GetSysColor(COLOR_BTNFACE)));
    foreground.setValue(static_cast<int>(GetSysColor(COLOR_WINDOWTEXT)));
    if (cursor) {
        cursor->setKind(QXCursor::kArrow);
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
    dropAccessible();
    releaseWindowClass();
    WindowClassRegistry::unregisterRetired();
}

int ImplQXComponent::registerWindowClass()
{
    if (WindowClassRegistry::addUser(className)) return 1;
    WNDCLASSEXA windowClass;
    std::memset(&windowClass, 0, sizeof windowClass);
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = classStyle;
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = className.getData();
    bool made[WindowClassRegistry::kShapeCount] = {};
    windowClass.hCursor = makeCursor(cursor, made[WindowClassRegistry::kCursor]);
    windowClass.hIcon = makeClassIcon(largeIcon, GCLP_HICON, made[WindowClassRegistry::kIcon]);
    windowClass.hIconSm = makeClassIcon(smallIcon, GCLP_HICONSM, made[WindowClassRegistry::kSmallIcon]);
    return WindowClassRegistry::registerClass(windowClass, made);
}

void ImplQXComponent::releaseWindowClass()
{
    if (!classRegistered) return;
    WindowClassRegistry::removeUser(className, instance);
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
    // A child takes its parent's scale; a top-level window the system's, and
    // then the one of the display it lands on.
    scale = parent && parent->window ? parent->scale : DpiScale::ofSystem();
    const RECT bounds = deviceBounds();
    HWND created = CreateWindowExA(exStyle, className.getData(), text.getData(), style, bounds.left, bounds.top,
                                   bounds.right - bounds.left, bounds.bottom - bounds.top,
                                   parent ? parent->window : nullptr, nullptr, instance, nullptr);
    if (!created) {
        parent = nullptr;
        if (!failureBoxShown) return 0;
        QXString message;
        message.format("createwindows err=%d", static_cast<int>(GetLastError()));
        MessageBoxA(nullptr, message.getData(), "eeerrr", MB_OK);
        return 0;
    }
    window = created;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    // The system's code page reads another's bytes as other characters: the
    // true title replaces theirs before the window is shown.
    ansiProcedure = nullptr;
    if (!WideText::isSystemCodePage(textCodePage)) applyTitle();
    // Only a parent with a window takes this one with it when it goes (and
    // so tells it, see handleDestroy): a parent without one is forgotten.
    if (parent && !parent->window) parent = nullptr;
    if (!parent) {
        const DpiScale landed = DpiScale::ofWindow(window);
        if (landed != scale) {
            scale = landed;
            placeWindow(FALSE);
        }
    }

    if (graphics) {
        WindowDC dc(window);
        graphics->setWindow(window);
        graphics->setScale(scale);
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

void ImplQXComponent::setFailureBoxShown(bool shown)
{
    failureBoxShown = shown;
}

int ImplQXComponent::runMessageLoop()
{
    MSG message;
    int result;
    while ((result = GetMessageA(&message, nullptr, 0, 0)) != 0 && result != -1) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
        // A window closed by the message may have left its class to give back.
        if (WindowClassRegistry::hasRetired()) WindowClassRegistry::unregisterRetired();
        Sleep(1);
    }
    return result;
}

int ImplQXComponent::createChild(QXComponent* child)
{
    if (!child) return 0;
    child->retain();
    child->create(CreateContext{instance, this});
    child->release();
    return 1;
}


void ImplQXComponent::destroyWindow()
{
    if (window && DestroyWindow(window)) window = nullptr;
    WindowClassRegistry::unregisterRetired();
}


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

} // namespace QXSDK
