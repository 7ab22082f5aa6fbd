#include "qxsdk/graphics/ImplQXFont.h"

#include "qxsdk/core/ScopedWin32.h"
#include "qxsdk/graphics/DpiScale.h"
#include "qxsdk/graphics/QXFont.h"

#include <cstdlib>
#include <cstring>

namespace QXSDK {

namespace {

const int kInitialPointSize = 9;
const int kPointsPerInch = 72;

} // namespace

int screenPixelsPerInchY()
{
    HWND desktop = GetDesktopWindow();
    if (!desktop) return 0;
    WindowDC dc(desktop);
    return dc ? GetDeviceCaps(dc.get(), LOGPIXELSY) : 0;
}

ImplQXFont::ImplQXFont(QXFont* ownerFont)
    : QXObject(), faceName(""), height(0), width(0), weight(0), italic(0), underline(0), strikeOut(0),
      owner(ownerFont), pointSize(kInitialPointSize)
{
    appendTypeName("ImplQXFont");
}

ImplQXFont::~ImplQXFont()
{
}

void ImplQXFont::setFaceName(QXString name) { faceName = name; }
QXString ImplQXFont::getFaceName() { return faceName; }
void ImplQXFont::setHeight(int value) { height = value; }
int ImplQXFont::getHeight() { return std::abs(height); }
void ImplQXFont::setWidth(int value) { width = value; }
int ImplQXFont::getWidth() { return std::abs(width); }
void ImplQXFont::setWeight(int value) { weight = value; }
int ImplQXFont::getWeight() { return weight; }
void ImplQXFont::setItalic(int value) { italic = value; }
int ImplQXFont::getItalic() { return italic; }
void ImplQXFont::setUnderline(int value) { underline = value; }
int ImplQXFont::getUnderline() { return underline; }
void ImplQXFont::setStrikeOut(int value) { strikeOut = value; }
int ImplQXFont::getStrikeOut() { return strikeOut; }

int ImplQXFont::equals(QXFont* other)
{
    if (!other) return 0;
    const QXString otherName = other->getFaceName();
    if (otherName.getLength() != faceName.getLength()) return 0;
    if (faceName.getLength() > 0 &&
        std::memcmp(otherName.getData(), faceName.getData(), static_cast<size_t>(faceName.getLength())) != 0)
        return 0;
    return std::abs(height) == other->getHeight() && std::abs(width) == other->getWidth() &&
                   weight == other->getWeight() && italic == other->getItalic() &&
                   underline == other->getUnderline() && strikeOut == other->getStrikeOut()
               ? 1
               : 0;
}

int ImplQXFont::setPointSize(int points)
{
    // In the toolkit's pixels, which windows scale to their display's DPI.
    setHeight(-MulDiv(points, DpiScale::kToolkitDpi, kPointsPerInch));
    pointSize = points;
    return 1;
}

int ImplQXFont::getPointSize() { return pointSize; }

} // namespace QXSDK
