#pragma once

#include "qxsdk/core/QXString.h"

namespace QXSDK {

// Bytes of a code page as UTF-16 text, for the wide (W) functions of
// Windows: they show the text as it is meant whatever the system's code
// page, where the ANSI (A) functions read every byte in that code page.
class WideText {
public:
    // The text of the bytes read in codePage (CP_ACP: the system's); the null
    // string gives the empty text.
    WideText(const QXString& bytes, unsigned codePage);
    ~WideText();
    WideText(const WideText&) = delete;
    WideText& operator=(const WideText&) = delete;

    // False when the code page is not installed or memory ran out.
    explicit operator bool() const { return text != nullptr; }
    // The text, ending in a zero; null when there is none.
    const wchar_t* get() const { return text; }
    // Its length in UTF-16 units, the zero not counted.
    int length() const { return count; }

    // Whether codePage is the system's ANSI code page (CP_ACP names it too):
    // text in it reaches Windows as bytes, exactly as ever.
    static bool isSystemCodePage(unsigned codePage);

private:
    wchar_t* text;
    int count;
};

} // namespace QXSDK
