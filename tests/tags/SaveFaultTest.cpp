// What may go wrong around a Save, and what the file looks like afterwards: always the old one
// byte for byte or the new one whole, with its audio unchanged. Where permissions matter the
// Save runs in a child process as user "nobody", since CI runs the tests as root. A tag that
// fits is written in place under a rollback journal; one that grows makes a new file.
#include "CTagFile.h"
#include "Id3Inspector.h"
#include "InterruptedSave.h"
#include "JournalRecovery.h"
#include "Mp3Builder.h"
#include "MutagenReport.h"
#include "ScratchDir.h"
#include "ScratchJournalFolder.h"
#include "Unprivileged.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <random>
#include <sys/resource.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace {

using Bytes = Mp3Builder::Bytes;
using Unprivileged::InChild;
namespace fs = std::filesystem;

const char* const kChanged =
    "refused: Another program changed the file after it was loaded. The file was left as it was.";

std::string Outcome(const SaveResult& result) {
    switch (result.outcome) {
    case SaveResult::Outcome::Saved:
        return "saved";
    case SaveResult::Outcome::NotLinked:
        return "not linked: " + result.reason;
    case SaveResult::Outcome::Refused:
        return "refused: " + result.reason;
    case SaveResult::Outcome::Failed:
        return "failed: " + result.reason;
    }
    return {};
}

TagFields Form(const std::string& title) {
    TagFields fields;
    fields.title = title;
    return fields;
}

// Links PATH, then (after BETWEEN, which may disturb the file) saves TITLE into it.
std::string LinkAndSave(const std::string& path, const std::string& title,
                        const std::function<void()>& between = {}) {
    CTagFile tag;
    tag.Link(path);
    if (between)
        between();
    return Outcome(tag.Save(Form(title), 255));
}

class SaveFault : public ::testing::Test {
protected:
    void SetUp() override {
        // The folders belong to the user the children run as, like a user's music folder.
        ASSERT_TRUE(Unprivileged::GiveToNobody(m_dir.Path()));
        ASSERT_TRUE(Unprivileged::GiveToNobody(m_journals.StateHome()));
        fs::permissions(m_dir.Path(), fs::perms::owner_all | fs::perms::group_read |
                                          fs::perms::group_exec | fs::perms::others_read |
                                          fs::perms::others_exec);
    }

    void Create(const Mp3Builder& file, const std::string& path) {
        file.WriteTo(path);
        ASSERT_TRUE(Unprivileged::GiveToNobody(path));
        m_original = Mp3Builder::ReadFile(path);
        m_audio = file.Audio();
    }

