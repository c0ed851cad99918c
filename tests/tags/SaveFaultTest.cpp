// What may go wrong around a Save, and what the file looks like afterwards: always the old one
// byte for byte or the new one whole, with its audio unchanged. Where permissions matter the
// Save runs in a child process as user "nobody", since CI runs the tests as root.
#include "CTagFile.h"
#include "Id3Inspector.h"
#include "Mp3Builder.h"
#include "MutagenReport.h"
#include "ScratchDir.h"
#include "Unprivileged.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <grp.h>
#include <random>
#include <sys/resource.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace {

using Bytes = Mp3Builder::Bytes;
namespace fs = std::filesystem;

// Runs BODY in a forked child and returns what it returned. With UNPRIVILEGED, the child
// first becomes user and group nobody with no other groups, as setpriv --reuid=65534
// --regid=65534 --clear-groups would make it, when the test runs as root.
std::string InChild(const std::function<std::string()>& body, bool unprivileged = true) {
    int pipeFds[2];
    if (::pipe(pipeFds) != 0)
        return "<no pipe>";
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(pipeFds[0]);
        const unsigned nobody = Unprivileged::kNobody;
        if (unprivileged && Unprivileged::TestsRunAsRoot() &&
            (::setgroups(0, nullptr) != 0 || ::setresgid(nobody, nobody, nobody) != 0 ||
             ::setresuid(nobody, nobody, nobody) != 0))
            ::_exit(3);
        const std::string answer = body();
        const bool written = ::write(pipeFds[1], answer.data(), answer.size()) ==
                             static_cast<ssize_t>(answer.size());
        ::_exit(written ? 0 : 4);
    }
    ::close(pipeFds[1]);
    std::string answer;
    char buffer[512];
    for (ssize_t got; (got = ::read(pipeFds[0], buffer, sizeof buffer)) > 0;)
        answer.append(buffer, static_cast<std::size_t>(got));
    ::close(pipeFds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return "<child failed with status " + std::to_string(status) + ">";
    return answer;
}

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
        // The folder belongs to the user the children run as, like a user's music folder.
        ASSERT_TRUE(Unprivileged::GiveToNobody(m_dir.Path()));
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

    ScratchDir m_dir;
    std::string m_path = m_dir.File("song.mp3");
    Bytes m_original;
    Bytes m_audio;
    // A tag without padding: any longer title makes it grow.
    Mp3Builder m_tight = Mp3Builder().TextFrame("TIT2", "Old");
};

TEST_F(SaveFault, AReadOnlyFileIsNotWrittenAndTheSystemsReasonIsGiven) {
    Create(Mp3Builder().TextFrame("TIT2", "Old").TextFrame("TCON", "(5)"), m_path);
    fs::permissions(m_path, fs::perms::owner_read | fs::perms::group_read);
    const std::string result = InChild([&] {
        CTagFile tag;
        tag.Link(m_path);
        const std::string outcome = Outcome(tag.Save(Form("New"), 17));
        // Nothing was written, so the tag object holds what the file holds.
        return outcome + "|" + tag.ReadFields().title + "|" + std::to_string(tag.ReadGenreNumber());
    });
    EXPECT_EQ(result, "failed: The file cannot be written: Permission denied. The file was left "
                      "as it was.|Old|5");
    EXPECT_EQ(Mp3Builder::ReadFile(m_path), m_original);
}

TEST_F(SaveFault, InAReadOnlyFolderNothingIsWrittenWhetherTheTagGrowsOrFits) {
    Create(m_tight, m_path);
    fs::permissions(m_dir.Path(), fs::perms::owner_read | fs::perms::owner_exec);
    for (const std::string& title :
         {std::string("A title that no longer fits"), std::string("Fit")}) {
        const std::string result = InChild([&] { return LinkAndSave(m_path, title); });
        EXPECT_NE(result.find("folder holding the file cannot be written to: Permission denied"),
                  std::string::npos)
            << result;
        EXPECT_EQ(Mp3Builder::ReadFile(m_path), m_original);
        EXPECT_EQ(FilesInFolder(m_dir.Path()), 1u);
    }
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

TEST_F(SaveFault, TheFilesModeOwnerAndExtendedAttributesAreKept) {
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

TEST_F(SaveFault, AFullDiskLeavesTheOldFileAndSaysWhy) {
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

// Saves A, B, A, ... in a child that is killed at a random moment, hundreds of times. Each
// Save of one title produces the same bytes, so the file must always be exactly one of two.
TEST_F(SaveFault, KillingASavingProcessAtAnyMomentLeavesTheOldFileOrTheNewOneWhole) {
    Create(m_tight.AudioFrames(60), m_path);
    const std::string titleA = "Title A: long enough to grow the tag";
    const std::string titleB = "Title B: long enough to grow the tag";
    ASSERT_EQ(LinkAndSave(m_path, titleA), "saved");
    const Bytes fileA = Mp3Builder::ReadFile(m_path);
    ASSERT_EQ(LinkAndSave(m_path, titleB), "saved");
    const Bytes fileB = Mp3Builder::ReadFile(m_path);
    ASSERT_EQ(LinkAndSave(m_path, titleA), "saved");
    ASSERT_EQ(Mp3Builder::ReadFile(m_path), fileA);

    std::mt19937 random(20261208);
    std::uniform_int_distribution<int> delayMicroseconds(0, 15000);
    int killed = 0;
    int roundsEndingWithB = 0;
    for (int round = 0; round < 300; ++round) {
        const pid_t pid = ::fork();
        if (pid == 0) {
            for (;;) {
                LinkAndSave(m_path, titleB);
                LinkAndSave(m_path, titleA);
            }
        }
        ::usleep(static_cast<useconds_t>(delayMicroseconds(random)));
        ::kill(pid, SIGKILL);
        int status = 0;
        ::waitpid(pid, &status, 0);
        killed += WIFSIGNALED(status) ? 1 : 0;
        const Bytes now = Mp3Builder::ReadFile(m_path);
        ASSERT_TRUE(now == fileA || now == fileB) << "round " << round;
        roundsEndingWithB += now == fileB ? 1 : 0;
    }
    EXPECT_EQ(killed, 300);
    // Saves completed between kills, and kills cut saves short: their new files are left
    // beside the old one, never in its place.
    EXPECT_GT(roundsEndingWithB, 0);
    EXPECT_GT(FilesInFolder(m_dir.Path()), 1u);
    const TagInspection last = Id3Inspector::Inspect(m_path);
    ASSERT_TRUE(last.Accepted()) << last.problem;
    const Bytes now = Mp3Builder::ReadFile(m_path);
    EXPECT_EQ(Bytes(now.begin() + last.layout.audioBegin, now.begin() + last.layout.audioEnd),
              m_audio);
}

} // namespace
