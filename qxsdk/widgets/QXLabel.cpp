#include "qxsdk/widgets/QXLabel.h"

#include <oleacc.h>

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
    const bool changed = !caption.equals(text.getData());
    caption = text;
    update();
    if (changed) accessibleChanged(EVENT_OBJECT_NAMECHANGE);
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

int QXLabel::getAccessibleRole() { return ROLE_SYSTEM_STATICTEXT; }
QXString QXLabel::getAccessibleName() { return caption; }
int QXLabel::getAccessibleState() { return QXDesignComponent::getAccessibleState() | STATE_SYSTEM_READONLY; }

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
