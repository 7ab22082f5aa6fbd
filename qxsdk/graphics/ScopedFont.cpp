#include "qxsdk/graphics/ScopedFont.h"

#include "qxsdk/graphics/NativeText.h"

namespace QXSDK {

namespace {

HFONT createGdiFont(QXFont* font, unsigned codePage, const DpiScale& scale)
{
    const QXString face = font->getFaceName();
    return CreateFontA(scale.toDevice(font->getHeight()), scale.toDevice(font->getWidth()), 0, 0, font->getWeight(),
                       static_cast<DWORD>(font->getItalic()), static_cast<DWORD>(font->getUnderline()),
                       static_cast<DWORD>(font->getStrikeOut()), NativeText::charsetFor(codePage), OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, face.getData() ? face.getData() : "");
}

} // namespace

ScopedFont::ScopedFont(HDC context, QXFont* font, unsigned codePage, const DpiScale& scale)
    : dc(context), handle(font && context ? createGdiFont(font, codePage, scale) : nullptr), saved(0)
{
    if (!handle) return;
    saved = SaveDC(dc);
    SelectObject(dc, handle);
}

QXSize ScopedFont::measure(HDC dc, QXFont* font, const QXString& text, unsigned codePage)
{
    ScopedFont selected(dc, font, codePage);
    SIZE extent = {0, 0};
    if (!selected || !NativeText(text, codePage).measure(dc, &extent)) return QXSize(0, 0);
    return QXSize(extent.cx, extent.cy);
}

ScopedFont::~ScopedFont()
{
    if (!handle) return;
    if (saved) RestoreDC(dc, saved);
    DeleteObject(handle);
}

} // namespace QXSDK
