#pragma once

// Shows a message box of no owner window with text and caption in the
// program's text code page (ProgramTexts.h), through the wide function;
// answers MessageBox's result. Where that code page is not installed the
// bytes go to the ANSI function as they are.
int programMessageBox(const char* text, const char* caption, unsigned type);
