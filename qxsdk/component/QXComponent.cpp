#include "qxsdk/component/QXComponent.h"

#include "qxsdk/component/ImplQXComponent.h"

#include <oleacc.h>

#include <new>

namespace QXSDK {

QXComponent::QXComponent()
    : QXObject(), IQXComponentListener(), IQXActionListener(), disabled(0), visible(1), focusOnClick(1),
      inheritedFlag(1), createdFlag(0), binding(nullptr)
{
    appendTypeName("QXComponent");
    binding = new (std::nothrow) ImplQXComponent(this);
}

QXComponent::~QXComponent()
{
    if (binding) {
        actionListeners.removeAll();
        delete binding;
        binding = nullptr;
    }
}

// Forwarding to the binding -------------------------------------------------

void QXComponent::setText(QXString value) { if (binding) binding->setText(value); }
void QXComponent::setBackground(QXColor colour) { if (binding) binding->setBackground(colour); }
void QXComponent::setForeground(QXColor colour) { if (binding) binding->setForeground(colour); }

int QXComponent::setLocation(int x, int y, int repaintWindow)
{
    return binding ? binding->setLocation(x, y, repaintWindow) : 0;
}

int QXComponent::setLocation(QXPoint location, int repaintWindow)
{
    return setLocation(location.getX(), location.getY(), repaintWindow);
}

int QXComponent::setSize(int width, int height, int repaintWindow)
{
    return binding ? binding->setSize(width, height, repaintWindow) : 0;
}

int QXComponent::setSize(QXSize size, int repaintWindow)
{
    return setSize(size.getWidth(), size.getHeight(), repaintWindow);
}

int QXComponent::setBounds(QXRect bounds, int repaintWindow)
{
    return setBounds(bounds.getX(), bounds.getY(), bounds.getWidth(), bounds.getHeight(), repaintWindow);
}

int QXComponent::setBounds(int x, int y, int width, int height, int repaintWindow)
{
    return binding ? binding->setBounds(x, y, width, height, repaintWindow) : 0;
}

void QXComponent::setFont(QXFont* font) { if (binding) binding->setFont(font); }
void QXComponent::setClassName(QXString name) { if (binding) binding->setClassName(name); }

void QXComponent::show(int activate)
{
    if (binding) binding->show(activate);
    visible = 1;
}

void QXComponent::hide()
{
    if (binding) binding->hide();
    visible = 0;
}

void QXComponent::enable()
{
    if (binding) binding->enable();
    disabled = 0;
}

void QXComponent::disable()
{
    if (binding) binding->disable();
    disabled = 1;
}

int QXComponent::isVisible() { return visible; }
int QXComponent::isDisabled() { return disabled; }
int QXComponent::isCreated() { return createdFlag; }
QXPoint QXComponent::getScreenLocation() { return binding ? binding->getScreenLocation() : QXPoint(0, 0); }
void QXComponent::setFocusOnClick(int value) { focusOnClick = value; }
void QXComponent::setCursor(QXCursor* cursor) { if (binding) binding->setCursor(cursor); }
void QXComponent::setIcon(QXIcon* icon) { if (binding) binding->setIcon(icon); }
void QXComponent::setSmallIcon(QXIcon* icon) { if (binding) binding->setSmallIcon(icon); }
QXString QXComponent::getText() { return binding ? binding->getText() : QXString(); }
QXColor QXComponent::getBackground() { return binding ? binding->getBackground() : QXColor(); }
QXColor QXComponent::getForeground() { return binding ? binding->getForeground() : QXColor(); }
QXPoint QXComponent::getLocation() { return binding ? binding->getLocation() : QXPoint(0, 0); }
QXSize QXComponent::getSize() { return binding ? binding->getSize() : QXSize(); }
QXFont* QXComponent::getFont() { return binding ? binding->getFont() : nullptr; }
QXString QXComponent::getClassName() { return binding ? binding->getClassName() : QXString(); }
IQXCaret* QXComponent::getCaret() { return binding ? binding->getCaret() : nullptr; }
IQXGraphics* QXComponent::getGraphics() { return binding ? binding->getGraphics() : nullptr; }
int QXComponent::hasFocus() { return binding ? binding->hasFocus() : 0; }
int QXComponent::reservedQuery() { return binding ? binding->reservedQuery() : 0; }
QXSize QXComponent::getTextExtent(QXString text) { return binding ? binding->getTextExtent(text) : QXSize(); }
int QXComponent::getTextHeight() { return binding ? binding->getTextHeight() : -1; }
int QXComponent::setInheritedFlag(int value)
{
    inheritedFlag = value;
    return 1;
}
void QXComponent::setWindowType(int type) { if (binding) binding->setWindowType(type); }
void QXComponent::requestFocus() { if (binding) binding->requestFocus(); }
int QXComponent::copyToClipboard(QXString text) { return binding ? binding->copyToClipboard(text) : 0; }
int QXComponent::pasteFromClipboard(QXString& out) { return binding ? binding->pasteFromClipboard(out) : 0; }
int QXComponent::isKeyPressed(int virtualKey) { return binding ? binding->isKeyPressed(virtualKey) : 0; }
void QXComponent::windowCreating() {}
void QXComponent::windowCreated() {}
int QXComponent::createChild(QXComponent* child) { return binding ? binding->createChild(child) : 0; }

int QXComponent::create(CreateContext context)
{
    const int result = binding ? binding->create(context) : 0;
    // Flags set before the window existed take effect on it now.
    if (!visible) hide();
    if (disabled) disable();
    if (result) createdFlag = 1;
    return result;
}

void QXComponent::destroyWindow() { if (binding) binding->destroyWindow(); }
int QXComponent::getNativeContext(NativeHandles& out) { return binding ? binding->getNativeContext(out) : 0; }

void QXComponent::addComponentListener(IQXComponentListener* listener)
{
    if (binding) binding->addComponentListener(listener);
}

void QXComponent::removeComponentListener(IQXComponentListener* listener)
{
    if (binding) binding->removeComponentListener(listener);
}

void QXComponent::addActionListener(IQXActionListener* listener)
{
    if (!listener || actionListeners.indexOf(listener) >= 0) return;
    actionListeners.append(listener);
}

void QXComponent::removeActionListener(IQXActionListener* listener)
{
    actionListeners.remove(listener);
}

void QXComponent::update(QXRect area) { if (binding) binding->update(area); }
void QXComponent::update() { if (binding) binding->update(); }
void QXComponent::repaint(QXRect area) { if (binding) binding->repaint(area); }
void QXComponent::repaint() { if (binding) binding->repaint(); }
void QXComponent::captureMouse() { if (binding) binding->captureMouse(); }
void QXComponent::releaseMouse(int force) { if (binding) binding->releaseMouse(force); }
int QXComponent::hasMouseCapture() { return binding ? binding->hasMouseCapture() : 0; }
int QXComponent::startTimer(int milliseconds) { return binding ? binding->startTimer(milliseconds) : 0; }
void QXComponent::stopTimer() { if (binding) binding->stopTimer(); }

int QXComponent::fireAction(QXObject* source, int id, long long value)
{
    int result = actionPerformed(source, id, value);
    for (int i = 0; i < actionListeners.getCount(); ++i)
        result = static_cast<IQXActionListener*>(actionListeners.getAt(i))->actionPerformed(source, id, value);
    return result;
}

int QXComponent::fireAction(int id, long long value)
{
    return fireAction(static_cast<QXObject*>(this), id, value);
}

void QXComponent::postAction(int id, long long value) { if (binding) binding->postAction(id, value); }
void QXComponent::postActionToParent(int id, long long value) { if (binding) binding->postActionToParent(id, value); }
void QXComponent::removeAllActionListeners() { actionListeners.removeAll(); }

void QXComponent::setShape(IQXImageSource* image, QXColor transparent)
{
    if (binding) binding->setShape(image, transparent);
}

// Handlers ------------------------------------------------------------------

int QXComponent::paint(QXRect area, IQXGraphics* surface)
{
    if (surface) surface->fillRect(area);
    return 0;
}

int QXComponent::mousePressed(QXPoint) { return 1; }
int QXComponent::mouseReleased(QXPoint) { return 1; }
int QXComponent::mouseDoubleClicked(QXPoint) { return 1; }
int QXComponent::rightMousePressed(QXPoint) { return 1; }
int QXComponent::rightMouseReleased(QXPoint) { return 1; }
int QXComponent::rightMouseDoubleClicked(QXPoint) { return 1; }
int QXComponent::mouseMoved(QXPoint) { return 1; }
int QXComponent::focusGained() { return 1; }
int QXComponent::focusLost() { return 1; }
int QXComponent::cursorRequested() { return 1; }
int QXComponent::keyTyped(int, int) { return 1; }
int QXComponent::keyPressed(int, int) { return 1; }
int QXComponent::keyReleased(int, int) { return 1; }
int QXComponent::areaEvent(QXRect, void*) { return 1; }
int QXComponent::resized(int, unsigned short, unsigned short) { return 1; }
int QXComponent::moved(QXPoint) { return 1; }
int QXComponent::closing() { return 1; }
int QXComponent::visibilityChanged(int, int) { return 1; }
int QXComponent::destroyed() { return 1; }
int QXComponent::activated(int, int) { return 1; }
int QXComponent::created() { return 1; }
int QXComponent::timerFired() { return 1; }
int QXComponent::mouseActivated() { return 1; }
int QXComponent::commandReceived(int, int, int) { return 1; }
int QXComponent::messageReceived(int, int, int) { return 1; }
int QXComponent::mouseExited() { return 1; }
int QXComponent::mouseEntered() { return 1; }
int QXComponent::mouseHovered(QXPoint) { return 1; }
int QXComponent::filesDropped(TQXList<QXString>) { return 1; }
int QXComponent::hotKeyPressed(int, int, int) { return 1; }

int QXComponent::paintArea(QXRect area, IQXGraphics* surface)
{
    return paint(area, surface);
}

void QXComponent::setTextCodePage(int codePage) { if (binding) binding->setTextCodePage(static_cast<unsigned>(codePage)); }
int QXComponent::getTextCodePage() { return binding ? static_cast<int>(binding->getTextCodePage()) : CP_ACP; }

int QXComponent::getAccessibleRole() { return ROLE_SYSTEM_CLIENT; }
QXString QXComponent::getAccessibleName() { return getText(); }
QXString QXComponent::getAccessibleValue() { return QXString(""); }
QXString QXComponent::getAccessibleAction() { return QXString(""); }
int QXComponent::doAccessibleAction() { return 0; }

int QXComponent::getAccessibleState()
{
    int state = 0;
    if (isDisabled()) state |= STATE_SYSTEM_UNAVAILABLE;
    if (!isVisible()) state |= STATE_SYSTEM_INVISIBLE;
    if (hasFocus()) state |= STATE_SYSTEM_FOCUSED;
    return state;
}

void QXComponent::accessibleChanged(unsigned event)
{
    if (binding) binding->notifyAccessible(event);
}

// Own listener implementation: events of other sources are not this
// component's business ---------------------------------------------------------

int QXComponent::onPaint(QXObject* source, QXRect area, IQXGraphics* surface)
{
    return isSelf(source) ? paint(area, surface) : 1;
}

int QXComponent::onPaintFrame(QXObject* source, QXRect area, IQXGraphics* surface)
{
    if (!isSelf(source)) return onPaint(source, area, surface);
    return paint(area, surface);
}

int QXComponent::onMousePressed(QXObject* source, QXPoint point)
{
    // A left press takes the focus whoever the source is.
    if (focusOnClick && !isDisabled()) requestFocus();
    if (isSelf(source)) mousePressed(point);
    return 1;
}

int QXComponent::onMouseReleased(QXObject* source, QXPoint point)
{
    return isSelf(source) ? mouseReleased(point) : 1;
}

int QXComponent::onMouseDoubleClicked(QXObject* source, QXPoint point)
{
    return isSelf(source) ? mouseDoubleClicked(point) : 1;
}

int QXComponent::onRightMousePressed(QXObject* source, QXPoint point)
{
    return isSelf(source) ? rightMousePressed(point) : 1;
}

int QXComponent::onRightMouseReleased(QXObject* source, QXPoint point)
{
    return isSelf(source) ? rightMouseReleased(point) : 1;
}

int QXComponent::onRightMouseDoubleClicked(QXObject* source, QXPoint point)
{
    return isSelf(source) ? rightMouseDoubleClicked(point) : 1;
}

int QXComponent::onMouseMoved(QXObject* source, QXPoint point)
{
    return isSelf(source) ? mouseMoved(point) : 1;
}

int QXComponent::onFocusGained(QXObject* source) { return isSelf(source) ? focusGained() : 1; }
int QXComponent::onFocusLost(QXObject* source) { return isSelf(source) ? focusLost() : 1; }
int QXComponent::onCursorRequested(QXObject* source) { return isSelf(source) ? cursorRequested() : 1; }

int QXComponent::onKeyTyped(QXObject* source, int character, int keyData)
{
    return isSelf(source) ? keyTyped(character, keyData) : 1;
}

int QXComponent::onKeyPressed(QXObject* source, int key, int keyData)
{
    return isSelf(source) ? keyPressed(key, keyData) : 1;
}

int QXComponent::onKeyReleased(QXObject* source, int key, int keyData)
{
    return isSelf(source) ? keyReleased(key, keyData) : 1;
}

int QXComponent::onAreaEvent(QXObject* source, QXRect area, void* data)
{
    return isSelf(source) ? areaEvent(area, data) : 1;
}

int QXComponent::onResized(QXObject* source, int kind, unsigned short width, unsigned short height)
{
    return isSelf(source) ? resized(kind, width, height) : 1;
}

int QXComponent::onMoved(QXObject* source, QXPoint location)
{
    return isSelf(source) ? moved(location) : 1;
}

int QXComponent::onClosing(QXObject* source) { return isSelf(source) ? closing() : 1; }

int QXComponent::onVisibilityChanged(QXObject* source, int shown, int reason)
{
    return isSelf(source) ? visibilityChanged(shown, reason) : 1;
}

int QXComponent::onDestroyed(QXObject* source)
{
    // A container hears its children's windows go too; only its own window
    // makes it uncreated.
    if (!isSelf(source)) return 1;
    createdFlag = 0;
    return destroyed();
}

int QXComponent::onActivated(QXObject* source, int state, int minimized)
{
    return isSelf(source) ? activated(state, minimized) : 1;
}

int QXComponent::onCreated(QXObject* source) { return isSelf(source) ? created() : 1; }
int QXComponent::onTimer(QXObject* source) { return isSelf(source) ? timerFired() : 1; }
int QXComponent::onMouseActivated(QXObject* source) { return isSelf(source) ? mouseActivated() : 1; }

int QXComponent::onCommand(QXObject* source, int message, int wParam, int lParam)
{
    return isSelf(source) ? commandReceived(message, wParam, lParam) : 1;
}

int QXComponent::onMessage(QXObject* source, int message, int wParam, int lParam)
{
    return isSelf(source) ? messageReceived(message, wParam, lParam) : 1;
}

int QXComponent::onMouseExited(QXObject* source) { return isSelf(source) ? mouseExited() : 1; }
int QXComponent::onMouseEntered(QXObject* source) { return isSelf(source) ? mouseEntered() : 1; }

int QXComponent::onMouseHovered(QXObject* source, QXPoint point)
{
    return isSelf(source) ? mouseHovered(point) : 1;
}

int QXComponent::onFilesDropped(QXObject* source, TQXList<QXString> files)
{
    return isSelf(source) ? filesDropped(files) : 1;
}

int QXComponent::onHotKey(QXObject* source, int id, int modifiers, int key)
{
    return isSelf(source) ? hotKeyPressed(id, modifiers, key) : 1;
}

QXSize QXComponent::getScreenSize()
{
    RECT client;
    if (!GetClientRect(GetDesktopWindow(), &client)) return QXSize(0, 0);
    const DpiScale scale = DpiScale::ofSystem();
    return QXSize(scale.toToolkit(client.right - client.left), scale.toToolkit(client.bottom - client.top));
}

void QXComponent::setFailureBoxShown(bool shown)
{
    ImplQXComponent::setFailureBoxShown(shown);
}

} // namespace QXSDK
