#include "tests/support/UninstallerLookalike.h"

#include "qxsdk/core/ScopedWin32.h"
#include "qxsdk/graphics/ComponentGraphics.h"
#include "qxsdk/graphics/QXFont.h"
#include "tests/support/TestWindow.h"

namespace testsupport {

namespace {

// The back buffer of a component, as its next flush would show it: in the
// window's own pixels at any display scaling.
Pixels backBufferOf(QXSDK::QXComponent& component)
{
    QXSDK::Released<QXSDK::IQXGraphics> graphics(component.getGraphics());
    const auto* surface = dynamic_cast<QXSDK::ComponentGraphics*>(graphics.get());
    if (!surface) return Pixels();
    QXSDK::QXSize size = component.getSize();
    QXSDK::SavedDCState state(surface->getMemoryDC());
    SetMapMode(surface->getMemoryDC(), MM_TEXT);
    return Pixels::read(surface->getMemoryDC(), 0, 0, surface->getScale().toDevice(size.getWidth()),
                        surface->getScale().toDevice(size.getHeight()));
}

} // namespace

UninstallerLookalike::UninstallerLookalike(int x, int y, int maximum)
    : window(new QXSDK::QXContainer()), statusLine(new QXSDK::QXLabel()), progressGauge(new QXSDK::QXGuage()),
      button(new QXSDK::QXButton(QXSDK::QXString("")))
{
    window->retain();
    window->setInheritedFlag(0);
    QXSDK::Released<QXSDK::QXFont> font(QXSDK::createFont(QXSDK::QXString("Arial")));
    window->setFont(font.get());
    statusLine->setBounds(10, 8, 475, 21, 0);
    progressGauge->setBounds(10, 30, 475, 20, 0);
    progressGauge->setShowPercentage(1);
    button->setBounds(160, 55, 175, 20, 0);
    window->add(statusLine);
    window->add(progressGauge);
    window->add(button);
    createPopup(*window, x, y, 502, 116);
    progressGauge->setMaximum(maximum);
}

UninstallerLookalike::~UninstallerLookalike()
{
    window->destroyWindow();
    window->release();
}

Pixels UninstallerLookalike::statusShowing(const std::string& caption)
{
    statusLine->setCaption(QXSDK::QXString(caption.c_str()));
    return backBufferOf(*statusLine);
}

Pixels UninstallerLookalike::gaugeShowing(int value)
{
    progressGauge->setValue(value);
    return backBufferOf(*progressGauge);
}

Pixels UninstallerLookalike::buttonShowing(const std::string& caption, int codePage, bool enabled)
{
    button->setTextCodePage(codePage);
    if (enabled) button->enable();
    else button->disable();
    // Its look with the focus, without taking the focus from whoever has it.
    if (enabled) button->focusGained();
    else button->focusLost();
    button->setCaption(QXSDK::QXString(caption.c_str()));
    return backBufferOf(*button);
}

} // namespace testsupport
