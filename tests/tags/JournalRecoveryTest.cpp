// What the recovery at start-up does with the journals that interrupted in-place Saves left:
// a torn file gets its old tags back whole (and the user hears of it once), and nothing is ever
// written into a file that is not the one the journal was written for.
#include "JournalRecovery.h"
#include "FileIdentity.h"
#include "InterruptedSave.h"
#include "JournalFolder.h"
#include "Mp3Builder.h"
#include "PlayBackJournal.h"
#include "ScratchDir.h"
#include "ScratchJournalFolder.h"
#include "Unprivileged.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using Bytes = Mp3Builder::Bytes;
namespace fs = std::filesystem;

FileIdentity IdentityOf(const std::string& path) {
    struct stat status {};
    ::stat(path.c_str(), &status);
    return FileIdentity::Of(status);
}

class Recovery : public ::testing::Test {
protected:
    void Create(const Mp3Builder& file, const std::string& path) {
        file.WriteTo(path);
        m_original = Mp3Builder::ReadFile(path);
    }

    ScratchJournalFolder m_journals;
    ScratchDir m_dir;
    std::string m_path = m_dir.File("song.mp3");
    Mp3Builder m_file = Mp3Builder().TextFrame("TIT2", "Old").Padding(40).AudioFrames(3);
    Bytes m_original;
};

// Every length of a write cut short, in a file with and without an ID3v1 tag (which a Save
// then adds at the end).
TEST_F(Recovery, AFileLeftTornAtAnyByteGetsItsOldTagsAndTimeBackAndIsNamedOnce) {
    for (const Mp3Builder& file : {m_file, Mp3Builder(m_file).Id3v1({"Old", "", "", "", ""})}) {
        Create(file, m_path);
        const std::size_t total = InterruptedSave(m_path).Size();
        int restored = 0;
        for (std::size_t written = 0; written < total; ++written) {
            SCOPED_TRACE(written);
            Mp3Builder::WriteFile(m_path, m_original);
            const InterruptedSave save(m_path);
            save.Leave(written);
            const std::vector<RecoveryReport> reports = JournalRecovery::PlayBackAll();
            ASSERT_EQ(Mp3Builder::ReadFile(m_path), m_original);
            EXPECT_TRUE(m_journals.Journals().empty());
            ASSERT_LE(reports.size(), 1u);
            if (reports.empty())
                continue;
            ++restored;
            EXPECT_EQ(IdentityOf(m_path), save.Record().before);
            EXPECT_EQ(reports[0].outcome, RecoveryReport::Outcome::Restored);
            EXPECT_EQ(reports[0].path, save.Record().path);
            EXPECT_EQ(reports[0].message,
                      "A save of this file was interrupted; its old tags have been put back.");
            EXPECT_TRUE(JournalRecovery::PlayBackAll().empty()) << "told once";
        }
        // Only the ten bytes of the tag's header are the same in the old and the new tags.
        EXPECT_EQ(restored, static_cast<int>(total) - 11);
    }
}

// A journal left behind after the Save's writes all landed (its removal may not reach the disk
// before a power cut) must not undo a Save that was reported done.
TEST_F(Recovery, AFileThatHoldsAllTheNewBytesKeepsThemQuietly) {
    Create(m_file, m_path);
    const InterruptedSave save(m_path);
    save.Leave(save.Size());
    const Bytes saved = Mp3Builder::ReadFile(m_path);
    ASSERT_NE(saved, m_original);
    EXPECT_TRUE(JournalRecovery::PlayBackAll().empty());
    EXPECT_EQ(Mp3Builder::ReadFile(m_path), saved);
    EXPECT_TRUE(m_journals.Journals().empty());
}

// Killed while it wrote its journal: the file was not touched yet, and a journal that does not
// check out is dropped rather than played back.
TEST_F(Recovery, AJournalCutShortOrDamagedIsDroppedAndTheFileLeftAlone) {
    Create(m_file, m_path);
    const InterruptedSave save(m_path);
    save.Leave(0);
    const std::string journal = JournalFolder::ForSaving().JournalPathFor(save.Record().before);
    const std::string whole = save.Record().Encode();
    std::vector<std::string> broken;
    for (std::size_t cut = 0; cut < whole.size(); cut += 7)
        broken.push_back(whole.substr(0, cut));
    for (std::size_t flip = 0; flip < whole.size(); flip += 11) {
        broken.push_back(whole);
        broken.back()[flip] ^= 0x20;
    }
    for (const std::string& bytes : broken) {
        Mp3Builder::WriteFile(journal, Bytes(bytes.begin(), bytes.end()));
        EXPECT_TRUE(JournalRecovery::PlayBackAll().empty());
        EXPECT_FALSE(fs::exists(journal)) << bytes.size();
        ASSERT_EQ(Mp3Builder::ReadFile(m_path), m_original);
    }
}

