#include "qxsdk/graphics/ScopedFont.h"

namespace QXSDK {

namespace {

const DWORD kDefaultCharset = DEFAULT_CHARSET;

HFONT createGdiFont(QXFont* font)
{
    const QXString face = font->getFaceName();
    return CreateFontA(font->getHeight(), font->getWidth(), 0, 0, font->getWeight(),
                       static_cast<DWORD>(font->getItalic()), static_cast<DWORD>(font->getUnderline()),
                       static_cast<DWORD>(font->getStrikeOut()), kDefaultCharset, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, face.getData() ? face.getData() : "");
}

} // namespace

ScopedFont::ScopedFont(HDC context, QXFont* font)
    : dc(context), handle(font && context ? createGdiFont(font) : nullptr), saved(0)
{
    if (!handle) return;
    saved = SaveDC(dc);
    SelectObject(dc, handle);
}

QXSize ScopedFont::measure(HDC dc, QXFont* font, const QXString& text)
{
    ScopedFont selected(dc, font);
    SIZE extent = {0, 0};
    if (!selected || !GetTextExtentPoint32A(dc, text.getData() ? text.getData() : "", text.getLength(), &extent))
        return QXSize(0, 0);
    return QXSize(extent.cx, extent.cy);
}

ScopedFont::~ScopedFont()
{
    if (!handle) return;
    if (saved) RestoreDC(dc, saved);
    DeleteObject(handle);
}

} // namespace QXSDK
