// The command line's "set" in the faults a Save can meet: each ends with exit status 1, one
// line on stderr naming the file and what went wrong, and the file as it was. And what a
// killed, interrupted or concurrent tageditor-cli leaves.
#include "CTagFile.h"
#include "Mp3Builder.h"
#include "MutagenReport.h"
#include "PosixFile.h"
#include "ScratchDir.h"
#include "ScratchJournalFolder.h"
#include "ShellCommand.h"
#include "Unprivileged.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <map>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

struct Finished {
    int status;
    std::string stderrText;
};

class CliSaveFault : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Unprivileged::GiveToNobody(m_dir.Path()));
        ASSERT_TRUE(Unprivileged::GiveToNobody(m_journals.StateHome()));
        // A copy nobody can reach wherever the build tree is.
        fs::copy_file(TAGEDITOR_CLI_PATH, m_cli);
        m_tight.WriteTo(m_path);
        ASSERT_TRUE(Unprivileged::GiveToNobody(m_path));
        m_original = Mp3Builder::ReadFile(m_path);
    }

    // Starts "tageditor-cli ARGUMENTS" as nobody, after SHELLSETUP and through WRAPPER; its
    // stderr is what Finish reads.
    FILE* Start(const std::string& arguments, const std::string& shellSetup = {},
                const std::string& wrapper = {}) const {
        const std::string command = shellSetup + Unprivileged::CommandPrefix() + wrapper + m_cli +
                                    " " + arguments + " 2>&1 >/dev/null";
        return ::popen(("/bin/sh -c \"" + command + "\"").c_str(), "r");
    }

    static Finished Finish(FILE* pipe) {
        const CommandResult result = FinishCommand(pipe);
        return {result.status, result.out};
    }

    // Runs "tageditor-cli set --title TITLE PATH" as nobody, after SHELLSETUP.
    Finished SetTitle(const std::string& path, const std::string& title,
                      const std::string& shellSetup = {}, const std::string& wrapper = {}) const {
        return Finish(Start("set --title '" + title + "' '" + path + "'", shellSetup, wrapper));
    }

    std::size_t FilesInFolder() const {
        return static_cast<std::size_t>(
            std::distance(fs::directory_iterator(m_dir.Path()), fs::directory_iterator()));
    }

    void ExpectFailure(const Finished& finished, const std::string& path,
                       const std::string& reason) const {
        EXPECT_EQ(finished.status, 1);
        EXPECT_EQ(finished.stderrText.rfind("tageditor-cli: " + path + ": ", 0), 0u)
            << finished.stderrText;
        EXPECT_NE(finished.stderrText.find(reason), std::string::npos) << finished.stderrText;
        EXPECT_EQ(std::count(finished.stderrText.begin(), finished.stderrText.end(), '\n'), 1);
    }

    ScratchJournalFolder m_journals;
    ScratchDir m_dir;
    std::string m_cli = m_dir.File("tageditor-cli");
    std::string m_path = m_dir.File("song.mp3");
    Mp3Builder m_tight = Mp3Builder().TextFrame("TIT2", "Old").AudioFrames(20);
    Mp3Builder m_roomy = Mp3Builder().TextFrame("TIT2", "Old").Padding(300).AudioFrames(20);
    Mp3Builder::Bytes m_original;
};

TEST_F(CliSaveFault, AReadOnlyFile) {
    fs::permissions(m_path, fs::perms::owner_read);
    ExpectFailure(SetTitle(m_path, "New"), m_path,
                  "The file is read-only. The file was left as it was.");
    EXPECT_EQ(Mp3Builder::ReadFile(m_path), m_original);
}

TEST_F(CliSaveFault, AReadOnlyFolderWhenTheTagMustGrow) {
    fs::permissions(m_dir.Path(), fs::perms::owner_read | fs::perms::owner_exec);
    ExpectFailure(SetTitle(m_path, "A title far too long to fit"), m_path,
                  "The folder holding the file cannot be written to: Permission denied.");
    fs::permissions(m_dir.Path(), fs::perms::owner_all);
    EXPECT_EQ(Mp3Builder::ReadFile(m_path), m_original);
}