TEST_F(Recovery, AFileChangedOrReplacedSinceIsNotWrittenAndTheUserIsTold) {
    const std::string changedText = "A save of this file was interrupted, and the file has been "
                                    "changed since, so its old tags were not put back.";
    const std::string goneText = "A save of this file was interrupted, and the file has been "
                                 "moved, replaced or deleted since, so its old tags were not put "
                                 "back.";
    const auto expectOneReport = [&](const std::string& text) {
        const std::vector<RecoveryReport> reports = JournalRecovery::PlayBackAll();
        ASSERT_EQ(reports.size(), 1u);
        EXPECT_EQ(reports[0].outcome, RecoveryReport::Outcome::NotRestored);
        EXPECT_EQ(reports[0].message, text);
        EXPECT_TRUE(m_journals.Journals().empty());
    };

    Create(m_file, m_path);
    InterruptedSave(m_path).Leave(20);
    Bytes changed = Mp3Builder::ReadFile(m_path);
    changed[15] = 'Z'; // neither the old byte nor the new one
    Mp3Builder::WriteFile(m_path, changed);
    expectOneReport(changedText);
    EXPECT_EQ(Mp3Builder::ReadFile(m_path), changed);

    Create(m_file, m_path);
    InterruptedSave(m_path).Leave(20);
    Mp3Builder(m_file).Id3v1({"Replaced", "", "", "", ""}).WriteTo(m_path + ".new");
    fs::rename(m_path + ".new", m_path);
    const Bytes replacement = Mp3Builder::ReadFile(m_path);
    expectOneReport(goneText);
    EXPECT_EQ(Mp3Builder::ReadFile(m_path), replacement);
}

// As the file would be while its disk is away: gone, with or without its folder (a mount point
// stays). The journal waits, each start says so once, and the file is repaired when it is back,
// as the same inode or (a FAT stick mounted anew) as another one holding the journal's bytes.
TEST_F(Recovery, AJournalWhoseFileIsMissingWaitsForItAndRepairsItWhenItIsBack) {
    const std::string folder = m_dir.File("disk");
    fs::create_directory(folder);
    const std::string path = folder + "/song.mp3";
    const std::string away = m_dir.File("away.mp3");
    const auto expectWaiting = [&] {
        const std::vector<RecoveryReport> reports = JournalRecovery::PlayBackAll();
        ASSERT_EQ(reports.size(), 1u);
        EXPECT_EQ(reports[0].outcome, RecoveryReport::Outcome::Waiting);
        EXPECT_EQ(reports[0].path, path);
        EXPECT_EQ(reports[0].message,
                  "A save of this file was interrupted, and the file cannot be found now (is its "
                  "disk away?). Its old tags will be put back at a start that finds it.");
        EXPECT_EQ(m_journals.Journals().size(), 1u);
    };
    for (const bool sameInode : {true, false}) {
        SCOPED_TRACE(sameInode);
        Create(m_file, path);
        InterruptedSave(path).Leave(20);
        fs::rename(path, away);
        expectWaiting();
        fs::rename(folder, m_dir.File("unmounted"));
        expectWaiting();
        fs::rename(m_dir.File("unmounted"), folder);
        if (sameInode)
            fs::rename(away, path);
        else
            fs::copy_file(away, path);
        const std::vector<RecoveryReport> reports = JournalRecovery::PlayBackAll();
        ASSERT_EQ(reports.size(), 1u);
        EXPECT_EQ(reports[0].outcome, RecoveryReport::Outcome::Restored);
        EXPECT_EQ(Mp3Builder::ReadFile(path), m_original);
        EXPECT_TRUE(m_journals.Journals().empty());
        fs::remove(away);
    }
}

TEST_F(Recovery, JournalsOfSeveralFilesAreAllPlayedBack) {
    const std::string other = m_dir.File("other.mp3");
    Create(m_file, other);
    const Bytes otherOriginal = m_original;
    Create(m_file, m_path);
    InterruptedSave(m_path).Leave(30);
    InterruptedSave(other).Leave(50);
    ASSERT_EQ(m_journals.Journals().size(), 2u);
    const std::vector<RecoveryReport> reports = JournalRecovery::PlayBackAll();
    EXPECT_EQ(reports.size(), 2u);
    EXPECT_EQ(Mp3Builder::ReadFile(m_path), m_original);
    EXPECT_EQ(Mp3Builder::ReadFile(other), otherOriginal);
}

