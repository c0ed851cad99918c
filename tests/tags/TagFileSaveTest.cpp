#include "CTagFile.h"
#include "GenreTable.h"
#include "Id3Inspector.h"
#include "Id3v23Frame.h"
#include "Mp3Builder.h"
#include "MutagenReport.h"
#include "ScratchDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <tuple>

namespace {

const TagFields kForm{"New Title", "New Artist", "New Album", "2024", "New comment"};

class TagFileSave : public ::testing::Test {
protected:
    void Load(const Mp3Builder& file) {
        m_file = file;
        m_file.WriteTo(m_path);
        m_tag.Link(m_path);
    }

    MutagenReport SaveAndRead(const TagFields& fields, unsigned genre = GenreTable::kNoGenre) {
        const SaveResult result = m_tag.Save(fields, genre);
        EXPECT_TRUE(result.Saved()) << result.reason;
        MutagenReport report = MutagenReport::Read(m_path);
        EXPECT_EQ(report.CheckSavedLayout(m_path, m_file.Audio()), "");
        return report;
    }

    TagFields Reload() {
        CTagFile fresh;
        fresh.Link(m_path);
        return fresh.ReadFields();
    }

    ino_t Inode() const {
        struct stat status {};
        ::stat(m_path.c_str(), &status);
        return status.st_ino;
    }

