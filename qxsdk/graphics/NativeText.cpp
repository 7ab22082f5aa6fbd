#include "qxsdk/graphics/NativeText.h"

namespace QXSDK {

namespace {

const QXString kNoText;

// The UTF-16 text of a wide call.
const wchar_t* wideOf(const WideText& text)
{
    return text.get() ? text.get() : L"";
}

} // namespace

NativeText::NativeText(const QXString& text, unsigned codePage)
    : bytes(text.getData() ? text.getData() : ""), length(text.getData() ? text.getLength() : 0),
      wide(WideText::isSystemCodePage(codePage) ? kNoText : text, codePage),
      isWide(!WideText::isSystemCodePage(codePage) && wide)
{
}

int NativeText::draw(HDC dc, RECT* area, UINT format) const
{
    if (isWide) return DrawTextW(dc, wideOf(wide), wide.length(), area, format);
    return DrawTextA(dc, bytes, length, area, format);
}

bool NativeText::textOut(HDC dc, int x, int y) const
{
    if (isWide) return TextOutW(dc, x, y, wideOf(wide), wide.length()) != 0;
    return TextOutA(dc, x, y, bytes, length) != 0;
}

bool NativeText::drawState(HDC dc, int x, int y, UINT state) const
{
    if (isWide)
        return DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(wideOf(wide)),
                          static_cast<WPARAM>(wide.length()), x, y, 0, 0, state) != 0;
    return DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(bytes), static_cast<WPARAM>(length), x, y, 0,
                      0, state) != 0;
}

bool NativeText::measure(HDC dc, SIZE* extent) const
{
    if (isWide) return GetTextExtentPoint32W(dc, wideOf(wide), wide.length(), extent) != 0;
    return GetTextExtentPoint32A(dc, bytes, length, extent) != 0;
}

bool NativeText::setWindowTitle(HWND window) const
{
    // WM_SETTEXT sent to the toolkit's ANSI window procedure would convert
    // the title back to the system's code page and lose what it cannot
    // hold: the wide default procedure stores it as it is.
    if (isWide) return DefWindowProcW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wideOf(wide))) != 0;
    return SetWindowTextA(window, bytes) != 0;
}

BYTE NativeText::charsetFor(unsigned codePage)
{
    CHARSETINFO info;
    if (WideText::isSystemCodePage(codePage) ||
        !TranslateCharsetInfo(reinterpret_cast<DWORD*>(static_cast<UINT_PTR>(codePage)), &info, TCI_SRCCODEPAGE))
        return DEFAULT_CHARSET;
    return static_cast<BYTE>(info.ciCharset);
}

} // namespace QXSDK
