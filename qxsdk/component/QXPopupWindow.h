#pragma once

#include "qxsdk/component/QXContainer.h"

namespace QXSDK {

// A borderless pop-up window. It runs no message loop of its own (it lives
// in the loop of the thread's main window) and does not end the program when
// it is destroyed.
class QXPopupWindow : public virtual QXContainer {
public:
    QXPopupWindow();
    ~QXPopupWindow() override;
};

} // namespace QXSDK
