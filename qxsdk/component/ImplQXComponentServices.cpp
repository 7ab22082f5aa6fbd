// The native window binding: the window services that the component
// forwards to. Geometry, text and colours, visibility and styles, the
// class's cursor and icons, focus, mouse capture, the timer, the clipboard,
// text measuring, the window region, the parent window and queued actions.
// A value set without a window is stored and used when the window is made.

#include "qxsdk/component/ImplQXComponent.h"

#include "qxsdk/component/QXComponent.h"
#include "qxsdk/component/WindowClassRegistry.h"
#include "qxsdk/core/ScopedWin32.h"
#include "qxsdk/core/WideText.h"
#include "qxsdk/graphics/NativeText.h"
#include "qxsdk/graphics/ScopedFont.h"

#include <cstdlib>
#include <cstring>

namespace QXSDK {

namespace {

const int kIconFileSize = 64;

// The style word of each window-style preset, by its number.
const DWORD kStylePresets[QXComponent::kWindowTypeCount] = {
    WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, // kPopupWithMenu
    WS_CHILD,                                                 // kChildWindow
    WS_OVERLAPPEDWINDOW,                                      // kOverlappedWindow
    WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_SYSMENU,           // kClippingWithMenu
    WS_CLIPSIBLINGS | WS_CLIPCHILDREN,                        // kClippingWithoutMenu
    WS_SYSMENU | WS_MINIMIZEBOX,                              // kMenuAndMinimize
    WS_POPUP,                                                 // kPopupWindow
};

int captureCount = 0;

} // namespace

int ImplQXComponent::getNativeContext(NativeHandles& out)
{
    out.instance = instance;
    out.window = window;
    return 1;
}

void ImplQXComponent::setText(QXString value)
{
    text = value;
    if (!window) return;
    applyTitle();
    // Windows tells screen readers of nothing it does not draw itself.
    notifyAccessible(EVENT_OBJECT_NAMECHANGE);
}

void ImplQXComponent::setTextCodePage(unsigned codePage)
{
    textCodePage = codePage;
    if (graphics) graphics->setTextCodePage(codePage);
    if (window) applyTitle();
}

void ImplQXComponent::applyTitle()
{
    if (!WideText::isSystemCodePage(textCodePage) && !ansiProcedure)
        ansiProcedure = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&wideTitleProc)));
    NativeText(text, textCodePage).setWindowTitle(window);
}

unsigned ImplQXComponent::getTextCodePage()
{
    return textCodePage;
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
    return placeWindow(repaintWindow);
}

int ImplQXComponent::setSize(int width, int height, int repaintWindow)
{
    size.setSize(width, height);
    if (!window) return 0;
    resizeBuffer(width, height);
    return placeWindow(repaintWindow);
}

int ImplQXComponent::setBounds(int x, int y, int width, int height, int repaintWindow)
{
    location.setLocation(x, y);
    size.setSize(width, height);
    if (!window) return 0;
    resizeBuffer(width, height);
    return placeWindow(repaintWindow);
}

RECT ImplQXComponent::deviceBounds()
{
    // Both edges converted, so that neighbours stay neighbours at any scale.
    return scale.toDevice(
        RECT{location.getX(), location.getY(), location.getX() + size.getWidth(), location.getY() + size.getHeight()});
}

int ImplQXComponent::placeWindow(int repaintWindow)
{
    const RECT bounds = deviceBounds();
    return MoveWindow(window, bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top,
                      repaintWindow);
}

void ImplQXComponent::setClassName(QXString name)
{
    className = name;
}

void ImplQXComponent::setFont(QXFont* newFont)
{
    if (!newFont) return;
    assignRetained(font, newFont);
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
    if (window && !IsWindowEnabled(window)) {
        EnableWindow(window, TRUE);
        notifyAccessible(EVENT_OBJECT_STATECHANGE);
    }
    style &= ~static_cast<DWORD>(WS_DISABLED);
}

void ImplQXComponent::disable()
{
    if (window && IsWindowEnabled(window)) {
        EnableWindow(window, FALSE);
        notifyAccessible(EVENT_OBJECT_STATECHANGE);
    }
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
    assignRetained(cursor, shape);
    if (!window) return;
    bool made = false;
    const HCURSOR handle = makeCursor(cursor, made);
    replaceClassShape(WindowClassRegistry::kCursor, handle, made);
}

void ImplQXComponent::setIcon(QXIcon* icon)
{
    setClassIcon(largeIcon, icon, WindowClassRegistry::kIcon);
}

void ImplQXComponent::setSmallIcon(QXIcon* icon)
{
    setClassIcon(smallIcon, icon, WindowClassRegistry::kSmallIcon);
}

void ImplQXComponent::setClassIcon(QXIcon*& slot, QXIcon* icon, int shape)
{
    assignRetained(slot, icon);
    if (!window) return;
    bool made = false;
    const HICON handle = makeIcon(slot, made);
    replaceClassShape(shape, handle, made);
}

