// Cover art in the tag core: the pictures' headers, the files a new cover may come from, and
// covers other programs wrote, shown, kept, replaced and removed, read back with mutagen.
#include "CoverImageFile.h"
#include "CoverPictures.h"
#include "ImageHeader.h"
#include "Mp3Builder.h"
#include "PythonRun.h"
#include "ScratchDir.h"
#include "ShellCommand.h"
#include "TagEditingSession.h"
#include "TaggerStyles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

namespace {

using CoverPictures::Picture;

void WriteText(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

TEST(ImageHeader, GivesFormatAndPixelSizeFromTheHeaderAlone) {
    const ImageHeader png = ImageHeader::Read(CoverPictures::Png(640, 480));
    EXPECT_EQ(png.format, ImageHeader::Format::Png);
    EXPECT_EQ(std::string(png.MimeType()), "image/png");
    EXPECT_EQ(png.width, 640);
    EXPECT_EQ(png.height, 480);

    const ImageHeader jpeg = ImageHeader::Read(CoverPictures::Jpeg(300, 200));
    EXPECT_EQ(std::string(jpeg.MimeType()), "image/jpeg");
    EXPECT_EQ(jpeg.width, 300);
    EXPECT_EQ(jpeg.height, 200);

    // A camera's picture: a large Exif segment, fill bytes and a Huffman table before a
    // progressive frame header.
    const std::string exif = std::string("\xFF\xE1\x40\x00", 4) + std::string(0x3FFE, 'x');
    const std::string progressive =
        std::string("\xFF\xD8", 2) + exif + std::string("\xFF\xFF\xFF\xC4\x00\x03\x00", 7) +
        std::string("\xFF\xC2\x00\x11\x08\x04\x38\x07\x80\x03\x01\x22\x00\x02\x11\x01\x03\x11\x01",
                    19);
    const ImageHeader camera = ImageHeader::Read(progressive);
    EXPECT_EQ(camera.width, 1920);
    EXPECT_EQ(camera.height, 1080);
}

TEST(ImageHeader, RefusesWhatIsNoReadableJpegOrPng) {
    const std::string jpeg = CoverPictures::Jpeg(300, 200);
    const std::string png = CoverPictures::Png(10, 10);
    const std::string refused[] = {
        "GIF89a\x01\x00\x01\x00",
        "",
        png.substr(0, 20),                                    // cut inside IHDR
        png.substr(0, 12) + "IDAT" + png.substr(16),          // IHDR not first
        CoverPictures::Png(0, 10),                            // no pixels
        jpeg.substr(0, 26),                                   // cut inside the frame header
        std::string("\xFF\xD8\xFF\xDA\x00\x02", 6) + jpeg,    // scan before any frame header
        std::string("\xFF\xD8\xFF\xE0\xFF\xF0", 6) + "short", // segment past the end
        std::string("\xFF\xD8\xFF\xE0\x00\x01", 6) + jpeg,    // length shorter than itself
        std::string("\xFF\xD8\x00\x00", 4) + jpeg,            // no marker where one must be
        CoverPictures::Jpeg(0, 200),
    };
    for (const std::string& bytes : refused)
        EXPECT_FALSE(ImageHeader::Read(bytes).IsReadable()) << testing::PrintToString(bytes);
}

TEST(CoverImageFile, TakesTheBytesAsGivenWithTheMimeTypeOfTheirContent) {
    ScratchDir dir;
    // The name says JPEG, the content is a PNG: the content wins.
    const std::string path = dir.File("cover.jpg");
    const std::string png = CoverPictures::Png(64, 64);
    WriteText(path, png);
    const CoverImageFile image = CoverImageFile::Load(path);
    ASSERT_TRUE(image.Accepted()) << image.problem;
    EXPECT_EQ(image.picture.mimeType, "image/png");
    EXPECT_EQ(image.picture.pictureType, CoverPicture::kFrontCover);
    EXPECT_EQ(image.picture.Bytes(), png);
}

TEST(CoverImageFile, RefusesAnythingButAReadableJpegOrPngOfAtMost16MB) {
    ScratchDir dir;
    const std::string gif = dir.File("cover.gif");
    WriteText(gif, "GIF89a\x01\x00\x01\x00\x00\x00\x00;");
    EXPECT_EQ(CoverImageFile::Load(gif).problem,
              "It is not a JPEG or PNG picture that can be read.");
    EXPECT_FALSE(CoverImageFile::Load(dir.File("missing.png")).Accepted());
    EXPECT_EQ(CoverImageFile::Load(dir.Path()).problem, "It is a folder, not a file.");

    // A PNG header followed by zeros up to the limit is taken; one byte more is not, and is
    // refused before it is read.
    const std::string atLimit = dir.File("at-limit.png");
    WriteText(atLimit, CoverPictures::Png(10, 10));
    std::filesystem::resize_file(atLimit, CoverImageFile::kMaxBytes);
    EXPECT_TRUE(CoverImageFile::Load(atLimit).Accepted());
    std::filesystem::resize_file(atLimit, CoverImageFile::kMaxBytes + 1);
    EXPECT_EQ(CoverImageFile::Load(atLimit).problem, "It is larger than 16 MB.");
}

// Files whose pictures other programs wrote: what the form shows of them, and what a Save
// leaves of them.
class CoverArt : public ::testing::Test {
protected:
    // Writes an MP3 with mutagen, ID3v2.MAJOR, holding a title and PICTURES as APIC frames.
    void WriteWithMutagen(int major, const std::vector<Picture>& pictures) {
        std::string code = "import sys\n"
                           "from mutagen.id3 import ID3, APIC, TIT2\n"
                           "open(sys.argv[1], 'wb').write((b'\\xff\\xfb\\x90\\x64' + bytes(413)) "
                           "* 12)\n"
                           "t = ID3()\n"
                           "t.add(TIT2(encoding=3, text='Song'))\n"
                           "a = sys.argv[3:]\n"
                           "for i in range(0, len(a), 5):\n"
                           "    t.add(APIC(encoding=int(a[i]), type=int(a[i+1]), mime=a[i+2],\n"
                           "               desc=a[i+3], data=open(a[i+4], 'rb').read()))\n"
                           "t.save(sys.argv[1], v2_version=int(sys.argv[2]))\n";
        std::vector<std::string> arguments = {"-c", code, m_path, std::to_string(major)};
        for (std::size_t i = 0; i < pictures.size(); ++i) {
            const std::string data = m_dir.File("picture" + std::to_string(i));
            WriteText(data, pictures[i].data);
            arguments.insert(arguments.end(), {std::to_string(pictures[i].encoding),
                                               std::to_string(pictures[i].type), pictures[i].mime,
                                               pictures[i].description, data});
        }
        ASSERT_EQ(PythonOutput(arguments), "");
    }

    std::vector<Picture> Pictures() {
        std::string error;
        std::vector<Picture> pictures = CoverPictures::Read(m_path, &error);
        EXPECT_EQ(error, "");
        return pictures;
    }

    void Save(const FormValues& form) {
        const SaveResult result = m_session.Save(form);
        ASSERT_TRUE(result.Saved()) << result.reason;
    }

    ScratchDir m_dir;
    std::string m_path = m_dir.File("song.mp3");
    TagEditingSession m_session;
    const Picture m_back{4, "image/png", "Back", 0, CoverPictures::Png(20, 20)};
    const Picture m_front{3, "image/jpeg", "", 0, CoverPictures::Jpeg(300, 300)};
};

TEST_F(CoverArt, OtherTaggersCoversShowAndStayByteForByteThroughASave) {
    const Picture utf16Other{0, "image/jpeg", "Caf\u00E9 \u2615", 1, CoverPictures::Jpeg(5, 5)};
    const Picture utf8Other{0, "image/png", "\u263A", 3, CoverPictures::Png(7, 7)};
    struct Case {
        int major;
        std::vector<Picture> pictures;
    };
    const Case cases[] = {
        {3, {m_back, m_front}},
        {3, {utf16Other, m_back}},
        {4, {utf8Other, m_front}},
        {4, {utf8Other}},
    };
    for (const Case& c : cases) {
        WriteWithMutagen(c.major, c.pictures);
        // In the file's order, which mutagen chooses: a front cover wherever it stands, else
        // the first picture.
        const std::vector<Picture> before = Pictures();
        Picture shown = before.front();
        for (const Picture& picture : before)
            if (picture.type == 3 && shown.type != 3)
                shown = picture;
        m_session.Link(m_path);
        ASSERT_TRUE(m_session.Held().cover);
        EXPECT_EQ(m_session.Held().cover->Bytes(), shown.data);
        EXPECT_EQ(m_session.Held().cover->mimeType, shown.mime);
        EXPECT_EQ(m_session.Held().cover->pictureType, shown.type);

        FormValues form = m_session.Held();
        form.texts.title = "Changed";
        Save(form);
        // ID3v2.4 UTF-8 descriptions become UTF-16 in the ID3v2.3 tag, with the same meaning.
        std::vector<Picture> after = Pictures();
        std::vector<Picture> expected = before;
        for (Picture& picture : expected)
            picture.encoding = picture.encoding == 3 ? 1 : picture.encoding;
        EXPECT_EQ(after, expected) << "ID3v2." << c.major;
    }
}

// iTunes' ID3v2.2 PIC names its format "JPG" where later versions have a MIME type; eyeD3
// writes its own front cover with a UTF-16 description.
TEST_F(CoverArt, ItunesAndEyed3PicturesShowAndStay) {
    const auto eyed3 = [this] {
        Mp3Builder().TextFrame("TIT2", "Song").WriteTo(m_path);
        const std::string image = m_dir.File("front.jpg");
        WriteText(image, CoverPictures::Jpeg(12, 12));
        const CommandResult result =
            RunCommand("eyeD3 -Q --add-image " + ShellQuoted(image + ":FRONT_COVER:Front") + " " +
                       ShellQuoted(m_path) + " 2>&1");
        return result.status == 0 ? std::string() : "eyeD3: " + result.out;
    };
    const auto itunes = [this] { return TaggerStyles::Write("itunes-v22", m_path); };
    for (const auto& write :
         {std::function<std::string()>(itunes), std::function<std::string()>(eyed3)}) {
        ASSERT_EQ(write(), "");
        const std::vector<Picture> before = Pictures();
        ASSERT_EQ(before.size(), 1u);
        m_session.Link(m_path);
        ASSERT_TRUE(m_session.Held().cover);
        EXPECT_EQ(m_session.Held().cover->mimeType, "image/jpeg");
        EXPECT_EQ(m_session.Held().cover->Bytes(), before[0].data);

        FormValues form = m_session.Held();
        form.texts.album = "Other";
        Save(form);
        const std::vector<Picture> after = Pictures();
        ASSERT_EQ(after.size(), 1u);
        EXPECT_EQ(after[0].data, before[0].data);
        EXPECT_EQ(after[0].type, 3);
        EXPECT_EQ(after[0].mime, "image/jpeg");
        EXPECT_EQ(after[0].description, before[0].description);
    }
}

TEST_F(CoverArt, ReplacingTouchesOnlyTheShownCoverAndStoresTheBytesAsGiven) {
    for (int major : {3, 4}) {
        WriteWithMutagen(major, {m_back, m_front});
        m_session.Link(m_path);
        const std::string png = CoverPictures::Png(500, 500);
        FormValues form = m_session.Held();
        form.cover = CoverImageFile::FromBytes(png).picture;
        EXPECT_TRUE(m_session.HasUnsavedChanges(form));
        Save(form);
        EXPECT_FALSE(m_session.HasUnsavedChanges(form));
        EXPECT_EQ(Pictures(), (std::vector<Picture>{{3, "image/png", "", 0, png}, m_back}));
        EXPECT_EQ(m_session.Held().cover->Bytes(), png);
    }
}

// A file may hold two front covers: the new one takes the shown one's place, so that it is the
// one shown after the Save, not the other, which a further Save would then replace as well.
TEST_F(CoverArt, ANewCoverTakesTheShownOnesPlaceAmongThePictures) {
    // mutagen writes them in the order of their descriptions: "", "Back", "Other".
    const Picture otherFront{3, "image/png", "Other", 0, CoverPictures::Png(9, 9)};
    WriteWithMutagen(3, {m_front, otherFront, m_back});
    m_session.Link(m_path);
    FormValues form = m_session.Held();
    const std::string png = CoverPictures::Png(500, 500);
    form.cover = CoverImageFile::FromBytes(png).picture;
    Save(form);
    EXPECT_FALSE(m_session.HasUnsavedChanges(form));
    Save(form);
    EXPECT_EQ(Pictures(), (std::vector<Picture>{{3, "image/png", "", 0, png}, m_back, otherFront}));
}

TEST_F(CoverArt, AFileWithoutPicturesGetsItsFirstCover) {
    Mp3Builder().TextFrame("TIT2", "Song").WriteTo(m_path);
    m_session.Link(m_path);
    EXPECT_FALSE(m_session.Held().cover);
    FormValues form = m_session.Held();
    form.cover = CoverImageFile::FromBytes(CoverPictures::Jpeg(10, 10)).picture;
    Save(form);
    EXPECT_EQ(Pictures(),
              (std::vector<Picture>{{3, "image/jpeg", "", 0, CoverPictures::Jpeg(10, 10)}}));
}

TEST_F(CoverArt, RemovingTakesOnlyTheShownCoverAndUndoBringsItBack) {
    WriteWithMutagen(3, {m_front, m_back});
    m_session.Link(m_path);
    FormValues form = m_session.Held();
    form.cover.reset();
    EXPECT_TRUE(m_session.HasUnsavedChanges(form));
    // Undo: the form takes the held values again, the cover with them.
    EXPECT_FALSE(m_session.HasUnsavedChanges(m_session.Held()));
    Save(form);
    EXPECT_EQ(Pictures(), std::vector<Picture>{m_back});
    // The remaining picture is now the one the form shows.
    ASSERT_TRUE(m_session.Held().cover);
    EXPECT_EQ(m_session.Held().cover->Bytes(), m_back.data);
}

TEST_F(CoverArt, AProtectedFileStillShowsItsCover) {
    Mp3Builder::Bytes body = {0x00};
    for (char c : std::string("image/png"))
        body.push_back(static_cast<std::uint8_t>(c));
    body.insert(body.end(), {0x00, 0x03, 0x00});
    body.insert(body.end(), m_back.data.begin(), m_back.data.end());
    // An encrypted frame: the file is shown, never saved.
    Mp3Builder().Frame("APIC", body).Frame("TIT2", {0x01, 0x00, 0x00}, 0x0040).WriteTo(m_path);
    m_session.Link(m_path);
    EXPECT_NE(m_session.Protection(), "");
    ASSERT_TRUE(m_session.Held().cover);
    EXPECT_EQ(m_session.Held().cover->Bytes(), m_back.data);
}

// A cover read from a file shares the frame it came from: a form's copy must stay whole when
// the session's frames are replaced by a Save or let go, and still equal the same picture read
// anew.
TEST_F(CoverArt, ACoverTakenFromTheFileOutlivesItsFrames) {
    WriteWithMutagen(4, {m_back, m_front});
    m_session.Link(m_path);
    FormValues form = m_session.Held();
    form.texts.title = "Changed";
    Save(form);
    EXPECT_FALSE(m_session.HasUnsavedChanges(form));
    const std::optional<CoverPicture> taken = form.cover;
    m_session.Unlink();
    form = FormValues();
    ASSERT_TRUE(taken);
    EXPECT_EQ(taken->Bytes(), m_front.data);
    EXPECT_EQ(taken->Size(), m_front.data.size());
    m_session.Link(m_path);
    EXPECT_EQ(m_session.Held().cover, taken);
}

TEST_F(CoverArt, AFailedSaveKeepsTheHeldCover) {
    WriteWithMutagen(3, {m_front});
    m_session.Link(m_path);
    std::filesystem::remove(m_path);
    FormValues form = m_session.Held();
    form.cover.reset();
    EXPECT_FALSE(m_session.Save(form).Saved());
    ASSERT_TRUE(m_session.Held().cover);
    EXPECT_EQ(m_session.Held().cover->Bytes(), m_front.data);
    EXPECT_TRUE(m_session.HasUnsavedChanges(form));
}

} // namespace
