#include "qxsdk/component/QXPopupWindow.h"

namespace QXSDK {

QXPopupWindow::QXPopupWindow() : QXObject(), QXComponent(), QXDesignComponent(), QXContainer()
{
    appendTypeName("QXPopupWindow");
    setClassName(QXString("QXPopupWindow"));
    setWindowType(kPopupWindow);
}

QXPopupWindow::~QXPopupWindow()
{
}

} // namespace QXSDK
