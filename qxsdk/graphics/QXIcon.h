#pragma once

#include "qxsdk/core/QXObject.h"
#include "qxsdk/core/QXString.h"

namespace QXSDK {

// A window icon: a stock system icon by kind number, an icon file (kind 9),
// or (kind 10) custom image data that a subclass offers through the getters.
class QXIcon : public virtual QXObject {
public:
    static constexpr int kApplication = 0;
    static constexpr int kFile = 9;
    static constexpr int kCustom = 10;

    QXIcon();
    ~QXIcon() override;

    virtual int getKind();
    virtual void setKind(int kind);
    // Names an icon file to load and makes the kind 9.
    virtual void setFileName(QXString path);
    // The stock icon id (as a resource name) or the file name of the kind;
    // null for custom data and unknown kinds.
    virtual const char* getResourceName();
    virtual int getWidth();
    virtual int getHeight();
    virtual int getPlanes();
    virtual int getBitsPerPixel();
    virtual const void* getANDMask();
    virtual const void* getXORMask();

private:
    int kind;
    QXString fileName;
};

} // namespace QXSDK
