#pragma once

#include "qxsdk/core/QXObject.h"

namespace QXSDK {

// A colour of four 8-bit channels stored as red, green, blue, alpha, so that
// getValue() is the platform's colour reference (0x00BBGGRR) when alpha is 0.
// Setters keep the low 8 bits of their argument.
class QXColor : public virtual QXObject {
public:
    // Black, alpha 0.
    QXColor();
    QXColor(const QXColor& other);
    QXColor(int red, int green, int blue, int alpha = 0);
    // Copies the value; the object keeps its own identity.
    QXColor& operator=(const QXColor& other) = default;
    ~QXColor() override = default;

    virtual int getRed();
    virtual void setRed(int value);
    virtual int getGreen();
    virtual void setGreen(int value);
    virtual int getBlue();
    virtual void setBlue(int value);
    virtual int getAlpha();
    virtual void setAlpha(int value);
    // 0xAARRGGBB.
    virtual int getARGB();
    virtual void setARGB(int value);
    // 0xAABBGGRR: the stored bytes in order, the platform's colour reference.
    virtual int getValue();
    virtual void setValue(int value);
    // 16-bit 5-6-5 form; the setter leaves alpha and the lost low bits 0.
    virtual int getRGB565();
    virtual void setRGB565(unsigned int value);
    // 15-bit 5-5-5 form; the setter leaves alpha and the lost low bits 0.
    virtual int getRGB555();
    virtual void setRGB555(unsigned int value);

private:
    unsigned char red;
    unsigned char green;
    unsigned char blue;
    unsigned char alpha;
};

} // namespace QXSDK
