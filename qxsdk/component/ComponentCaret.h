#pragma once

#include "qxsdk/component/IQXCaret.h"

namespace QXSDK {

// The caret of a component's window: a thin layer over the Win32 caret
// functions. Operations that need the window answer 0 until bindWindow.
class ComponentCaret : public virtual QXObject, public virtual IQXCaret {
public:
    ComponentCaret();
    ~ComponentCaret() override;

    // The window the caret belongs to; called once the window exists.
    virtual void bindWindow(HWND window);

    void setHeight(int height) override;
    int createCaret() override;
    int showCaret() override;
    int hideCaret() override;
    int setCaretPosition(int x, int y) override;
    int destroyCaret() override;
    int setBlinkTime(int milliseconds) override;
    int getBlinkTime() override;

    int isCreated() const { return caretCreated; }

private:
    HWND window;
    int caretCreated;
};

} // namespace QXSDK
