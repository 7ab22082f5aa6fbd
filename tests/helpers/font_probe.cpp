// Reports what setPointSize(N) stores at the screen's resolution, as the exit
// code dpi * 1000 + height * 10 + (1 when the point size was stored).
#include "qxsdk/graphics/ImplQXFont.h"
#include "qxsdk/graphics/QXFont.h"

#include <cstdlib>

int main(int argc, char** argv)
{
    const int points = argc > 1 ? std::atoi(argv[1]) : 9;
    QXSDK::QXFont font;
    font.setPointSize(points);
    return QXSDK::screenPixelsPerInchY() * 1000 + font.getHeight() * 10 + (font.getPointSize() == points ? 1 : 0);
}
