#include "qxsdk/graphics/QXColor.h"

namespace QXSDK {

namespace {

unsigned char low8(unsigned int value)
{
    return static_cast<unsigned char>(value & 0xFF);
}

} // namespace

QXColor::QXColor() : QXObject(), red(0), green(0), blue(0), alpha(0)
{
    appendTypeName("QXColor");
}

QXColor::QXColor(const QXColor& other)
    : QXObject(), red(other.red), green(other.green), blue(other.blue), alpha(other.alpha)
{
    appendTypeName("QXColor");
}

QXColor::QXColor(int r, int g, int b, int a)
    : QXObject(), red(low8(r)), green(low8(g)), blue(low8(b)), alpha(low8(a))
{
    appendTypeName("QXColor");
}

int QXColor::getRed() { return red; }
void QXColor::setRed(int value) { red = low8(value); }
int QXColor::getGreen() { return green; }
void QXColor::setGreen(int value) { green = low8(value); }
int QXColor::getBlue() { return blue; }
void QXColor::setBlue(int value) { blue = low8(value); }
int QXColor::getAlpha() { return alpha; }
void QXColor::setAlpha(int value) { alpha = low8(value); }

int QXColor::getARGB()
{
    return static_cast<int>((static_cast<unsigned int>(alpha) << 24) | (red << 16) | (green << 8) | blue);
}

void QXColor::setARGB(int value)
{
    const unsigned int v = static_cast<unsigned int>(value);
    alpha = low8(v >> 24);
    red = low8(v >> 16);
    green = low8(v >> 8);
    blue = low8(v);
}

int QXColor::getValue()
{
    return static_cast<int>(red | (green << 8) | (blue << 16) | (static_cast<unsigned int>(alpha) << 24));
}

void QXColor::setValue(int value)
{
    const unsigned int v = static_cast<unsigned int>(value);
    red = low8(v);
    green = low8(v >> 8);
    blue = low8(v >> 16);
    alpha = low8(v >> 24);
}

int QXColor::getRGB565()
{
    return ((red & 0xF8) << 8) | ((green & 0xFC) << 3) | (blue >> 3);
}

void QXColor::setRGB565(unsigned int value)
{
    red = low8((value >> 8) & 0xF8);
    green = low8((value >> 3) & 0xFC);
    blue = low8(value << 3);
}

int QXColor::getRGB555()
{
    return ((red & 0xF8) << 7) | ((green & 0xF8) << 2) | (blue >> 3);
}

void QXColor::setRGB555(unsigned int value)
{
    red = low8((value >> 7) & 0xF8);
    green = low8((value >> 2) & 0xF8);
    blue = low8(value << 3);
}

} // namespace QXSDK
