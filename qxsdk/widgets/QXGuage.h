#pragma once

#include "qxsdk/component/QXDesignComponent.h"

namespace QXSDK {

// The progress bar: a framed rectangle in which a bar grows from the left
// (or from the bottom) in proportion to value / maximum, solid or as square
// blocks, optionally with the percentage in the middle, each character of it
// white where the bar lies under it. The frame is sunken for the inherited
// flag 1 (the default) and a one-pixel line for 0.
class QXGuage : public virtual QXDesignComponent {
public:
    QXGuage();
    ~QXGuage() override;

    // Stores the maximum and redraws at once.
    virtual void setMaximum(int maximum);
    // Stores the value and redraws at once.
    virtual void setValue(int value);
    virtual void setSegmented(int segmented);
    virtual void setHorizontal(int horizontal);
    virtual void setShowPercentage(int show);
    virtual void setBarColor(QXColor colour);

    // Chooses the frame: sunken for nonzero, a line for 0; answers the new
    // flatBorder.
    int setInheritedFlag(int value) override;
    int paint(QXRect area, IQXGraphics* surface) override;

private:
    void paintBar(IQXGraphics* surface, int w, int h);
    void paintPercentage(IQXGraphics* surface, QXColor* pen, int w, int h);

    int segmented;
    int maximum;
    int value;
    int horizontal;
    int showPercentage;
    int flatBorder;
    QXColor barColor;
};

} // namespace QXSDK
