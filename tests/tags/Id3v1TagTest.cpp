#include "CTagFile.h"
#include "GenreTable.h"
#include "Mp3Builder.h"
#include "MutagenReport.h"
#include "ScratchDir.h"

#include <gtest/gtest.h>
#include <id3/tag.h>

namespace {

Mp3Builder::Bytes LastBytes(const std::string& path, std::size_t count) {
    const auto file = Mp3Builder::ReadFile(path);
    return Mp3Builder::Bytes(file.end() - static_cast<std::ptrdiff_t>(count), file.end());
}

// The ID3v1 tag a Save writes is byte for byte the one id3lib's own writer renders, for tags
// whose texts it can convert (ISO-8859-1 only), whose genre it can read ("(n)") and without
// iTunes' machine data in comments.
TEST(Id3v1Tag, IsWhatId3libWouldHaveWritten) {
    const Mp3Builder cases[] = {
        Mp3Builder()
            .TextFrame("TIT2", "A title longer than thirty characters, cut")
            .TextFrame("TIT2", "second title")
            .TextFrame("TPE1", "Caf\xE9")
            .TextFrame("TYER", "19999")
            .TextFrame("TRCK", "7/12")
            .CommentFrame("note", "described")
            .CommentFrame("", "plain comment that is too long for the tag")
            .TextFrame("TCON", "(79)"),
        Mp3Builder()
            .CommentFrame("note", "described")
            .CommentFrame("ID3v1 Comment", "for version one")
            .CommentFrame("", "plain")
            .TextFrame("TCON", "(17)Rock"),
        Mp3Builder().CommentFrame("only", "described").TextFrame("TRCK", "255"),
        Mp3Builder().TextFrame("TENC", "nothing the ID3v1 tag holds"),
    };
    for (const Mp3Builder& file : cases) {
        ScratchDir dir;
        const std::string ours = dir.File("ours.mp3");
        const std::string theirs = dir.File("theirs.mp3");
        file.WriteTo(ours);
        file.WriteTo(theirs);

        CTagFile tag;
        tag.Link(ours);
        ASSERT_TRUE(tag.Save({}, GenreTable::kNoGenre).Saved());
        ID3_Tag id3lib;
        id3lib.Link(theirs.c_str(), ID3TT_ID3V2);
        ASSERT_TRUE(id3lib.Update(ID3TT_ID3) & ID3TT_ID3V1);

        EXPECT_EQ(LastBytes(ours, 128), LastBytes(theirs, 128));
    }
}

TEST(Id3v1Tag, ReplacesTheOldOneAndShowsUtf16TextsAsTheFormDoes) {
    ScratchDir dir;
    const std::string path = dir.File("song.mp3");
    const Mp3Builder file = Mp3Builder()
                                .Utf16TextFrame("TIT2", u"\u03A9mega Caf\u00E9")
                                .Id3v1({"old", "old", "old", "1900", "old", 3, 1});
    file.WriteTo(path);
    CTagFile tag;
    tag.Link(path);
    ASSERT_TRUE(tag.Save(tag.ReadFields(), GenreTable::kNoGenre).Saved());
    const MutagenReport report = MutagenReport::Read(path);
    EXPECT_EQ(report.CheckSavedLayout(path, file.Audio()), "");
    EXPECT_EQ(report.Id3v1Text("TIT2"), "?mega Caf\u00E9");
    EXPECT_EQ(report.Id3v1Text("TPE1"), "<missing>");
    EXPECT_EQ(report.Id3v1Text("TCON"), "<missing>");
    EXPECT_EQ(LastBytes(path, 128)[127], 255);
}

// id3lib's own writer would keep the low eight bits of track 300 (44): a wrong track.
TEST(Id3v1Tag, ATrackTheByteCannotHoldIsLeftOut) {
    ScratchDir dir;
    const std::string path = dir.File("song.mp3");
    Mp3Builder().TextFrame("TRCK", "300/301").WriteTo(path);
    CTagFile tag;
    tag.Link(path);
    ASSERT_TRUE(tag.Save({}, GenreTable::kNoGenre).Saved());
    EXPECT_EQ(MutagenReport::Read(path).Id3v1Text("TRCK"), "<missing>");
    EXPECT_EQ(LastBytes(path, 128)[126], 0);
}

TEST(Id3v1Tag, TakesNamedGenresAndNeverMachineData) {
    ScratchDir dir;
    const std::string path = dir.File("song.mp3");
    Mp3Builder()
        .Utf16CommentFrame(u"iTunNORM", u" 0000021C 00000211")
        .TextFrame("TCON", "Jazz")
        .WriteTo(path);
    CTagFile tag;
    tag.Link(path);
    ASSERT_TRUE(tag.Save({"Title", "", "", "", ""}, GenreTable::kNoGenre).Saved());
    const MutagenReport report = MutagenReport::Read(path);
    EXPECT_EQ(report.Id3v1Text("COMM"), "<missing>");
    EXPECT_EQ(report.Id3v1Text("TCON"), "8");
    EXPECT_EQ(report.Text("TCON"), "Jazz") << "the genre did not change, so its frame stays";
}

TEST(Id3v1Tag, AFileTooShortForOneIsAppendedTo) {
    ScratchDir dir;
    const std::string path = dir.File("tiny.mp3");
    const Mp3Builder file = Mp3Builder().TextFrame("TIT2", "t").AudioFrames(0);
    file.WriteTo(path);
    CTagFile tag;
    tag.Link(path);
    ASSERT_TRUE(tag.Save({"Tiny", "", "", "", ""}, 0).Saved());
    const MutagenReport report = MutagenReport::Read(path);
    EXPECT_EQ(report.CheckSavedLayout(path, {}), "");
    EXPECT_EQ(report.Id3v1Text("TIT2"), "Tiny");
}

} // namespace
