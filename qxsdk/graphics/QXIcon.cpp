#include "qxsdk/graphics/QXIcon.h"

namespace QXSDK {

QXIcon::QXIcon() : QXObject(), kind(kApplication), fileName("")
{
    appendTypeName("QXIcon");
}

QXIcon::~QXIcon()
{
}

int QXIcon::getKind() { return kind; }
void QXIcon::setKind(int value) { kind = value; }

void QXIcon::setFileName(QXString path)
{
    fileName = path;
    kind = kFile;
}

const char* QXIcon::getResourceName()
{
    switch (kind) {
    case 0: return MAKEINTRESOURCEA(32512);         // IDI_APPLICATION
    case 1: case 5: return MAKEINTRESOURCEA(32516); // IDI_INFORMATION
    case 2: case 4: return MAKEINTRESOURCEA(32513); // IDI_ERROR
    case 3: case 7: return MAKEINTRESOURCEA(32515); // IDI_WARNING
    case 6: return MAKEINTRESOURCEA(32514);         // IDI_QUESTION
    case 8: return MAKEINTRESOURCEA(32517);         // IDI_WINLOGO
    case kFile: return fileName.getData();
    default: return nullptr;
    }
}

int QXIcon::getWidth() { return 0; }
int QXIcon::getHeight() { return 0; }
int QXIcon::getPlanes() { return 1; }
int QXIcon::getBitsPerPixel() { return 24; }
const void* QXIcon::getANDMask() { return nullptr; }
const void* QXIcon::getXORMask() { return nullptr; }

} // namespace QXSDK