// A Save of the file that is still running holds its lock; the journal is its own business.
TEST_F(Recovery, AJournalWhoseFileIsLockedIsLeftToTheSaveThatHoldsIt) {
    Create(m_file, m_path);
    InterruptedSave(m_path).Leave(30);
    const Bytes torn = Mp3Builder::ReadFile(m_path);
    const int locked = ::open(m_path.c_str(), O_RDONLY);
    ASSERT_EQ(::flock(locked, LOCK_EX), 0);
    EXPECT_TRUE(JournalRecovery::PlayBackAll().empty());
    EXPECT_EQ(Mp3Builder::ReadFile(m_path), torn);
    EXPECT_EQ(m_journals.Journals().size(), 1u);
    ::close(locked);
    EXPECT_EQ(JournalRecovery::PlayBackAll().size(), 1u);
    EXPECT_EQ(Mp3Builder::ReadFile(m_path), m_original);
}

TEST_F(Recovery, AFileThatCannotBeWrittenNowKeepsItsJournalForTheNextStart) {
    Create(m_file, m_path);
    InterruptedSave(m_path).Leave(30);
    const Bytes torn = Mp3Builder::ReadFile(m_path);
    fs::permissions(m_path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    for (const auto& entry : fs::recursive_directory_iterator(m_journals.StateHome()))
        ASSERT_TRUE(Unprivileged::GiveToNobody(entry.path().string()));
    ASSERT_TRUE(Unprivileged::GiveToNobody(m_journals.StateHome()));
    const std::string result = Unprivileged::InChild([] {
        std::string told;
        for (const RecoveryReport& report : JournalRecovery::PlayBackAll())
            told += report.message + "|";
        return told;
    });
    EXPECT_EQ(result, "A save of this file was interrupted, and its old tags could not be put "
                      "back: Permission denied. The next start will try again.|");
    EXPECT_EQ(Mp3Builder::ReadFile(m_path), torn);
    EXPECT_EQ(m_journals.Journals().size(), 1u);
}

// Bytes anyone else could have put there are never played back: a folder that is not the
// user's own or that others may write to, a journal of another user's or one that is a link.
// Each is left as it is and named once.
TEST_F(Recovery, OnlyTheUsersOwnFolderAndJournalsArePlayedBack) {
    Create(m_file, m_path);
    const InterruptedSave save(m_path);
    save.Leave(30);
    const Bytes torn = Mp3Builder::ReadFile(m_path);
    const std::string folder = m_journals.Folder();
    const std::string journal = JournalFolder::ForSaving().JournalPathFor(save.Record().before);
    const auto expectLeftAlone = [&](const std::string& what) {
        const std::vector<RecoveryReport> reports = JournalRecovery::PlayBackAll();
        ASSERT_EQ(reports.size(), 1u);
        EXPECT_EQ(reports[0].outcome, RecoveryReport::Outcome::LeftAlone);
        EXPECT_EQ(reports[0].path, what);
        EXPECT_EQ(Mp3Builder::ReadFile(m_path), torn);
        EXPECT_TRUE(fs::exists(fs::symlink_status(journal)));
    };

    fs::permissions(folder, fs::perms::all);
    expectLeftAlone(folder);
    fs::permissions(folder, fs::perms::owner_all | fs::perms::group_write);
    expectLeftAlone(folder);
    fs::permissions(folder, fs::perms::owner_all);
    if (Unprivileged::TestsRunAsRoot()) {
        ASSERT_TRUE(Unprivileged::GiveToNobody(folder));
        expectLeftAlone(folder);
        ASSERT_EQ(::chown(folder.c_str(), 0, 0), 0);
        ASSERT_TRUE(Unprivileged::GiveToNobody(journal));
        expectLeftAlone(journal);
        ASSERT_EQ(::chown(journal.c_str(), 0, 0), 0);
    }
    const std::string elsewhere = m_dir.File("elsewhere.journal");
    fs::rename(journal, elsewhere);
    fs::create_symlink(elsewhere, journal);
    expectLeftAlone(journal);
    fs::remove(journal);
    fs::rename(elsewhere, journal);

    EXPECT_EQ(JournalRecovery::PlayBackAll().size(), 1u);
    EXPECT_EQ(Mp3Builder::ReadFile(m_path), m_original);
}

// With its folder a link, no file in the folder it leads to is read or removed, however much it
// looks like a journal.
TEST_F(Recovery, AJournalFolderThatIsALinkIsNotFollowed) {
    const std::string target = m_dir.File("someone's folder");
    fs::create_directory(target);
    Mp3Builder::WriteFile(target + "/notes.journal", Bytes(100, 'n'));
    fs::create_symlink(target, m_journals.Folder());
    const std::vector<RecoveryReport> reports = JournalRecovery::PlayBackAll();
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].outcome, RecoveryReport::Outcome::LeftAlone);
    EXPECT_EQ(Mp3Builder::ReadFile(target + "/notes.journal"), Bytes(100, 'n'));
}

