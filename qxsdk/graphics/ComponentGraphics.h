#pragma once

#include "qxsdk/graphics/DpiScale.h"
#include "qxsdk/graphics/IQXGraphics.h"
#include "qxsdk/graphics/IQXPixelBuffer.h"

namespace QXSDK {

// The drawing surface of a component: GDI drawing into an off-screen back
// buffer (a memory device context with a bitmap the component's size), which
// the component's binding copies to the window with blit or flush. Pens,
// brushes and fonts are made per call and deleted before it returns; every
// call leaves the memory context as it found it. Without a buffer nothing is
// drawn.
class ComponentGraphics : public virtual IQXGraphics, public virtual QXObject {
public:
    ComponentGraphics();
    // Frees the buffer and releases the colours and the font.
    ~ComponentGraphics() override;
    ComponentGraphics(const ComponentGraphics&) = delete;
    ComponentGraphics& operator=(const ComponentGraphics&) = delete;

    // Makes a new back buffer of width x height (the toolkit's pixels, see
    // DpiScale) compatible with reference.
    virtual void createBuffer(HDC reference, int width, int height);
    // The window that flush copies to.
    virtual void setWindow(HWND window);
    // Copies the channels of colour into the foreground colour.
    virtual void setForeground(QXColor colour);
    // Copies the channels of colour into the background colour.
    virtual void setBackground(QXColor colour);
    // setFont without a result.
    virtual void useFont(QXFont* font);
    // Copies area (in the window's own pixels) of the back buffer to the same
    // place of target.
    virtual void blit(HDC target, QXRect area);
    virtual void deleteBitmap();
    virtual void deleteMemoryDC();
    // Frees the old buffer, then makes the memory context and a bitmap of the
    // reference's colour depth.
    virtual void buildBuffer(HDC reference, int width, int height);
    // Copies the back buffer into buffer as 24-bit blue-green-red rows, top
    // row first, and stores its size; 0 when it cannot be read.
    virtual int capture(IQXPixelBuffer* buffer, int* width, int* height);

    void drawRect(int x, int y, int w, int h) override;
    void drawRoundRect(int x, int y, int w, int h, int ellipseWidth, int ellipseHeight) override;
    int drawImage(IQXImageSource* image, int sx, int sy, int sw, int sh, int dx, int dy, int dw,
                  int dh) override;
    int drawImage(IQXImageSource* image, int dx, int dy, int dw, int dh) override;
    int drawImage(IQXImageSource* image, int dx, int dy) override;
    int drawImageTransparent(IQXImageSource* image, int sx, int sy, int sw, int sh, int dx, int dy, int dw,
                             int dh, QXColor key) override;
    int drawArc(int x, int y, int w, int h, int xStart, int yStart, int xEnd, int yEnd) override;
    void drawLine(int x1, int y1, int x2, int y2, int width) override;
    void drawOval(int x, int y, int w, int h) override;
    void drawPolyline(QXPoint* points, int count) override;
    int drawBezier(QXPoint* points, int count) override;
    void drawString(QXString text, QXRect rect, int format) override;
    void drawString(QXString text, int x, int y) override;
    void setPixel(int x, int y, QXColor colour) override;
    void fillPie(int x, int y, int w, int h, int xStart, int yStart, int xEnd, int yEnd) override;
    void fillOval(int x, int y, int w, int h) override;
    void drawFilledRect(int x, int y, int w, int h) override;
    void fillPolygon(QXPoint* points, int count, int alternate) override;
    QXFont* getFont() override;
    int setFont(QXFont* font) override;
    QXColor* getBackground() override;
    QXColor* getForeground() override;
    QXColor* getFillColor() override;
    void setTransparent(int transparent) override;
    void fillRect(QXRect rect) override;
    void clear() override;
    void drawDisabledString(QXString text, int x, int y) override;
    void drawFocusRect(int x, int y, int w, int h, int count) override;
    QXSize getStringSize(QXString text) override;
    int getFontHeight() override;
    void flush(int x, int y, int w, int h) override;

    // The code page of the text the surface is given to draw and measure
    // (CP_ACP, the system's, at first; see NativeText).
    virtual void setTextCodePage(unsigned codePage);
    virtual unsigned getTextCodePage();

    // The window's DPI: drawing takes the toolkit's pixels and fills the
    // back buffer with the window's (the next buffer made, and the present
    // one).
    void setScale(DpiScale scale);
    DpiScale getScale() const { return scale; }

    // The memory context of the back buffer, null without one.
    HDC getMemoryDC() const { return memoryDC; }

private:
    // Fills the rectangle (left, top, right, bottom) with the background colour.
    void fillWithBackground(const RECT& area);

    HWND window;
    HDC memoryDC;
    HBITMAP bitmap;
    QXColor* foreground;
    QXColor* background;
    QXColor* fillColor;
    QXFont* font;
    RECT bufferRect; // in the toolkit's pixels
    DpiScale scale;
    // The memory context's own bitmap, selected back before ours is deleted.
    HGDIOBJ originalBitmap;
    unsigned textCodePage;
};

} // namespace QXSDK