TEST_F(CliSaveFault, AReadOnlyFolderWhenTheTagFits) {
    m_roomy.WriteTo(m_path);
    fs::permissions(m_dir.Path(), fs::perms::owner_read | fs::perms::owner_exec);
    const Finished finished = SetTitle(m_path, "Fits");
    fs::permissions(m_dir.Path(), fs::perms::owner_all);
    EXPECT_EQ(finished.status, 0) << finished.stderrText;
    EXPECT_EQ(MutagenReport::Read(m_path).Text("TIT2"), "Fits");
}

TEST_F(CliSaveFault, AFolderOrAMissingFileInsteadOfAnMp3) {
    ExpectFailure(SetTitle(m_dir.Path(), "New"), m_dir.Path(), "It is a folder, not a file.");
    const std::string missing = m_dir.File("missing.mp3");
    ExpectFailure(SetTitle(missing, "New"), missing, "No such file or directory");
    EXPECT_FALSE(fs::exists(missing));
}

TEST_F(CliSaveFault, AFullDisk) {
    // A file size limit below the new file's size; SIGXFSZ ignored so the write fails instead.
    ExpectFailure(SetTitle(m_path, "New", "ulimit -f 4; trap '' XFSZ; "), m_path,
                  "failed: File too large. The file was left as it was.");
    EXPECT_EQ(Mp3Builder::ReadFile(m_path), m_original);
}

TEST_F(CliSaveFault, AProtectedTag) {
    Mp3Builder().Version(4).TextFrame("TIT2", "Four").Frame("SIGN", {1, 2}).WriteTo(m_path);
    const Mp3Builder::Bytes before = Mp3Builder::ReadFile(m_path);
    ExpectFailure(SetTitle(m_path, "New"), m_path,
                  "The file's ID3v2.4 tag is signed (SIGN frame), and any change would break the "
                  "signature.");
    EXPECT_EQ(Mp3Builder::ReadFile(m_path), before);
}

TEST_F(CliSaveFault, ASymbolicLinkIsFollowedAndKept) {
    const std::string link = m_dir.File("link.mp3");
    fs::create_symlink("song.mp3", link);
    const Finished finished = SetTitle(link, "Linked");
    EXPECT_EQ(finished.status, 0) << finished.stderrText;
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(MutagenReport::Read(m_path).Text("TIT2"), "Linked");
}

// Kills "set" at the entry of each system call by which a Save changes anything (strace's
// fault injection), one run per call. After each kill the next start of tageditor-cli must find
// the file with its old tags whole, or the new ones whole once every write was done, and must
// name the file once when it put the old tags back.
TEST_F(CliSaveFault, KilledAtEachStepOfASaveTheNextStartFindsTheOldTagsOrTheNewOnesWhole) {
    if (std::system("strace -o /dev/null true 2>/dev/null") != 0)
        GTEST_SKIP() << "strace cannot trace here";
    const std::string calls = "openat,mkdir,flock,write,pwrite64,fsync,fdatasync,ftruncate,"
                              "fchown,fchmod,fsetxattr,rename,unlink";
    const std::string trace = m_journals.StateHome() + "/trace";
    // Made by the first Save otherwise, which would then make calls the later ones do not.
    fs::create_directory(m_journals.Folder());
    ASSERT_TRUE(Unprivileged::GiveToNobody(m_journals.Folder()));
    char real[PATH_MAX];
    ASSERT_TRUE(::realpath(m_path.c_str(), real));
    const std::string restoredLine = "tageditor-cli: " + std::string(real) +
                                     ": A save of this file was interrupted; its old tags have "
                                     "been put back.\n";
    for (const auto& [file, title] :
         {std::pair{m_roomy, std::string("Fits")},
          std::pair{m_tight, std::string("A title that makes it grow")}}) {
        SCOPED_TRACE(title);
        file.WriteTo(m_path);
        const Mp3Builder::Bytes original = Mp3Builder::ReadFile(m_path);
        ASSERT_EQ(SetTitle(m_path, title, {}, "strace -qq -o " + trace + " -e trace=" + calls + " ")
                      .status,
                  0);
        const Mp3Builder::Bytes saved = Mp3Builder::ReadFile(m_path);
        // Each step as strace counts it: the Nth call of its kind.
        std::vector<std::pair<std::string, int>> steps;
        std::map<std::string, int> seen;
        std::ifstream lines(trace);
        for (std::string line; std::getline(lines, line);)
            if (line.find('(') != std::string::npos) {
                const std::string call = line.substr(0, line.find('('));
                steps.emplace_back(call, ++seen[call]);
            }
        ASSERT_GT(steps.size(), 10u);
        int restored = 0;
        for (const auto& [call, nth] : steps) {
            SCOPED_TRACE(call + " " + std::to_string(nth));
            Mp3Builder::WriteFile(m_path, original);
            const std::string killer = "strace -qq -o /dev/null -e trace=" + call +
                                       " -e inject=" + call +
                                       ":signal=SIGKILL:when=" + std::to_string(nth) + " ";
            EXPECT_NE(SetTitle(m_path, title, {}, killer).status, 0);
            const Finished nextStart = Finish(Start("show '" + m_path + "'"));
            const Mp3Builder::Bytes now = Mp3Builder::ReadFile(m_path);
            ASSERT_TRUE(now == original || now == saved);
            ASSERT_TRUE(m_journals.Journals().empty());
            if (nextStart.stderrText.empty())
                continue;
            EXPECT_EQ(nextStart.stderrText, restoredLine);
            EXPECT_EQ(now, original);
            ++restored;
        }
        // Written in place, a kill between the two tags' writes tears the file.
        EXPECT_EQ(restored > 0, title == "Fits");
    }
}

