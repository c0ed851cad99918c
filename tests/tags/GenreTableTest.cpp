#include "GenreTable.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

TEST(GenreTable, HasEightyOneDistinctRowsEndingWithNone) {
    std::set<std::string> texts;
    for (int row = 0; row < GenreTable::kRowCount; ++row) {
        ASSERT_NE(GenreTable::RowText(row), nullptr) << row;
        texts.insert(GenreTable::RowText(row));
    }
    EXPECT_EQ(texts.size(), 81u);
    EXPECT_STREQ(GenreTable::RowText(0), "Blues");
    EXPECT_STREQ(GenreTable::RowText(14), "RnB");
    EXPECT_STREQ(GenreTable::RowText(60), "Top40");
    EXPECT_STREQ(GenreTable::RowText(67), "Psychadelic");
    EXPECT_STREQ(GenreTable::RowText(79), "HardRock");
    EXPECT_STREQ(GenreTable::RowText(80), "None");
    EXPECT_EQ(GenreTable::RowText(-1), nullptr);
    EXPECT_EQ(GenreTable::RowText(81), nullptr);
}

TEST(GenreTable, NumbersPastTheGenresSelectNoneOrNoRow) {
    EXPECT_EQ(GenreTable::RowForNumber(0), 0);
    EXPECT_EQ(GenreTable::RowForNumber(79), 79);
    EXPECT_EQ(GenreTable::RowForNumber(80), GenreTable::kNoneRow);
    EXPECT_EQ(GenreTable::RowForNumber(255), GenreTable::kNoneRow);
    EXPECT_EQ(GenreTable::RowForNumber(81), GenreTable::kNoRow);
    EXPECT_EQ(GenreTable::RowForNumber(254), GenreTable::kNoRow);
}

TEST(GenreTable, NoneAndNoSelectionBothMeanNoGenre) {
    EXPECT_EQ(GenreTable::NumberForRow(0), 0u);
    EXPECT_EQ(GenreTable::NumberForRow(79), 79u);
    EXPECT_EQ(GenreTable::NumberForRow(GenreTable::kNoneRow), GenreTable::kNoGenre);
    EXPECT_EQ(GenreTable::NumberForRow(GenreTable::kNoRow), GenreTable::kNoGenre);
}

TEST(GenreTable, FindsRowsByNameIgnoringCase) {
    EXPECT_EQ(GenreTable::RowForName("hardrock"), 79);
    EXPECT_EQ(GenreTable::RowForName("NONE"), GenreTable::kNoneRow);
    EXPECT_EQ(GenreTable::RowForName("Hard Rock"), GenreTable::kNoRow);
    EXPECT_EQ(GenreTable::RowForName(""), GenreTable::kNoRow);
}

} // namespace
