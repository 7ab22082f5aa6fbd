#include "qxsdk/component/IQXCaret.h"

namespace QXSDK {

namespace {

const int kDefaultWidth = 1;
const int kDefaultHeight = 16;

} // namespace

IQXCaret::IQXCaret() : QXObject(), width(kDefaultWidth), height(kDefaultHeight), attachment(nullptr)
{
    appendTypeName("IQXCaret");
}

IQXCaret::~IQXCaret()
{
    if (attachment) attachment->release();
}

int IQXCaret::getWidth() { return width; }
int IQXCaret::getHeight() { return height; }

QXObject* IQXCaret::getAttachment()
{
    return retained(attachment);
}

void IQXCaret::setWidth(int value) { width = value; }
void IQXCaret::setHeight(int value) { height = value; }

void IQXCaret::setAttachment(QXObject* object)
{
    assignRetained(attachment, object);
}

int IQXCaret::createCaret() { return 0; }
int IQXCaret::showCaret() { return 0; }
int IQXCaret::hideCaret() { return 0; }
int IQXCaret::setCaretPosition(int, int) { return 0; }
int IQXCaret::destroyCaret() { return 0; }
int IQXCaret::setBlinkTime(int) { return 0; }
int IQXCaret::getBlinkTime() { return 0; }

} // namespace QXSDK
