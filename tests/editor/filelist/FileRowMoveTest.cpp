#include "FileRowMove.h"
#include "CRowDrag.h"

#include "FileListTestRows.h"

#include <gtest/gtest.h>

namespace {

const QStringList kAbcd = {"A", "B", "C", "D"};

QStringList Moved(const QStringList& texts, std::vector<unsigned> dragged, int target) {
    CFileRowStore rows = MakeRows(texts);
    FileRowMove::MoveRows(rows, std::move(dragged), target);
    return TextsOf(rows);
}

TEST(MoveRows, RowsGoRightAfterTheTarget) {
    EXPECT_EQ(Moved(kAbcd, {0}, 2), QStringList({"B", "C", "A", "D"}));
    EXPECT_EQ(Moved(kAbcd, {3}, 0), QStringList({"A", "D", "B", "C"}));
    EXPECT_EQ(Moved(kAbcd, {0}, 3), QStringList({"B", "C", "D", "A"}));
}

TEST(MoveRows, ATargetOutsideTheListSendsRowsToTheEnd) {
    EXPECT_EQ(Moved(kAbcd, {1}, -2), QStringList({"A", "C", "D", "B"}));
    EXPECT_EQ(Moved(kAbcd, {1}, 7), QStringList({"A", "C", "D", "B"}));
}

TEST(MoveRows, SeveralRowsKeepTheirOrderAndSelection) {
    CFileRowStore rows = MakeRows(kAbcd);
    Select(rows, 0);
    Select(rows, 2);
    FileRowMove::MoveRows(rows, {0, 2}, 3);
    EXPECT_EQ(TextsOf(rows), QStringList({"B", "D", "A", "C"}));
    EXPECT_TRUE(rows.HasState(2, CFileRow::Selected));
    EXPECT_TRUE(rows.HasState(3, CFileRow::Selected));
    EXPECT_FALSE(rows.HasState(0, CFileRow::Selected));

    // B dropped on the row above it stays put, so D lands before it.
    EXPECT_EQ(Moved(kAbcd, {1, 3}, 0), QStringList({"A", "D", "B", "C"}));
    EXPECT_EQ(Moved({"A", "B", "C", "D", "E"}, {3, 4}, 0), QStringList({"A", "D", "E", "B", "C"}));
}

TEST(MoveRows, DroppedOnItselfOrTheRowAboveKeepsItsPlace) {
    CFileRowStore onItself = MakeRows(kAbcd);
    Select(onItself, 2);
    FileRowMove::MoveRows(onItself, {2}, 2);
    EXPECT_EQ(TextsOf(onItself), kAbcd);
    EXPECT_TRUE(onItself.HasState(2, CFileRow::Selected));

    CFileRowStore onRowAbove = MakeRows(kAbcd);
    Select(onRowAbove, 2);
    FileRowMove::MoveRows(onRowAbove, {2}, 1);
    EXPECT_EQ(TextsOf(onRowAbove), kAbcd);
    EXPECT_EQ(onRowAbove.NextWithState(-1, CFileRow::Selected), -1);
}

TEST(MoveRows, AMovedRowKeepsItsWholePathIconDataAndColumns) {
    const QString longPath = "/music/" + QString(300, QChar(u'\u00e9')) + "/track.mp3";
    CFileRowStore rows = MakeRows({longPath, "B", "C"});
    rows.SetText(0, 1, "second");
    rows.SetData(0, 1);
    FileRowMove::MoveRows(rows, {0}, 2);
    EXPECT_EQ(rows.Text(2, 0), longPath);
    EXPECT_EQ(rows.Text(2, 1), "second");
    EXPECT_EQ(rows.Row(2).image, 0);
    EXPECT_EQ(rows.Row(2).data, 1);
}

TEST(MoveRows, IgnoresPositionsOutsideTheList) {
    EXPECT_EQ(Moved(kAbcd, {9, 0xFFFFFFFFu}, 0), kAbcd);
}

TEST(RowDrag, NeedsASelectedRow) {
    CRowDrag drag;
    CFileRowStore rows = MakeRows(kAbcd);
    EXPECT_FALSE(drag.Begin(rows));
    Select(rows, 1);
    EXPECT_TRUE(drag.Begin(rows));
    EXPECT_EQ(drag.DraggedRows(), std::vector<unsigned>({1}));
}

TEST(RowDrag, TheHighlightFollowsTheTargetAndIsGivenBack) {
    CRowDrag drag;
    CFileRowStore rows = MakeRows(kAbcd);
    Select(rows, 0);
    drag.Begin(rows);
    EXPECT_TRUE(drag.SetTarget(rows, 1));
    EXPECT_TRUE(drag.StepTarget(rows, +1));
    EXPECT_EQ(rows.NextWithState(-1, CFileRow::DropHighlighted), 2);
    EXPECT_EQ(rows.NextWithState(2, CFileRow::DropHighlighted), -1);

    EXPECT_TRUE(drag.StepTarget(rows, +1));
    EXPECT_FALSE(drag.StepTarget(rows, +1)); // the last row stops it
    EXPECT_FALSE(drag.SetTarget(rows, -1));
    EXPECT_EQ(drag.DropPosition(), 3);

    EXPECT_TRUE(drag.Finish(rows));
    EXPECT_EQ(TextsOf(rows), QStringList({"B", "C", "D", "A"}));
    EXPECT_EQ(rows.NextWithState(-1, CFileRow::DropHighlighted), -1);
}

TEST(RowDrag, AReleaseBeforeAnyRowWasPassedMovesNothing) {
    CRowDrag drag;
    CFileRowStore rows = MakeRows(kAbcd);
    Select(rows, 0);
    drag.Begin(rows);
    drag.SetTarget(rows, 2);
    drag.Finish(rows);
    ASSERT_EQ(TextsOf(rows), QStringList({"B", "C", "A", "D"}));

    drag.Begin(rows);
    EXPECT_FALSE(drag.Finish(rows));
    EXPECT_EQ(TextsOf(rows), QStringList({"B", "C", "A", "D"}));
}

} // namespace
