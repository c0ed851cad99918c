// The editor's start-up tells the user, once, which file got its old tags back after a Save of
// it was cut short.
#include "RecoveryNotices.h"
#include "FakeMessageBoxes.h"
#include "InterruptedSave.h"
#include "Mp3Builder.h"
#include "ScratchDir.h"
#include "ScratchJournalFolder.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>

namespace {

TEST(RecoveryNotices, AFileWhoseSaveWasCutShortIsNamedInOneNoticeAndOnlyOnce) {
    const ScratchJournalFolder journals;
    const ScratchDir dir;
    const std::string path = dir.File("Café.mp3");
    Mp3Builder().TextFrame("TIT2", "Old").Padding(40).WriteTo(path);
    const Mp3Builder::Bytes original = Mp3Builder::ReadFile(path);
    InterruptedSave(path).Leave(30);

    FakeMessageBoxes boxes;
    RecoveryNotices::PlayBackAndTell(boxes);
    char real[PATH_MAX];
    ASSERT_TRUE(::realpath(path.c_str(), real));
    ASSERT_EQ(boxes.notices.size(), 1);
    EXPECT_EQ(boxes.notices[0].toStdString(),
              std::string(real) + "\n\nA save of this file was interrupted; its old tags have "
                                  "been put back.");
    EXPECT_EQ(boxes.noticeIcons[0], IMessageBoxes::Icon::Information);
    EXPECT_EQ(Mp3Builder::ReadFile(path), original);

    RecoveryNotices::PlayBackAndTell(boxes);
    EXPECT_EQ(boxes.notices.size(), 1);
    EXPECT_TRUE(boxes.questions.isEmpty() && boxes.appMessages.isEmpty());
}

TEST(RecoveryNotices, NothingToPlayBackSaysNothing) {
    const ScratchJournalFolder journals;
    FakeMessageBoxes boxes;
    RecoveryNotices::PlayBackAndTell(boxes);
    EXPECT_TRUE(boxes.Silent());
}

} // namespace
