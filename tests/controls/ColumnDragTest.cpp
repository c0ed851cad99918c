#include "ColumnDrag.h"

#include <gtest/gtest.h>

using namespace ColumnDrag;

namespace {

// Four columns a, b, c, d, each 100 pixels wide.
const std::vector<HeaderSpan> kFour{{0, 100}, {100, 200}, {200, 300}, {300, 400}};

} // namespace

TEST(ColumnDrag, ThresholdBoxIncludesLeftAndTopEdgesOnly) {
    const HeaderPoint press{10, 10};
    EXPECT_FALSE(IsPastDragThreshold(press, {6, 6}, 4, 4));
    EXPECT_FALSE(IsPastDragThreshold(press, {13, 13}, 4, 4));
    EXPECT_TRUE(IsPastDragThreshold(press, {14, 10}, 4, 4));
    EXPECT_TRUE(IsPastDragThreshold(press, {10, 14}, 4, 4));
    EXPECT_TRUE(IsPastDragThreshold(press, {5, 10}, 4, 4));
    EXPECT_TRUE(IsPastDragThreshold(press, {10, 5}, 4, 4));
}

TEST(ColumnDrag, SlotIsBeforeOrAfterTheItemByItsMiddle) {
    EXPECT_EQ(SlotAt(kFour, 0), 0);
    EXPECT_EQ(SlotAt(kFour, 50), 0); // the middle itself still counts as the left half
    EXPECT_EQ(SlotAt(kFour, 51), 1);
    EXPECT_EQ(SlotAt(kFour, 100), 1);
    EXPECT_EQ(SlotAt(kFour, 251), 3);
    EXPECT_EQ(SlotAt(kFour, 399), 4);
    EXPECT_EQ(SlotAt(kFour, 400), -1);
    EXPECT_EQ(SlotAt(kFour, -1), -1);
    EXPECT_EQ(SlotAt({}, 10), -1);
}

TEST(ColumnDrag, HiddenItemsAreNeverHit) {
    const std::vector<HeaderSpan> spans{{0, 100}, {100, 100}, {100, 200}};
    EXPECT_EQ(SlotAt(spans, 100), 2);
}

TEST(ColumnDrag, DraggedItemsOwnHalvesGiveNoSlot) {
    EXPECT_EQ(DropSlotAt(kFour, 110, 1), -1);
    EXPECT_EQ(DropSlotAt(kFour, 190, 1), -1);
    EXPECT_EQ(DropSlotAt(kFour, 90, 1), -1);  // right half of the item before: same slot
    EXPECT_EQ(DropSlotAt(kFour, 210, 1), -1); // left half of the item after: same slot
    EXPECT_EQ(DropSlotAt(kFour, 10, 1), 0);
    EXPECT_EQ(DropSlotAt(kFour, 290, 1), 3);
}

TEST(ColumnDrag, DroppedItemLandsWhereTheSlotWas) {
    // [a, b, c, d]: a onto the right half of d gives [b, c, d, a].
    EXPECT_EQ(DestinationOrder(0, DropSlotAt(kFour, 390, 0)), 3);
    // c onto the left half of a gives [c, a, b, d].
    EXPECT_EQ(DestinationOrder(2, DropSlotAt(kFour, 10, 2)), 0);
    EXPECT_EQ(DestinationOrder(1, 3), 2);
}

TEST(ColumnDrag, MarkerStandsLeftOfTheFollowingItemOrRightOfTheLast) {
    EXPECT_EQ(MarkerX(kFour, 0), -1);
    EXPECT_EQ(MarkerX(kFour, 2), 199);
    EXPECT_EQ(MarkerX(kFour, 4), 400);
    EXPECT_EQ(MarkerX(kFour, 9), 400);
}

TEST(ColumnDrag, MarkerTrianglesPointIntoTheHeader) {
    const std::array<Triangle, 2> triangles = MarkerTriangles(100, 20);
    EXPECT_EQ(triangles[0],
              (Triangle{HeaderPoint{96, 0}, HeaderPoint{100, 4}, HeaderPoint{104, 0}}));
    EXPECT_EQ(triangles[1],
              (Triangle{HeaderPoint{96, 19}, HeaderPoint{100, 15}, HeaderPoint{104, 19}}));
}
