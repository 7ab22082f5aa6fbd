#pragma once

#include "qxsdk/component/QXDesignComponent.h"

namespace QXSDK {

// One line of text on the component's background, in its foreground colour
// and font, aligned left (0), right (1) or centred (2) at the top edge and
// clipped to the label. Any other alignment draws the text top-left at its
// own line breaks.
class QXLabel : public virtual QXDesignComponent {
public:
    static constexpr int kLeft = 0;
    static constexpr int kRight = 1;
    static constexpr int kCentre = 2;

    QXLabel();
    ~QXLabel() override;

    // Stores the text and redraws the label at once; screen readers hear of
    // a new one.
    virtual void setCaption(QXString text);
    virtual QXString getCaption();
    // Takes effect at the next paint.
    virtual void setAlignment(int alignment);
    virtual int getAlignment();

    int paint(QXRect area, IQXGraphics* surface) override;
    // Static text, named by its caption, read-only.
    int getAccessibleRole() override;
    QXString getAccessibleName() override;
    int getAccessibleState() override;

private:
    QXString caption;
    int alignment;
};

} // namespace QXSDK