// Two runs change one file at the same moment, one its title and one its artist, fifty times:
// half of them in place, half with the file written anew (no journal folder), which takes long
// enough for the runs to overlap. A run that exits 0 has its change in the file; when the file
// changed under a run, the run says so, exits 1 and changes nothing.
TEST_F(CliSaveFault, OfTwoConcurrentSavesNoneSucceedsWithItsChangeLost) {
    m_roomy.WriteTo(m_path);
    int refused = 0;
    for (int round = 0; round < 50; ++round) {
        SCOPED_TRACE(round);
        if (round == 25) {
            const std::string blocker = m_journals.StateHome() + "/not-a-folder";
            Mp3Builder::WriteFile(blocker, {});
            ::setenv("XDG_STATE_HOME", blocker.c_str(), 1);
            Mp3Builder(m_roomy).AudioFrames(5000).WriteTo(m_path);
        }
        const std::string title = "Title " + std::to_string(round);
        const std::string artist = "Artist " + std::to_string(round);
        FILE* titleRun = Start("set --title '" + title + "' '" + m_path + "'");
        FILE* artistRun = Start("set --artist '" + artist + "' '" + m_path + "'");
        const Finished titleSet = Finish(titleRun);
        const Finished artistSet = Finish(artistRun);
        CTagFile tag;
        tag.Link(m_path);
        const TagFields fields = tag.ReadFields();
        for (const auto& [finished, expected, actual] :
             {std::tuple{titleSet, title, fields.title},
              std::tuple{artistSet, artist, fields.artist}}) {
            if (finished.status == 0) {
                EXPECT_EQ(actual, expected);
                continue;
            }
            ++refused;
            EXPECT_EQ(finished.status, 1);
            EXPECT_NE(finished.stderrText.find("Another program changed the file after it was "
                                               "loaded. The file was left as it was."),
                      std::string::npos)
                << finished.stderrText;
        }
    }
    // Otherwise the runs never overlapped, and the test showed nothing.
    EXPECT_GT(refused, 0);
}

