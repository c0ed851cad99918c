#include "CCliArguments.h"
#include "CTagCli.h"
#include "CoverPictures.h"
#include "Mp3Builder.h"
#include "MutagenReport.h"
#include "ScratchDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>

namespace {

class Cli : public ::testing::Test {
protected:
    int Run(const std::vector<std::string>& args) {
        m_out.str("");
        m_err.str("");
        CTagCli cli(m_out, m_err);
        return cli.Run(CCliArguments::Parse(args));
    }

    std::string Write(const std::string& name, const Mp3Builder& file) {
        const std::string path = m_dir.File(name);
        file.WriteTo(path);
        return path;
    }

    ScratchDir m_dir;
    std::ostringstream m_out, m_err;
};

TEST_F(Cli, ShowPrintsOneBlockPerFileInUtf8) {
    const std::string first = Write("first.mp3", Mp3Builder()
                                                     .Utf16TextFrame("TIT2", u"Caf\u00E9")
                                                     .TextFrame("TPE1", "Bj\xF6rk")
                                                     .TextFrame("TALB", "Album")
                                                     .TextFrame("TYER", "1999")
                                                     .TextFrame("TCON", "(79)")
                                                     .CommentFrame("", "Hi"));
    const std::string second = Write("second.mp3", Mp3Builder().TextFrame("TCON", "(100)"));
    EXPECT_EQ(Run({"show", first, second}), 0);
    EXPECT_EQ(m_out.str(),
              "File: " + first +
                  "\nTitle: Caf\u00E9\nArtist: Bj\u00F6rk\nAlbum: Album\nYear: 1999\n"
                  "Genre: 79 (HardRock)\nComments: Hi\nTrack: \nDisc: \n"
                  "Album artist: \nCover: none\n\n"
                  "File: " +
                  second +
                  "\nTitle: \nArtist: \nAlbum: \nYear: \n"
                  "Genre: 100 (-)\nComments: \nTrack: \nDisc: \nAlbum artist: \nCover: none\n\n");
    EXPECT_EQ(m_err.str(), "");
}

TEST_F(Cli, ShowKeepsOneLinePerFieldWhateverThePathAndTextsHold) {
    const std::string path = Write("two\nlines\\.mp3", Mp3Builder()
                                                           .TextFrame("TIT2", "Top\nBottom")
                                                           .TextFrame("TPE1", "Tab\there")
                                                           .TextFrame("TALB", "Bell\x07\x85")
                                                           .CommentFrame("", "C:\\music"));
    EXPECT_EQ(Run({"show", path}), 0);
    const std::string folder = m_dir.Path() + "/";
    EXPECT_EQ(m_out.str(), "File: " + folder +
                               "two\\nlines\\\\.mp3\n"
                               "Title: Top\\nBottom\nArtist: Tab\\there\nAlbum: Bell\\x07\\u0085\n"
                               "Year: \nGenre: 255 (None)\nComments: C:\\\\music\nTrack: \nDisc: \n"
                               "Album artist: \nCover: none\n\n");
}

TEST_F(Cli, ShowNamesNoneForNoGenreAndForEighty) {
    const std::string eighty = Write("eighty.mp3", Mp3Builder().TextFrame("TCON", "(80)"));
    const std::string none = Write("none.mp3", Mp3Builder().TextFrame("TIT2", "x"));
    EXPECT_EQ(Run({"show", eighty, none}), 0);
    EXPECT_NE(m_out.str().find("Genre: 80 (None)\n"), std::string::npos);
    EXPECT_NE(m_out.str().find("Genre: 255 (None)\n"), std::string::npos);
}

TEST_F(Cli, SetSavesTheFormAndMutagenReadsItBack) {
    const Mp3Builder original = Mp3Builder()
                                    .TextFrame("TIT2", "Old")
                                    .TextFrame("TPE2", "Band")
                                    .TextFrame("TCON", "(4)")
                                    .Id3v1({"Old", "", "", "", "", 4, 0});
    const std::string path = Write("song.mp3", original);
    EXPECT_EQ(Run({"set", "--artist", "Beyonc\xC3\xA9", "--album", "Live", "--genre", "Jazz",
                   "--comment", "Fine", path}),
              0)
        << m_err.str();
    const MutagenReport report = MutagenReport::Read(path);
    EXPECT_EQ(report.CheckSavedLayout(path, original.Audio()), "");
    EXPECT_EQ(report.Text("TIT2"), "Old");
    EXPECT_EQ(report.Text("TPE1"), "Beyonc\u00E9");
    EXPECT_EQ(report.Text("TPE2"), "Band");
    EXPECT_EQ(report.Text("TALB"), "Live");
    EXPECT_EQ(report.Text("TCON"), "(8)");
    EXPECT_EQ(report.Text("COMM"), "Fine");
    EXPECT_EQ(report.Id3v1Text("TPE1"), "Beyonc\u00E9");
    EXPECT_EQ(report.Id3v1Text("TCON"), "8");

    EXPECT_EQ(Run({"show", path}), 0);
    EXPECT_NE(m_out.str().find("Artist: Beyonc\u00E9\n"), std::string::npos) << m_out.str();
}

TEST_F(Cli, SetWithoutGenreKeepsTheFilesGenreFrame) {
    const std::string path = Write("song.mp3", Mp3Builder().TextFrame("TCON", "(17)Rock"));
    EXPECT_EQ(Run({"set", "--title", "T", path}), 0);
    EXPECT_EQ(MutagenReport::Read(path).Text("TCON"), "(17)Rock");
    EXPECT_EQ(Run({"set", "--title", "T", "--genre", "none", path}), 0);
    EXPECT_EQ(MutagenReport::Read(path).Text("TCON"), "(17)Rock");
    EXPECT_EQ(Run({"set", "--genre", "rock", path}), 0);
    EXPECT_EQ(MutagenReport::Read(path).Text("TCON"), "(17)Rock") << "the same row";
    EXPECT_EQ(Run({"set", "--genre", "18", path}), 0);
    EXPECT_EQ(MutagenReport::Read(path).Text("TCON"), "(18)");
}

TEST_F(Cli, SetTakesAndShowPrintsEveryScriptExactly) {
    const Mp3Builder original = Mp3Builder().TextFrame("TIT2", "x").Padding(64);
    const std::string path = Write("song.mp3", original);
    const std::string artist = "\u0414\u043C\u0438\u0442\u0440\u0438\u0439 "
                               "\u0428\u043E\u0441\u0442\u0430\u043A\u043E\u0432\u0438\u0447";
    const std::string album = "\u0141\u00F3d\u017A \u6771\u4EAC \u20ACuro \U0001F600";
    EXPECT_EQ(Run({"set", "--artist", artist, "--album", album, "--title", "Caf\u00E9", path}), 0)
        << m_err.str();
    const MutagenReport report = MutagenReport::Read(path);
    EXPECT_EQ(report.CheckSavedLayout(path, original.Audio()), "");
    EXPECT_EQ(report.Text("TPE1"), artist);
    EXPECT_EQ(report.All("TPE1").at(0).encoding, 1);
    EXPECT_EQ(report.Text("TALB"), album);
    EXPECT_EQ(report.Text("TIT2"), "Caf\u00E9");
    EXPECT_EQ(report.All("TIT2").at(0).encoding, 0);
    EXPECT_EQ(report.Id3v1Text("TALB"), "?\u00F3d? ?? ?uro ?");
    EXPECT_EQ(Run({"show", path}), 0);
    EXPECT_NE(m_out.str().find("\nArtist: " + artist + "\nAlbum: " + album + "\n"),
              std::string::npos)
        << m_out.str();
}

TEST_F(Cli, AFileThatFailsIsNamedAndTheOthersAreStillDone) {
    const std::string good = Write("good.mp3", Mp3Builder().TextFrame("TIT2", "x"));
    const std::string missing = m_dir.File("missing.mp3");
    EXPECT_EQ(Run({"set", "--title", "New", missing, good}), 1);
    EXPECT_EQ(m_err.str(), "tageditor-cli: " + missing + ": No such file or directory\n");
    EXPECT_EQ(MutagenReport::Read(good).Text("TIT2"), "New");
    EXPECT_EQ(Run({"show", good, missing}), 1);
    EXPECT_NE(m_out.str().find("Title: New"), std::string::npos);
}

TEST_F(Cli, AProtectedFileShowsWhatCanBeReadIsNamedAndLeftAlone) {
    const Mp3Builder original = Mp3Builder()
                                    .Version(4)
                                    .Frame("TIT2", {0, 'x'}, 0x0004)
                                    .Utf8TextFrame("TALB", "Readable album");
    const std::string path = Write("v24.mp3", original);
    EXPECT_EQ(Run({"show", path}), 1);
    EXPECT_NE(m_out.str().find("Title: \nArtist: \nAlbum: Readable album\n"), std::string::npos)
        << m_out.str();
    EXPECT_NE(m_err.str().find(path + ": The file's ID3v2 tag holds an encrypted frame"),
              std::string::npos)
        << m_err.str();
    EXPECT_EQ(Run({"set", "--title", "Three", path}), 1);
    EXPECT_NE(m_err.str().find(path + ": The file's ID3v2 tag holds an encrypted frame"),
              std::string::npos);
    EXPECT_EQ(Mp3Builder::ReadFile(path), original.Build());
}

TEST_F(Cli, AnOverlongTextFromTheFileIsKeptWhileItIsNotChanged) {
    const std::string title(44, 't');
    const std::string path = Write("long.mp3", Mp3Builder().TextFrame("TIT2", title));
    EXPECT_EQ(Run({"set", "--year", "1999", path}), 0) << m_err.str();
    const MutagenReport report = MutagenReport::Read(path);
    EXPECT_EQ(report.Text("TIT2"), title);
    EXPECT_EQ(report.Text("TYER"), "1999");
    EXPECT_EQ(report.Id3v1Text("TIT2"), std::string(30, 't'));
}

TEST_F(Cli, WithRAFolderStandsForTheMp3sBelowItAndWithoutItIsNoFile) {
    std::filesystem::create_directories(m_dir.File("Album/CD2"));
    const std::string second = Write("Album/CD2/01.mp3", Mp3Builder().TextFrame("TIT2", "Two"));
    const std::string first = Write("Album/01.mp3", Mp3Builder().TextFrame("TIT2", "One"));
    std::ofstream(m_dir.File("Album/cover.jpg")) << "not a song";
    const std::string single = Write("single.mp3", Mp3Builder().TextFrame("TIT2", "Single"));

    EXPECT_EQ(Run({"set", "-r", "--album", "Live", m_dir.File("Album"), single}), 0) << m_err.str();
    for (const std::string& path : {first, second, single})
        EXPECT_EQ(MutagenReport::Read(path).Text("TALB"), "Live") << path;
    const Mp3Builder::Bytes cover = Mp3Builder::ReadFile(m_dir.File("Album/cover.jpg"));
    EXPECT_EQ(std::string(cover.begin(), cover.end()), "not a song");

    EXPECT_EQ(Run({"show", "--recursive", m_dir.File("Album")}), 0);
    EXPECT_EQ(m_out.str().find("File: " + first), 0u);
    EXPECT_NE(m_out.str().find("File: " + second), std::string::npos);
    EXPECT_EQ(m_out.str().find("cover.jpg"), std::string::npos);

    // A value one file below the folder refuses stops the whole run before any file is written.
    const std::string title(40, 't');
    Write("Album/CD2/long.mp3", Mp3Builder().TextFrame("TIT2", title));
    const Mp3Builder::Bytes firstBefore = Mp3Builder::ReadFile(first);
    EXPECT_EQ(Run({"set", "-r", "--title", title, m_dir.File("Album")}), 2);
    EXPECT_NE(m_err.str().find(first + ": --title: "), std::string::npos) << m_err.str();
    EXPECT_EQ(Mp3Builder::ReadFile(first), firstBefore);

    EXPECT_EQ(Run({"show", m_dir.File("Album")}), 1);
    EXPECT_NE(m_err.str().find(m_dir.File("Album")), std::string::npos);
    // After "--", "-r" is a file's name.
    EXPECT_EQ(Run({"show", "--", "-r"}), 1);
}

TEST_F(Cli, AFilesOwnOverlongTextGivenBackAsItIsPassesLikeInTheWindow) {
    const std::string title(40, 't');
    const std::string path = Write("long.mp3", Mp3Builder().TextFrame("TIT2", title));
    EXPECT_EQ(Run({"set", "--title", title, "--year", "1999", path}), 0) << m_err.str();
    EXPECT_EQ(MutagenReport::Read(path).Text("TIT2"), title);
    EXPECT_EQ(MutagenReport::Read(path).Text("TYER"), "1999");
    // Anything else over the cap is still a usage mistake, counted in characters.
    const auto before = Mp3Builder::ReadFile(path);
    EXPECT_EQ(Run({"set", "--title", title + "u", path}), 2);
    EXPECT_NE(m_err.str().find("--title: Please enter no more than 30 characters."),
              std::string::npos)
        << m_err.str();
    std::string thirty;
    for (int i = 0; i < 30; ++i)
        thirty += "\xE6\x9D\xB1"; // 東
    EXPECT_EQ(Run({"set", "--album", thirty + "\xE4\xBA\xAC", path}), 2);
    EXPECT_EQ(Run({"set", "--comment", std::string(29, 'c'), path}), 2);
    EXPECT_EQ(Mp3Builder::ReadFile(path), before);
    EXPECT_EQ(Run({"set", "--album", thirty, "--year", "\xEF\xBC\x91", path}), 2)
        << "a full-width digit is no digit";
    EXPECT_NE(m_err.str().find("--year: Please enter the year in digits only."), std::string::npos);
    EXPECT_EQ(Mp3Builder::ReadFile(path), before);

    // The same title is the first file's own but too long for the second: no file is written,
    // and the one that refuses it is named.
    const std::string other = Write("other.mp3", Mp3Builder().TextFrame("TIT2", "short"));
    const auto otherBefore = Mp3Builder::ReadFile(other);
    EXPECT_EQ(Run({"set", "--title", title, "--year", "2001", path, other}), 2);
    EXPECT_NE(m_err.str().find(other + ": --title: Please enter no more than 30 characters."),
              std::string::npos)
        << m_err.str();
    EXPECT_EQ(Mp3Builder::ReadFile(path), before);
    EXPECT_EQ(Mp3Builder::ReadFile(other), otherBefore);
}

TEST_F(Cli, SetAndShowTrackDiscAndAlbumArtist) {
    const std::string path = Write("song.mp3", Mp3Builder().TextFrame("TIT2", "x"));
    EXPECT_EQ(
        Run({"set", "--track", "3/12", "--disc", "1/2", "--album-artist", "V\xC3\xA1rios", path}),
        0)
        << m_err.str();
    const MutagenReport report = MutagenReport::Read(path);
    EXPECT_EQ(report.Text("TRCK"), "3/12");
    EXPECT_EQ(report.Text("TPOS"), "1/2");
    EXPECT_EQ(report.Text("TPE2"), "V\u00E1rios");
    EXPECT_EQ(Run({"show", path}), 0);
    EXPECT_NE(m_out.str().find("Comments: \nTrack: 3/12\nDisc: 1/2\nAlbum artist: V\u00E1rios\n"),
              std::string::npos)
        << m_out.str();

    const auto before = Mp3Builder::ReadFile(path);
    for (const char* bad : {"0", "3/", "1000", "three"}) {
        EXPECT_EQ(Run({"set", "--track", bad, path}), 2) << bad;
        EXPECT_NE(m_err.str().find("--track: Please enter the track as a number"),
                  std::string::npos)
            << m_err.str();
        EXPECT_EQ(Run({"set", "--disc", bad, path}), 2) << bad;
    }
    EXPECT_EQ(Mp3Builder::ReadFile(path), before);
}

TEST_F(Cli, UsageMistakesExitWithTwoAndWriteNothing) {
    const Mp3Builder original = Mp3Builder().TextFrame("TIT2", "x");
    const std::string path = Write("song.mp3", original);
    EXPECT_EQ(Run({"set", "--title", "\xC3(", path}), 2);
    EXPECT_NE(m_err.str().find("not valid UTF-8"), std::string::npos) << m_err.str();
    EXPECT_EQ(Run({"set", "--title", std::string(31, 'x'), path}), 2);
    EXPECT_EQ(Mp3Builder::ReadFile(path), original.Build());
    EXPECT_EQ(Run({}), 2);
    EXPECT_EQ(Run({"--help"}), 0);
    EXPECT_NE(m_out.str().find("Usage: tageditor-cli show [-r] FILE..."), std::string::npos);
}

TEST_F(Cli, TheProgramRunsTheSameCommands) {
    const std::string path = Write("song.mp3", Mp3Builder().TextFrame("TIT2", "x"));
    const std::string program = TAGEDITOR_CLI_PATH;
    EXPECT_EQ(std::system((program + " set --title 'Gr\xC3\xBC\xC3\x9F' '" + path + "'").c_str()),
              0);
    EXPECT_EQ(MutagenReport::Read(path).Text("TIT2"), "Gr\u00FC\u00DF");
    EXPECT_EQ(WEXITSTATUS(std::system((program + " show 2>/dev/null").c_str())), 2);
    EXPECT_EQ(WEXITSTATUS(std::system((program + " show /nonexistent 2>/dev/null").c_str())), 1);
}

// The cover commands: the "Cover: " line of show, set --cover and --remove-cover on every
// named file, extract-cover, and the usage mistakes that leave every file as it was.

// An APIC frame's body: Latin-1, MIME, TYPE, DESCRIPTION, DATA.
Mp3Builder::Bytes PictureBody(const std::string& mime, int type, const std::string& data,
                              const std::string& description = "") {
    Mp3Builder::Bytes body = {0x00};
    body.insert(body.end(), mime.begin(), mime.end());
    body.insert(body.end(), {0x00, static_cast<std::uint8_t>(type)});
    body.insert(body.end(), description.begin(), description.end());
    body.push_back(0x00);
    body.insert(body.end(), data.begin(), data.end());
    return body;
}

std::string FileText(const std::string& path) {
    const Mp3Builder::Bytes bytes = Mp3Builder::ReadFile(path);
    return std::string(bytes.begin(), bytes.end());
}

std::string WriteBytes(const ScratchDir& dir, const std::string& name, const std::string& bytes) {
    const std::string path = dir.File(name);
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

std::vector<CoverPictures::Picture> PicturesIn(const std::string& path) {
    std::string error;
    std::vector<CoverPictures::Picture> pictures = CoverPictures::Read(path, &error);
    EXPECT_EQ(error, "");
    return pictures;
}

const std::string kJpeg = CoverPictures::Jpeg(300, 300);

TEST_F(Cli, CoverShowNamesTheFrontCoverAfterTheFields) {
    const std::string jpeg =
        Write("jpeg.mp3", Mp3Builder().Frame("APIC", PictureBody("image/jpeg", 3, kJpeg)));
    // A picture whose header says nothing of its size, under a MIME type with a newline.
    const std::string other =
        Write("other.mp3", Mp3Builder().Frame("APIC", PictureBody("image/x\nwebp", 0, "RIFF")));
    EXPECT_EQ(Run({"show", jpeg, other}), 0);
    EXPECT_NE(m_out.str().find("Album artist: \nCover: image/jpeg, 300x300, " +
                               std::to_string(kJpeg.size()) + " bytes\n\n"),
              std::string::npos)
        << m_out.str();
    EXPECT_NE(m_out.str().find("Cover: image/x\\nwebp, 4 bytes\n\n"), std::string::npos);
}

TEST_F(Cli, CoverSetReplacesAndRemovesTheCoverOfEveryFileAndExtractTakesItOut) {
    const std::string png = CoverPictures::Png(32, 16);
    const std::string image = WriteBytes(m_dir, "cover.png", png);
    const std::string first = Write("first.mp3", Mp3Builder().TextFrame("TIT2", "One"));
    const std::string second =
        Write("second.mp3", Mp3Builder()
                                .Frame("APIC", PictureBody("image/jpeg", 4, "back", "Back"))
                                .Frame("APIC", PictureBody("image/jpeg", 3, kJpeg)));
    EXPECT_EQ(Run({"set", "--cover", image, "--title", "Both", first, second}), 0) << m_err.str();
    const CoverPictures::Picture back{4, "image/jpeg", "Back", 0, "back"};
    const CoverPictures::Picture cover{3, "image/png", "", 0, png};
    EXPECT_EQ(PicturesIn(first), std::vector<CoverPictures::Picture>{cover});
    EXPECT_EQ(PicturesIn(second), (std::vector<CoverPictures::Picture>{back, cover}));

    const std::string out = m_dir.File("out.png");
    EXPECT_EQ(Run({"extract-cover", second, out}), 0);
    EXPECT_EQ(FileText(out), png);
    // An existing file is never written over.
    EXPECT_EQ(Run({"extract-cover", first, out}), 1);
    EXPECT_EQ(m_err.str(), "tageditor-cli: " + out + ": File exists\n");

    EXPECT_EQ(Run({"set", "--remove-cover", first, second}), 0);
    EXPECT_TRUE(PicturesIn(first).empty());
    EXPECT_EQ(PicturesIn(second), std::vector<CoverPictures::Picture>{back});
    EXPECT_EQ(Run({"extract-cover", first, m_dir.File("none.jpg")}), 1);
    EXPECT_EQ(m_err.str(), "tageditor-cli: " + first + ": The file has no cover.\n");
    EXPECT_FALSE(std::filesystem::exists(m_dir.File("none.jpg")));
}

TEST_F(Cli, CoverUsageMistakesLeaveEveryFileAsItWas) {
    const std::string song = Write(
        "song.mp3",
        Mp3Builder().TextFrame("TIT2", "Old").Frame("APIC", PictureBody("image/jpeg", 3, kJpeg)));
    const std::string before = FileText(song);
    const std::string gif = WriteBytes(m_dir, "cover.gif", "GIF89a\x01\x00\x01\x00");
    const std::string png = WriteBytes(m_dir, "cover.png", CoverPictures::Png(1, 1));
    const std::vector<std::vector<std::string>> mistakes = {
        {"set", "--title", "New", "--cover", gif, song},
        {"set", "--cover", m_dir.File("missing.png"), song},
        {"set", "--cover", m_dir.Path(), song},
        {"set", "--cover", png, "--remove-cover", song},
        {"set", "--remove-cover=yes", song},
        {"set", "--cover", "", song},
        {"extract-cover", song},
        {"extract-cover", song, m_dir.File("a"), m_dir.File("b")},
        {"extract-cover", "--title", "x", song, m_dir.File("a")},
        {"show", "--remove-cover", song},
    };
    for (const std::vector<std::string>& args : mistakes) {
        EXPECT_EQ(Run(args), 2) << args[1];
        EXPECT_EQ(m_out.str(), "");
        EXPECT_EQ(m_err.str().rfind("tageditor-cli: ", 0), 0u) << m_err.str();
        EXPECT_EQ(FileText(song), before) << args[1];
    }
    EXPECT_FALSE(std::filesystem::exists(m_dir.File("a")));
    Run({"set", "--cover", gif, song});
    EXPECT_EQ(m_err.str().rfind("tageditor-cli: --cover " + gif +
                                    ": It is not a JPEG or PNG picture that can be read.\n",
                                0),
              0u);
}

} // namespace

namespace {

// Files that are not MP3s are refused by name, whatever else is set, and keep every byte.
TEST_F(Cli, SetRefusesFilesThatAreNotMp3s) {
    const std::string notes = m_dir.File("notes.txt");
    const std::string picture = m_dir.File("picture.png");
    const std::string song = Write("song.mp3", Mp3Builder().TextFrame("TIT2", "Old"));
    Mp3Builder::WriteFile(notes, Mp3Builder::Bytes(300, 'n'));
    Mp3Builder::WriteFile(picture, {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13});
    EXPECT_EQ(Run({"set", "--title", "X", notes, song, picture}), 1);
    const std::string why = ": It is not an MP3 file: no MPEG audio was found in it.\n";
    EXPECT_EQ(m_err.str(), "tageditor-cli: " + notes + why + "tageditor-cli: " + picture + why);
    EXPECT_EQ(Mp3Builder::ReadFile(notes), Mp3Builder::Bytes(300, 'n'));
    EXPECT_EQ(Mp3Builder::ReadFile(picture).size(), 12u);
    EXPECT_EQ(MutagenReport::Read(song).Text("TIT2"), "X");
}

} // namespace
