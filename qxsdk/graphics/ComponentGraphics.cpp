#include "qxsdk/graphics/ComponentGraphics.h"

#include "qxsdk/core/ScopedWin32.h"
#include "qxsdk/core/SystemFolder.h"
#include "qxsdk/graphics/NativeText.h"
#include "qxsdk/graphics/ScopedFont.h"

#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <new>

namespace QXSDK {

namespace {

const UINT kDisabledTextState = DST_PREFIXTEXT | DSS_DISABLED;
const DWORD kColourOnColour = COLORONCOLOR;

using TransparentBltProcedure = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, int, int, UINT);

// MSIMG32 is not among the DLLs that Windows loads from the system folder
// only: imported, it would be looked for beside the program first. It is
// loaded from the system folder when the first transparent image is drawn;
// without it, the copy fails as a failed TransparentBlt does.
BOOL transparentBlt(HDC target, int dx, int dy, int dw, int dh, HDC source, int sx, int sy, int sw, int sh,
                    UINT key)
{
    static const auto procedure = systemProcedure<TransparentBltProcedure>("msimg32.dll", "TransparentBlt");
    return procedure ? procedure(target, dx, dy, dw, dh, source, sx, sy, sw, sh, key) : FALSE;
}

COLORREF colourOf(QXColor* colour)
{
    return colour ? static_cast<COLORREF>(colour->getValue()) : 0;
}

QXColor* newColour()
{
    QXColor* colour = new (std::nothrow) QXColor();
    if (colour) colour->retain();
    return colour;
}

// The frame every shape is drawn in: a solid pen (and, for filled shapes, a
// solid brush) made for this call, the context state saved and both
// selected; leaving the scope restores the state and deletes them, on every
// path.
class ShapeFrame {
public:
    ShapeFrame(HDC dc, QXColor* penColour, int penWidth, QXColor* brushColour = nullptr)
        : pen(CreatePen(PS_SOLID, penWidth, colourOf(penColour))),
          brush(brushColour ? CreateSolidBrush(colourOf(brushColour)) : nullptr), state(dc)
    {
        if (pen) SelectObject(dc, pen.get());
        if (brush) SelectObject(dc, brush.get());
    }

private:
    // Destroyed in reverse: the state is restored before the objects go.
    GdiObject<HPEN> pen;
    GdiObject<HBRUSH> brush;
    SavedDCState state;
};

// The memory context in its bitmap's own pixels for the length of a scope,
// whatever scale its drawing takes (see DpiScale).
class DeviceUnits {
public:
    explicit DeviceUnits(HDC dc) : state(dc) { SetMapMode(dc, MM_TEXT); }

private:
    SavedDCState state;
};

// The points of a QXPoint array as a platform array.
class PointArray {
public:
    PointArray(QXPoint* points, int count)
        : items(points && count > 0 ? static_cast<POINT*>(std::malloc(sizeof(POINT) * count)) : nullptr),
          count(count)
    {
        for (int i = 0; items && i < count; ++i) {
            items[i].x = points[i].getX();
            items[i].y = points[i].getY();
        }
    }
    ~PointArray() { std::free(items); }
    PointArray(const PointArray&) = delete;
    PointArray& operator=(const PointArray&) = delete;

    const POINT* get() const { return items; }
    int size() const { return count; }

private:
    POINT* items;
    int count;
};

// An image region converted into a top-down device-independent bitmap of 24
// or 32 bits per pixel, rows padded to four bytes.
class DibImage {
public:
    DibImage(IQXPixelBuffer* region, int format, int width, int height) : bits(nullptr)
    {
        std::memset(&info, 0, sizeof info);
        const int bpp = bytesPerPixel(format);
        if (!region || bpp == 0 || width <= 0 || height <= 0) return;
        const int stride = (width * bpp + 3) / 4 * 4;
        bits = static_cast<unsigned char*>(std::calloc(static_cast<size_t>(stride) * height, 1));
        if (!bits) return;
        const int rowBytes = width * bpp;
        for (int r = 0; r < height; ++r) {
            const unsigned char* src = region->getBytes(r * rowBytes);
            // A region shorter than it claims leaves its missing rows black.
            if (!src || !region->getBytes(r * rowBytes + rowBytes - 1)) break;
            convertRow(src, bits + static_cast<size_t>(r) * stride, width, format);
        }
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = static_cast<WORD>(bpp * 8);
        info.bmiHeader.biCompression = BI_RGB;
    }
    ~DibImage() { std::free(bits); }
    DibImage(const DibImage&) = delete;
    DibImage& operator=(const DibImage&) = delete;

