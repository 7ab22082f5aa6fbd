#include "qxsdk/component/ComponentCaret.h"

namespace QXSDK {

ComponentCaret::ComponentCaret() : QXObject(), IQXCaret(), window(nullptr), caretCreated(0)
{
}

ComponentCaret::~ComponentCaret()
{
}

void ComponentCaret::bindWindow(HWND value)
{
    window = value;
}

void ComponentCaret::setHeight(int value)
{
    if (caretCreated && value != height) {
        DestroyCaret();
        CreateCaret(window, nullptr, width, value);
        ShowCaret(window);
    }
    height = value;
}

int ComponentCaret::createCaret()
{
    if (!window) return 0;
    caretCreated = 1;
    return CreateCaret(window, nullptr, width, height);
}

int ComponentCaret::showCaret()
{
    return window ? ShowCaret(window) : 0;
}

int ComponentCaret::hideCaret()
{
    return window ? HideCaret(window) : 0;
}

int ComponentCaret::setCaretPosition(int x, int y)
{
    return SetCaretPos(x, y);
}

int ComponentCaret::destroyCaret()
{
    caretCreated = 0;
    return DestroyCaret();
}

int ComponentCaret::setBlinkTime(int milliseconds)
{
    return SetCaretBlinkTime(static_cast<UINT>(milliseconds));
}

int ComponentCaret::getBlinkTime()
{
    return static_cast<int>(GetCaretBlinkTime());
}

} // namespace QXSDK
