#pragma once

#include "qxsdk/graphics/IQXGraphics.h"
#include "qxsdk/graphics/QXColor.h"

namespace QXSDK {

// The frame of a paint handler that changes the surface's colours: holds a
// reference on the surface for the call, takes its pen (foreground) and
// brush (fill) colour objects and saves both colours; leaving the scope
// puts both colours back and releases the colour objects and the surface.
class PaintFrame {
public:
    // surface must not be null.
    explicit PaintFrame(IQXGraphics* surface);
    ~PaintFrame();
    PaintFrame(const PaintFrame&) = delete;
    PaintFrame& operator=(const PaintFrame&) = delete;

    // The surface's pen and brush colours, to change while painting; null
    // when the surface has none.
    QXColor* pen() const { return penColour; }
    QXColor* brush() const { return brushColour; }
    // Puts the saved colours back now (the frame's end does it again).
    void restoreColours();

private:
    IQXGraphics* surface;
    QXColor* penColour;
    QXColor* brushColour;
    int savedPen;
    int savedBrush;
};

} // namespace QXSDK
