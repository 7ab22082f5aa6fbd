#include "tests/support/ChildProcess.h"
#include "tests/support/ScratchDir.h"

#include <gtest/gtest.h>

#include <windows.h>

// Wine reads the resolution when a process starts, from the registry value
// LogPixels; the probe reports what setPointSize(9) stored there: a height
// in the toolkit's pixels (96 DPI) whatever the display's resolution, which
// windows scale to theirs.
TEST(QXFontResolution, PointSizeAtAnotherResolution)
{
    const char key[] = "Control Panel\\Desktop";
    HKEY desktop;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                             &desktop, nullptr));
    DWORD old = 0, size = sizeof old, type = 0;
    const bool hadValue =
        RegQueryValueExA(desktop, "LogPixels", nullptr, &type, reinterpret_cast<BYTE*>(&old), &size) == ERROR_SUCCESS;
    const DWORD dpi = 120;
    RegSetValueExA(desktop, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi);
    const long result = testsupport::runProgram("\"" + testsupport::testBinDir() + "\\font_probe.exe\" 9");
    if (hadValue)
        RegSetValueExA(desktop, "LogPixels", 0, type, reinterpret_cast<const BYTE*>(&old), size);
    else
        RegDeleteValueA(desktop, "LogPixels");
    RegCloseKey(desktop);

    // The probe answers dpi * 1000 + height * 10 + (point size stored ? 1 : 0).
    if (result / 1000 != 120) GTEST_SKIP() << "this Wine did not take LogPixels (probe answered " << result << ")";
    EXPECT_EQ(120 * 1000 + 12 * 10 + 1, result);
}
