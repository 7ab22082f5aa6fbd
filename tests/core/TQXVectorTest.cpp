#include "qxsdk/core/TQXVector.h"

#include <gtest/gtest.h>

using namespace QXSDK;

TEST(TQXVector, GrowsByTenAndNeverShrinks)
{
    int values[25];
    TQXVector<void*> vector;
    EXPECT_EQ(10, vector.getCapacity());
    for (int i = 0; i < 10; ++i) vector.append(&values[i]);
    EXPECT_EQ(10, vector.getCapacity());
    vector.append(&values[10]);
    EXPECT_EQ(20, vector.getCapacity());
    EXPECT_EQ(11, vector.getCount());
    for (int i = 0; i < 11; ++i) EXPECT_EQ(&values[i], vector.getAt(i));
    vector.removeAll();
    EXPECT_EQ(0, vector.getCount());
    EXPECT_EQ(20, vector.getCapacity());
    EXPECT_STREQ("QXObject.TQXVector", vector.getTypeName());
}

TEST(TQXVector, OutOfRangeIndexGivesNull)
{
    int a;
    TQXVector<void*> vector;
    vector.append(&a);
    EXPECT_EQ(nullptr, vector.getAt(-1));
    EXPECT_EQ(nullptr, vector.getAt(1));
}

TEST(TQXVector, RemoveTakesTheFirstOccurrenceAndKeepsOrder)
{
    int a, b, c;
    TQXVector<void*> vector;
    for (void* p : {static_cast<void*>(&a), static_cast<void*>(&b), static_cast<void*>(&c),
                    static_cast<void*>(&b)})
        vector.append(p);
    vector.remove(&b);
    ASSERT_EQ(3, vector.getCount());
    EXPECT_EQ(&a, vector.getAt(0));
    EXPECT_EQ(&c, vector.getAt(1));
    EXPECT_EQ(&b, vector.getAt(2));
    EXPECT_EQ(2, vector.indexOf(&b));
    int absent;
    vector.remove(&absent);
    EXPECT_EQ(3, vector.getCount());
    EXPECT_EQ(-1, vector.indexOf(&absent));
}

TEST(TQXVector, CloneCopiesThePointersInOrder)
{
    int values[12];
    TQXVector<void*> vector;
    for (int& v : values) vector.append(&v);
    auto* copy = dynamic_cast<TQXVector<void*>*>(vector.clone());
    ASSERT_NE(nullptr, copy);
    ASSERT_EQ(12, copy->getCount());
    for (int i = 0; i < 12; ++i) EXPECT_EQ(&values[i], copy->getAt(i));
    EXPECT_EQ(0, copy->release());
}