// A program that does not take the lock writes the tag while "set" syncs what it wrote (strace
// holds the sync back long enough): the read-back finds the other program's bytes, and the
// Save leaves them rather than putting its old bytes back over them.
TEST_F(CliSaveFault, AChangeByAProgramWithoutTheLockWhileTheTagIsWrittenIsKept) {
    if (std::system("strace -o /dev/null true 2>/dev/null") != 0)
        GTEST_SKIP() << "strace cannot trace here";
    m_roomy.WriteTo(m_path);
    FILE* run = Start("set --title 'Ours' '" + m_path + "'", {},
                      "strace -qq -o /dev/null -e trace=fdatasync -e "
                      "inject=fdatasync:delay_enter=1000000 ");
    // Once the new title is in the file, and while the sync is held back, the other program
    // writes its own title over it.
    const std::size_t tagSize = m_roomy.Id3v2Tag().size();
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    std::string tag;
    do {
        const Mp3Builder::Bytes bytes = Mp3Builder::ReadFile(m_path);
        tag.assign(bytes.begin(), bytes.begin() + tagSize);
    } while (tag.find("Ours") == std::string::npos && std::chrono::steady_clock::now() < giveUp);
    const std::size_t at = tag.find("Ours");
    ASSERT_NE(at, std::string::npos) << Finish(run).stderrText;
    PosixFile other(::open(m_path.c_str(), O_WRONLY));
    ASSERT_TRUE(other.WriteAllAt(at, "Them", 4));
    const Finished finished = Finish(run);
    EXPECT_EQ(finished.status, 1);
    EXPECT_EQ(finished.stderrText, "tageditor-cli: " + m_path +
                                       ": Another program changed the file while it was saved; "
                                       "the file keeps that change.\n");
    EXPECT_EQ(MutagenReport::Read(m_path).Text("TIT2"), "Them");
    EXPECT_TRUE(m_journals.Journals().empty());
}

// A program that does not take the lock puts the old tag back while "set" syncs what it wrote:
// the file no longer reads back as written, so the Save fails and leaves the file wholly the old
// one, rather than calling the old tag a success or leaving it half new.
TEST_F(CliSaveFault, OldBytesPutBackByAnotherProgramWhileTheTagIsWrittenFailTheSave) {
    if (std::system("strace -o /dev/null true 2>/dev/null") != 0)
        GTEST_SKIP() << "strace cannot trace here";
    m_roomy.WriteTo(m_path);
    const Mp3Builder::Bytes original = Mp3Builder::ReadFile(m_path);
    const Mp3Builder::Bytes oldTag = m_roomy.Id3v2Tag();
    FILE* run = Start("set --title 'Ours' '" + m_path + "'", {},
                      "strace -qq -o /dev/null -e trace=fdatasync -e "
                      "inject=fdatasync:delay_enter=1000000 ");
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (Mp3Builder::ReadFile(m_path).size() == original.size() &&
           std::chrono::steady_clock::now() < giveUp)
        std::this_thread::yield();
    PosixFile other(::open(m_path.c_str(), O_WRONLY));
    ASSERT_TRUE(other.WriteAllAt(0, oldTag.data(), oldTag.size()));
    const Finished finished = Finish(run);
    EXPECT_EQ(finished.stderrText, "tageditor-cli: " + m_path +
                                       ": The file did not read back as written. The file was "
                                       "left as it was.\n");
    EXPECT_EQ(finished.status, 1);
    EXPECT_EQ(Mp3Builder::ReadFile(m_path), original);
    EXPECT_TRUE(m_journals.Journals().empty());
}

// The sync of the new tags fails, and so does putting the old ones back (strace's fault
// injection): what "set" says must be what the next start leaves in the file. With every new
// byte written the file keeps the new tags; torn, it gets the old ones back.
TEST_F(CliSaveFault, AFailedSaveWhoseUndoFailsTooSaysWhatTheFileWillHold) {
    if (std::system("strace -o /dev/null true 2>/dev/null") != 0)
        GTEST_SKIP() << "strace cannot trace here";
    const std::string notPutBack = "Putting the old tags back failed too (Input/output error); ";
    // The Save's own writes are the first two (both tags); every later one is an undo.
    for (const auto& [firstFailing, told, title] :
         {std::tuple{"3",
                     "Writing the new tags to disk failed: Input/output error. " + notPutBack +
                         "the new tags are whole in the file, and it keeps them.",
                     "Fits"},
          std::tuple{"2",
                     "Writing the new tags failed: Input/output error. " + notPutBack +
                         "they will be put back the next time the editor or tageditor-cli "
                         "starts.",
                     "Old"}}) {
        SCOPED_TRACE(firstFailing);
        m_roomy.WriteTo(m_path);
        const std::string faults =
            std::string("strace -qq -o /dev/null -e trace=fdatasync,pwrite64 -e "
                        "inject=fdatasync:error=EIO -e inject=pwrite64:error=EIO:when=") +
            firstFailing + "+ ";
        ExpectFailure(SetTitle(m_path, "Fits", {}, faults), m_path, told);
        Finish(Start("--help"));
        EXPECT_EQ(MutagenReport::Read(m_path).Text("TIT2"), title);
        EXPECT_TRUE(m_journals.Journals().empty());
    }
}

