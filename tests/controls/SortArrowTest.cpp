#include "SortArrow.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The arrow in its 8 x 8 box as text rows, '#' for a drawn pixel.
std::vector<std::string> Picture(int x0, int y0, bool ascending) {
    std::vector<std::string> rows(8, std::string(8, '.'));
    for (const HeaderPoint& pixel : SortArrow::Pixels(x0, y0, ascending)) {
        EXPECT_TRUE(pixel.x >= x0 && pixel.x < x0 + 8 && pixel.y >= y0 && pixel.y < y0 + 8);
        rows.at(pixel.y - y0).at(pixel.x - x0) = '#';
    }
    return rows;
}

} // namespace

TEST(SortArrow, AscendingIsASolidTriangleWithItsTipUp) {
    EXPECT_EQ(Picture(10, 20, true), (std::vector<std::string>{
                                         "........",
                                         "........",
                                         "...##...",
                                         "..####..",
                                         ".######.",
                                         "########",
                                         "........",
                                         "........",
                                     }));
}

TEST(SortArrow, DescendingIsTheSameTriangleWithItsTipDown) {
    EXPECT_EQ(Picture(0, 0, false), (std::vector<std::string>{
                                        "........",
                                        "........",
                                        "########",
                                        ".######.",
                                        "..####..",
                                        "...##...",
                                        "........",
                                        "........",
                                    }));
    EXPECT_EQ(SortArrow::Pixels(0, 0, false).size(), 20u);
}
