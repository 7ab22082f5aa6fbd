#include "qxsdk/core/WideText.h"

#include <windows.h>

#include <cstdlib>

namespace QXSDK {

WideText::WideText(const QXString& bytes, unsigned codePage) : text(nullptr), count(0)
{
    const char* data = bytes.getData() ? bytes.getData() : "";
    const int length = bytes.getData() ? bytes.getLength() : 0;
    const int needed = length > 0 ? MultiByteToWideChar(codePage, 0, data, length, nullptr, 0) : 0;
    if (length > 0 && needed <= 0) return;
    text = static_cast<wchar_t*>(std::malloc((static_cast<size_t>(needed) + 1) * sizeof(wchar_t)));
    if (!text) return;
    if (needed > 0) MultiByteToWideChar(codePage, 0, data, length, text, needed);
    text[needed] = L'\0';
    count = needed;
}

WideText::~WideText()
{
    std::free(text);
}

bool WideText::isSystemCodePage(unsigned codePage)
{
    return codePage == CP_ACP || codePage == GetACP();
}

} // namespace QXSDK
