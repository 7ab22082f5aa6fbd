#include "qxsdk/graphics/PaintFrame.h"

namespace QXSDK {

PaintFrame::PaintFrame(IQXGraphics* paintSurface)
    : surface(retained(paintSurface)), penColour(surface->getForeground()), brushColour(surface->getFillColor()),
      savedPen(penColour ? penColour->getARGB() : 0), savedBrush(brushColour ? brushColour->getARGB() : 0)
{
}

PaintFrame::~PaintFrame()
{
    restoreColours();
    releaseAndClear(penColour);
    releaseAndClear(brushColour);
    surface->release();
}

void PaintFrame::restoreColours()
{
    if (penColour) penColour->setARGB(savedPen);
    if (brushColour) brushColour->setARGB(savedBrush);
}

} // namespace QXSDK
