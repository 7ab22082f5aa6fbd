#include "qxsdk/widgets/QXHelper.h"

#include "qxsdk/graphics/PaintFrame.h"

namespace QXSDK {

namespace {

const int kMarginWidth = 4;
const int kMarginHeight = 2;
const int kTextX = 2;
const int kTextY = 1;

} // namespace

QXHelper::QXHelper()
    : QXObject(), QXComponent(), QXDesignComponent(), QXContainer(), QXPopupWindow(), helpText("")
{
    appendTypeName("QXHelper");
    setClassName(QXString("QXHelper"));
    setBackground(QXColor(255, 255, 225));
    setSize(kMarginWidth, kMarginHeight, 0);
    hide();
}

QXHelper::~QXHelper()
{
}

void QXHelper::fitToText()
{
    QXSize extent = getTextExtent(helpText);
    setSize(extent.getWidth() + kMarginWidth, extent.getHeight() + kMarginHeight, 0);
}

void QXHelper::setHelpText(QXString text)
{
    helpText = text;
    fitToText();
}

QXString QXHelper::getHelpText()
{
    return helpText;
}

void QXHelper::windowCreated()
{
    fitToText();
    QXContainer::windowCreated();
}

int QXHelper::paint(QXRect area, IQXGraphics* surface)
{
    if (!surface) return 1;
    PaintFrame frame(surface);
    QXDesignComponent::paint(area, surface);
    surface->setTransparent(1);
    if (QXColor* pen = frame.pen()) {
        QXSize size = getSize();
        pen->setARGB(0);
        surface->drawRect(0, 0, size.getWidth() - 1, size.getHeight() - 1);
        surface->drawString(helpText, kTextX, kTextY);
    }
    return 1;
}

} // namespace QXSDK
