#include "qxsdk/component/QXPopupWindow.h"

namespace QXSDK {

namespace {

const int kPopup = 6;

} // namespace

QXPopupWindow::QXPopupWindow() : QXObject(), QXComponent(), QXDesignComponent(), QXContainer()
{
    appendTypeName("QXPopupWindow");
    setClassName(QXString("QXPopupWindow"));
    setWindowType(kPopup);
}

QXPopupWindow::~QXPopupWindow()
{
}

} // namespace QXSDK
