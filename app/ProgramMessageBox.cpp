#include "app/ProgramMessageBox.h"

#include "app/ProgramTexts.h"
#include "qxsdk/core/QXString.h"
#include "qxsdk/core/WideText.h"

#include <windows.h>

int programMessageBox(const char* text, const char* caption, unsigned type)
{
    const QXSDK::WideText wideText(QXSDK::QXString(text), kProgramTextCodePage);
    const QXSDK::WideText wideCaption(QXSDK::QXString(caption), kProgramTextCodePage);
    if (wideText && wideCaption) return MessageBoxW(nullptr, wideText.get(), wideCaption.get(), type);
    return MessageBoxA(nullptr, text, caption, type);
}