// A journal's file is written only when it is a regular file reached without a link: a link put
// where the file was (to the torn file itself, here) or a FIFO is never opened for writing.
TEST_F(Recovery, AJournalsFileReplacedByALinkOrAFifoIsLeftAlone) {
    Create(m_file, m_path);
    InterruptedSave(m_path).Leave(30);
    const Bytes torn = Mp3Builder::ReadFile(m_path);
    const std::string moved = m_dir.File("moved.mp3");
    fs::rename(m_path, moved);
    fs::create_symlink(moved, m_path);
    std::vector<RecoveryReport> reports = JournalRecovery::PlayBackAll();
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].outcome, RecoveryReport::Outcome::NotRestored);
    EXPECT_EQ(Mp3Builder::ReadFile(moved), torn);

    fs::remove(m_path);
    Create(m_file, m_path);
    InterruptedSave(m_path).Leave(30);
    fs::remove(m_path);
    ASSERT_EQ(::mkfifo(m_path.c_str(), 0600), 0);
    reports = JournalRecovery::PlayBackAll();
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].outcome, RecoveryReport::Outcome::NotRestored);
    EXPECT_TRUE(fs::is_fifo(m_path));
}

// What the journal fuzzer does, in a fixed run: its seeds, and journals mutated byte by byte,
// cut, grown and spliced, every one played back. PlayBackJournal aborts on a file written that is not the
// journal's target or on a target left in a state no playback makes.
TEST(RecoveryOfMutatedJournals, WriteNothingButTheirTargetAndOnlyItsOldBytes) {
    const ScratchDir dir;
    const PlayBackJournal playBack(dir.Path());
    const std::string seed = playBack.SeedJournal();
    std::mt19937 random(25);
    std::uniform_int_distribution<std::size_t> at(0, seed.size() - 1);
    std::uniform_int_distribution<int> byte(0, 255);
    const auto run = [&](const std::string& journal) {
        playBack.Run(reinterpret_cast<const std::uint8_t*>(journal.data()), journal.size());
    };
    run(seed);
    for (const auto& entry :
         std::filesystem::directory_iterator(TAGEDITOR_TEST_DATA "/journal-corpus")) {
        const Bytes bytes = Mp3Builder::ReadFile(entry.path().string());
        run(std::string(bytes.begin(), bytes.end()));
    }
    for (int round = 0; round < 1000; ++round) {
        std::string journal = seed;
        for (int change = 0; change <= round % 4; ++change) {
            switch (byte(random) % 4) {
            case 0:
                journal[at(random) % journal.size()] = static_cast<char>(byte(random));
                break;
            case 1: // a number field's byte, where the regions' sizes and offsets are
                journal[PlayBackJournal::FormatLine().size() + at(random) % 120 % journal.size()] ^=
                    static_cast<char>(1 << (byte(random) % 8));
                break;
            case 2:
                journal.resize(at(random) % journal.size());
                break;
            default:
                journal.insert(at(random) % (journal.size() + 1), seed, at(random), byte(random));
                break;
            }
            if (journal.empty())
                journal = seed;
        }
        run(journal);
    }
}

TEST_F(Recovery, TheJournalFolderFollowsXdgStateHomeElseTheHomeFolder) {
    const char* home = std::getenv("HOME");
    const std::string savedHome = home ? home : "";
    ::setenv("HOME", "/home/someone", 1);
    ::setenv("XDG_STATE_HOME", "/var/state", 1);
    EXPECT_EQ(JournalFolder::Location(), "/var/state/tageditor");
    ::setenv("XDG_STATE_HOME", "relative/state", 1); // not allowed to count
    EXPECT_EQ(JournalFolder::Location(), "/home/someone/.local/state/tageditor");
    ::setenv("XDG_STATE_HOME", "", 1);
    EXPECT_EQ(JournalFolder::Location(), "/home/someone/.local/state/tageditor");
    ::unsetenv("XDG_STATE_HOME");
    EXPECT_EQ(JournalFolder::Location(), "/home/someone/.local/state/tageditor");
    ::unsetenv("HOME");
    EXPECT_NE(JournalFolder::Location().find("/.local/state/tageditor"), std::string::npos);
    ::setenv("HOME", savedHome.c_str(), 1);
}

} // namespace