    ScratchDir m_dir;
    std::string m_path = m_dir.File("song.mp3");
    Mp3Builder m_file;
    CTagFile m_tag;
};

TEST_F(TagFileSave, WritesBothTagsAroundTheUnchangedAudioWhetherTheTagFitsOrGrows) {
    for (std::size_t padding : {0, 2048}) {
        SCOPED_TRACE(padding);
        Load(Mp3Builder().TextFrame("TIT2", "Old").TextFrame("TCON", "(4)").Padding(padding));
        const MutagenReport report = SaveAndRead(kForm, 17);
        EXPECT_EQ(report.Text("TIT2"), "New Title");
        EXPECT_EQ(report.Text("TPE1"), "New Artist");
        EXPECT_EQ(report.Text("TALB"), "New Album");
        EXPECT_EQ(report.Text("TYER"), "2024");
        EXPECT_EQ(report.Text("TCON"), "(17)");
        ASSERT_EQ(report.All("COMM").size(), 1u);
        EXPECT_EQ(report.All("COMM")[0].language, "XXX");
        EXPECT_EQ(report.All("COMM")[0].description, "");
        EXPECT_EQ(report.All("COMM")[0].text, "New comment");
        EXPECT_EQ(report.Id3v1Text("TIT2"), "New Title");
        EXPECT_EQ(report.Id3v1Text("TPE1"), "New Artist");
        EXPECT_EQ(report.Id3v1Text("TALB"), "New Album");
        EXPECT_EQ(report.Id3v1Text("TDRC"), "2024");
        EXPECT_EQ(report.Id3v1Text("COMM"), "New comment");
        EXPECT_EQ(report.Id3v1Text("TCON"), "17");
        EXPECT_EQ(Reload(), kForm);
    }
}

// A text is ISO-8859-1 while every character fits, up to U+00FF; from U+0100, the first that
// does not, it is UTF-16, and ID3v1 shows a "?" for what it cannot hold.
TEST_F(TagFileSave, TextsAreIso88591UpToU00FFAndUtf16FromU0100) {
    Load(Mp3Builder().TextFrame("TIT2", "Old"));
    const MutagenReport report =
        SaveAndRead({"\u0100", "\u00FF\u0100", "Caf\u00E9 \u00FF", "", ""});
    for (const auto& [id, text, encoding, id3v1] :
         {std::tuple{"TIT2", "\u0100", 1, "?"}, std::tuple{"TPE1", "\u00FF\u0100", 1, "\u00FF?"},
          std::tuple{"TALB", "Caf\u00E9 \u00FF", 0, "Caf\u00E9 \u00FF"}}) {
        SCOPED_TRACE(id);
        EXPECT_EQ(report.Text(id), text);
        EXPECT_EQ(report.All(id).at(0).encoding, encoding);
        EXPECT_EQ(report.Id3v1Text(id), id3v1);
    }
    EXPECT_EQ(Reload().title, "\u0100");
}

// New frames that take the old tag's room to the byte are written in place: the same file, the
// same size, no padding left. One byte more and the file is written anew with a larger tag.
TEST_F(TagFileSave, FramesThatExactlyFillTheOldRoomAreWrittenInPlace) {
    const Mp3Builder file =
        Mp3Builder().TextFrame("TIT2", "Old").Padding(5).Id3v1({"Old", "", "", "", ""});
    for (const auto& [title, inPlace] :
         {std::pair{"Eight ch", true}, std::pair{"Nine char", false}}) {
        SCOPED_TRACE(title);
        Load(file);
        const std::size_t size = std::filesystem::file_size(m_path);
        const ino_t before = Inode();
        const MutagenReport report = SaveAndRead({title, "", "", "", ""});
        EXPECT_EQ(report.Text("TIT2"), title);
        EXPECT_EQ(Inode() == before, inPlace);
        EXPECT_EQ(report.fileSize == size, inPlace);
        EXPECT_EQ(report.id3v2Size == file.Id3v2Tag().size(), inPlace);
    }
}

TEST_F(TagFileSave, FileWithOnlyAnId3v1TagKeepsItsValuesInBothTags) {
    Load(Mp3Builder().WithoutId3v2().Id3v1(
        {"v1 title", "v1 artist", "v1 album", "1980", "v1 note", 9, 3}));
    const MutagenReport report =
        SaveAndRead({"Form title", "v1 artist", "v1 album", "1980", "v1 note"}, 9);
    EXPECT_EQ(report.Text("TIT2"), "Form title");
    EXPECT_EQ(report.Text("TPE1"), "v1 artist");
    EXPECT_EQ(report.Text("TALB"), "v1 album");
    EXPECT_EQ(report.Text("TYER"), "1980");
    EXPECT_EQ(report.Text("COMM"), "v1 note");
    EXPECT_EQ(report.Text("TRCK"), "3");
    EXPECT_EQ(report.Text("TCON"), "(9)");
    EXPECT_EQ(report.Id3v1Text("TIT2"), "Form title");
    EXPECT_EQ(report.Id3v1Text("TPE1"), "v1 artist");
    EXPECT_EQ(report.Id3v1Text("TALB"), "v1 album");
    EXPECT_EQ(report.Id3v1Text("COMM"), "v1 note");
    EXPECT_EQ(report.Id3v1Text("TRCK"), "3");
    EXPECT_EQ(report.Id3v1Text("TCON"), "9");
}

TEST_F(TagFileSave, AnEmptyFieldKeepsTheFilesFrame) {
    Load(Mp3Builder().TextFrame("TIT2", "Kept").TextFrame("TYER", "1971").Padding(256));
    const MutagenReport report = SaveAndRead({"", "Artist", "", "", ""});
    EXPECT_EQ(report.Text("TIT2"), "Kept");
    EXPECT_EQ(report.Text("TYER"), "1971");
    EXPECT_EQ(Reload().title, "Kept");
}

TEST_F(TagFileSave, ANewArtistReplacesOnlyTheLeadPerformers) {
    Load(Mp3Builder()
             .TextFrame("TPE1", "Lead")
             .TextFrame("TPE2", "Band")
             .TextFrame("TPE3", "Conductor")
             .TextFrame("TCOM", "Composer")
             .TextFrame("TPE1", "Second lead"));
    const MutagenReport report = SaveAndRead({"", "Solo", "", "", ""});
    EXPECT_EQ(report.Text("TPE1"), "Solo");
    EXPECT_EQ(report.Text("TPE2"), "Band");
    EXPECT_EQ(report.Text("TPE3"), "Conductor");
    EXPECT_EQ(report.Text("TCOM"), "Composer");
}

TEST_F(TagFileSave, ANewCommentReplacesOnlyCommentsWithoutDescription) {
    Load(Mp3Builder()
             .CommentFrame("", "plain")
             .CommentFrame("iTunNORM", " 0000021C 00000211", "eng")
             .CommentFrame("", "another plain", "deu"));
    EXPECT_EQ(m_tag.ReadFields().comment, "another plain");
    const MutagenReport report = SaveAndRead({"", "", "", "", "Mine"});
    const auto comments = report.All("COMM");
    ASSERT_EQ(comments.size(), 2u);
    EXPECT_EQ(Reload().comment, "Mine");
    const bool describedKept =
        comments[0].description == "iTunNORM" || comments[1].description == "iTunNORM";
    EXPECT_TRUE(describedKept);
}

TEST_F(TagFileSave, AGenreReplacesEveryGenreFrame) {
    Load(Mp3Builder().TextFrame("TCON", "(17)Rock").TextFrame("TCON", "(4)"));
    EXPECT_EQ(SaveAndRead({}, 79).All("TCON").size(), 1u);
    EXPECT_EQ(m_tag.ReadGenreNumber(), 79u);
    EXPECT_EQ(MutagenReport::Read(m_path).Text("TCON"), "(79)");
}

TEST_F(TagFileSave, SavesInOneLinkBuildOnEachOther) {
    Load(Mp3Builder().TextFrame("TIT2", "Old"));
    SaveAndRead({"First", "", "", "", ""});
    const MutagenReport report = SaveAndRead({"", "Artist", "", "", ""});
    EXPECT_EQ(report.Text("TIT2"), "First");
    EXPECT_EQ(report.Text("TPE1"), "Artist");
}

TEST_F(TagFileSave, SaveBeforeAnyLinkWritesNothing) {
    CTagFile unlinked;
    const SaveResult result = unlinked.Save(kForm, 17);
    EXPECT_EQ(result.outcome, SaveResult::Outcome::NotLinked);
    EXPECT_FALSE(unlinked.IsLinked());
    EXPECT_TRUE(std::filesystem::is_empty(m_dir.Path()));
}

TEST_F(TagFileSave, AnUnlinkedTagForgetsItsFileAndWritesNothing) {
    Load(Mp3Builder().TextFrame("TIT2", "Kept").TextFrame("TCON", "(4)"));
    const auto before = Mp3Builder::ReadFile(m_path);
    m_tag.Unlink();
    EXPECT_FALSE(m_tag.IsLinked());
    EXPECT_EQ(m_tag.LinkedPath(), "");
    EXPECT_EQ(m_tag.ReadFields().title, "");
    EXPECT_EQ(m_tag.ReadGenreNumber(), GenreTable::kNoGenre);
    EXPECT_EQ(m_tag.Save(kForm, 17).outcome, SaveResult::Outcome::NotLinked);
    EXPECT_EQ(Mp3Builder::ReadFile(m_path), before);
}

TEST_F(TagFileSave, AFileThatCouldNotBeReadIsNotWritten) {
    m_tag.Link(m_path);
    const SaveResult result = m_tag.Save(kForm, 17);
    EXPECT_EQ(result.outcome, SaveResult::Outcome::Refused);
    EXPECT_FALSE(std::filesystem::exists(m_path)) << "a Save must never create a file";
}

TEST_F(TagFileSave, AProtectedFileShowsWhatCanBeReadAndIsNeverWritten) {
    Load(Mp3Builder()
             .TextFrame("TIT2", "Readable title")
             .Frame("TPE1", {1, 'x'}, 0x0040) // encrypted
             .TextFrame("TALB", "Readable album"));
    const auto before = Mp3Builder::ReadFile(m_path);
    EXPECT_NE(m_tag.Protection().find("encrypted"), std::string::npos) << m_tag.Protection();
    const TagFields shown = m_tag.ReadFields();
    EXPECT_EQ(shown.title, "Readable title");
    EXPECT_EQ(shown.album, "Readable album");
    EXPECT_EQ(shown.artist, "");
    for (const TagFields& fields : {kForm, shown}) {
        EXPECT_EQ(m_tag.Save(fields, 17).outcome, SaveResult::Outcome::Refused);
        EXPECT_EQ(m_tag.ReadFields().title, "Readable title");
    }
    EXPECT_EQ(Mp3Builder::ReadFile(m_path), before);
}

// Where the file's ID3v2 tag ends after a Save, and the bytes from there to its ID3v1 tag.
std::pair<std::uint64_t, Mp3Builder::Bytes> SavedTail(const std::string& path) {
    const TagInspection saved = Id3Inspector::Inspect(path);
    EXPECT_TRUE(saved.Accepted()) << saved.problem;
    const auto bytes = Mp3Builder::ReadFile(path);
    return {saved.layout.tagSize, Mp3Builder::Bytes(bytes.begin() + saved.layout.audioBegin,
                                                    bytes.begin() + saved.layout.audioEnd)};
}

TEST_F(TagFileSave, AFrameOfSizeZeroIsAnEmptyValueKeptUntilItsFieldIsSet) {
    const std::string emptyTitle("TIT2\0\0\0\0\0\0", 10);
    Load(Mp3Builder().Frame("TIT2", {}).TextFrame("TALB", "Old album").Padding(64));
    ASSERT_EQ(m_tag.Protection(), "");
    EXPECT_EQ(m_tag.ReadFields().title, "");
    EXPECT_EQ(m_tag.ReadFields().album, "Old album");

    TagFields form = m_tag.ReadFields();
    form.album = "New album";
    EXPECT_EQ(SaveAndRead(form).Text("TALB"), "New album");
    const TagInspection kept = Id3Inspector::Inspect(m_path);
    ASSERT_FALSE(kept.frames.empty());
    EXPECT_EQ(kept.frames[0], emptyTitle);

    form.title = "A title at last";
    const MutagenReport report = SaveAndRead(form);
    EXPECT_EQ(report.Text("TIT2"), "A title at last");
    for (const std::string& frame : Id3Inspector::Inspect(m_path).frames)
        EXPECT_NE(frame, emptyTitle);
}

TEST_F(TagFileSave, ATagBeforeAnotherIsReplacedAndTheOtherKeptByteForByte) {
    const Mp3Builder::Bytes second =
        Mp3Builder().Version(4).Utf8TextFrame("TIT2", "Old tag").AudioFrames(6).Build();
    for (std::size_t padding : {0, 2048}) {
        SCOPED_TRACE(padding);
        Mp3Builder::Bytes bytes =
            Mp3Builder().TextFrame("TIT2", "First tag").Padding(padding).Id3v2Tag();
        bytes.insert(bytes.end(), second.begin(), second.end());
        Mp3Builder::WriteFile(m_path, bytes);
        m_tag.Link(m_path);
        ASSERT_EQ(m_tag.Protection(), "");
        EXPECT_EQ(m_tag.ReadFields().title, "First tag");
        ASSERT_TRUE(m_tag.Save(kForm, 17).Saved());
        EXPECT_EQ(MutagenReport::Read(m_path).Text("TIT2"), "New Title");
        EXPECT_EQ(SavedTail(m_path).second, second);
    }
}

TEST_F(TagFileSave, ADeclaredSizeReachingIntoTheAudioNeverCostsAnAudioByte) {
    const Mp3Builder::Bytes audio = Mp3Builder().AudioFrames(8).Audio();
    for (std::size_t padding : {0, 64}) {
        SCOPED_TRACE(padding);
        Mp3Builder::Bytes bytes = Mp3Builder().TextFrame("TIT2", "Old").Padding(padding).Id3v2Tag();
        const std::size_t declared = bytes.size() - 10 + 1500;
        for (int i = 0; i < 4; ++i)
            bytes[9 - i] = static_cast<std::uint8_t>((declared >> (7 * i)) & 0x7F);
        bytes.insert(bytes.end(), audio.begin(), audio.end());
        Mp3Builder::WriteFile(m_path, bytes);
        m_tag.Link(m_path);
        ASSERT_EQ(m_tag.Protection(), "");
        ASSERT_TRUE(m_tag.Save(kForm, 17).Saved());
        EXPECT_EQ(MutagenReport::Read(m_path).Text("TIT2"), "New Title");
        EXPECT_EQ(SavedTail(m_path).second, audio);
    }
}

TEST_F(TagFileSave, AFailedWriteIsReportedWithTheSystemsReason) {
    Load(Mp3Builder().TextFrame("TIT2", "Old"));
    std::filesystem::remove(m_path);
    std::filesystem::create_directory(m_path);
    const SaveResult result = m_tag.Save(kForm, 17);
    EXPECT_EQ(result.outcome, SaveResult::Outcome::Failed);
    EXPECT_NE(result.reason.find("folder"), std::string::npos) << result.reason;
}

} // namespace
