// A Save killed on a USB stick, and a start while the stick is away: the repair waits for the
// stick, and is made when it is back, even where the disk gives the file another inode number
// each time it is mounted (FAT and exFAT do; ext4 keeps it). Runs on real disks in image files,
// so only as root where loop mounts work.
#include "InterruptedSave.h"
#include "JournalRecovery.h"
#include "LoopVolume.h"
#include "Mp3Builder.h"
#include "ScratchJournalFolder.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <sys/stat.h>
#include <vector>

using Kind = LoopVolume::Kind;

static std::string NameOf(Kind kind) {
    switch (kind) {
    case Kind::Fat:
        return "Fat";
    case Kind::ExFat:
        return "ExFat";
    case Kind::Ext4:
        break;
    }
    return "Ext4";
}

// How the test's name shows the disk; found by gtest next to the disk's kind.
static void PrintTo(Kind kind, std::ostream* out) {
    *out << NameOf(kind);
}

namespace {

ino_t InodeOf(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 ? status.st_ino : 0;
}

class RemovableVolume : public ::testing::TestWithParam<Kind> {};

TEST_P(RemovableVolume, AFileTornWhileItsDiskWasAwayIsRepairedWhenTheDiskIsBack) {
    ScratchJournalFolder journals;
    LoopVolume stick(GetParam());
    if (!stick.Mount())
        GTEST_SKIP() << stick.Problem();
    const std::string path = stick.File("song.mp3");
    const std::string other = stick.File("cover.mp3");
    Mp3Builder().TextFrame("TIT2", "Old").Padding(40).AudioFrames(3).WriteTo(path);
    Mp3Builder().AudioFrames(1).WriteTo(other);
    const Mp3Builder::Bytes original = Mp3Builder::ReadFile(path);
    InterruptedSave(path).Leave(20);
    const ino_t inodeBefore = InodeOf(path);
    ASSERT_NE(Mp3Builder::ReadFile(path), original);

    ASSERT_TRUE(stick.Unmount()) << stick.Problem();
    std::vector<RecoveryReport> reports = JournalRecovery::PlayBackAll();
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].outcome, RecoveryReport::Outcome::Waiting);
    EXPECT_EQ(reports[0].path, path);
    EXPECT_EQ(journals.Journals().size(), 1u);

    ASSERT_TRUE(stick.Mount()) << stick.Problem();
    // Something else on the stick is looked at first, as a file manager showing it would; a
    // disk that numbers its files as they are looked up then numbers the song anew.
    ASSERT_NE(InodeOf(other), 0u);
    const ino_t inodeAfter = InodeOf(path);
    RecordProperty("inode_before", std::to_string(inodeBefore));
    RecordProperty("inode_after", std::to_string(inodeAfter));
    if (GetParam() != Kind::Ext4)
        EXPECT_NE(inodeAfter, inodeBefore) << "the repair must go by the bytes";
    else
        EXPECT_EQ(inodeAfter, inodeBefore);
    ASSERT_NE(Mp3Builder::ReadFile(path), original) << "still torn before the start";

    reports = JournalRecovery::PlayBackAll();
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].outcome, RecoveryReport::Outcome::Restored) << reports[0].message;
    EXPECT_EQ(reports[0].path, path);
    EXPECT_EQ(Mp3Builder::ReadFile(path), original);
    EXPECT_TRUE(journals.Journals().empty());
    // What the start wrote is on the disk, not only in its cache.
    ASSERT_TRUE(stick.Unmount()) << stick.Problem();
    ASSERT_TRUE(stick.Mount()) << stick.Problem();
    EXPECT_EQ(Mp3Builder::ReadFile(path), original);
}

std::string DiskName(const ::testing::TestParamInfo<Kind>& info) {
    return NameOf(info.param);
}

INSTANTIATE_TEST_SUITE_P(Disks, RemovableVolume,
                         ::testing::Values(Kind::Fat, Kind::ExFat, Kind::Ext4), DiskName);

} // namespace