    explicit operator bool() const { return bits != nullptr; }
    const void* pixels() const { return bits; }
    const BITMAPINFO* header() const { return &info; }

private:
    static void convertRow(const unsigned char* src, unsigned char* dst, int width, int format)
    {
        switch (format) {
        case IQXImageSource::kFormatRGB:
            for (int i = 0; i < width; ++i, src += 3, dst += 3) {
                dst[0] = src[2];
                dst[1] = src[1];
                dst[2] = src[0];
            }
            break;
        case IQXImageSource::kFormatARGB:
            for (int i = 0; i < width; ++i, src += 4, dst += 4) {
                dst[0] = src[3];
                dst[1] = src[2];
                dst[2] = src[1];
                dst[3] = src[0];
            }
            break;
        default: // blue-green-red(-alpha) is the bitmap's own order
            std::memcpy(dst, src, static_cast<size_t>(width) * bytesPerPixel(format));
            break;
        }
    }

    unsigned char* bits;
    BITMAPINFO info;
};

// Clips a source rectangle to the image.
void clipSource(IQXImageSource* image, int sx, int sy, int& sw, int& sh)
{
    if (sx + sw > image->getWidth()) sw = image->getWidth() - sx;
    if (sy + sh > image->getHeight()) sh = image->getHeight() - sy;
}

} // namespace

ComponentGraphics::ComponentGraphics()
    : QXObject(), IQXGraphics(), window(nullptr), memoryDC(nullptr), bitmap(nullptr), foreground(newColour()),
      background(newColour()), fillColor(newColour()), font(createSystemFont()), bufferRect{0, 0, 0, 0},
      originalBitmap(nullptr), textCodePage(CP_ACP)
{
}

ComponentGraphics::~ComponentGraphics()
{
    deleteBitmap();
    deleteMemoryDC();
    for (QXObject* owned : {static_cast<QXObject*>(foreground), static_cast<QXObject*>(background),
                            static_cast<QXObject*>(fillColor), static_cast<QXObject*>(font)})
        if (owned) owned->release();
}

void ComponentGraphics::createBuffer(HDC reference, int width, int height)
{
    buildBuffer(reference, width, height);
}

void ComponentGraphics::setWindow(HWND newWindow)
{
    window = newWindow;
}

void ComponentGraphics::setForeground(QXColor colour)
{
    if (foreground) foreground->setValue(colour.getValue());
}

void ComponentGraphics::setBackground(QXColor colour)
{
    if (background) background->setValue(colour.getValue());
}

void ComponentGraphics::useFont(QXFont* newFont)
{
    setFont(newFont);
}

void ComponentGraphics::blit(HDC target, QXRect area)
{
    if (!memoryDC || !target) return;
    DeviceUnits pixels(memoryDC);
    BitBlt(target, area.getX(), area.getY(), area.getWidth(), area.getHeight(), memoryDC, area.getX(),
           area.getY(), SRCCOPY);
}

void ComponentGraphics::setScale(DpiScale dpi)
{
    scale = dpi;
    if (memoryDC) {
        SetMapMode(memoryDC, MM_TEXT);
        scale.applyTo(memoryDC);
    }
}

void ComponentGraphics::deleteBitmap()
{
    if (!bitmap) return;
    // A bitmap is deleted only once no context holds it.
    if (memoryDC && originalBitmap) SelectObject(memoryDC, originalBitmap);
    DeleteObject(bitmap);
    bitmap = nullptr;
}

void ComponentGraphics::deleteMemoryDC()
{
    if (!memoryDC) return;
    DeleteDC(memoryDC);
    memoryDC = nullptr;
    originalBitmap = nullptr;
}

void ComponentGraphics::buildBuffer(HDC reference, int width, int height)
{
    deleteBitmap();
    deleteMemoryDC();
    bufferRect = RECT{0, 0, width, height};
    memoryDC = CreateCompatibleDC(reference);
    if (!memoryDC) return;
    // Compatible with the reference, not the memory context, so that the
    // buffer has the screen's colour depth rather than one bit.
    bitmap = CreateCompatibleBitmap(reference, scale.toDevice(width), scale.toDevice(height));
    if (!bitmap) {
        deleteMemoryDC();
        return;
    }
    originalBitmap = SelectObject(memoryDC, bitmap);
    scale.applyTo(memoryDC);
}