    // No leftover of the new file beside the old one.
    std::size_t FilesInFolder(const std::string& folder) const {
        return static_cast<std::size_t>(
            std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
    }

    // Makes the journal folder a place that cannot be made, so that no Save can write in place.
    void BlockJournalFolder() {
        const std::string blocker = m_journals.StateHome() + "/not-a-folder";
        Mp3Builder::WriteFile(blocker, {});
        ::setenv("XDG_STATE_HOME", blocker.c_str(), 1);
    }

    ino_t InodeOf(const std::string& path) const {
        struct stat status {};
        ::stat(path.c_str(), &status);
        return status.st_ino;
    }

    ScratchJournalFolder m_journals;
    ScratchDir m_dir;
    std::string m_path = m_dir.File("song.mp3");
    Bytes m_original;
    Bytes m_audio;
    // A tag without padding: any longer title makes it grow.
    Mp3Builder m_tight = Mp3Builder().TextFrame("TIT2", "Old");
    // Room for short titles: they are written in place.
    Mp3Builder m_roomy = Mp3Builder().TextFrame("TIT2", "Old").Padding(200);
};

// Read-only for its owner means read-only for everyone, root included, whom the system would let
// write it; a file only its owner may write is refused to others with the system's reason.
TEST_F(SaveFault, AReadOnlyFileIsNotWrittenWhoeverSavesIt) {
    const auto linkAndSave = [&] {
        CTagFile tag;
        tag.Link(m_path);
        const std::string outcome = Outcome(tag.Save(Form("New"), 17));
        // Nothing was written, so the tag object holds what the file holds.
        return outcome + "|" + tag.ReadFields().title + "|" + std::to_string(tag.ReadGenreNumber());
    };
    Create(Mp3Builder().TextFrame("TIT2", "Old").TextFrame("TCON", "(5)"), m_path);
    fs::permissions(m_path, fs::perms::owner_read | fs::perms::group_read);
    const std::string readOnly =
        "failed: The file is read-only. The file was left as it was.|Old|5";
    EXPECT_EQ(InChild(linkAndSave), readOnly);
    EXPECT_EQ(linkAndSave(), readOnly) << "as root";
    EXPECT_EQ(Mp3Builder::ReadFile(m_path), m_original);

    fs::permissions(m_path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                                fs::perms::others_read);
    ASSERT_EQ(::chown(m_path.c_str(), 0, 0), 0);
    EXPECT_EQ(InChild(linkAndSave), "failed: The file cannot be written: Permission denied. The "
                                    "file was left as it was.|Old|5");
    EXPECT_EQ(Mp3Builder::ReadFile(m_path), m_original);
}

TEST_F(SaveFault, InAReadOnlyFolderATagThatFitsIsSavedAndOneThatGrowsIsRefused) {
    Create(m_roomy, m_path);
    fs::permissions(m_dir.Path(), fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_EQ(InChild([&] { return LinkAndSave(m_path, "Fits"); }), "saved");
    EXPECT_EQ(MutagenReport::Read(m_path).Text("TIT2"), "Fits");
    const Bytes saved = Mp3Builder::ReadFile(m_path);

    const std::string result =
        InChild([&] { return LinkAndSave(m_path, std::string(300, 'G') + " grows"); });
    EXPECT_EQ(result, "failed: The folder holding the file cannot be written to: Permission "
                      "denied. The file was left as it was. The new tags need more room than the "
                      "old ones had, so the file was to be written anew beside the old one.");
    EXPECT_EQ(Mp3Builder::ReadFile(m_path), saved);
    EXPECT_EQ(FilesInFolder(m_dir.Path()), 1u);
    fs::permissions(m_dir.Path(), fs::perms::owner_all);
}

// No journal, no writing in place: the Save writes the file anew, which needs the folder.
TEST_F(SaveFault, WithoutAJournalFolderATagThatFitsIsWrittenAnewInstead) {
    BlockJournalFolder();
    Create(m_roomy, m_path);
    const ino_t before = InodeOf(m_path);
    EXPECT_EQ(InChild([&] { return LinkAndSave(m_path, "Fits"); }), "saved");
    EXPECT_NE(InodeOf(m_path), before);
    EXPECT_EQ(MutagenReport::Read(m_path).CheckSavedLayout(m_path, m_audio), "");

    const Bytes saved = Mp3Builder::ReadFile(m_path);
    fs::permissions(m_dir.Path(), fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_EQ(InChild([&] { return LinkAndSave(m_path, "Fit"); }),
              "failed: The folder holding the file cannot be written to: Permission denied. The "
              "file was left as it was. The tags would fit in place, but that needs a rollback "
              "journal. Its folder " +
                  m_journals.StateHome() +
                  "/not-a-folder/tageditor could not be made: Not a directory.");
    EXPECT_EQ(Mp3Builder::ReadFile(m_path), saved);
    fs::permissions(m_dir.Path(), fs::perms::owner_all);
}

TEST_F(SaveFault, AFileDeletedOrTurnedIntoAFolderAfterLoadingIsNeverCreatedAgain) {
    Create(m_tight, m_path);
    std::string result =
        InChild([&] { return LinkAndSave(m_path, "New", [&] { fs::remove(m_path); }); });
    EXPECT_EQ(result, "failed: The file no longer exists, so nothing was written.");
    EXPECT_FALSE(fs::exists(m_path));

    Create(m_tight, m_path);
    result = InChild([&] {
        return LinkAndSave(m_path, "New", [&] {
            fs::remove(m_path);
            fs::create_directory(m_path);
        });
    });
    EXPECT_NE(result.find("It is a folder, not a file."), std::string::npos) << result;
    EXPECT_TRUE(fs::is_directory(m_path));
    EXPECT_TRUE(fs::is_empty(m_path));
}

TEST_F(SaveFault, ASymbolicLinkStaysALinkAndItsTargetGetsTheTags) {
    fs::create_directory(m_dir.File("real"));
    const std::string target = m_dir.File("real/song.mp3");
    Create(m_tight, target);
    ASSERT_TRUE(Unprivileged::GiveToNobody(m_dir.File("real")));
    const std::string link = m_dir.File("link.mp3");
    fs::create_symlink("real/song.mp3", link);

    const std::string result = InChild([&] { return LinkAndSave(link, "Through the link"); });
    ASSERT_EQ(result, "saved");
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(fs::read_symlink(link), "real/song.mp3");
    const MutagenReport report = MutagenReport::Read(target);
    EXPECT_EQ(report.Text("TIT2"), "Through the link");
    EXPECT_EQ(report.CheckSavedLayout(target, m_audio), "");
}

TEST_F(SaveFault, WrittenAnewTheFileKeepsItsModeOwnerAndExtendedAttributes) {
    Create(m_tight, m_path);
    fs::permissions(m_path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    const bool withAttribute = ::setxattr(m_path.c_str(), "user.tageditor", "kept", 4, 0) == 0;
    struct stat before {};
    ASSERT_EQ(::stat(m_path.c_str(), &before), 0);
    // Saved by this process: as root, for a file another user owns.
    EXPECT_EQ(LinkAndSave(m_path, "A longer title that makes the tag grow"), "saved");
    struct stat after {};
    ASSERT_EQ(::stat(m_path.c_str(), &after), 0);
    EXPECT_EQ(after.st_mode, before.st_mode);
    EXPECT_EQ(after.st_uid, before.st_uid);
    EXPECT_EQ(after.st_gid, before.st_gid);
    EXPECT_NE(after.st_ino, before.st_ino) << "the new file replaces the old one";
    if (withAttribute) {
        char value[8] = {};
        EXPECT_EQ(::getxattr(m_path.c_str(), "user.tageditor", value, sizeof value), 4);
        EXPECT_STREQ(value, "kept");
    }
}

TEST_F(SaveFault, AFullDiskWhileTheFileIsWrittenAnewLeavesTheOldFileAndSaysWhy) {
    Create(m_tight.AudioFrames(40), m_path);
    const std::string result = InChild(
        [&] {
            // Writes past the limit fail with EFBIG instead of ending the process.
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{m_original.size() / 2, m_original.size() / 2};
            ::setrlimit(RLIMIT_FSIZE, &limit);
            return LinkAndSave(m_path, "New title");
        },
        false);
    EXPECT_NE(result.find("failed: Writing the audio failed: File too large."), std::string::npos)
        << result;
    EXPECT_EQ(Mp3Builder::ReadFile(m_path), m_original);
    EXPECT_EQ(FilesInFolder(m_dir.Path()), 1u);
}

TEST_F(SaveFault, AFullDiskDuringAnInPlaceSaveLeavesTheOldFileAndSaysWhy) {
    Create(m_roomy.AudioFrames(40), m_path);
    const auto saveWithFileSizeLimit = [&](rlim_t bytes) {
        return InChild(
            [&] {
                std::signal(SIGXFSZ, SIG_IGN);
                const rlimit limit{bytes, bytes};
                ::setrlimit(RLIMIT_FSIZE, &limit);
                return LinkAndSave(m_path, "New title");
            },
            false);
    };
    // Too little room for the journal: the file is never touched.
    EXPECT_EQ(saveWithFileSizeLimit(256), "failed: The rollback journal could not be written to " +
                                              m_journals.Folder() +
                                              ": File too large. The file was left as it was.");
    EXPECT_EQ(Mp3Builder::ReadFile(m_path), m_original);
    // Room for the journal and the ID3v2 tag, none for the ID3v1 tag at the end: the ID3v2 tag
    // already written is put back from the journal.
    EXPECT_EQ(saveWithFileSizeLimit(4096),
              "failed: Writing the new tags failed: File too large. The file was left as it was.");
    EXPECT_EQ(Mp3Builder::ReadFile(m_path), m_original);
    EXPECT_TRUE(m_journals.Journals().empty());
}

TEST_F(SaveFault, WrittenInPlaceTheFileStaysTheSameFileWithItsLinksOwnerModeAndAttributes) {
    Create(m_roomy.AudioFrames(10), m_path);
    const std::string otherName = m_dir.File("other name.mp3");
    fs::create_hard_link(m_path, otherName);
    fs::permissions(m_path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    // An access control list granting user 1000 read access, as setfacl stores it: a version,
    // then entries of a kind, permissions and an id, little-endian.
    std::string acl("\x02\0\0\0", 4);
    const auto entry = [&](std::uint16_t kind, std::uint16_t permissions, std::uint32_t id) {
        for (std::uint32_t value : {std::uint32_t(kind | permissions << 16), id})
            for (int i = 0; i < 4; ++i)
                acl.push_back(static_cast<char>(value >> (8 * i)));
    };
    entry(0x01, 6, ~0u);  // owner
    entry(0x02, 4, 1000); // user 1000
    entry(0x04, 4, ~0u);  // group
    entry(0x10, 4, ~0u);  // mask
    entry(0x20, 0, ~0u);  // others
    const auto attributes = [&] {
        std::string values;
        for (const char* name : {"user.tageditor", "system.posix_acl_access"}) {
            char value[128] = {};
            const ssize_t size = ::getxattr(m_path.c_str(), name, value, sizeof value);
            values +=
                std::string(value, static_cast<std::size_t>(std::max<ssize_t>(size, 0))) + "|";
        }
        return values;
    };
    ::setxattr(m_path.c_str(), "user.tageditor", "kept", 4, 0);
    ::setxattr(m_path.c_str(), "system.posix_acl_access", acl.data(), acl.size(), 0);
    const std::string attributesBefore = attributes();
    struct stat before {};
    ASSERT_EQ(::stat(m_path.c_str(), &before), 0);

    EXPECT_EQ(InChild([&] { return LinkAndSave(m_path, "In place"); }), "saved");
    struct stat after {};
    ASSERT_EQ(::stat(m_path.c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_nlink, 2u);
    EXPECT_EQ(after.st_mode, before.st_mode);
    EXPECT_EQ(after.st_uid, before.st_uid);
    EXPECT_EQ(after.st_gid, before.st_gid);
    EXPECT_EQ(attributes(), attributesBefore);
    const MutagenReport throughTheOtherName = MutagenReport::Read(otherName);
    EXPECT_EQ(throughTheOtherName.Text("TIT2"), "In place");
    EXPECT_EQ(throughTheOtherName.CheckSavedLayout(otherName, m_audio), "");
}

// A file in a shared folder: someone else owns both, and the user may write the file alone.
TEST_F(SaveFault, AnotherUsersFileTheUserMayWriteIsSavedInAFolderTheUserMayNot) {
    if (!Unprivileged::TestsRunAsRoot())
        GTEST_SKIP() << "needs another user";
    const std::string shared = m_dir.File("shared");
    fs::create_directory(shared);
    ASSERT_EQ(::chown(shared.c_str(), 0, 0), 0);
    const std::string path = shared + "/song.mp3";
    m_roomy.WriteTo(path);
    ASSERT_EQ(::chown(path.c_str(), 0, 0), 0);
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                              fs::perms::group_write | fs::perms::others_read |
                              fs::perms::others_write);

    EXPECT_EQ(InChild([&] { return LinkAndSave(path, "Shared"); }), "saved");
    struct stat after {};
    ASSERT_EQ(::stat(path.c_str(), &after), 0);
    EXPECT_EQ(after.st_uid, 0u);
    EXPECT_EQ(MutagenReport::Read(path).Text("TIT2"), "Shared");
}

TEST_F(SaveFault, ASparseFileStaysSparse) {
    Create(m_roomy, m_path);
    const std::uint64_t size = 4ull << 30;
    ASSERT_EQ(::truncate(m_path.c_str(), static_cast<off_t>(size)), 0);
    EXPECT_EQ(LinkAndSave(m_path, "Sparse"), "saved");
    struct stat after {};
    ASSERT_EQ(::stat(m_path.c_str(), &after), 0);
    EXPECT_EQ(static_cast<std::uint64_t>(after.st_size), size + 128) << "an ID3v1 tag added";
    EXPECT_LT(after.st_blocks * 512, 1 << 20);
    const TagInspection saved = Id3Inspector::Inspect(m_path);
    EXPECT_TRUE(saved.Accepted() && saved.layout.hasId3v1) << saved.problem;
    EXPECT_NE(saved.tagBytes.find("Sparse"), std::string::npos);
}

// Another program wrote the file between Link and Save: the Save must not undo that, whether
// its tag fits or grows.
TEST_F(SaveFault, AFileChangedAfterItWasLoadedIsRefusedAndKeepsTheOtherProgramsChange) {
    const auto setModified = [&](const timespec& when) {
        const timespec times[2] = {{0, UTIME_OMIT}, when};
        ::utimensat(AT_FDCWD, m_path.c_str(), times, 0);
    };
    const auto modified = [&] {
        struct stat status {};
        ::stat(m_path.c_str(), &status);
        return status.st_mtim;
    };
    const std::vector<std::pair<std::string, std::function<void()>>> changes = {
        {"the tag's bytes alone",
         [&] {
             const timespec before = modified();
             Bytes bytes = Mp3Builder::ReadFile(m_path);
             bytes[22] = 'd'; // "Old" becomes "Odd"; same size
             Mp3Builder::WriteFile(m_path, bytes);
             setModified(before);
         }},
        {"the size alone",
         [&] {
             Bytes bytes = Mp3Builder::ReadFile(m_path);
             bytes.push_back(0);
             Mp3Builder::WriteFile(m_path, bytes);
         }},
        {"the modification time alone",
         [&] {
             setModified({modified().tv_sec + 1, 0});
         }},
    };
    for (const std::string title : {"Fits", "A title far longer than the room the tag has got, "
                                            "far longer than two hundred bytes of padding, "
                                            "so that the tag has to grow and the file be "
                                            "written anew beside the old one; it goes on and "
                                            "on for a while yet before it is done."}) {
        for (const auto& [what, change] : changes) {
            SCOPED_TRACE(what + " / " + title.substr(0, 4));
            Create(m_roomy, m_path);
            Bytes changed;
            const std::string result = LinkAndSave(m_path, title, [&] {
                change();
                changed = Mp3Builder::ReadFile(m_path);
            });
            EXPECT_EQ(result, kChanged);
            EXPECT_EQ(Mp3Builder::ReadFile(m_path), changed);
        }
    }
}

// A Save killed in another process left its journal; this Save plays it back under the file's
// lock before it compares anything, and then finds the file as it loaded it.
TEST_F(SaveFault, ASaveFirstPutsBackWhatAnInterruptedSaveOfTheSameFileLeft) {
    Create(m_roomy, m_path);
    CTagFile tag;
    tag.Link(m_path);
    InterruptedSave(m_path).Leave(40);
    EXPECT_EQ(Outcome(tag.Save(Form("After"), 255)), "saved");
    const MutagenReport report = MutagenReport::Read(m_path);
    EXPECT_EQ(report.Text("TIT2"), "After");
    EXPECT_EQ(report.CheckSavedLayout(m_path, m_audio), "");
    EXPECT_TRUE(m_journals.Journals().empty());
}

class KilledSaves : public SaveFault {
protected:
    struct Rounds {
        int killed = 0;
        int endingWithB = 0;
        int journalsLeft = 0; // kills that came while a journal was kept
    };

    // Saves A, B, A, ... in a child that is killed at a random moment, ROUNDS times: within
    // the time three Saves take on this machine now. After each kill the recovery runs, as the
    // next start would, and the file must then be exactly what Save A or Save B writes: each
    // Save of one title produces the same bytes.
    Rounds KillSavesAtRandom(const std::string& titleA, const std::string& titleB, int rounds) {
        Rounds result;
        const auto start = std::chrono::steady_clock::now();
        if (LinkAndSave(m_path, titleA) != "saved")
            return result;
        const Bytes fileA = Mp3Builder::ReadFile(m_path);
        LinkAndSave(m_path, titleB);
        const Bytes fileB = Mp3Builder::ReadFile(m_path);
        LinkAndSave(m_path, titleA);
        EXPECT_EQ(Mp3Builder::ReadFile(m_path), fileA);
        const auto threeSaves = std::chrono::duration_cast<std::chrono::microseconds>(
            std::chrono::steady_clock::now() - start);

        std::mt19937 random(20261208);
        std::uniform_int_distribution<long> delay(0, static_cast<long>(threeSaves.count()));
        for (int round = 0; round < rounds; ++round) {
            const pid_t pid = ::fork();
            if (pid == 0) {
                for (;;) {
                    LinkAndSave(m_path, titleB);
                    LinkAndSave(m_path, titleA);
                }
            }
            ::usleep(static_cast<useconds_t>(delay(random)));
            ::kill(pid, SIGKILL);
            int status = 0;
            ::waitpid(pid, &status, 0);
            result.killed += WIFSIGNALED(status) ? 1 : 0;
            result.journalsLeft += m_journals.Journals().empty() ? 0 : 1;
            JournalRecovery::PlayBackAll();
            const Bytes now = Mp3Builder::ReadFile(m_path);
            if (now != fileA && now != fileB) {
                ADD_FAILURE() << "round " << round;
                break;
            }
            result.endingWithB += now == fileB ? 1 : 0;
        }
        return result;
    }
};

TEST_F(KilledSaves, WritingTheFileAnewTheOldFileOrTheNewOneIsLeftWholeAndNothingBeside) {
    Create(m_tight.AudioFrames(60), m_path);
    const Rounds rounds = KillSavesAtRandom("Title A: long enough to grow the tag",
                                            "Title B: long enough to grow the tag", 200);
    EXPECT_EQ(rounds.killed, 200);
    EXPECT_GT(rounds.endingWithB, 0);
    // The new file of a killed Save has no name, or one the recovery removes.
    EXPECT_EQ(FilesInFolder(m_dir.Path()), 1u);
    EXPECT_EQ(FilesInFolder(m_journals.Folder()), 0u);
    const TagInspection last = Id3Inspector::Inspect(m_path);
    ASSERT_TRUE(last.Accepted()) << last.problem;
    const Bytes now = Mp3Builder::ReadFile(m_path);
    EXPECT_EQ(Bytes(now.begin() + last.layout.audioBegin, now.begin() + last.layout.audioEnd),
              m_audio);
}

TEST_F(KilledSaves, WritingInPlaceTheOldTagsOrTheNewOnesAreWholeOnceRecovered) {
    Create(m_roomy.AudioFrames(60), m_path);
    const Rounds rounds = KillSavesAtRandom("Title A", "Title B", 200);
    EXPECT_EQ(rounds.killed, 200);
    EXPECT_GT(rounds.endingWithB, 0);
    // A kill leaves the page cache whole, so the file is rarely torn: only a kill between the
    // two tags' writes does that, and tageditor-cli's test kills at each step to reach it.
    EXPECT_GT(rounds.journalsLeft, 0) << "no kill landed while the file was being written";
    EXPECT_EQ(FilesInFolder(m_dir.Path()), 1u);
    EXPECT_TRUE(m_journals.Journals().empty());
}

} // namespace
