#include "ToolBarLabel.h"
#include "CommandStringTable.h"
#include "EditorIds.h"

#include <gtest/gtest.h>

TEST(ToolBarLabel, TakesTheLastPieceAfterTheNewline) {
    EXPECT_EQ(ToolBarLabel("Save file\nSave File"), QStringLiteral("Save File"));
    EXPECT_EQ(ToolBarLabel("first\nsecond\nthird"), QStringLiteral("third"));
}

TEST(ToolBarLabel, KeepsTheBlanksAroundTheLabel) {
    EXPECT_EQ(ToolBarLabel("About this software\n   About   "), QStringLiteral("   About   "));
}

TEST(ToolBarLabel, UsesAStringWithoutNewlineWhole) {
    EXPECT_EQ(ToolBarLabel("Remove"), QStringLiteral("Remove"));
}

TEST(ToolBarLabel, SkipsEmptyPiecesWhereverTheyAre) {
    EXPECT_EQ(ToolBarLabel("Save file\nSave File\n"), QStringLiteral("Save File"));
    EXPECT_EQ(ToolBarLabel("Save file\n\n\nSave File"), QStringLiteral("Save File"));
    EXPECT_EQ(ToolBarLabel("\nSave File\n\n"), QStringLiteral("Save File"));
}

TEST(ToolBarLabel, IsEmptyWhenThereIsNothingToShow) {
    EXPECT_TRUE(ToolBarLabel(nullptr).isEmpty());
    EXPECT_TRUE(ToolBarLabel("").isEmpty());
    EXPECT_TRUE(ToolBarLabel("\n\n").isEmpty());
}

TEST(CommandStringTable, GivesEveryToolbarCommandItsShortName) {
    using namespace EditorIds;
    EXPECT_EQ(ToolBarLabel(CommandStringTable::Find(ID_FILE_NEW_LIST)), QStringLiteral("New List"));
    EXPECT_EQ(ToolBarLabel(CommandStringTable::Find(ID_FILE_ADD_FILE)),
              QStringLiteral("Add Files"));
    EXPECT_EQ(ToolBarLabel(CommandStringTable::Find(ID_FILE_REMOVE_FILE)),
              QStringLiteral("Remove"));
    EXPECT_EQ(ToolBarLabel(CommandStringTable::Find(ID_TOOLBAR_SAVE_FILE)),
              QStringLiteral("Save File"));
    EXPECT_EQ(ToolBarLabel(CommandStringTable::Find(ID_HELP_ABOUT)), QStringLiteral("   About   "));
}

TEST(CommandStringTable, HasNoStringForCommandsOffTheToolbar) {
    EXPECT_EQ(CommandStringTable::Find(EditorIds::ID_FILE_SAVE_FILE), nullptr);
    EXPECT_EQ(CommandStringTable::Find(0), nullptr);
}