QXPoint ImplQXComponent::getScreenLocation()
{
    RECT rect;
    if (window && GetWindowRect(window, &rect)) return QXPoint(scale.toToolkit(rect.left), scale.toToolkit(rect.top));
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
    if (!window) return 0;
    ClipboardSession clipboard(window);
    if (!clipboard || !EmptyClipboard()) return 0;
    const int length = value.getLength();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, static_cast<SIZE_T>(length) + 1);
    if (!memory) return 0;
    {
        LockedGlobal bytes(memory);
        if (!bytes) {
            GlobalFree(memory);
            return 0;
        }
        if (length > 0) std::memcpy(bytes.get(), value.getData(), static_cast<size_t>(length));
        bytes.get()[length] = '\0';
    }
    // The clipboard owns the memory only when it took it.
    const bool taken = SetClipboardData(CF_TEXT, memory) != nullptr;
    if (!taken) GlobalFree(memory);
    return taken ? 1 : 0;
}

int ImplQXComponent::pasteFromClipboard(QXString& out)
{
    if (!window || !IsClipboardFormatAvailable(CF_TEXT)) return 0;
    ClipboardSession clipboard(window);
    if (!clipboard) return 0;
    LockedGlobal bytes(GetClipboardData(CF_TEXT));
    if (!bytes) return 0;
    // Another program may have left out the zero byte: the text ends with
    // the block at the latest.
    const SIZE_T size = bytes.size();
    SIZE_T length = 0;
    while (length < size && bytes.get()[length] != '\0') ++length;
    out.assign(bytes.get(), static_cast<int>(length));
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
    if (type < 0 || type >= QXComponent::kWindowTypeCount) return;
    style = kStylePresets[type];
}

void ImplQXComponent::setShape(IQXImageSource* image, QXColor transparent)
{
    if (!image || !window) return;
    HRGN region = CreateRectRgn(0, 0, size.getWidth(), size.getHeight());
    if (!region) return;
    Released<IQXPixelBuffer> pixels(image->getPixels());
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
            GdiObject<HRGN> dot(CreateRectRgn(x, y, x + 1, y + 1));
            if (dot) CombineRgn(region, region, dot.get(), RGN_XOR);
        }
    }
    // The window owns the region from here on.
    if (!SetWindowRgn(window, region, FALSE)) DeleteObject(region);
}

void ImplQXComponent::requestFocus()
{
    if (window) SetFocus(window);
}

QXSize ImplQXComponent::getTextExtent(QXString value)
{
    if (!window) return QXSize(0, 0);
    ClientDC dc(window);
    if (!dc) return QXSize(0, 0);
    SavedDCState state(dc.get());
    scale.applyTo(dc.get());
    return ScopedFont::measure(dc.get(), font, value, textCodePage);
}

int ImplQXComponent::getTextHeight()
{
    if (!window) return -1;
    ClientDC dc(window);
    if (!dc) return -1;
    SavedDCState state(dc.get());
    scale.applyTo(dc.get());
    TEXTMETRICA metrics;
    return GetTextMetricsA(dc.get(), &metrics) ? metrics.tmHeight : -1;
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
    // Posted to no window, the message would reach the thread's queue with
    // no window to deliver it to, and its block would never be freed.
    if (!parent || !parent->window || !IsWindow(parent->window)) return;
    QueuedAction* action = static_cast<QueuedAction*>(std::malloc(sizeof(QueuedAction)));
    if (!action) return;
    // The source is kept alive until the action is delivered or dropped.
    action->source = retained(source());
    action->value = value;
    // Nobody will free the block when the message is not queued.
    if (!PostMessageA(parent->window, kChildActionMessage, reinterpret_cast<WPARAM>(action),
                      static_cast<LPARAM>(id)))
        discardQueuedAction(action);
}

void ImplQXComponent::discardQueuedAction(QueuedAction* action)
{
    if (!action) return;
    if (action->source) action->source->release();
    std::free(action);
}

void ImplQXComponent::discardQueuedActions()
{
    // Windows drops a destroyed window's posted messages unread: the blocks
    // children posted to this one are freed here, while it still exists.
    // PeekMessage hands out a waiting WM_QUIT whatever the filter: it goes
    // back to the queue, with its exit code, for the message loop.
    MSG message;
    bool quit = false;
    int exitCode = 0;
    while (window && PeekMessageA(&message, window, kChildActionMessage, kChildActionMessage, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            quit = true;
            exitCode = static_cast<int>(message.wParam);
        } else {
            discardQueuedAction(reinterpret_cast<QueuedAction*>(message.wParam));
        }
    }
    if (quit) PostQuitMessage(exitCode);
}

// Cursor and icon handles

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

void ImplQXComponent::replaceClassShape(int shape, HICON handle, bool made)
{
    WindowClassRegistry::replaceShape(window, className, static_cast<WindowClassRegistry::Shape>(shape), handle,
                                      made);
}

} // namespace QXSDK
