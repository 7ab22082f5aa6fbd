#include "qxsdk/graphics/QXCursor.h"

namespace QXSDK {

QXCursor::QXCursor() : QXObject(), kind(kCustom)
{
    appendTypeName("QXCursor");
}

QXCursor::~QXCursor()
{
}

int QXCursor::getKind() { return kind; }
void QXCursor::setKind(int value) { kind = value; }
int QXCursor::getWidth() { return 0; }
int QXCursor::getHeight() { return 0; }
int QXCursor::getHotSpotX() { return 0; }
int QXCursor::getHotSpotY() { return 0; }
int QXCursor::getPlanes() { return 1; }
int QXCursor::getBitsPerPixel() { return 1; }
const void* QXCursor::getANDMask() { return nullptr; }
const void* QXCursor::getXORMask() { return nullptr; }

int systemCursorId(int kind)
{
    switch (kind) {
    case QXCursor::kNotAllowed: return 32648;  // IDC_NO
    case QXCursor::kSizeNESW: return 32643;    // IDC_SIZENESW
    case QXCursor::kSizeNWSE: return 32642;    // IDC_SIZENWSE
    case QXCursor::kSizeNS: return 32645;      // IDC_SIZENS
    case QXCursor::kUpArrow: return 32516;     // IDC_UPARROW
    case QXCursor::kCross: return 32515;       // IDC_CROSS
    case QXCursor::kHand: return 32649;        // IDC_HAND
    case QXCursor::kSize: return 32640;        // IDC_SIZE
    case QXCursor::kSizeAll: return 32646;     // IDC_SIZEALL
    case QXCursor::kIcon: return 32641;        // IDC_ICON
    case QXCursor::kArrow: return 32512;       // IDC_ARROW
    case QXCursor::kSizeWE: return 32644;      // IDC_SIZEWE
    case QXCursor::kHelp: return 32651;        // IDC_HELP
    case QXCursor::kAppStarting: return 32650; // IDC_APPSTARTING
    case QXCursor::kIBeam: return 32513;       // IDC_IBEAM
    // Kind 78 answers a number that names no stock cursor: loading it fails.
    case 78: return 12;
    default: return 0;
    }
}

} // namespace QXSDK