int ComponentGraphics::capture(IQXPixelBuffer* buffer, int* width, int* height)
{
    if (!memoryDC || !bitmap) return 0;
    BITMAP header;
    if (!GetObjectA(bitmap, sizeof header, &header)) return 0;
    const int w = header.bmWidth;
    const int h = header.bmHeight;
    if (width) *width = w;
    if (height) *height = h;

    // Read as 32-bit rows whatever the screen's depth, so that every pixel
    // starts with its blue, green and red bytes.
    BITMAPINFO info;
    std::memset(&info, 0, sizeof info);
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    const size_t stride = static_cast<size_t>(w) * 4;
    unsigned char* rows = static_cast<unsigned char*>(std::malloc(stride * h + 1));
    if (!rows) return 0;
    SelectObject(memoryDC, originalBitmap);
    const int read = GetDIBits(memoryDC, bitmap, 0, static_cast<UINT>(h), rows, &info, DIB_RGB_COLORS);
    SelectObject(memoryDC, bitmap);
    if (read < h) {
        std::free(rows);
        return 0;
    }
    if (buffer && buffer->allocate(w * h * 3, w * h)) {
        for (int i = 0; i < h; ++i) {
            const unsigned char* src = rows + stride * (h - 1 - i);
            unsigned char* dst = buffer->getBytes(i * w * 3);
            for (int j = 0; dst && j < w; ++j) {
                dst[j * 3] = src[j * 4];
                dst[j * 3 + 1] = src[j * 4 + 1];
                dst[j * 3 + 2] = src[j * 4 + 2];
            }
        }
    }
    std::free(rows);
    return 1;
}

void ComponentGraphics::drawRect(int x, int y, int w, int h)
{
    if (!memoryDC) return;
    ShapeFrame frame(memoryDC, foreground, 1);
    MoveToEx(memoryDC, x, y, nullptr);
    LineTo(memoryDC, x + w, y);
    LineTo(memoryDC, x + w, y + h);
    LineTo(memoryDC, x, y + h);
    LineTo(memoryDC, x, y);
}

void ComponentGraphics::drawRoundRect(int x, int y, int w, int h, int ellipseWidth, int ellipseHeight)
{
    if (!memoryDC) return;
    ShapeFrame frame(memoryDC, foreground, 1, fillColor);
    RoundRect(memoryDC, x, y, x + w, y + h, ellipseWidth, ellipseHeight);
}

int ComponentGraphics::drawImage(IQXImageSource* image, int sx, int sy, int sw, int sh, int dx, int dy, int dw,
                                 int dh)
{
    if (!memoryDC || !image) return 0;
    clipSource(image, sx, sy, sw, sh);
    const int format = image->getPixelFormat();
    if (bytesPerPixel(format) == 0 || sw <= 0 || sh <= 0) return 0;
    Released<IQXPixelBuffer> region(image->getRegion(sx, sy, sx + sw, sy + sh));
    if (!region.get()) return 0;
    DibImage dib(region.get(), format, sw, sh);
    if (!dib) return 0;
    SavedDCState state(memoryDC);
    SetStretchBltMode(memoryDC, kColourOnColour);
    StretchDIBits(memoryDC, dx, dy, dw, dh, 0, 0, sw, sh, dib.pixels(), dib.header(), DIB_RGB_COLORS, SRCCOPY);
    return 1;
}

int ComponentGraphics::drawImage(IQXImageSource* image, int dx, int dy, int dw, int dh)
{
    if (!image) return 0;
    return drawImage(image, 0, 0, image->getWidth(), image->getHeight(), dx, dy, dw, dh);
}

int ComponentGraphics::drawImage(IQXImageSource* image, int dx, int dy)
{
    if (!image) return 0;
    const int w = image->getWidth();
    const int h = image->getHeight();
    return drawImage(image, 0, 0, w, h, dx, dy, w, h);
}

