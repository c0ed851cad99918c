#include "HeaderContentLayout.h"

#include <gtest/gtest.h>

using namespace HeaderContentLayout;

namespace {

const Metrics kMetrics{6, 8, 8};

Parts WithText(Justification justification, int textWidth) {
    Parts parts;
    parts.justification = justification;
    parts.textWidth = textWidth;
    return parts;
}

} // namespace

TEST(HeaderContentLayout, ArrowLeftOutWhenLessThanItsWidthRemains) {
    for (Justification justification :
         {Justification::Left, Justification::Right, Justification::Center}) {
        const Placement placement =
            Place(HeaderRect{0, 0, 7, 20}, WithText(justification, 30), true, kMetrics);
        EXPECT_FALSE(placement.arrow);
    }
    // An image can use up the room of a narrow left-aligned item before text and arrow.
    Parts parts = WithText(Justification::Left, 30);
    parts.image = PartSize{16, 16};
    const Placement placement = Place(HeaderRect{0, 0, 25, 20}, parts, true, kMetrics);
    EXPECT_EQ(placement.image, (HeaderRect{0, 2, 16, 18}));
    EXPECT_FALSE(placement.text);
    EXPECT_FALSE(placement.arrow);
}

TEST(HeaderContentLayout, ArrowFitsExactlyInItsOwnWidth) {
    const Placement placement =
        Place(HeaderRect{0, 0, 8, 20}, WithText(Justification::Right, 30), true, kMetrics);
    EXPECT_EQ(placement.arrow, (HeaderRect{0, 5, 8, 13}));
}

TEST(HeaderContentLayout, LeftWithoutTextPutsArrowRightAfterImage) {
    Parts parts;
    parts.image = PartSize{16, 16};
    const Placement placement = Place(HeaderRect{10, 0, 200, 20}, parts, true, kMetrics);
    EXPECT_EQ(placement.image, (HeaderRect{10, 2, 26, 18}));
    EXPECT_FALSE(placement.text);
    EXPECT_EQ(placement.arrow, (HeaderRect{32, 5, 40, 13}));
}

TEST(HeaderContentLayout, LeftPlacesTextThenArrowThenBitmapAtRight) {
    Parts parts = WithText(Justification::Left, 50);
    parts.bitmap = PartSize{20, 10};
    const Placement placement = Place(HeaderRect{10, 0, 200, 20}, parts, true, kMetrics);
    EXPECT_EQ(placement.text, (HeaderRect{10, 0, 186, 20})); // arrow's room held back
    EXPECT_EQ(placement.arrow, (HeaderRect{66, 5, 74, 13}));
    EXPECT_EQ(placement.bitmap, (HeaderRect{180, 5, 200, 15}));
}

TEST(HeaderContentLayout, LeftTextIsCutToItsRoomBeforeTheArrow) {
    const Placement placement =
        Place(HeaderRect{0, 0, 60, 20}, WithText(Justification::Left, 500), true, kMetrics);
    EXPECT_EQ(placement.text, (HeaderRect{0, 0, 46, 20}));
    EXPECT_EQ(placement.arrow, (HeaderRect{52, 5, 60, 13}));
}

TEST(HeaderContentLayout, CenterWithBitmapKeepsArrowBeforeBitmap) {
    Parts parts = WithText(Justification::Center, 40);
    parts.image = PartSize{16, 16};
    parts.bitmap = PartSize{20, 12};
    const Placement sorted = Place(HeaderRect{0, 0, 200, 20}, parts, true, kMetrics);
    EXPECT_EQ(sorted.image, (HeaderRect{0, 2, 16, 18}));
    EXPECT_EQ(sorted.bitmap, (HeaderRect{180, 4, 200, 16}));
    EXPECT_EQ(sorted.arrow, (HeaderRect{166, 5, 174, 13}));
    EXPECT_EQ(sorted.text, (HeaderRect{22, 0, 154, 20}));

    const Placement unsorted = Place(HeaderRect{0, 0, 200, 20}, parts, false, kMetrics);
    EXPECT_FALSE(unsorted.arrow);
    EXPECT_EQ(unsorted.text, (HeaderRect{22, 0, 174, 20}));
}

TEST(HeaderContentLayout, CenterBitmapNeedsRoomLeftForTheArrow) {
    Parts parts = WithText(Justification::Center, 10);
    parts.bitmap = PartSize{30, 12};
    const Placement sorted = Place(HeaderRect{0, 0, 40, 20}, parts, true, kMetrics);
    EXPECT_FALSE(sorted.bitmap);
    EXPECT_EQ(sorted.arrow, (HeaderRect{32, 5, 40, 13}));
    EXPECT_EQ(sorted.text, (HeaderRect{0, 0, 20, 20}));

    const Placement unsorted = Place(HeaderRect{0, 0, 40, 20}, parts, false, kMetrics);
    EXPECT_EQ(unsorted.bitmap, (HeaderRect{10, 4, 40, 16}));
}

TEST(HeaderContentLayout, RightWithBitmapOnRight) {
    Parts parts = WithText(Justification::Right, 40);
    parts.image = PartSize{16, 16};
    parts.bitmap = PartSize{20, 12};
    parts.bitmapOnRight = true;
    const Placement placement = Place(HeaderRect{0, 0, 200, 20}, parts, true, kMetrics);
    EXPECT_EQ(placement.image, (HeaderRect{0, 2, 16, 18}));
    EXPECT_EQ(placement.bitmap, (HeaderRect{180, 4, 200, 16}));
    EXPECT_EQ(placement.arrow, (HeaderRect{166, 5, 174, 13}));
    EXPECT_EQ(placement.text, (HeaderRect{22, 0, 154, 20}));
}

TEST(HeaderContentLayout, RightWithBitmapOnLeft) {
    Parts parts = WithText(Justification::Right, 40);
    parts.image = PartSize{16, 16};
    parts.bitmap = PartSize{20, 12};
    const Placement sorted = Place(HeaderRect{0, 0, 200, 20}, parts, true, kMetrics);
    EXPECT_EQ(sorted.bitmap, (HeaderRect{0, 4, 20, 16}));
    EXPECT_EQ(sorted.image, (HeaderRect{26, 2, 42, 18}));
    EXPECT_EQ(sorted.arrow, (HeaderRect{192, 5, 200, 13}));
    EXPECT_EQ(sorted.text, (HeaderRect{48, 0, 180, 20}));

    const Placement unsorted = Place(HeaderRect{0, 0, 200, 20}, parts, false, kMetrics);
    EXPECT_EQ(unsorted.text, (HeaderRect{48, 0, 200, 20}));
}

TEST(HeaderContentLayout, ArrowBoxTopRoundsDownInShortItems) {
    const Placement placement =
        Place(HeaderRect{0, 10, 50, 16}, WithText(Justification::Left, 5), true, kMetrics);
    EXPECT_EQ(placement.arrow, (HeaderRect{11, 8, 19, 16})); // 10 + floor(-3 / 2)
}

TEST(HeaderContentLayout, NothingFitsInAnEmptyRoom) {
    Parts parts = WithText(Justification::Left, 5);
    parts.image = PartSize{16, 16};
    parts.bitmap = PartSize{4, 4};
    const Placement placement = Place(HeaderRect{30, 0, 30, 20}, parts, true, kMetrics);
    EXPECT_FALSE(placement.image || placement.text || placement.arrow || placement.bitmap);
}
