#pragma once

#include "qxsdk/core/QXString.h"
#include "qxsdk/core/WideText.h"

#include <windows.h>

namespace QXSDK {

// A component's text as Windows receives it, the one way the toolkit hands
// text to GDI and to a window's title. Its code page decides the calls: text
// in the system's code page goes as its bytes to the ANSI functions, exactly
// as ever; text in another code page (the system's reads its bytes as other
// characters) is converted to UTF-16 for the wide functions, so that it reads
// right on every system. Text that cannot be converted goes as bytes.
class NativeText {
public:
    // text must outlive this object.
    NativeText(const QXString& text, unsigned codePage);
    NativeText(const NativeText&) = delete;
    NativeText& operator=(const NativeText&) = delete;

    // DrawText into area with the format flags; answers the text's height.
    int draw(HDC dc, RECT* area, UINT format) const;
    // TextOut at (x, y).
    bool textOut(HDC dc, int x, int y) const;
    // DrawState of the text at (x, y) with the state flags (DST_ and DSS_).
    bool drawState(HDC dc, int x, int y, UINT state) const;
    // GetTextExtentPoint32 in the context's font.
    bool measure(HDC dc, SIZE* extent) const;
    // Makes it the window's title, as Windows draws it in the caption and
    // as the wide functions read it.
    bool setWindowTitle(HWND window) const;

    // The character set a font is asked for to draw text of codePage: the
    // system's (DEFAULT_CHARSET) for its own, else that of codePage, so that
    // the font mapper picks a face with its glyphs.
    static BYTE charsetFor(unsigned codePage);

private:
    const char* bytes;
    int length;
    WideText wide;   // the converted text; empty in the system's code page
    bool isWide;     // whether the wide functions get it
};

} // namespace QXSDK
