#pragma once

#include "qxsdk/core/QXObject.h"
#include "qxsdk/core/QXString.h"

namespace QXSDK {

class ImplQXFont;

// A font description (face name, logical-font attributes and a point size).
// Every operation forwards to the owned ImplQXFont. The drawing surface makes
// a GDI font from these values for each text operation.
class QXFont : public virtual QXObject {
public:
    QXFont();
    ~QXFont() override;
    QXFont(const QXFont&) = delete;
    QXFont& operator=(const QXFont&) = delete;

    virtual void setFaceName(QXString name);
    virtual QXString getFaceName();
    virtual void setHeight(int height);
    virtual int getHeight();
    virtual void setWidth(int width);
    virtual int getWidth();
    virtual void setWeight(int weight);
    virtual int getWeight();
    virtual void setItalic(int italic);
    virtual int getItalic();
    virtual void setUnderline(int underline);
    virtual int getUnderline();
    virtual void setStrikeOut(int strikeOut);
    virtual int getStrikeOut();
    virtual int equals(QXFont* other);
    // Reserved slots; they do nothing.
    virtual int reserved15();
    virtual void reserved16();
    virtual int setPointSize(int points);
    virtual int getPointSize();

private:
    ImplQXFont* impl;
};

// A new 12-point font of faceName (weight 400), its height in the toolkit's
// pixels (96 DPI; a window shows it at its display's DPI, see DpiScale),
// retained once for the caller; null when memory ran out.
QXFont* createFont(QXString faceName);

// createFont of the face of the desktop's device context (the font every
// component starts with); null when it cannot be read.
QXFont* createSystemFont();

} // namespace QXSDK
