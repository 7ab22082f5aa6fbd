#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace testsupport {

// The pixels of a rectangle, rows top-down, each 0x00RRGGBB: read in one go
// from a device context, from what a window shows, or from a PPM file.
struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> values;

    bool operator==(const Pixels& other) const
    {
        return width == other.width && height == other.height && values == other.values;
    }
    bool operator!=(const Pixels& other) const { return !(*this == other); }
    // How many different colours there are.
    size_t colourCount() const;
    // The share of pixels equal to other's at the same place; 0 when the
    // sizes differ.
    double sameShare(const Pixels& other) const;

    // The rectangle (x, y, width, height) of dc; empty when it cannot be read.
    static Pixels read(HDC dc, int x, int y, int width, int height);
    // What window shows: its client area, or the whole window with its frame.
    static Pixels shownBy(HWND window, bool wholeWindow);
    // A binary PPM (P6, 8 bits) file; empty when it cannot be read.
    static Pixels fromPpm(const std::string& path);
    // Writes them as such a file; answers whether it was written.
    bool toPpm(const std::string& path) const;
    // The rows from top (inclusive) to bottom (exclusive); empty outside.
    Pixels rows(int top, int bottom) const;
};

} // namespace testsupport
