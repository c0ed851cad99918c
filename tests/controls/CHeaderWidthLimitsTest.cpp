#include "CHeaderWidthLimits.h"

#include <gtest/gtest.h>

using Limit = CHeaderWidthLimits::Limit;

TEST(CHeaderWidthLimits, RecordsFollowInsertedAndRemovedItems) {
    CHeaderWidthLimits limits;
    limits.Reset(3);
    limits.Set(1, Limit{40, 40});
    limits.Insert(0);
    EXPECT_EQ(limits.Count(), 4);
    EXPECT_EQ(limits.Get(2).minimum, 40);
    EXPECT_EQ(limits.Get(0).maximum, -1);
    limits.Remove(0);
    EXPECT_EQ(limits.Get(1).minimum, 40);
    limits.Remove(1);
    EXPECT_EQ(limits.Count(), 2);
    EXPECT_EQ(limits.Get(1).minimum, 0);
}

TEST(CHeaderWidthLimits, InsertPastTheEndGrowsWithDefaults) {
    CHeaderWidthLimits limits;
    limits.Insert(3);
    EXPECT_EQ(limits.Count(), 4);
    EXPECT_TRUE(limits.Get(3).IsResizable());
    limits.Set(7, Limit{5, 5}); // no record: ignored
    EXPECT_TRUE(limits.Get(7).IsResizable());
    limits.Remove(9);
    EXPECT_EQ(limits.Count(), 4);
}

TEST(CHeaderWidthLimits, EqualLimitsMakeAFixedWidth) {
    EXPECT_TRUE(Limit{}.IsResizable());
    EXPECT_FALSE((Limit{30, 30}.IsResizable()));
    EXPECT_TRUE((Limit{30, 60}.IsResizable()));
}

TEST(CHeaderWidthLimits, DividerIsConfinedByLimitsInForce) {
    const int base = 100; // x at which the column would be 0 wide
    EXPECT_EQ(Limit{}.ConfineX(50, base), 50);
    EXPECT_EQ((Limit{30, -1}.ConfineX(110, base)), 130);
    EXPECT_EQ((Limit{30, -1}.ConfineX(900, base)), 900);
    EXPECT_EQ((Limit{0, 80}.ConfineX(900, base)), 180);
    EXPECT_EQ((Limit{30, 80}.ConfineX(0, base)), 130);
    EXPECT_EQ((Limit{30, 80}.ConfineX(150, base)), 150);
    EXPECT_EQ((Limit{80, 30}.ConfineX(0, base)), 0); // contradictory limits confine nothing
}
