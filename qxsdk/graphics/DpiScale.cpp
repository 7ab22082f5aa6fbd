#include "qxsdk/graphics/DpiScale.h"

#include "qxsdk/core/ScopedWin32.h"
#include "qxsdk/core/SystemFolder.h"

namespace QXSDK {

namespace {

using DpiForWindowProcedure = UINT(WINAPI*)(HWND);

// A division of a by b rounded down, and up, for non-negative and negative a.
int floorDivide(long long a, long long b)
{
    return static_cast<int>(a >= 0 ? a / b : -((-a + b - 1) / b));
}

int ceilDivide(long long a, long long b)
{
    return static_cast<int>(a >= 0 ? (a + b - 1) / b : -(-a / b));
}

} // namespace

int DpiScale::toDevice(int toolkitPixels) const
{
    return isIdentity() ? toolkitPixels : MulDiv(toolkitPixels, dots, kToolkitDpi);
}

int DpiScale::toToolkit(int devicePixels) const
{
    return isIdentity() ? devicePixels : MulDiv(devicePixels, kToolkitDpi, dots);
}

RECT DpiScale::toDevice(const RECT& rect) const
{
    return RECT{toDevice(rect.left), toDevice(rect.top), toDevice(rect.right), toDevice(rect.bottom)};
}

RECT DpiScale::toToolkit(const RECT& rect) const
{
    if (isIdentity()) return rect;
    return RECT{floorDivide(static_cast<long long>(rect.left) * kToolkitDpi, dots),
                floorDivide(static_cast<long long>(rect.top) * kToolkitDpi, dots),
                ceilDivide(static_cast<long long>(rect.right) * kToolkitDpi, dots),
                ceilDivide(static_cast<long long>(rect.bottom) * kToolkitDpi, dots)};
}

void DpiScale::applyTo(HDC dc) const
{
    if (!dc || isIdentity()) return;
    // Fonts, pens and shapes given in the toolkit's pixels are made at the
    // window's size by GDI itself: text stays crisp, not a stretched bitmap.
    SetMapMode(dc, MM_ANISOTROPIC);
    SetWindowExtEx(dc, kToolkitDpi, kToolkitDpi, nullptr);
    SetViewportExtEx(dc, dots, dots, nullptr);
}

DpiScale DpiScale::ofSystem()
{
    WindowDC screen(GetDesktopWindow());
    return DpiScale(screen ? GetDeviceCaps(screen.get(), LOGPIXELSY) : kToolkitDpi);
}

DpiScale DpiScale::ofWindow(HWND window)
{
    static const auto dpiForWindow = systemProcedure<DpiForWindowProcedure>("user32.dll", "GetDpiForWindow");
    const UINT dpi = dpiForWindow && window ? dpiForWindow(window) : 0;
    return dpi ? DpiScale(static_cast<int>(dpi)) : ofSystem();
}

} // namespace QXSDK
