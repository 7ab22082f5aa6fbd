#include "qxsdk/component/QXWindow.h"

#include "qxsdk/component/ImplQXComponent.h"

namespace QXSDK {

QXWindow::QXWindow() : QXObject(), QXComponent(), QXDesignComponent(), QXContainer()
{
    appendTypeName("QXWindow");
    setClassName(QXString("QXWindow"));
    setWindowType(kOverlappedWindow);
}

QXWindow::~QXWindow()
{
}

void QXWindow::quit() { if (getBinding()) getBinding()->postQuit(); }
void QXWindow::close() { if (getBinding()) getBinding()->postClose(); }
void QXWindow::maximize() { if (getBinding()) getBinding()->maximize(); }
void QXWindow::minimize() { if (getBinding()) getBinding()->minimize(); }
void QXWindow::restore() { if (getBinding()) getBinding()->restore(); }
void QXWindow::setTopMost(int on) { if (getBinding()) getBinding()->setTopMost(on); }
void QXWindow::bringToFront() { if (getBinding()) getBinding()->bringToFront(); }

int QXWindow::create(CreateContext context)
{
    // Without its window nothing would ever post the WM_QUIT that ends the
    // loop: the program would hang, invisible, after the error box.
    if (QXComponent::create(context) && getBinding()) getBinding()->runMessageLoop();
    return 1;
}

int QXWindow::destroyed()
{
    QXContainer::destroyed();
    quit();
    return 1;
}

} // namespace QXSDK
