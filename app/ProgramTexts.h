#pragma once

// The program's own four texts. They are Chinese and stored in code page
// 936 (GBK) whatever the system's code page is; they reach Windows through
// the wide functions, converted from that code page, so that they read right
// on a Traditional Chinese, English or UTF-8 system too.
constexpr unsigned kProgramTextCodePage = 936;

// "提示" (Notice), the confirmation box's caption.
constexpr char kConfirmCaption[] = "\xCC\xE1\xCA\xBE";
// "是否确定卸载？" (Are you sure you want to uninstall?).
constexpr char kConfirmText[] = "\xCA\xC7\xB7\xF1\xC8\xB7\xB6\xA8\xD0\xB6\xD4\xD8\xA3\xBF";
// "Vexlo 卸载程序" (Vexlo uninstaller), the window's title.
constexpr char kWindowTitle[] = "Vexlo \xD0\xB6\xD4\xD8\xB3\xCC\xD0\xF2";
// "完成" (Done), the button that ends the finished run.
constexpr char kDoneCaption[] = "\xCD\xEA\xB3\xC9";
