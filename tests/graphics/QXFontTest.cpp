#include "qxsdk/core/ScopedWin32.h"
#include "qxsdk/graphics/QXFont.h"
#include "tests/support/QXStringPrinting.h"

#include <gtest/gtest.h>

#include <string>

using namespace QXSDK;

namespace {

int screenDpi()
{
    return GetDeviceCaps(WindowDC(GetDesktopWindow()).get(), LOGPIXELSY);
}


} // namespace

TEST(QXFont, HeightAndWidthReadAsAbsoluteValues)
{
    QXFont font;
    EXPECT_STREQ("QXObject.QXFont", font.getTypeName());
    EXPECT_EQ(9, font.getPointSize());
    EXPECT_EQ("", font.getFaceName());
    font.setHeight(-16);
    EXPECT_EQ(16, font.getHeight());
    font.setHeight(16);
    EXPECT_EQ(16, font.getHeight());
    font.setWidth(-7);
    EXPECT_EQ(7, font.getWidth());
    font.setWeight(700);
    font.setItalic(1);
    font.setUnderline(1);
    font.setStrikeOut(1);
    EXPECT_EQ(700, font.getWeight());
    EXPECT_EQ(1, font.getItalic());
    EXPECT_EQ(1, font.getUnderline());
    EXPECT_EQ(1, font.getStrikeOut());
    EXPECT_EQ(0, font.reserved15());
}

TEST(QXFont, CreateFontIsTwelvePointsAtTheScreensResolution)
{
    ASSERT_EQ(96, screenDpi()) << "Wine's default resolution";
    Released<QXFont> font(createFont(QXString("Arial")));
    ASSERT_NE(nullptr, font.get());
    EXPECT_EQ("Arial", font->getFaceName());
    EXPECT_EQ(16, font->getHeight()); // stored as -16: 12 points at 96 dots per inch
    EXPECT_EQ(0, font->getWidth());
    EXPECT_EQ(400, font->getWeight());
    EXPECT_EQ(0, font->getItalic());
    EXPECT_EQ(0, font->getUnderline());
    EXPECT_EQ(0, font->getStrikeOut());
    EXPECT_EQ(9, font->getPointSize()); // untouched by the factory
    EXPECT_EQ(2, font->retain());       // came with one reference
    font->release();

    EXPECT_EQ(1, font->setPointSize(9));
    EXPECT_EQ(12, font->getHeight());
    EXPECT_EQ(1, font->setPointSize(20));
    EXPECT_EQ(27, font->getHeight());
    EXPECT_EQ(20, font->getPointSize());
}

TEST(QXFont, SystemFontIsTheDesktopsFace)
{
    char face[256] = {};
    GetTextFaceA(WindowDC(GetDesktopWindow()).get(), sizeof face, face);
    Released<QXFont> font(createSystemFont());
    ASSERT_NE(nullptr, font.get());
    EXPECT_EQ(std::string(face).c_str(), font->getFaceName());
    EXPECT_EQ(16, font->getHeight());
}

TEST(QXFont, EqualityIgnoresSignsAndPointSizeButNotCase)
{
    QXFont a, b;
    b.setPointSize(20); // sets the height too: set before the height below
    for (QXFont* f : {&a, &b}) {
        f->setFaceName(QXString("Arial"));
        f->setWeight(400);
    }
    a.setHeight(-16);
    b.setHeight(16);
    a.setWidth(-5);
    b.setWidth(5);
    EXPECT_EQ(1, a.equals(&b));
    EXPECT_EQ(1, b.equals(&a));
    EXPECT_EQ(0, a.equals(nullptr));

    b.setFaceName(QXString("arial"));
    EXPECT_EQ(0, a.equals(&b));
    b.setFaceName(QXString("Arial"));
    for (int attribute = 0; attribute < 5; ++attribute) {
        QXFont c;
        c.setFaceName(QXString("Arial"));
        c.setWeight(400);
        c.setHeight(16);
        c.setWidth(5);
        switch (attribute) {
        case 0: c.setHeight(17); break;
        case 1: c.setWeight(700); break;
        case 2: c.setItalic(1); break;
        case 3: c.setUnderline(1); break;
        case 4: c.setStrikeOut(1); break;
        }
        EXPECT_EQ(0, a.equals(&c)) << attribute;
    }
}
