#pragma once

#include "qxsdk/core/QXObject.h"
#include "qxsdk/core/QXString.h"

namespace QXSDK {

class QXFont;

// The values behind a QXFont: the attributes of a GDI logical font and a
// point size. Holds no GDI object.
class ImplQXFont : public virtual QXObject {
public:
    explicit ImplQXFont(QXFont* owner);
    ~ImplQXFont() override;

    virtual void setFaceName(QXString name);
    virtual QXString getFaceName();
    // Stores the height with its sign (negative: character height in pixels).
    virtual void setHeight(int height);
    // The absolute height.
    virtual int getHeight();
    virtual void setWidth(int width);
    // The absolute width.
    virtual int getWidth();
    virtual void setWeight(int weight);
    virtual int getWeight();
    virtual void setItalic(int italic);
    virtual int getItalic();
    virtual void setUnderline(int underline);
    virtual int getUnderline();
    virtual void setStrikeOut(int strikeOut);
    virtual int getStrikeOut();
    // 1 when face name (case-sensitive), |height|, |width|, weight, italic,
    // underline and strike-out agree; the point size is not compared.
    virtual int equals(QXFont* other);
    // Sets the height for points in the toolkit's pixels (96 DPI, which
    // windows scale to their display's); answers 1.
    virtual int setPointSize(int points);
    virtual int getPointSize();

private:
    QXString faceName;
    int height;
    int width;
    int weight;
    int italic;
    int underline;
    int strikeOut;
    // The front that owns these values; nothing here calls back to it.
    [[maybe_unused]] QXFont* owner;
    int pointSize;
};

// Vertical dots per inch of the screen, 0 when the desktop's device context
// cannot be had.
int screenPixelsPerInchY();

} // namespace QXSDK