// Killed just before its new file is renamed into place, where the file system makes unnamed
// files and where it does not (O_TMPFILE refused): the next start removes the new file.
TEST_F(CliSaveFault, AKilledSaveThatWritesTheFileAnewLeavesNothingOnceTheNextStartRan) {
    if (std::system("strace -o /dev/null true 2>/dev/null") != 0)
        GTEST_SKIP() << "strace cannot trace here";
    fs::create_directory(m_journals.Folder());
    ASSERT_TRUE(Unprivileged::GiveToNobody(m_journals.Folder()));
    const std::string title = "A title that makes it grow";
    const std::string trace = m_journals.StateHome() + "/trace";
    ASSERT_EQ(SetTitle(m_path, title, {}, "strace -qq -o " + trace + " -e trace=openat ").status,
              0);
    // Which openat makes the unnamed file, as strace counts them.
    int unnamedOpen = 0;
    int opens = 0;
    std::ifstream lines(trace);
    for (std::string line; unnamedOpen == 0 && std::getline(lines, line);)
        if (line.rfind("openat(", 0) == 0 && (++opens, line.find("O_TMPFILE") != std::string::npos))
            unnamedOpen = opens;
    ASSERT_GT(unnamedOpen, 0);
    for (const bool unnamed : {true, false}) {
        SCOPED_TRACE(unnamed);
        m_tight.WriteTo(m_path);
        std::string faults = "strace -qq -o /dev/null -e trace=openat,rename "
                             "-e inject=rename:signal=SIGKILL ";
        if (!unnamed)
            faults += "-e inject=openat:error=EOPNOTSUPP:when=" + std::to_string(unnamedOpen) + " ";
        EXPECT_NE(SetTitle(m_path, title, {}, faults).status, 0);
        EXPECT_EQ(FilesInFolder(), 3u) << "the program, the file and the new file";
        EXPECT_EQ(Finish(Start("--help")).stderrText, "");
        EXPECT_EQ(FilesInFolder(), 2u) << "the program and the file, nothing else";
        EXPECT_EQ(Mp3Builder::ReadFile(m_path), m_original);
        EXPECT_TRUE(m_journals.Journals().empty());
    }
}

// SIGINT, SIGTERM and SIGHUP while a grown tag's file is written anew, each sent at a write of
// the new file (strace's fault injection): the new file goes with the process, and the file
// stays the old one.
TEST_F(CliSaveFault, InterruptedWhileTheFileIsWrittenAnewNoTemporaryFileIsLeft) {
    if (std::system("strace -o /dev/null true 2>/dev/null") != 0)
        GTEST_SKIP() << "strace cannot trace here";
    const std::string title = "A title that makes it grow";
    m_tight.AudioFrames(10000).WriteTo(m_path);
    const Mp3Builder::Bytes original = Mp3Builder::ReadFile(m_path);
    for (const char* signal : {"SIGINT", "SIGTERM", "SIGHUP"})
        for (const char* nth : {"1", "3"}) {
            SCOPED_TRACE(std::string(signal) + " at write " + nth);
            const Finished finished =
                SetTitle(m_path, title, {},
                         "strace -qq -o /dev/null -e trace=write -e inject=write:signal=" +
                             std::string(signal) + ":when=" + nth + " ");
            EXPECT_NE(finished.status, 0);
            EXPECT_EQ(Mp3Builder::ReadFile(m_path), original);
            EXPECT_EQ(FilesInFolder(), 2u) << "the program and the file, nothing else";
        }
}

} // namespace
