#include "FileRowSort.h"

#include "FileListTestRows.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>

#include <algorithm>

namespace {

constexpr int kOneColumn = 1;

TEST(SortToggle, SameColumnTurnsTheDirectionRoundAnotherColumnStartsAscending) {
    EXPECT_TRUE(FileRowSort::NextAscending(-1, false, 0));
    EXPECT_FALSE(FileRowSort::NextAscending(0, true, 0));
    EXPECT_TRUE(FileRowSort::NextAscending(0, false, 0));
    EXPECT_TRUE(FileRowSort::NextAscending(0, false, 1));
    EXPECT_TRUE(FileRowSort::NextAscending(1, true, 0));
}

TEST(SortRows, TrackAndYearCompareAsNumbersTextsWithoutOneFirst) {
    // As texts "10" would come before "9" and "2/12" after "10/12".
    CFileRowStore rows = MakeRows({"10/12", "9", "", "2/12", "x", "1999", "010"});
    FileRowSort::SortRows(rows, 0, true, kOneColumn, true);
    const QStringList sorted = TextsOf(rows);
    EXPECT_EQ(sorted.mid(2), QStringList({"2/12", "9", "10/12", "010", "1999"}));
    EXPECT_TRUE(sorted.mid(0, 2).contains("") && sorted.mid(0, 2).contains("x"));
    EXPECT_TRUE(FileRowSort::IsSorted(rows, 0, true, true));
    EXPECT_FALSE(FileRowSort::IsSorted(rows, 0, true, false));
    FileRowSort::SortRows(rows, 0, false, kOneColumn, true);
    EXPECT_EQ(TextsOf(rows).front(), "1999");
    // "10/12" and "010" are the same number: neither moves past the other.
    EXPECT_EQ(FileRowSort::Compare("10/12", "010", true), 0);
}

TEST(SortOrder, HoldsWhileEveryRowFollowsTheOneAboveInTheDirection) {
    EXPECT_TRUE(FileRowSort::IsSorted(MakeRows({}), 0, true));
    EXPECT_TRUE(FileRowSort::IsSorted(MakeRows({"a", "a", "b"}), 0, true));
    EXPECT_FALSE(FileRowSort::IsSorted(MakeRows({"a", "a", "b"}), 0, false));
    EXPECT_TRUE(FileRowSort::IsSorted(MakeRows({"c", "b", "b"}), 0, false));
    // Character codes, as the sort compares: capitals come first.
    EXPECT_TRUE(FileRowSort::IsSorted(MakeRows({"B", "a"}), 0, true));
    EXPECT_FALSE(FileRowSort::IsSorted(MakeRows({"a", "c", "b"}), 0, true));

    CFileRowStore rows = MakeRows({"d", "b", "a", "c"});
    FileRowSort::SortRows(rows, 0, false, kOneColumn);
    EXPECT_TRUE(FileRowSort::IsSorted(rows, 0, false));
}

TEST(SortRows, AscendingThenDescending) {
    CFileRowStore rows = MakeRows({"b", "a", "c"});
    FileRowSort::SortRows(rows, 0, true, kOneColumn);
    EXPECT_EQ(TextsOf(rows), QStringList({"a", "b", "c"}));
    FileRowSort::SortRows(rows, 0, false, kOneColumn);
    EXPECT_EQ(TextsOf(rows), QStringList({"c", "b", "a"}));
}

TEST(SortRows, ComparesCharacterCodesCaseSensitive) {
    CFileRowStore rows = MakeRows({"a", "B", "b", "A", "/m/Z.mp3", "/m/z.mp3", "/m/\u00e9.mp3"});
    FileRowSort::SortRows(rows, 0, true, kOneColumn);
    EXPECT_EQ(TextsOf(rows),
              QStringList({"/m/Z.mp3", "/m/z.mp3", "/m/\u00e9.mp3", "A", "B", "a", "b"}));
}

TEST(SortRows, NothingToDoForFewRowsOrAColumnTheHeaderLacks) {
    CFileRowStore empty;
    FileRowSort::SortRows(empty, 0, true, kOneColumn);
    EXPECT_EQ(empty.Count(), 0);

    CFileRowStore one = MakeRows({"x"});
    FileRowSort::SortRows(one, 0, true, kOneColumn);
    EXPECT_EQ(TextsOf(one), QStringList({"x"}));

    CFileRowStore rows = MakeRows({"b", "a"});
    FileRowSort::SortRows(rows, 1, true, kOneColumn);
    FileRowSort::SortRows(rows, -1, true, kOneColumn);
    EXPECT_EQ(TextsOf(rows), QStringList({"b", "a"}));
}

TEST(SortRows, NeverSwapsRowsWithEqualTexts) {
    CFileRowStore rows = MakeRows({"same", "same", "same"});
    const quint64 first = rows.Row(0).id;
    const quint64 last = rows.Row(2).id;
    FileRowSort::SortRows(rows, 0, true, kOneColumn);
    FileRowSort::SortRows(rows, 0, false, kOneColumn);
    EXPECT_EQ(rows.Row(0).id, first);
    EXPECT_EQ(rows.Row(2).id, last);
}

TEST(SortRows, WholeRowsTravelWithSelectionFocusIconAndOtherColumns) {
    CFileRowStore rows = MakeRows({"b", "a", "c"});
    rows.SetText(0, 1, "second of b");
    rows.SetData(0, 1);
    Select(rows, 0);
    FileRowSort::SortRows(rows, 0, true, kOneColumn);
    EXPECT_EQ(rows.Text(1, 0), "b");
    EXPECT_EQ(rows.Text(1, 1), "second of b");
    EXPECT_EQ(rows.Row(1).image, 0);
    EXPECT_EQ(rows.Row(1).data, 1);
    EXPECT_TRUE(rows.HasState(1, CFileRow::Selected));
    EXPECT_TRUE(rows.HasState(1, CFileRow::Focused));
    EXPECT_EQ(rows.NextWithState(-1, CFileRow::Selected), 1);
}

TEST(SortRows, SortsBySecondColumnWhenTheHeaderHasIt) {
    CFileRowStore rows = MakeRows({"1", "2", "3"});
    rows.SetText(0, 1, "z");
    rows.SetText(1, 1, "x");
    rows.SetText(2, 1, "y");
    FileRowSort::SortRows(rows, 1, true, 2);
    EXPECT_EQ(TextsOf(rows), QStringList({"2", "3", "1"}));
}

TEST(SortRows, RandomPathsWithDuplicatesEndInOrderBothWays) {
    QRandomGenerator random(6);
    QStringList paths;
    for (int i = 0; i < 500; ++i)
        paths << QStringLiteral("/music/%1.mp3").arg(random.bounded(300));
    CFileRowStore rows = MakeRows(paths);

    FileRowSort::SortRows(rows, 0, true, kOneColumn);
    QStringList expected = paths;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(TextsOf(rows), expected);

    FileRowSort::SortRows(rows, 0, false, kOneColumn);
    std::reverse(expected.begin(), expected.end());
    EXPECT_EQ(TextsOf(rows), expected);
}

} // namespace
