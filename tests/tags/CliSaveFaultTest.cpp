// The command line's "set" in the faults a Save can meet: each ends with exit status 1, one
// line on stderr naming the file and what went wrong, and the file as it was.
#include "Mp3Builder.h"
#include "MutagenReport.h"
#include "ScratchDir.h"
#include "Unprivileged.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <sys/wait.h>

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
        // A copy nobody can reach wherever the build tree is.
        fs::copy_file(TAGEDITOR_CLI_PATH, m_cli);
        m_tight.WriteTo(m_path);
        ASSERT_TRUE(Unprivileged::GiveToNobody(m_path));
        m_original = Mp3Builder::ReadFile(m_path);
    }

    // Runs "tageditor-cli set --title TITLE PATH" as nobody, after SHELLSETUP.
    Finished SetTitle(const std::string& path, const std::string& title,
                      const std::string& shellSetup = {}) const {
        const std::string command = shellSetup + Unprivileged::CommandPrefix() + m_cli +
                                    " set --title '" + title + "' '" + path + "' 2>&1 >/dev/null";
        FILE* pipe = ::popen(("/bin/sh -c \"" + command + "\"").c_str(), "r");
        std::string text;
        char buffer[512];
        while (std::size_t got = std::fread(buffer, 1, sizeof buffer, pipe))
            text.append(buffer, got);
        const int status = ::pclose(pipe);
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, text};
    }

    void ExpectFailure(const Finished& finished, const std::string& path,
                       const std::string& reason) const {
        EXPECT_EQ(finished.status, 1);
        EXPECT_EQ(finished.stderrText.rfind("tageditor-cli: " + path + ": ", 0), 0u)
            << finished.stderrText;
        EXPECT_NE(finished.stderrText.find(reason), std::string::npos) << finished.stderrText;
        EXPECT_EQ(std::count(finished.stderrText.begin(), finished.stderrText.end(), '\n'), 1);
    }

    ScratchDir m_dir;
    std::string m_cli = m_dir.File("tageditor-cli");
    std::string m_path = m_dir.File("song.mp3");
    Mp3Builder m_tight = Mp3Builder().TextFrame("TIT2", "Old").AudioFrames(20);
    Mp3Builder::Bytes m_original;
};

TEST_F(CliSaveFault, AReadOnlyFile) {
    fs::permissions(m_path, fs::perms::owner_read);
    ExpectFailure(SetTitle(m_path, "New"), m_path,
                  "The file cannot be written: Permission denied. The file was left as it was.");
    EXPECT_EQ(Mp3Builder::ReadFile(m_path), m_original);
}

TEST_F(CliSaveFault, AReadOnlyFolderWhenTheTagMustGrow) {
    fs::permissions(m_dir.Path(), fs::perms::owner_read | fs::perms::owner_exec);
    ExpectFailure(SetTitle(m_path, "A title far too long to fit"), m_path,
                  "The folder holding the file cannot be written to: Permission denied.");
    fs::permissions(m_dir.Path(), fs::perms::owner_all);
    EXPECT_EQ(Mp3Builder::ReadFile(m_path), m_original);
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

} // namespace
