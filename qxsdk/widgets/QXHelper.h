#pragma once

#include "qxsdk/component/QXPopupWindow.h"

namespace QXSDK {

// The help pop-up (tooltip): one line of black text on pale yellow inside a
// one-pixel black frame, sized to the text. It starts hidden; its owner
// places it with setLocation and shows it with show(0).
class QXHelper : public virtual QXPopupWindow {
public:
    QXHelper();
    ~QXHelper() override;

    // Stores the text and sizes the pop-up to it (text extent + (4, 2)).
    virtual void setHelpText(QXString text);
    virtual QXString getHelpText();

    // Sizes to the text again in the font given at creation.
    void windowCreated() override;
    int paint(QXRect area, IQXGraphics* surface) override;

private:
    void fitToText();

    QXString helpText;
};

} // namespace QXSDK
