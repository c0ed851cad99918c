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

TEST_F(TagFileSave, Latin1TextsReachTheFileAsIso88591) {
    Load(Mp3Builder().TextFrame("TIT2", "Old"));
    const MutagenReport report = SaveAndRead({"Caf\u00E9", "Bj\u00F6rk", "", "", ""});
    EXPECT_EQ(report.Text("TIT2"), "Caf\u00E9");
    EXPECT_EQ(report.All("TIT2").at(0).encoding, 0);
    EXPECT_EQ(report.Text("TPE1"), "Bj\u00F6rk");
    EXPECT_EQ(report.Id3v1Text("TIT2"), "Caf\u00E9");
}

// U+0100 is the first character ISO-8859-1 cannot hold: from there on a text is stored as UTF-16,
// and ID3v1 shows a "?" for it.
TEST_F(TagFileSave, TextsPastIso88591AreStoredAsUtf16FromTheFirstCharacterOn) {
    Load(Mp3Builder().TextFrame("TIT2", "Old"));
    const MutagenReport report = SaveAndRead({"\u0100", "\u00FF\u0100", "\u00FF", "", ""});
    EXPECT_EQ(report.Text("TIT2"), "\u0100");
    EXPECT_EQ(report.All("TIT2").at(0).encoding, 1);
    EXPECT_EQ(report.Text("TPE1"), "\u00FF\u0100");
    EXPECT_EQ(report.All("TPE1").at(0).encoding, 1);
    EXPECT_EQ(report.All("TALB").at(0).encoding, 0);
    EXPECT_EQ(report.Id3v1Text("TIT2"), "?");
    EXPECT_EQ(report.Id3v1Text("TPE1"), "\u00FF?");
    EXPECT_EQ(report.Id3v1Text("TALB"), "\u00FF");
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

TEST_F(TagFileSave, AFailedWriteIsReportedWithTheSystemsReason) {
    Load(Mp3Builder().TextFrame("TIT2", "Old"));
    std::filesystem::remove(m_path);
    std::filesystem::create_directory(m_path);
    const SaveResult result = m_tag.Save(kForm, 17);
    EXPECT_EQ(result.outcome, SaveResult::Outcome::Failed);
    EXPECT_NE(result.reason.find("folder"), std::string::npos) << result.reason;
}

} // namespace
