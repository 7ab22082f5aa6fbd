#pragma once

#include "qxsdk/component/QXContainer.h"

namespace QXSDK {

// The top-level window: an overlapped window whose create runs the thread's
// message loop until WM_QUIT. Destroying the window (its close box, close(),
// Alt+F4) unwires its children and posts WM_QUIT, so create returns.
class QXWindow : public virtual QXContainer {
public:
    QXWindow();
    ~QXWindow() override;

    // Posts WM_QUIT to the window's queue: the loop ends.
    virtual void quit();
    // Posts WM_CLOSE to the window.
    virtual void close();
    virtual void maximize();
    virtual void minimize();
    virtual void restore();
    virtual void setTopMost(int on);
    virtual void bringToFront();

    // Creates the window and its children, then runs the message loop until
    // it ends; answers 1.
    int create(CreateContext context) override;
    int destroyed() override;
};

} // namespace QXSDK
