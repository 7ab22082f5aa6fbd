#include "qxsdk/graphics/QXColor.h"
#include "qxsdk/graphics/QXPoint.h"
#include "qxsdk/graphics/QXRect.h"
#include "qxsdk/graphics/QXSize.h"

#include <gtest/gtest.h>

using namespace QXSDK;

TEST(QXColor, PackedFormsOfOneColour)
{
    QXColor colour;
    EXPECT_EQ(0, colour.getValue());
    colour.setRed(0x12);
    colour.setGreen(0x34);
    colour.setBlue(0x56);
    colour.setAlpha(0x78);
    EXPECT_EQ(0x78123456, colour.getARGB());
    EXPECT_EQ(0x78563412, colour.getValue());
    EXPECT_STREQ("QXObject.QXColor", colour.getTypeName());

    colour.setARGB(static_cast<int>(0x80C0D0E0u));
    EXPECT_EQ(0x80, colour.getAlpha());
    EXPECT_EQ(0xC0, colour.getRed());
    EXPECT_EQ(0xD0, colour.getGreen());
    EXPECT_EQ(0xE0, colour.getBlue());
    colour.setValue(0x00FF8040);
    EXPECT_EQ(0x40, colour.getRed());
    EXPECT_EQ(0x80, colour.getGreen());
    EXPECT_EQ(0xFF, colour.getBlue());
    EXPECT_EQ(0, colour.getAlpha());
    EXPECT_EQ(static_cast<int>(RGB(0x40, 0x80, 0xFF)), colour.getValue()); // the platform's layout

    colour.setRed(0x1AB); // low 8 bits only
    EXPECT_EQ(0xAB, colour.getRed());
}

TEST(QXColor, SixteenBitFormsDropLowBits)
{
    QXColor colour;
    colour.setAlpha(0x55);
    colour.setRGB565(0xFFFF);
    EXPECT_EQ(0xF8, colour.getRed());
    EXPECT_EQ(0xFC, colour.getGreen());
    EXPECT_EQ(0xF8, colour.getBlue());
    EXPECT_EQ(0x55, colour.getAlpha());
    EXPECT_EQ(0xFFFF, colour.getRGB565());

    colour.setRGB555(0x7FFF);
    EXPECT_EQ(0xF8, colour.getRed());
    EXPECT_EQ(0xF8, colour.getGreen());
    EXPECT_EQ(0xF8, colour.getBlue());
    EXPECT_EQ(0x7FFF, colour.getRGB555());

    QXColor odd(0x17, 0x2F, 0x0F);
    EXPECT_EQ((0x10 << 8) | (0x2C << 3) | (0x0F >> 3), odd.getRGB565());
    EXPECT_EQ((0x10 << 7) | (0x28 << 2) | (0x0F >> 3), odd.getRGB555());
    odd.setRGB565(0x0841); // one step of each channel
    EXPECT_EQ(0x08, odd.getRed());
    EXPECT_EQ(0x08, odd.getGreen());
    EXPECT_EQ(0x08, odd.getBlue());
}

TEST(Geometry, PointsAndSizes)
{
    QXPoint point(10, 10);
    point.translate(-5, 3);
    EXPECT_EQ(5, point.getX());
    EXPECT_EQ(13, point.getY());
    point.setLocation(-1, -2);
    QXPoint copy(point);
    EXPECT_EQ(-1, copy.getX());
    EXPECT_EQ(-2, copy.getY());
    EXPECT_STREQ("QXObject.QXPoint", copy.getTypeName());

    QXSize size;
    EXPECT_EQ(0, size.getWidth());
    size.setSize(-3, 4); // no sign check
    EXPECT_EQ(-3, size.getWidth());
    EXPECT_STREQ("QXObject.QXSize", size.getTypeName());
}

TEST(Geometry, RectangleHandsOutIndependentRetainedCopies)
{
    QXRect rect(1, 2, 30, 40);
    EXPECT_STREQ("QXObject.QXRect", rect.getTypeName());
    QXSize* size = rect.getSize();
    QXPoint* location = rect.getLocation();
    ASSERT_NE(nullptr, size);
    ASSERT_NE(nullptr, location);
    rect.setSize(5, 6);
    rect.setLocation(7, 8);
    EXPECT_EQ(30, size->getWidth());
    EXPECT_EQ(40, size->getHeight());
    EXPECT_EQ(1, location->getX());
    EXPECT_EQ(2, location->getY());
    EXPECT_EQ(0, size->release()); // came with one reference
    EXPECT_EQ(0, location->release());
}

TEST(Geometry, RectangleCopiesFromRetainedArguments)
{
    QXRect rect(0, 0, 0, 0);
    QXPoint* point = new QXPoint(3, 4);
    QXSize* size = new QXSize(50, 60);
    point->retain();
    size->retain();
    rect.setLocation(point);
    rect.setSize(size);
    EXPECT_EQ(3, rect.getX());
    EXPECT_EQ(4, rect.getY());
    EXPECT_EQ(50, rect.getWidth());
    EXPECT_EQ(60, rect.getHeight());
    // The caller's reference survived the operation's retain and release.
    EXPECT_EQ(2, point->retain());
    EXPECT_EQ(2, size->retain());
    for (QXObject* object : {static_cast<QXObject*>(point), static_cast<QXObject*>(size)}) {
        object->release();
        object->release();
    }
    rect.setX(-1);
    rect.setY(-2);
    rect.setWidth(9);
    rect.setHeight(8);
    QXRect copy(rect);
    EXPECT_EQ(-1, copy.getX());
    EXPECT_EQ(-2, copy.getY());
    EXPECT_EQ(9, copy.getWidth());
    EXPECT_EQ(8, copy.getHeight());
}
