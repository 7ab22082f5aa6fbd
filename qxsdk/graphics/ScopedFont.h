#pragma once

#include "qxsdk/core/QXString.h"
#include "qxsdk/graphics/DpiScale.h"
#include "qxsdk/graphics/QXFont.h"
#include "qxsdk/graphics/QXSize.h"

#include <windows.h>

namespace QXSDK {

// A GDI font made from a QXFont for one text operation: selected into a
// context between a save and a restore of its state, and deleted when the
// scope ends. The height goes to GDI as a positive number, a cell height;
// the character set is the one the text's code page needs (NativeText).
// A context that takes the window's own pixels (not the toolkit's, see
// DpiScale) gets the font at the window's size through scale.
class ScopedFont {
public:
    ScopedFont(HDC dc, QXFont* font, unsigned codePage, const DpiScale& scale = DpiScale());
    ~ScopedFont();
    ScopedFont(const ScopedFont&) = delete;
    ScopedFont& operator=(const ScopedFont&) = delete;

    // False when there was no font or GDI refused to make it.
    explicit operator bool() const { return handle != nullptr; }

    // Extent of text of codePage in font on dc; (0, 0) when it cannot be
    // measured.
    static QXSize measure(HDC dc, QXFont* font, const QXString& text, unsigned codePage);

private:
    HDC dc;
    HFONT handle;
    int saved;
};

} // namespace QXSDK