int ComponentGraphics::drawImageTransparent(IQXImageSource* image, int sx, int sy, int sw, int sh, int dx,
                                            int dy, int dw, int dh, QXColor key)
{
    if (!memoryDC || !image) return 0;
    image->retain();
    Released<IQXImageSource> imageReference(image);
    clipSource(image, sx, sy, sw, sh);
    if (sw <= 0 || sh <= 0) return 0;
    Released<IQXPixelBuffer> region(image->getRegion(sx, sy, sx + sw, sy + sh));
    if (!region.get()) return 0;
    // An unknown format could hold fewer bytes per pixel than any copy assumes.
    const int format = image->getPixelFormat();
    if (bytesPerPixel(format) == 0) return 0;
    DibImage dib(region.get(), format, sw, sh);
    if (!dib) return 0;

    MemoryDC staging(memoryDC);
    if (!staging) return 0;
    GdiObject<HBITMAP> stagingBitmap(CreateCompatibleBitmap(memoryDC, sw, sh));
    if (!stagingBitmap) return 0;
    SelectedObject selected(staging.get(), stagingBitmap.get());
    StretchDIBits(staging.get(), 0, 0, sw, sh, 0, 0, sw, sh, dib.pixels(), dib.header(), DIB_RGB_COLORS, SRCCOPY);
    transparentBlt(memoryDC, dx, dy, dw, dh, staging.get(), 0, 0, sw, sh, static_cast<UINT>(key.getValue()));
    return 1;
}

int ComponentGraphics::drawArc(int x, int y, int w, int h, int xStart, int yStart, int xEnd, int yEnd)
{
    if (!memoryDC) return 0;
    ShapeFrame frame(memoryDC, foreground, 1);
    Arc(memoryDC, x, y, x + w, y + h, xStart, yStart, xEnd, yEnd);
    return 1;
}

void ComponentGraphics::drawLine(int x1, int y1, int x2, int y2, int width)
{
    if (!memoryDC || width <= 0) return;
    ShapeFrame frame(memoryDC, foreground, width);
    MoveToEx(memoryDC, x1, y1, nullptr);
    LineTo(memoryDC, x2, y2);
}

void ComponentGraphics::drawOval(int x, int y, int w, int h)
{
    if (!memoryDC) return;
    ShapeFrame frame(memoryDC, foreground, 1);
    Arc(memoryDC, x, y, x + w, y + h, x, y, x, y);
}

void ComponentGraphics::drawPolyline(QXPoint* points, int count)
{
    if (!memoryDC || count <= 0) return;
    PointArray platform(points, count);
    if (!platform.get()) return;
    ShapeFrame frame(memoryDC, foreground, 1);
    MoveToEx(memoryDC, platform.get()[0].x, platform.get()[0].y, nullptr);
    Polyline(memoryDC, platform.get(), platform.size());
}

int ComponentGraphics::drawBezier(QXPoint* points, int count)
{
    if (!memoryDC || count <= 0) return 0;
    PointArray platform(points, count);
    if (!platform.get()) return 0;
    ShapeFrame frame(memoryDC, foreground, 1);
    return PolyBezier(memoryDC, platform.get(), static_cast<DWORD>(platform.size())) ? 1 : 0;
}

void ComponentGraphics::drawString(QXString text, QXRect rect, int format)
{
    if (!memoryDC) return;
    ScopedFont frame(memoryDC, font, textCodePage);
    if (!frame) return;
    SetTextColor(memoryDC, colourOf(foreground));
    RECT area = toNativeRect(rect);
    // The text is the caller's copy: DrawText must not write into it.
    const UINT flags = static_cast<UINT>(format) & ~static_cast<UINT>(DT_MODIFYSTRING);
    NativeText(text, textCodePage).draw(memoryDC, &area, flags);
}

void ComponentGraphics::drawString(QXString text, int x, int y)
{
    if (!memoryDC) return;
    ScopedFont frame(memoryDC, font, textCodePage);
    if (!frame) return;
    SetTextColor(memoryDC, colourOf(foreground));
    NativeText(text, textCodePage).textOut(memoryDC, x, y);
}

void ComponentGraphics::setPixel(int x, int y, QXColor colour)
{
    if (!memoryDC) return;
    SetPixel(memoryDC, x, y, static_cast<COLORREF>(colour.getValue()));
}

void ComponentGraphics::fillPie(int x, int y, int w, int h, int xStart, int yStart, int xEnd, int yEnd)
{
    if (!memoryDC) return;
    ShapeFrame frame(memoryDC, foreground, 1, fillColor);
    Pie(memoryDC, x, y, x + w, y + h, xStart, yStart, xEnd, yEnd);
}

