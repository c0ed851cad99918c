#include "SortArrow.h"

#include <gtest/gtest.h>

#include <algorithm>

using SortArrow::LinePixels;

namespace {

bool Has(const std::vector<HeaderPoint>& pixels, int x, int y) {
    return std::find(pixels.begin(), pixels.end(), HeaderPoint{x, y}) != pixels.end();
}

} // namespace

TEST(SortArrow, LinesStopShortOfTheirEndPoint) {
    EXPECT_EQ(LinePixels({0, 0}, {3, 0}), (std::vector<HeaderPoint>{{0, 0}, {1, 0}, {2, 0}}));
    EXPECT_EQ(LinePixels({0, 3}, {0, 0}), (std::vector<HeaderPoint>{{0, 3}, {0, 2}, {0, 1}}));
    EXPECT_TRUE(LinePixels({5, 5}, {5, 5}).empty());
}

TEST(SortArrow, SteepLinesStepOnePixelPerRow) {
    EXPECT_EQ(LinePixels({4, 0}, {7, 7}),
              (std::vector<HeaderPoint>{{4, 0}, {4, 1}, {5, 2}, {5, 3}, {6, 4}, {6, 5}, {7, 6}}));
}

TEST(SortArrow, AscendingPointsUpLitFromTheLeft) {
    const SortArrow::Strokes arrow = SortArrow::Outline(10, 20, true);
    EXPECT_TRUE(Has(arrow.light, 14, 20));  // apex, light side
    EXPECT_TRUE(Has(arrow.dark, 13, 20));   // apex, dark side
    EXPECT_TRUE(Has(arrow.light, 17, 27));  // bottom right corner
    EXPECT_TRUE(Has(arrow.light, 11, 27));  // base runs light ...
    EXPECT_FALSE(Has(arrow.light, 10, 27)); // ... up to but not into the bottom left corner
    EXPECT_FALSE(Has(arrow.dark, 10, 27));
    EXPECT_EQ(arrow.light.size(), 14u);
    EXPECT_EQ(arrow.dark.size(), 7u);
}

TEST(SortArrow, DescendingPointsDownWithADarkTopEdge) {
    const SortArrow::Strokes arrow = SortArrow::Outline(0, 0, false);
    EXPECT_TRUE(Has(arrow.light, 4, 7));
    EXPECT_TRUE(Has(arrow.dark, 3, 7));
    EXPECT_FALSE(Has(arrow.light, 7, 0));
    EXPECT_TRUE(Has(arrow.dark, 0, 0));
    EXPECT_TRUE(Has(arrow.dark, 7, 0));
    EXPECT_FALSE(Has(arrow.dark, 8, 0));
    EXPECT_EQ(arrow.light.size(), 7u);
    EXPECT_EQ(arrow.dark.size(), 15u);
}
