// tageditor-cli's cover commands: the "Cover: " line of show, set --cover and --remove-cover on
// every named file, extract-cover, and the usage mistakes that leave every file as it was.
#include "CCliArguments.h"
#include "CTagCli.h"
#include "CoverPictures.h"
#include "Mp3Builder.h"
#include "ScratchDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

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

class CliCover : public ::testing::Test {
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

    std::string WriteImage(const std::string& name, const std::string& bytes) {
        const std::string path = m_dir.File(name);
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    std::vector<CoverPictures::Picture> Pictures(const std::string& path) {
        std::string error;
        std::vector<CoverPictures::Picture> pictures = CoverPictures::Read(path, &error);
        EXPECT_EQ(error, "");
        return pictures;
    }

    ScratchDir m_dir;
    std::ostringstream m_out, m_err;
    const std::string m_jpeg = CoverPictures::Jpeg(300, 300);
};

TEST_F(CliCover, ShowNamesTheFrontCoverAfterTheFields) {
    const std::string jpeg =
        Write("jpeg.mp3", Mp3Builder().Frame("APIC", PictureBody("image/jpeg", 3, m_jpeg)));
    // A picture whose header says nothing of its size, under a MIME type with a newline.
    const std::string other =
        Write("other.mp3", Mp3Builder().Frame("APIC", PictureBody("image/x\nwebp", 0, "RIFF")));
    EXPECT_EQ(Run({"show", jpeg, other}), 0);
    EXPECT_NE(m_out.str().find("Comments: \nCover: image/jpeg, 300x300, " +
                               std::to_string(m_jpeg.size()) + " bytes\n\n"),
              std::string::npos)
        << m_out.str();
    EXPECT_NE(m_out.str().find("Cover: image/x\\nwebp, 4 bytes\n\n"), std::string::npos);
}

TEST_F(CliCover, SetReplacesAndRemovesTheCoverOfEveryFileAndExtractTakesItOut) {
    const std::string png = CoverPictures::Png(32, 16);
    const std::string image = WriteImage("cover.png", png);
    const std::string first = Write("first.mp3", Mp3Builder().TextFrame("TIT2", "One"));
    const std::string second =
        Write("second.mp3", Mp3Builder()
                                .Frame("APIC", PictureBody("image/jpeg", 4, "back", "Back"))
                                .Frame("APIC", PictureBody("image/jpeg", 3, m_jpeg)));
    EXPECT_EQ(Run({"set", "--cover", image, "--title", "Both", first, second}), 0) << m_err.str();
    const CoverPictures::Picture back{4, "image/jpeg", "Back", 0, "back"};
    const CoverPictures::Picture cover{3, "image/png", "", 0, png};
    EXPECT_EQ(Pictures(first), std::vector<CoverPictures::Picture>{cover});
    EXPECT_EQ(Pictures(second), (std::vector<CoverPictures::Picture>{back, cover}));

    const std::string out = m_dir.File("out.png");
    EXPECT_EQ(Run({"extract-cover", second, out}), 0);
    EXPECT_EQ(FileText(out), png);
    // An existing file is never written over.
    EXPECT_EQ(Run({"extract-cover", first, out}), 1);
    EXPECT_EQ(m_err.str(), "tageditor-cli: " + out + ": File exists\n");

    EXPECT_EQ(Run({"set", "--remove-cover", first, second}), 0);
    EXPECT_TRUE(Pictures(first).empty());
    EXPECT_EQ(Pictures(second), std::vector<CoverPictures::Picture>{back});
    EXPECT_EQ(Run({"extract-cover", first, m_dir.File("none.jpg")}), 1);
    EXPECT_EQ(m_err.str(), "tageditor-cli: " + first + ": The file has no cover.\n");
    EXPECT_FALSE(std::filesystem::exists(m_dir.File("none.jpg")));
}

TEST_F(CliCover, UsageMistakesLeaveEveryFileAsItWas) {
    const std::string song = Write(
        "song.mp3",
        Mp3Builder().TextFrame("TIT2", "Old").Frame("APIC", PictureBody("image/jpeg", 3, m_jpeg)));
    const std::string before = FileText(song);
    const std::string gif = WriteImage("cover.gif", "GIF89a\x01\x00\x01\x00");
    const std::string png = WriteImage("cover.png", CoverPictures::Png(1, 1));
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
    EXPECT_EQ(m_err.str(), "tageditor-cli: --cover " + gif +
                               ": It is not a JPEG or PNG picture that can be read.\n");
}

} // namespace
