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

TEST_F(TagFileRead, LastFrameOfAKindWinsAndCommentsCountWhateverTheirDescription) {
    const TagFields fields = Load(Mp3Builder()
                                      .TextFrame("TIT2", "First")
                                      .CommentFrame("", "plain")
                                      .TextFrame("TIT2", "Second")
                                      .CommentFrame("iTunNORM", "described", "XXX"))
                                 .ReadFields();
    EXPECT_EQ(fields.title, "Second");
    EXPECT_EQ(fields.comment, "described");
}

TEST_F(TagFileRead, ReadsLatin1BytesAndV22Frames) {
    EXPECT_EQ(Load(Mp3Builder().TextFrame("TALB", "Caf\xE9")).ReadFields().album, "Caf\xE9");
    const TagFields fields =
        Load(Mp3Builder().Version(2).TextFrame("TT2", "Old").TextFrame("TP1", "Timer"))
            .ReadFields();
    EXPECT_EQ(fields.title, "Old");
    EXPECT_EQ(fields.artist, "Timer");
}

TEST_F(TagFileRead, DecodesUtf16TextInEitherByteOrder) {
    // id3lib's own conversion keeps 7 bits of each character: "Café" would read "Cafi".
    const TagFields fields = Load(Mp3Builder()
                                      .Utf16TextFrame("TIT2", u"Caf\u00E9")
                                      .Utf16TextFrame("TPE1", u"Bj\u00F6rk", true)
                                      .Utf16CommentFrame(u"", u"\u00BFQu\u00E9?"))
                                 .ReadFields();
    EXPECT_EQ(fields.title, "Caf\xE9");
    EXPECT_EQ(fields.artist, "Bj\xF6rk");
    EXPECT_EQ(fields.comment, "\xBFQu\xE9?");
}

TEST_F(TagFileRead, ShowsAQuestionMarkForEachCharacterLatin1CannotHold) {
    const TagFields fields = Load(Mp3Builder()
                                      .Utf16TextFrame("TIT2", u"\u03A9mega")
                                      .Utf16TextFrame("TALB", u"a\U0001F3B5b")
                                      .Utf16TextFrame("TPE1", u"\u4E00\u4E8C"))
                                 .ReadFields();
    EXPECT_EQ(fields.title, "?mega");
    EXPECT_EQ(fields.album, "a?b"); // one character outside the BMP, one "?"
    EXPECT_EQ(fields.artist, "??");
}

TEST_F(TagFileRead, GenreComesFromTheFirstGenreFrameEveryTime) {
    // id3lib's ID3_GetGenreNum alternates between the two frames on successive calls.
    Load(Mp3Builder().TextFrame("TCON", "(17)").TextFrame("TCON", "(4)"));
    EXPECT_EQ(m_tag.ReadGenreNumber(), 17u);
    EXPECT_EQ(m_tag.ReadGenreNumber(), 17u);
    EXPECT_EQ(m_tag.ReadGenreNumber(), 17u);
}

TEST_F(TagFileRead, GenreIsANumberInParenthesesAtTheStartCappedTo255) {
    const std::pair<const char*, unsigned> cases[] = {
        {"(0)", 0},
        {"(79)", 79},
        {"(17)Rock", 17},
        {"(017)", 17},
        {"(300)", 255},
        {"(4294967296)", 255},
        {"(99999999999999999999)", 255},
        {"()", 255},
        {"Rock", 255},
        {"17", 255},
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
    Load(Mp3Builder().TextFrame("TIT2", "no genre"));
    EXPECT_EQ(m_tag.ReadGenreNumber(), GenreTable::kNoGenre);
}

TEST_F(TagFileRead, FileWithoutAnId3v2TagLoadsEmpty) {
    Load(Mp3Builder().WithoutId3v2().Id3v1({"v1 title", "v1 artist", "", "2001", "", 17, 0}));
    EXPECT_EQ(m_tag.ReadFields(), TagFields{});
    EXPECT_EQ(m_tag.ReadGenreNumber(), GenreTable::kNoGenre);
    EXPECT_TRUE(m_tag.Protection().empty());
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
