// The Debian package as a user gets it: unpacked into a scratch root with dpkg-deb, its programs
// run there against the system's own libraries.
#include "Mp3Builder.h"
#include "MutagenReport.h"
#include "ScratchDir.h"
#include "ShellCommand.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <regex>
#include <set>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

class InstalledPackage : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_scratch = std::make_unique<ScratchDir>();
        s_unpack = RunCommand("dpkg-deb -x " + ShellQuoted(TAGEDITOR_PACKAGE_DEB) + " " +
                              ShellQuoted(Root()) + " 2>&1");
    }
    static void TearDownTestSuite() { s_scratch.reset(); }

    void SetUp() override {
        ASSERT_EQ(s_unpack.status, 0) << "dpkg-deb -x " TAGEDITOR_PACKAGE_DEB ": " << s_unpack.out;
    }

    static std::string Root() { return s_scratch->File("root"); }
    static std::string Installed(const std::string& path) { return Root() + "/" + path; }

    CommandResult Cli(const std::string& arguments) {
        return RunCommand(ShellQuoted(Installed("usr/bin/tageditor-cli")) + " " + arguments);
    }

    std::string Write(const std::string& name, const Mp3Builder& file) {
        const std::string path = m_files.File(name);
        file.WriteTo(path);
        return path;
    }

    static inline std::unique_ptr<ScratchDir> s_scratch;
    static inline CommandResult s_unpack;
    ScratchDir m_files;
};

TEST_F(InstalledPackage, CarriesTheProjectsVersion) {
    const CommandResult version =
        RunCommand("dpkg-deb -f " + ShellQuoted(TAGEDITOR_PACKAGE_DEB) + " Version");
    EXPECT_EQ(version.out, TAGEDITOR_VERSION "\n");
}

TEST_F(InstalledPackage, HoldsTheProgramsTheirManPagesAndTheDesktopFiles) {
    const std::string appId = "example.melvora.tageditor";
    for (const std::string& path : std::vector<std::string>{
             "usr/bin/tageditor-cli", "usr/share/man/man1/tageditor.1.gz",
             "usr/share/man/man1/tageditor-cli.1.gz", "usr/share/doc/tageditor/copyright",
             "usr/share/applications/" + appId + ".desktop",
             "usr/share/metainfo/" + appId + ".metainfo.xml",
             "usr/share/icons/hicolor/48x48/apps/" + appId + ".png",
             "usr/share/icons/hicolor/scalable/apps/" + appId + ".svg"})
        EXPECT_TRUE(fs::is_regular_file(Installed(path))) << path;

    // The editor finds its help file beside the executable the link in the programs folder
    // leads to, and the link must lead there inside whatever root the package is unpacked in.
    const fs::path link = Installed("usr/bin/tageditor");
    ASSERT_TRUE(fs::is_symlink(link));
    EXPECT_TRUE(fs::read_symlink(link).is_relative());
    const fs::path editor = fs::canonical(link);
    EXPECT_EQ(editor, fs::canonical(Installed("usr/libexec/tageditor/tageditor")));
    EXPECT_EQ(access(editor.c_str(), X_OK), 0);
    EXPECT_TRUE(fs::is_regular_file(editor.parent_path() / "quillet.chm"));
}

TEST_F(InstalledPackage, CliShowsAFilesTags) {
    const std::string path = Write("song.mp3", Mp3Builder()
                                                   .TextFrame("TIT2", "Caf\xE9")
                                                   .TextFrame("TPE1", "Artist")
                                                   .TextFrame("TYER", "1999")
                                                   .TextFrame("TCON", "(17)")
                                                   .CommentFrame("", "Fine"));
    const CommandResult show = Cli("show " + ShellQuoted(path));
    EXPECT_EQ(show.status, 0);
    EXPECT_EQ(show.out, "File: " + path +
                            "\nTitle: Caf\u00E9\nArtist: Artist\nAlbum: \nYear: 1999\n"
                            "Genre: 17 (Rock)\nComments: Fine\nTrack: \nDisc: \nAlbum artist: \n"
                            "Cover: none\n\n");
}

TEST_F(InstalledPackage, CliSavesWhatSetIsGivenAndShowsItAgain) {
    const Mp3Builder original = Mp3Builder().TextFrame("TIT2", "Old").TextFrame("TCON", "(4)");
    const std::string path = Write("song.mp3", original);
    const CommandResult set =
        Cli("set --artist 'Bj\xC3\xB6rk' --album Live --genre Jazz " + ShellQuoted(path) + " 2>&1");
    ASSERT_EQ(set.status, 0) << set.out;

    const MutagenReport report = MutagenReport::Read(path);
    EXPECT_EQ(report.CheckSavedLayout(path, original.Audio()), "");
    EXPECT_EQ(report.Text("TIT2"), "Old");
    EXPECT_EQ(report.Text("TPE1"), "Bj\u00F6rk");
    EXPECT_EQ(report.Text("TALB"), "Live");
    EXPECT_EQ(report.Text("TCON"), "(8)");
    EXPECT_EQ(report.Id3v1Text("TPE1"), "Bj\u00F6rk");

    const CommandResult show = Cli("show " + ShellQuoted(path));
    EXPECT_NE(show.out.find("\nArtist: Bj\u00F6rk\nAlbum: Live\n"), std::string::npos) << show.out;
    EXPECT_NE(show.out.find("\nGenre: 8 (Jazz)\n"), std::string::npos) << show.out;
}

TEST_F(InstalledPackage, CliManPageNamesEveryOptionAndCommandOfItsHelp) {
    const CommandResult help = Cli("--help");
    ASSERT_EQ(help.status, 0);
    const CommandResult page =
        RunCommand("zcat " + ShellQuoted(Installed("usr/share/man/man1/tageditor-cli.1.gz")));
    ASSERT_EQ(page.status, 0);
    // The page's source spells a hyphen of an option "\-".
    const std::string text = std::regex_replace(page.out, std::regex(R"(\\-)"), "-");

    std::set<std::string> named;
    const std::regex option(R"(--[a-z][a-z-]*)"), command(R"(tageditor-cli ([a-z]+))");
    for (std::sregex_iterator it(help.out.begin(), help.out.end(), option), end; it != end; ++it)
        named.insert(it->str());
    for (std::sregex_iterator it(help.out.begin(), help.out.end(), command), end; it != end; ++it)
        named.insert((*it)[1].str());
    ASSERT_GE(named.size(), 3U) << help.out;
    for (const std::string& name : named)
        EXPECT_NE(text.find(name), std::string::npos) << name << " is not in tageditor-cli(1)";
}

} // namespace
