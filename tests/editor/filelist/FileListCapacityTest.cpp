#include "FileListCapacity.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

// A list of `rows` rows; every chosen file is added unless it is in `skipped` (no icon).
struct ListSimulation {
    explicit ListSimulation(int initialRows = 0, QStringList noIcon = {})
        : rows(initialRows), skipped(std::move(noIcon)) {}

    int rows;
    QStringList skipped;
    QStringList added;

    bool Choose(const QStringList& paths) {
        return FileListCapacity::AddChosenFiles(
            paths,
            [this](const QString& path) {
                if (skipped.contains(path))
                    return;
                added << path;
                ++rows;
            },
            [this] { return rows; });
    }
};

TEST(FileDialogCapacity, OneFileIsAlwaysAddedEvenToAFullList) {
    ListSimulation list(500);
    EXPECT_FALSE(list.Choose({"a.mp3"}));
    EXPECT_EQ(list.rows, 501);
}

TEST(FileDialogCapacity, StopsAfterTheFileThatCrossedTheLimit) {
    ListSimulation list(499);
    EXPECT_TRUE(list.Choose({"a.mp3", "b.mp3", "c.mp3"}));
    EXPECT_EQ(list.rows, 501);
    EXPECT_EQ(list.added, QStringList({"a.mp3", "b.mp3"}));

    ListSimulation full(500);
    EXPECT_TRUE(full.Choose({"a.mp3", "b.mp3", "c.mp3"}));
    EXPECT_EQ(full.rows, 502);
}

TEST(FileDialogCapacity, ChecksAlsoAfterAFileSkippedForLackOfAnIcon) {
    ListSimulation list(501, {"broken.mp3"});
    EXPECT_TRUE(list.Choose({"a.mp3", "broken.mp3", "c.mp3"}));
    EXPECT_EQ(list.added, QStringList({"a.mp3"}));
}

TEST(FileDialogCapacity, ABatchThatFitsNeedsNoNotice) {
    ListSimulation list(497);
    EXPECT_FALSE(list.Choose({"a.mp3", "b.mp3", "c.mp3"}));
    EXPECT_EQ(list.rows, 500);
    EXPECT_FALSE(ListSimulation().Choose({}));
}

TEST(DropCapacity, IsAllOrNothingAgainstTheWholeList) {
    EXPECT_FALSE(FileListCapacity::DropFits(495, 10));
    EXPECT_TRUE(FileListCapacity::DropFits(495, 5));
    EXPECT_TRUE(FileListCapacity::DropFits(0, 500));
    EXPECT_FALSE(FileListCapacity::DropFits(0, 501));
    EXPECT_FALSE(FileListCapacity::DropFits(501, 0));
}

} // namespace
