#include "CTagFile.h"
#include "GenreTable.h"
#include "Mp3Builder.h"
#include "ScratchDir.h"

#include <gtest/gtest.h>

namespace {

class TagFileRead : public ::testing::Test {
protected:
    CTagFile& Load(const Mp3Builder& file) {
        file.WriteTo(m_path);
        m_tag.Link(m_path);
        return m_tag;
    }

    ScratchDir m_dir;
    std::string m_path = m_dir.File("song.mp3");
    CTagFile m_tag;
};

TEST_F(TagFileRead, ShowsTheFiveTextsAndTheGenreNumber) {
    const TagFields fields = Load(Mp3Builder()
                                      .TextFrame("TIT2", "Title")
                                      .TextFrame("TPE1", "Artist")
                                      .TextFrame("TALB", "Album")
                                      .TextFrame("TYER", "1999")
                                      .CommentFrame("", "Comment")
                                      .TextFrame("TCON", "(17)")
                                      .Padding(64))
                                 .ReadFields();
    EXPECT_EQ(fields, (TagFields{"Title", "Artist", "Album", "1999", "Comment"}));
    EXPECT_EQ(m_tag.ReadGenreNumber(), 17u);
    EXPECT_TRUE(m_tag.ReadError().empty());
    EXPECT_TRUE(m_tag.Protection().empty());
}

TEST_F(TagFileRead, LastFrameOfAKindWins) {
    const TagFields fields = Load(Mp3Builder()
                                      .TextFrame("TIT2", "First")
                                      .TextFrame("TPE1", "Lead")
                                      .TextFrame("TIT2", "Second"))
                                 .ReadFields();
    EXPECT_EQ(fields.title, "Second");
    EXPECT_EQ(fields.artist, "Lead");
}

TEST_F(TagFileRead, CommentsShowsTheUsersCommentNeverItunesMachineData) {
    const auto comment = [this](const Mp3Builder& file) { return Load(file).ReadFields().comment; };
    EXPECT_EQ(comment(Mp3Builder()
                          .CommentFrame("", "first plain")
                          .CommentFrame("", "last plain", "deu")
                          .CommentFrame("Songs-DB_Custom1", "described")),
              "last plain");
    EXPECT_EQ(comment(Mp3Builder()
                          .CommentFrame("Songs-DB_Custom1", "described")
                          .Utf16CommentFrame(u"iTunSMPB", u" 00000000 00000210 000007E8")
                          .CommentFrame("iTunes_CDDB_1", "9F0A:13")),
              "described");
    EXPECT_EQ(comment(Mp3Builder()
                          .Utf16CommentFrame(u"iTunNORM", u" 0000021C 00000211")
                          .CommentFrame("iTunPGAP", "0")),
              "");
}

TEST_F(TagFileRead, ShowsTextsOfEveryEncodingAndScriptAsUtf8) {
    // id3lib's own conversion keeps 7 bits of each character: "Café" would read "Cafi".
    const TagFields fields = Load(Mp3Builder()
                                      .TextFrame("TALB", "Caf\xE9")
                                      .Utf16TextFrame("TIT2", u"\u03A9mega \u6771\u4EAC")
                                      .Utf16TextFrame("TPE1", u"Bj\u00F6rk a\U0001F3B5b", true)
                                      .Utf16CommentFrame(u"", u"Za\u017C\u00F3\u0142\u0107"))
                                 .ReadFields();
    EXPECT_EQ(fields.album, "Caf\u00E9");
    EXPECT_EQ(fields.title, "\u03A9mega \u6771\u4EAC");
    EXPECT_EQ(fields.artist, "Bj\u00F6rk a\U0001F3B5b");
    EXPECT_EQ(fields.comment, "Za\u017C\u00F3\u0142\u0107");

    const TagFields v22 =
        Load(Mp3Builder().Version(2).TextFrame("TT2", "Old").TextFrame("TP1", "Timer"))
            .ReadFields();
    EXPECT_EQ(v22.title, "Old");
    EXPECT_EQ(v22.artist, "Timer");
}

TEST_F(TagFileRead, YearFallsBackOnTheReleaseTime) {
    Load(Mp3Builder().Version(4).TextFrame("TDRL", "2001-05-06"));
    EXPECT_EQ(m_tag.ReadFields().year, "2001");
    Load(Mp3Builder().Version(4).TextFrame("TDRL", "2001").TextFrame("TDRC", "1999-12"));
    EXPECT_EQ(m_tag.ReadFields().year, "1999") << "the recording time comes first";
    Load(Mp3Builder().Version(4).TextFrame("TDRL", "someday"));
    EXPECT_EQ(m_tag.ReadFields().year, "");
}

TEST_F(TagFileRead, SeveralValuesShowJoinedWithASlash) {
    const TagFields fields =
        Load(Mp3Builder()
                 .Frame("TPE1", {0, 'O', 'n', 'e', 0, 'T', 'w', 'o', 0})
                 .Frame("TALB", {1, 0xFF, 0xFE, 'A', 0, 0, 0, 0xFF, 0xFE, 'B', 0}))
            .ReadFields();
    EXPECT_EQ(fields.artist, "One/Two");
    EXPECT_EQ(fields.album, "A/B");
}

TEST_F(TagFileRead, GenreComesFromTheFirstGenreFrameEveryTime) {
    // id3lib's ID3_GetGenreNum alternates between the two frames on successive calls.
    Load(Mp3Builder().TextFrame("TCON", "(17)").TextFrame("TCON", "(4)"));
    EXPECT_EQ(m_tag.ReadGenreNumber(), 17u);
    EXPECT_EQ(m_tag.ReadGenreNumber(), 17u);
    EXPECT_EQ(m_tag.ReadGenreNumber(), 17u);
}

TEST_F(TagFileRead, GenreIsAReferenceANumberOrAGenreName) {
    const std::pair<const char*, unsigned> cases[] = {
        {"(0)", 0},
        {"(79)", 79},
        {"(17)Rock and more", 17},
        {"(17)(18)", 17},
        {"(017)", 17},
        {"(300)", 255},
        {"(4294967296)", 255},
        {"(99999999999999999999)", 255},
        {"17", 17},
        {"0", 0},
        {"200", 200},
        {"Rock", 17},
        {"jazz", 8},
        {"Hip-Hop", 7},
        {"R&B", 14},
        {"Rock & Roll", 78},
        {"Classic Rock", 1},
        {"Top 40", 60},
        {"Psychedelic", 67},
        {"Alt. Rock", 40},
        {"None", 255},
        {"Other", 12},
        {"Rock and more", 255},
        {"Eurodisco", 255},
        {"()", 255},
        {"(RX)", 255},
        {"17a", 255},
        {"(17", 255},
        {"( 17)", 255},
        {"", 255},
    };
    for (const auto& [text, number] : cases) {
        Load(Mp3Builder().TextFrame("TCON", text));
        EXPECT_EQ(m_tag.ReadGenreNumber(), number) << text;
    }
    Load(Mp3Builder().Utf16TextFrame("TCON", u"(8)Jazz"));
    EXPECT_EQ(m_tag.ReadGenreNumber(), 8u);
    Load(Mp3Builder().Utf16TextFrame("TCON", u"Blues"));
    EXPECT_EQ(m_tag.ReadGenreNumber(), 0u);
    Load(Mp3Builder().TextFrame("TIT2", "no genre"));
    EXPECT_EQ(m_tag.ReadGenreNumber(), GenreTable::kNoGenre);
}

TEST_F(TagFileRead, FileWithOnlyAnId3v1TagShowsItsValues) {
    Load(
        Mp3Builder().WithoutId3v2().Id3v1({"v1 title", "v1 art\xEFst", "", "2001", "note", 17, 5}));
    EXPECT_EQ(m_tag.ReadFields(),
              (TagFields{"v1 title", "v1 art\u00EFst", "", "2001", "note", "5", "", ""}));
    EXPECT_EQ(m_tag.ReadGenreNumber(), 17u);
    EXPECT_TRUE(m_tag.Protection().empty());

    Load(Mp3Builder().WithoutId3v2());
    EXPECT_EQ(m_tag.ReadFields(), TagFields{});
    EXPECT_EQ(m_tag.ReadGenreNumber(), GenreTable::kNoGenre);
}

TEST_F(TagFileRead, UnreadablePathLoadsEmptyAndSaysWhy) {
    Load(Mp3Builder().TextFrame("TIT2", "old"));
    m_tag.Link(m_dir.File("missing.mp3"));
    EXPECT_TRUE(m_tag.IsLinked());
    EXPECT_EQ(m_tag.LinkedPath(), m_dir.File("missing.mp3"));
    EXPECT_EQ(m_tag.ReadFields(), TagFields{});
    EXPECT_NE(m_tag.ReadError().find("No such file"), std::string::npos) << m_tag.ReadError();

    m_tag.Link(m_dir.Path());
    EXPECT_EQ(m_tag.ReadError(), "It is a folder, not a file.");
    EXPECT_FALSE(m_tag.Protection().empty());
}

} // namespace