void ComponentGraphics::fillOval(int x, int y, int w, int h)
{
    if (!memoryDC) return;
    ShapeFrame frame(memoryDC, foreground, 1, fillColor);
    Ellipse(memoryDC, x, y, x + w, y + h);
}

void ComponentGraphics::drawFilledRect(int x, int y, int w, int h)
{
    if (!memoryDC) return;
    ShapeFrame frame(memoryDC, foreground, 1, fillColor);
    Rectangle(memoryDC, x, y, x + w, y + h);
}

void ComponentGraphics::fillPolygon(QXPoint* points, int count, int alternate)
{
    if (!memoryDC || count <= 0) return;
    PointArray platform(points, count);
    if (!platform.get()) return;
    ShapeFrame frame(memoryDC, foreground, 1, fillColor);
    SetPolyFillMode(memoryDC, alternate ? ALTERNATE : WINDING);
    Polygon(memoryDC, platform.get(), platform.size());
}

QXFont* ComponentGraphics::getFont()
{
    return retained(font);
}

int ComponentGraphics::setFont(QXFont* newFont)
{
    if (!newFont) return 0;
    assignRetained(font, newFont);
    return 1;
}

QXColor* ComponentGraphics::getBackground()
{
    return retained(background);
}

QXColor* ComponentGraphics::getForeground()
{
    return retained(foreground);
}

QXColor* ComponentGraphics::getFillColor()
{
    return retained(fillColor);
}

void ComponentGraphics::setTransparent(int transparent)
{
    if (memoryDC) SetBkMode(memoryDC, transparent ? TRANSPARENT : OPAQUE);
}

void ComponentGraphics::fillWithBackground(const RECT& area)
{
    if (!window || !memoryDC) return;
    GdiObject<HBRUSH> brush(CreateSolidBrush(colourOf(background)));
    if (brush) FillRect(memoryDC, &area, brush.get());
}

void ComponentGraphics::fillRect(QXRect rect)
{
    fillWithBackground(toNativeRect(rect));
}

void ComponentGraphics::clear()
{
    fillWithBackground(bufferRect);
}

void ComponentGraphics::drawDisabledString(QXString text, int x, int y)
{
    if (!memoryDC) return;
    // DrawState draws the text into a bitmap of its own, in the context's
    // device pixels: given the window's pixels and a font of the window's
    // size, it embosses crisp text at any scale.
    DeviceUnits pixels(memoryDC);
    ScopedFont frame(memoryDC, font, textCodePage, scale);
    if (!frame) return;
    NativeText(text, textCodePage).drawState(memoryDC, scale.toDevice(x), scale.toDevice(y), kDisabledTextState);
}

void ComponentGraphics::drawFocusRect(int x, int y, int w, int h, int count)
{
    if (!memoryDC) return;
    for (int i = 0; i < count; ++i) {
        const RECT frame = {x + i, y + i, x + w - i, y + h - i};
        DrawFocusRect(memoryDC, &frame);
    }
}

QXSize ComponentGraphics::getStringSize(QXString text)
{
    if (!window || !font) return QXSize(0, 0);
    // Measured in the back buffer when there is one, else in the window.
    if (memoryDC) return ScopedFont::measure(memoryDC, font, text, textCodePage);
    ClientDC windowDC(window);
    return windowDC.get() ? ScopedFont::measure(windowDC.get(), font, text, textCodePage) : QXSize(0, 0);
}

int ComponentGraphics::getFontHeight()
{
    if (!window || !memoryDC) return -1;
    TEXTMETRICA metrics;
    if (!GetTextMetricsA(memoryDC, &metrics)) return -1;
    return metrics.tmHeight;
}

void ComponentGraphics::flush(int x, int y, int w, int h)
{
    if (!window || !memoryDC) return;
    WindowDC target(window);
    if (!target) return;
    const RECT area = scale.toDevice(RECT{x, y, x + w, y + h});
    DeviceUnits pixels(memoryDC);
    BitBlt(target.get(), area.left, area.top, area.right - area.left, area.bottom - area.top, memoryDC, area.left,
           area.top, SRCCOPY);
}

void ComponentGraphics::setTextCodePage(unsigned codePage)
{
    textCodePage = codePage;
}

unsigned ComponentGraphics::getTextCodePage()
{
    return textCodePage;
}

} // namespace QXSDK
