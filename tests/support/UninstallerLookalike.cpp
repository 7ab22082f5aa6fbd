#include "tests/support/UninstallerLookalike.h"

#include "qxsdk/graphics/ComponentGraphics.h"
#include "qxsdk/graphics/QXFont.h"
#include "tests/support/TestWindow.h"

namespace testsupport {

namespace {

// The back buffer of a component, as its next flush would show it.
Pixels backBufferOf(QXSDK::QXComponent& component)
{
    QXSDK::Released<QXSDK::IQXGraphics> graphics(component.getGraphics());
    const auto* surface = dynamic_cast<QXSDK::ComponentGraphics*>(graphics.get());
    QXSDK::QXSize size = component.getSize();
    return surface ? Pixels::read(surface->getMemoryDC(), 0, 0, size.getWidth(), size.getHeight()) : Pixels();
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
    button->setCaption(QXSDK::QXString(caption.c_str()));
    return backBufferOf(*button);
}

} // namespace testsupport
