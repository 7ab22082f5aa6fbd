#pragma once

#include "qxsdk/core/QXObject.h"

namespace QXSDK {

// A mouse cursor: one of the system's stock shapes by kind number, or (kind
// 77) custom image data that a subclass offers through the getters.
class QXCursor : public virtual QXObject {
public:
    static constexpr int kNotAllowed = 0;
    static constexpr int kSizeNESW = 12;
    static constexpr int kSizeNWSE = 14;
    static constexpr int kSizeNS = 16;
    static constexpr int kUpArrow = 22;
    static constexpr int kCross = 30;
    static constexpr int kHand = 31;
    static constexpr int kSize = 52;
    static constexpr int kSizeAll = 53;
    static constexpr int kIcon = 64;
    static constexpr int kArrow = 68;
    static constexpr int kSizeWE = 70;
    static constexpr int kCustom = 77;
    static constexpr int kHelp = 92;
    static constexpr int kAppStarting = 150;
    static constexpr int kIBeam = 152;

    QXCursor();
    ~QXCursor() override;

    virtual int getKind();
    virtual void setKind(int kind);
    virtual int getWidth();
    virtual int getHeight();
    virtual int getHotSpotX();
    virtual int getHotSpotY();
    virtual int getPlanes();
    virtual int getBitsPerPixel();
    virtual const void* getANDMask();
    virtual const void* getXORMask();

private:
    int kind;
};

// The stock cursor id (IDC_*) of a cursor kind; 0 for custom data and for
// kinds that name none.
int systemCursorId(int kind);

} // namespace QXSDK
