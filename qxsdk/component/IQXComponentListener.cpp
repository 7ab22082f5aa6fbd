#include "qxsdk/component/IQXComponentListener.h"

namespace QXSDK {

IQXComponentListener::IQXComponentListener() : QXObject()
{
}

IQXComponentListener::~IQXComponentListener()
{
}

int IQXComponentListener::onPaint(QXObject*, QXRect, IQXGraphics*)
{
    return 1;
}

int IQXComponentListener::onPaintFrame(QXObject*, QXRect, IQXGraphics*)
{
    return 1;
}

int IQXComponentListener::onMousePressed(QXObject*, QXPoint)
{
    return 1;
}

int IQXComponentListener::onMouseReleased(QXObject*, QXPoint)
{
    return 1;
}

int IQXComponentListener::onMouseDoubleClicked(QXObject*, QXPoint)
{
    return 1;
}

int IQXComponentListener::onRightMousePressed(QXObject*, QXPoint)
{
    return 1;
}

int IQXComponentListener::onRightMouseReleased(QXObject*, QXPoint)
{
    return 1;
}

int IQXComponentListener::onRightMouseDoubleClicked(QXObject*, QXPoint)
{
    return 1;
}

int IQXComponentListener::onMouseMoved(QXObject*, QXPoint)
{
    return 1;
}

int IQXComponentListener::onFocusGained(QXObject*)
{
    return 1;
}

int IQXComponentListener::onFocusLost(QXObject*)
{
    return 1;
}

int IQXComponentListener::onCursorRequested(QXObject*)
{
    return 1;
}

int IQXComponentListener::onKeyTyped(QXObject*, int, int)
{
    return 1;
}

int IQXComponentListener::onKeyPressed(QXObject*, int, int)
{
    return 1;
}

int IQXComponentListener::onKeyReleased(QXObject*, int, int)
{
    return 1;
}

int IQXComponentListener::onAreaEvent(QXObject*, QXRect, void*)
{
    return 1;
}

int IQXComponentListener::onResized(QXObject*, int, unsigned short, unsigned short)
{
    return 1;
}

int IQXComponentListener::onMoved(QXObject*, QXPoint)
{
    return 1;
}

int IQXComponentListener::onClosing(QXObject*)
{
    return 1;
}

int IQXComponentListener::onVisibilityChanged(QXObject*, int, int)
{
    return 1;
}

int IQXComponentListener::onDestroyed(QXObject*)
{
    return 1;
}

int IQXComponentListener::onActivated(QXObject*, int, int)
{
    return 1;
}

int IQXComponentListener::onCreated(QXObject*)
{
    return 1;
}

int IQXComponentListener::onTimer(QXObject*)
{
    return 1;
}

int IQXComponentListener::onMouseActivated(QXObject*)
{
    return 1;
}

int IQXComponentListener::onCommand(QXObject*, int, int, int)
{
    return 1;
}

int IQXComponentListener::onMessage(QXObject*, int, int, int)
{
    return 1;
}

int IQXComponentListener::onMouseExited(QXObject*)
{
    return 1;
}

int IQXComponentListener::onMouseEntered(QXObject*)
{
    return 1;
}

int IQXComponentListener::onMouseHovered(QXObject*, QXPoint)
{
    return 1;
}

int IQXComponentListener::onFilesDropped(QXObject*, TQXList<QXString>)
{
    return 1;
}

int IQXComponentListener::onHotKey(QXObject*, int, int, int)
{
    return 1;
}

} // namespace QXSDK
