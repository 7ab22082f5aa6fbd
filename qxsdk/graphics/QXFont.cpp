#include "qxsdk/graphics/QXFont.h"

#include "qxsdk/core/ScopedWin32.h"
#include "qxsdk/graphics/DpiScale.h"
#include "qxsdk/graphics/ImplQXFont.h"

#include <new>

namespace QXSDK {

namespace {

const int kDefaultPoints = 12;
const int kPointsPerInch = 72;
const int kNormalWeight = 400;
const int kFaceNameBuffer = 256;

} // namespace

QXFont::QXFont() : QXObject(), impl(nullptr)
{
    appendTypeName("QXFont");
    impl = new (std::nothrow) ImplQXFont(this);
}

QXFont::~QXFont()
{
    delete impl;
}

void QXFont::setFaceName(QXString name) { if (impl) impl->setFaceName(name); }
QXString QXFont::getFaceName() { return impl ? impl->getFaceName() : QXString(); }
void QXFont::setHeight(int value) { if (impl) impl->setHeight(value); }
int QXFont::getHeight() { return impl ? impl->getHeight() : 0; }
void QXFont::setWidth(int value) { if (impl) impl->setWidth(value); }
int QXFont::getWidth() { return impl ? impl->getWidth() : 0; }
void QXFont::setWeight(int value) { if (impl) impl->setWeight(value); }
int QXFont::getWeight() { return impl ? impl->getWeight() : 0; }
void QXFont::setItalic(int value) { if (impl) impl->setItalic(value); }
int QXFont::getItalic() { return impl ? impl->getItalic() : 0; }
void QXFont::setUnderline(int value) { if (impl) impl->setUnderline(value); }
int QXFont::getUnderline() { return impl ? impl->getUnderline() : 0; }
void QXFont::setStrikeOut(int value) { if (impl) impl->setStrikeOut(value); }
int QXFont::getStrikeOut() { return impl ? impl->getStrikeOut() : 0; }
int QXFont::equals(QXFont* other) { return impl ? impl->equals(other) : 0; }
int QXFont::reserved15() { return 0; }
void QXFont::reserved16() {}
int QXFont::setPointSize(int points) { return impl ? impl->setPointSize(points) : 0; }
int QXFont::getPointSize() { return impl ? impl->getPointSize() : 0; }

QXFont* createFont(QXString faceName)
{
    // In the toolkit's pixels, which windows scale to their display's DPI.
    const int dpi = DpiScale::kToolkitDpi;
    QXFont* font = new (std::nothrow) QXFont();
    if (!font) return nullptr;
    font->retain();
    font->setHeight(-MulDiv(kDefaultPoints, dpi, kPointsPerInch));
    font->setWidth(0);
    font->setWeight(kNormalWeight);
    font->setItalic(0);
    font->setUnderline(0);
    font->setStrikeOut(0);
    font->setFaceName(faceName);
    return font;
}

QXFont* createSystemFont()
{
    HWND desktop = GetDesktopWindow();
    if (!desktop) return nullptr;
    WindowDC dc(desktop);
    if (!dc) return nullptr;
    char face[kFaceNameBuffer] = {};
    if (GetTextFaceA(dc.get(), kFaceNameBuffer, face) <= 0) return nullptr;
    return createFont(QXString(face));
}

} // namespace QXSDK
