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
    // Stores the value and redraws at once. Screen readers hear of each
    // change of the percentage shown, not of every value.
    virtual void setValue(int value);
    virtual void setSegmented(int segmented);
    virtual void setHorizontal(int horizontal);
    virtual void setShowPercentage(int show);
    virtual void setBarColor(QXColor colour);

    // Chooses the frame: sunken for nonzero, a line for 0; answers the new
    // flatBorder.
    int setInheritedFlag(int value) override;
    int paint(QXRect area, IQXGraphics* surface) override;
    // A read-only progress bar whose value is the percentage it shows ("37%").
    int getAccessibleRole() override;
    QXString getAccessibleName() override;
    QXString getAccessibleValue() override;
    int getAccessibleState() override;

private:
    // The percentage of value in maximum, as the bar shows it; -1 when a
    // maximum of 0 has no proportion.
    long long percentage() const;
    // Stores a new value or maximum and tells of the percentage it changes.
    void change(int& field, int newValue);
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
