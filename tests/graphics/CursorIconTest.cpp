#include "qxsdk/graphics/QXCursor.h"
#include "qxsdk/graphics/QXIcon.h"

#include <gtest/gtest.h>

#include <map>

using namespace QXSDK;

TEST(QXCursor, KindsNameStockCursors)
{
    QXCursor cursor;
    EXPECT_EQ(77, cursor.getKind());
    EXPECT_STREQ("QXObject.QXCursor", cursor.getTypeName());
    EXPECT_EQ(0, cursor.getWidth());
    EXPECT_EQ(1, cursor.getPlanes());
    EXPECT_EQ(1, cursor.getBitsPerPixel());
    EXPECT_EQ(nullptr, cursor.getANDMask());
    cursor.setKind(30);
    EXPECT_EQ(30, cursor.getKind());

    const std::map<int, int> table = {{0, 32648},  {12, 32643}, {14, 32642}, {16, 32645}, {22, 32516},
                                      {30, 32515}, {31, 32649}, {52, 32640}, {53, 32646}, {64, 32641},
                                      {68, 32512}, {70, 32644}, {92, 32651}, {150, 32650}, {152, 32513}};
    for (const auto& entry : table) {
        EXPECT_EQ(entry.second, systemCursorId(entry.first)) << entry.first;
        // Each id really names a stock cursor of the system.
        EXPECT_NE(nullptr, LoadCursorA(nullptr, MAKEINTRESOURCEA(systemCursorId(entry.first)))) << entry.first;
    }
    EXPECT_EQ(0, systemCursorId(77));
    EXPECT_EQ(0, systemCursorId(1));
    EXPECT_EQ(0, systemCursorId(-5));
    EXPECT_EQ(nullptr, LoadCursorA(nullptr, MAKEINTRESOURCEA(systemCursorId(78))));
}

TEST(QXIcon, KindsNameStockIconsOrAFile)
{
    QXIcon icon;
    EXPECT_EQ(0, icon.getKind());
    EXPECT_STREQ("QXObject.QXIcon", icon.getTypeName());
    EXPECT_EQ(MAKEINTRESOURCEA(32512), icon.getResourceName());
    EXPECT_EQ(24, icon.getBitsPerPixel());
    const std::map<int, int> table = {{1, 32516}, {5, 32516}, {2, 32513}, {4, 32513}, {3, 32515},
                                      {7, 32515}, {6, 32514}, {8, 32517}};
    for (const auto& entry : table) {
        icon.setKind(entry.first);
        EXPECT_EQ(MAKEINTRESOURCEA(entry.second), icon.getResourceName()) << entry.first;
        EXPECT_NE(nullptr, LoadIconA(nullptr, icon.getResourceName())) << entry.first;
    }
    icon.setKind(10);
    EXPECT_EQ(nullptr, icon.getResourceName());
    icon.setKind(11);
    EXPECT_EQ(nullptr, icon.getResourceName());
    icon.setFileName(QXString("C:\\icons\\vexlo.ico"));
    EXPECT_EQ(9, icon.getKind());
    EXPECT_STREQ("C:\\icons\\vexlo.ico", icon.getResourceName());
}
