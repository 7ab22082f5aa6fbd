#include "tests/support/Pixels.h"

#include "qxsdk/core/ScopedWin32.h"

#include <fstream>
#include <set>

using QXSDK::GdiObject;
using QXSDK::MemoryDC;
using QXSDK::SelectedObject;
using QXSDK::WindowDC;

namespace testsupport {

size_t Pixels::colourCount() const
{
    return std::set<uint32_t>(values.begin(), values.end()).size();
}

double Pixels::sameShare(const Pixels& other) const
{
    if (width != other.width || height != other.height || values.empty()) return 0;
    size_t same = 0;
    for (size_t i = 0; i < values.size(); ++i) same += values[i] == other.values[i];
    return static_cast<double>(same) / values.size();
}

Pixels Pixels::read(HDC dc, int x, int y, int width, int height)
{
    Pixels pixels;
    if (!dc || width <= 0 || height <= 0) return pixels;
    MemoryDC copy(dc);
    GdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(dc, width, height));
    if (!copy || !bitmap) return pixels;
    {
        SelectedObject selected(copy.get(), bitmap.get());
        if (!BitBlt(copy.get(), 0, 0, width, height, dc, x, y, SRCCOPY)) return pixels;
    }
    BITMAPINFO format = {};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = -height; // top-down
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    pixels.values.resize(static_cast<size_t>(width) * height);
    if (!GetDIBits(copy.get(), bitmap.get(), 0, height, pixels.values.data(), &format, DIB_RGB_COLORS)) {
        pixels.values.clear();
        return pixels;
    }
    for (uint32_t& value : pixels.values) value &= 0x00FFFFFF;
    pixels.width = width;
    pixels.height = height;
    return pixels;
}

Pixels Pixels::shownBy(HWND window, bool wholeWindow)
{
    // Read through the top-level window's own device context: Wine refuses
    // to copy from a child window of another process, but not from its
    // top-level window.
    HWND root = GetAncestor(window, GA_ROOT);
    RECT rootArea = {}, area = {};
    if (!root || !GetWindowRect(root, &rootArea)) return Pixels();
    if (wholeWindow) {
        if (!GetWindowRect(window, &area)) return Pixels();
    } else {
        if (!GetClientRect(window, &area)) return Pixels();
        MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&area), 2);
    }
    const WindowDC dc(root, WindowDC::kWholeWindow);
    return read(dc.get(), area.left - rootArea.left, area.top - rootArea.top, area.right - area.left,
                area.bottom - area.top);
}

Pixels Pixels::fromPpm(const std::string& path)
{
    Pixels pixels;
    std::ifstream in(path, std::ios::binary);
    std::string magic;
    int width = 0, height = 0, maximum = 0;
    if (!(in >> magic >> width >> height >> maximum) || magic != "P6" || maximum != 255 || width <= 0 || height <= 0)
        return pixels;
    in.get(); // the one blank after the header
    std::vector<unsigned char> bytes(static_cast<size_t>(width) * height * 3);
    if (!in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()))) return pixels;
    pixels.values.resize(static_cast<size_t>(width) * height);
    for (size_t i = 0; i < pixels.values.size(); ++i)
        pixels.values[i] = (uint32_t(bytes[3 * i]) << 16) | (uint32_t(bytes[3 * i + 1]) << 8) | bytes[3 * i + 2];
    pixels.width = width;
    pixels.height = height;
    return pixels;
}

bool Pixels::toPpm(const std::string& path) const
{
    std::ofstream out(path, std::ios::binary);
    out << "P6\n" << width << " " << height << "\n255\n";
    for (uint32_t value : values) {
        const char rgb[3] = {static_cast<char>(value >> 16), static_cast<char>(value >> 8), static_cast<char>(value)};
        out.write(rgb, 3);
    }
    return static_cast<bool>(out);
}

Pixels Pixels::rows(int top, int bottom) const
{
    Pixels part;
    if (top < 0 || bottom > height || top >= bottom) return part;
    part.width = width;
    part.height = bottom - top;
    part.values.assign(values.begin() + static_cast<size_t>(top) * width, values.begin() + static_cast<size_t>(bottom) * width);
    return part;
}

} // namespace testsupport
