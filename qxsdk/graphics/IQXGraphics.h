#pragma once

#include "qxsdk/core/QXObject.h"
#include "qxsdk/core/QXString.h"
#include "qxsdk/graphics/IQXImageSource.h"
#include "qxsdk/graphics/QXColor.h"
#include "qxsdk/graphics/QXFont.h"
#include "qxsdk/graphics/QXPoint.h"
#include "qxsdk/graphics/QXRect.h"
#include "qxsdk/graphics/QXSize.h"

namespace QXSDK {

// The drawing surface handed to every paint handler. Coordinates are pixels
// of the component, origin at its top-left corner; outlines and text use the
// foreground colour, filled shapes the fill colour, fillRect and clear the
// background colour. This base class draws nothing itself except the
// three-dimensional frames, which it builds from getForeground and drawLine.
//
// Ownership: the colour and font getters answer the surface's live object
// with one reference added for the caller, who releases it.
class IQXGraphics : public virtual QXObject {
public:
    // draw3DRect styles.
    static constexpr int kSunken = 1;
    static constexpr int kRaised = 2;
    static constexpr int kEtched = 4;

    IQXGraphics();
    ~IQXGraphics() override;

    // Outline covering columns x..x+w and rows y..y+h.
    virtual void drawRect(int x, int y, int w, int h);
    // Filled rounded rectangle with the given corner ellipse.
    virtual void drawRoundRect(int x, int y, int w, int h, int ellipseWidth, int ellipseHeight);
    // Source rectangle of image stretched into the destination; 1 on success.
    virtual int drawImage(IQXImageSource* image, int sx, int sy, int sw, int sh, int dx, int dy, int dw,
                          int dh);
    // The whole image stretched into the destination.
    virtual int drawImage(IQXImageSource* image, int dx, int dy, int dw, int dh);
    // The whole image 1:1 at (dx, dy).
    virtual int drawImage(IQXImageSource* image, int dx, int dy);
    // As drawImage, leaving out every pixel of the key colour.
    virtual int drawImageTransparent(IQXImageSource* image, int sx, int sy, int sw, int sh, int dx, int dy,
                                     int dw, int dh, QXColor key);
    // Counter-clockwise arc of the bounded ellipse between two radials.
    virtual int drawArc(int x, int y, int w, int h, int xStart, int yStart, int xEnd, int yEnd);
    // Line of the given pen width (none for 0 or less); the end point is not painted.
    virtual void drawLine(int x1, int y1, int x2, int y2, int width);
    virtual void drawOval(int x, int y, int w, int h);
    // Open polyline through count points (an array of QXPoint).
    virtual void drawPolyline(QXPoint* points, int count);
    // Bezier curves through 1 + 3n points; the platform's result.
    virtual int drawBezier(QXPoint* points, int count);
    // Text in a rectangle with the platform's DrawText format flags.
    virtual void drawString(QXString text, QXRect rect, int format);
    // Text with its top-left corner at (x, y).
    virtual void drawString(QXString text, int x, int y);
    virtual void setPixel(int x, int y, QXColor colour);
    virtual void fillPie(int x, int y, int w, int h, int xStart, int yStart, int xEnd, int yEnd);
    virtual void fillOval(int x, int y, int w, int h);
    virtual void drawFilledRect(int x, int y, int w, int h);
    // Closed polygon; alternate fill mode when alternate is nonzero, else winding.
    virtual void fillPolygon(QXPoint* points, int count, int alternate);
    virtual QXFont* getFont();
    // Keeps font (retained); 0 for null.
    virtual int setFont(QXFont* font);
    virtual QXColor* getBackground();
    virtual QXColor* getForeground();
    virtual QXColor* getFillColor();
    // Transparent (nonzero) or opaque text background.
    virtual void setTransparent(int transparent);
    // Fills the rectangle with the background colour.
    virtual void fillRect(QXRect rect);
    // Fills the whole surface with the background colour.
    virtual void clear();
    // Embossed grey text; '&' underlines the next character.
    virtual void drawDisabledString(QXString text, int x, int y);
    // count nested inverting dotted frames; drawing them again restores.
    virtual void drawFocusRect(int x, int y, int w, int h, int count);
    // Extent of text in the font, (0, 0) when it cannot be measured.
    virtual QXSize getStringSize(QXString text);
    // Character-cell height of the surface's current font, -1 when unknown.
    virtual int getFontHeight();
    // Reserved slots; they do nothing.
    virtual void reserved30();
    virtual void reserved31();
    virtual void reserved32();
    virtual void reserved33();
    virtual void reserved34();
    // Sunken (1), raised (2) or etched (4) frame; other styles draw nothing.
    // The foreground colour is the same afterwards.
    virtual void draw3DRect(int x, int y, int w, int h, int style);
    // Copies the area of the surface to the screen at once.
    virtual void flush(int x, int y, int w, int h);
    virtual void drawSunkenRect(int x, int y, int w, int h);
    virtual void drawRaisedRect(int x, int y, int w, int h);
    virtual void drawEtchedRect(int x, int y, int w, int h);
};

} // namespace QXSDK
