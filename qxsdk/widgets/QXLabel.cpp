#include "qxsdk/widgets/QXLabel.h"

namespace QXSDK {

QXLabel::QXLabel() : QXObject(), QXComponent(), QXDesignComponent(), caption(""), alignment(kLeft)
{
    appendTypeName("QXLabel");
    setClassName(QXString("QXLabel"));
}

QXLabel::~QXLabel()
{
}

void QXLabel::setCaption(QXString text)
{
    caption = text;
    update();
}

QXString QXLabel::getCaption()
{
    return caption;
}

void QXLabel::setAlignment(int value)
{
    alignment = value;
}

int QXLabel::getAlignment()
{
    return alignment;
}

int QXLabel::paint(QXRect area, IQXGraphics* surface)
{
    if (!surface) return 1;
    surface->retain();
    QXComponent::paint(area, surface);
    surface->setTransparent(1);
    QXSize size = getSize();
    int format;
    switch (alignment) {
    case kLeft: format = DT_SINGLELINE; break;
    case kRight: format = DT_SINGLELINE | DT_RIGHT; break;
    case kCentre: format = DT_SINGLELINE | DT_CENTER; break;
    default: format = 0; break;
    }
    surface->drawString(caption, QXRect(0, 0, size.getWidth(), size.getHeight()), format);
    if (designMode) QXDesignComponent::paint(area, surface);
    surface->release();
    return 1;
}

} // namespace QXSDK
