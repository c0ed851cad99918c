// The editing rules the window and tageditor-cli share: what a selection shows, what counts as
// a change, the caps on what the user types, Save and Undo, and texts in any script.
#include "TagEditingSession.h"
#include "Id3Inspector.h"
#include "Id3v23Frame.h"
#include "Mp3Builder.h"
#include "MutagenReport.h"
#include "ScratchDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

class TagEditingSessionTest : public ::testing::Test {
protected:
    void Load(const Mp3Builder& file) {
        m_file = file;
        m_file.WriteTo(m_path);
        m_session.Link(m_path);
    }

    MutagenReport SaveAndRead(const FormValues& form) {
        const SaveResult result = m_session.Save(form);
        EXPECT_TRUE(result.Saved()) << result.reason;
        MutagenReport report = MutagenReport::Read(m_path);
        EXPECT_EQ(report.CheckSavedLayout(m_path, m_file.Audio()), "");
        return report;
    }

    ScratchDir m_dir;
    std::string m_path = m_dir.File("song.mp3");
    Mp3Builder m_file;
    TagEditingSession m_session;
};

TEST_F(TagEditingSessionTest, HoldsWhatTheFormShowsGenreRowsIncluded) {
    Load(Mp3Builder().TextFrame("TIT2", "Title").TextFrame("TCON", "Jazz"));
    EXPECT_EQ(m_session.Held().texts.title, "Title");
    EXPECT_EQ(m_session.Held().genreRow, 8);
    Load(Mp3Builder().TextFrame("TCON", "(100)"));
    EXPECT_EQ(m_session.Held().genreRow, GenreTable::kNoRow);
    EXPECT_EQ(m_session.GenreNumber(), 100u);
    Load(Mp3Builder().TextFrame("TIT2", "no genre"));
    EXPECT_EQ(m_session.Held().genreRow, GenreTable::kNoneRow);
}

TEST_F(TagEditingSessionTest, UnsavedChangesAreWhatASaveWouldWrite) {
    Load(Mp3Builder().TextFrame("TIT2", "Title").TextFrame("TCON", "(17)"));
    FormValues form = m_session.Held();
    EXPECT_FALSE(m_session.HasUnsavedChanges(form));
    form.texts.album = "Album";
    EXPECT_TRUE(m_session.HasUnsavedChanges(form));
    form = m_session.Held();
    form.texts.title.clear(); // an empty field keeps the file's text
    EXPECT_FALSE(m_session.HasUnsavedChanges(form));
    form.genreRow = GenreTable::kNoneRow; // so does "None"
    EXPECT_FALSE(m_session.HasUnsavedChanges(form));
    form.genreRow = 18;
    EXPECT_TRUE(m_session.HasUnsavedChanges(form));

    m_session.Unlink();
    EXPECT_FALSE(m_session.HasUnsavedChanges(form)) << "nowhere to save them";
}

TEST_F(TagEditingSessionTest, CapsHoldForWhatTheUserChangedNotForWhatTheFileHolds) {
    Load(Mp3Builder().TextFrame("TIT2", std::string(44, 't')));
    FormValues form = m_session.Held();
    form.texts.year = "1999";
    EXPECT_FALSE(m_session.FirstRefusedEdit(form));
    EXPECT_EQ(SaveAndRead(form).Text("TIT2"), std::string(44, 't'));

    const auto before = Mp3Builder::ReadFile(m_path);
    form.texts.title = std::string(31, 'u');
    const SaveResult refused = m_session.Save(form);
    EXPECT_EQ(refused.outcome, SaveResult::Outcome::Refused);
    EXPECT_EQ(refused.reason, "Title: Please enter no more than 30 characters.");
    EXPECT_EQ(Mp3Builder::ReadFile(m_path), before);

    std::string thirty;
    for (int i = 0; i < 30; ++i)
        thirty += "\u6771";
    form.texts.title = thirty;
    EXPECT_FALSE(m_session.FirstRefusedEdit(form));
    form.texts.title = thirty + "\U0001F600";
    ASSERT_TRUE(m_session.FirstRefusedEdit(form));
    EXPECT_EQ(m_session.FirstRefusedEdit(form).field->limit, 30);
}

TEST_F(TagEditingSessionTest, ASaveHoldsTheFormsTextsAndTheTagsGenre) {
    Load(Mp3Builder().TextFrame("TIT2", "Old").TextFrame("TCON", "(17)"));
    FormValues form = m_session.Held();
    form.texts.title.clear();
    form.texts.artist = "Artist";
    form.genreRow = GenreTable::kNoneRow;
    const MutagenReport report = SaveAndRead(form);
    EXPECT_EQ(report.Text("TIT2"), "Old");
    EXPECT_EQ(report.Text("TCON"), "(17)");
    // Undo then shows the texts as saved, and the genre the file still holds.
    EXPECT_EQ(m_session.Held().texts, form.texts);
    EXPECT_EQ(m_session.Held().genreRow, 17);
}

TEST_F(TagEditingSessionTest, AFailedSaveHoldsWhatTheFileHolds) {
    Load(Mp3Builder().TextFrame("TIT2", "Old"));
    std::filesystem::remove(m_path);
    FormValues form = m_session.Held();
    form.texts.title = "New";
    EXPECT_EQ(m_session.Save(form).outcome, SaveResult::Outcome::Failed);
    EXPECT_EQ(m_session.Held().texts.title, "Old");
}

TEST_F(TagEditingSessionTest, AnUnlinkedSessionHoldsNothingAndWritesNowhere) {
    Load(Mp3Builder().TextFrame("TIT2", "Old"));
    const auto before = Mp3Builder::ReadFile(m_path);
    m_session.Unlink();
    EXPECT_FALSE(m_session.IsLinked());
    EXPECT_EQ(m_session.Held(), FormValues());
    FormValues form;
    form.texts.title = "Ghost title";
    EXPECT_EQ(m_session.Save(form).outcome, SaveResult::Outcome::NotLinked);
    EXPECT_EQ(Mp3Builder::ReadFile(m_path), before);
}

struct ScriptCase {
    const char* what;
    std::string text;
    std::string id3v1;
};

TEST_F(TagEditingSessionTest, EveryScriptRoundTripsExactlyAndId3v1GetsWhatItCanHold) {
    const ScriptCase cases[] = {
        {"Cyrillic", "\u0414\u043C\u0438\u0442\u0440\u0438\u0439", "???????"},
        {"Greek", "\u039A\u03AC\u03C4\u03B9", "????"},
        {"Japanese", "\u6771\u4EAC\u306E\u591C", "????"},
        {"Polish", "Za\u017C\u00F3\u0142\u0107 g\u0119\u015Bl\u0105", "Za?\u00F3?? g??l?"},
        {"emoji", "a\U0001F600b", "a?b"},
        {"mixed", "\u0141\u00F3d\u017A \u6771\u4EAC \u20ACuro", "?\u00F3d? ?? ?uro"},
    };
    for (const ScriptCase& c : cases) {
        SCOPED_TRACE(c.what);
        Load(Mp3Builder().TextFrame("TIT2", "Old").Padding(128));
        FormValues form = m_session.Held();
        form.texts.album = c.text;
        form.texts.comment = c.text;
        const MutagenReport report = SaveAndRead(form);
        EXPECT_EQ(report.Text("TALB"), c.text);
        EXPECT_EQ(report.All("TALB").at(0).encoding, 1) << "UTF-16";
        EXPECT_EQ(report.Text("COMM"), c.text);
        EXPECT_EQ(report.Id3v1Text("TALB"), c.id3v1);
        m_session.Link(m_path);
        EXPECT_EQ(m_session.Held().texts.album, c.text);
    }

    Load(Mp3Builder().TextFrame("TIT2", "Old"));
    FormValues form = m_session.Held();
    form.texts.title = "Caf\u00E9 na\u00EFve";
    const MutagenReport latin1 = SaveAndRead(form);
    EXPECT_EQ(latin1.All("TIT2").at(0).encoding, 0) << "ISO-8859-1 when it fits";
    EXPECT_EQ(latin1.Text("TIT2"), form.texts.title);
}

TEST_F(TagEditingSessionTest, Id3v1TextsAreCutAtACharacterToTheirField) {
    std::u16string title(20, u'\u00E9');
    title += std::u16string(15, u'\u6771');
    Load(Mp3Builder().Utf16TextFrame("TIT2", title));
    FormValues form = m_session.Held();
    form.texts.album = "Album";
    std::string expected;
    for (int i = 0; i < 20; ++i)
        expected += "\u00E9";
    EXPECT_EQ(SaveAndRead(form).Id3v1Text("TIT2"), expected + std::string(10, '?'));
}

TEST_F(TagEditingSessionTest, GenreNoneOrNoRowKeepsTheFilesGenre) {
    for (const char* stored : {"(80)", "(100)", "Rock"}) {
        SCOPED_TRACE(stored);
        Load(Mp3Builder().TextFrame("TCON", stored));
        FormValues form = m_session.Held();
        form.texts.title = "T";
        EXPECT_EQ(SaveAndRead(form).Text("TCON"), stored);
    }
}

TEST_F(TagEditingSessionTest, EveryFieldTheUserDidNotChangeKeepsItsFramesByteForByte) {
    Load(Mp3Builder()
             .Utf16TextFrame("TIT2", u"\u03A9mega", true)
             .Utf16CommentFrame(u"", u"\u65E5\u672C")
             .Utf16TextFrame("TALB", u"Caf\u00E9")
             .Frame("TYER", {0, '1', '9', '9', '9', 0})
             .TextFrame("TCON", "(17)(18)")
             .TextFrame("TCON", "(17)Rock and more")
             .Frame("TPE2", {0, 'B', 'a', 'n', 'd'}, 0x4000)
             .TextFrame("TRCK", "03/12")
             .Frame("TPOS", {0, '1', 0, '2'})
             .Padding(512));
    const std::vector<std::string> before = Id3Inspector::Inspect(m_path).frames;
    FormValues form = m_session.Held();
    form.texts.artist = "Changed";
    SaveAndRead(form);
    std::vector<std::string> after = Id3Inspector::Inspect(m_path).frames;
    ASSERT_EQ(after.size(), before.size() + 1);
    EXPECT_EQ(after.back(), Id3v23Frame({"TPE1", 0, std::string("\0Changed", 8)}).Bytes());
    after.pop_back();
    EXPECT_EQ(after, before) << "every frame but the new artist as the file had it";

    // A second Save in the same link leaves them too; a changed genre replaces both frames.
    form.texts.title = "Title";
    form.genreRow = 79;
    const MutagenReport report = SaveAndRead(form);
    EXPECT_EQ(report.Text("TCON"), "(79)");
    EXPECT_EQ(report.Text("COMM"), "\u65E5\u672C");
    EXPECT_EQ(report.Text("TRCK"), "03/12");
}

TEST_F(TagEditingSessionTest, ASecondValueAfterANulIsNotDroppedUnlessTheFieldChanges) {
    Load(Mp3Builder().Frame("TPE1", {0, 'O', 'n', 'e', 0, 'T', 'w', 'o'}));
    FormValues form = m_session.Held();
    ASSERT_EQ(form.texts.artist, "One/Two");
    form.texts.title = "Title";
    const MutagenReport report = SaveAndRead(form);
    ASSERT_EQ(report.All("TPE1").size(), 1u);
    EXPECT_EQ(report.All("TPE1")[0].text, "One/Two");

    // Version 2.4 writes several values of one text apart; made one for 2.3, they follow the
    // same rule as what the form shows: an empty value leaves no "//" behind.
    Load(Mp3Builder().Version(4).Frame("TPE1", {3, 'O', 'n', 'e', 0, 0, 'T', 'w', 'o', 0}));
    form = m_session.Held();
    EXPECT_EQ(form.texts.artist, "One/Two");
    form.texts.title = "Title";
    EXPECT_EQ(SaveAndRead(form).Text("TPE1"), "One/Two");
}

TEST_F(TagEditingSessionTest, TrackDiscAndAlbumArtistAreSavedAndKeptLikeTheOthers) {
    Load(Mp3Builder().TextFrame("TIT2", "Title").TextFrame("TPE2", "Old band"));
    FormValues form = m_session.Held();
    EXPECT_EQ(form.texts.albumArtist, "Old band");
    form.texts.track = "3/12";
    EXPECT_TRUE(m_session.HasUnsavedChanges(form));
    form.texts.disc = "1/2";
    form.texts.albumArtist = "Various Artists";
    MutagenReport report = SaveAndRead(form);
    EXPECT_EQ(report.Text("TRCK"), "3/12");
    EXPECT_EQ(report.Text("TPOS"), "1/2");
    EXPECT_EQ(report.Text("TPE2"), "Various Artists");
    // Version 1.1 holds the track number; with no lead artist, the album artist stands in.
    EXPECT_EQ(report.Id3v1Text("TRCK"), "3");
    EXPECT_EQ(report.Id3v1Text("TPE1"), "Various Artists");
    EXPECT_EQ(m_session.Held().texts.track, "3/12");

    form.texts.artist = "Lead";
    form.texts.track = "300";
    report = SaveAndRead(form);
    EXPECT_EQ(report.Id3v1Text("TPE1"), "Lead") << "the lead artist wins in ID3v1";
    EXPECT_EQ(report.Id3v1Text("TRCK"), "<missing>") << "the track byte holds 1 to 255 only";
    EXPECT_EQ(report.Text("TRCK"), "300");
}

TEST_F(TagEditingSessionTest, ChangedNumbersAndYearsMustBeOfTheirFormWhatTheFileHoldsMayStay) {
    Load(Mp3Builder().TextFrame("TRCK", "A1").TextFrame("TYER", "19x9").TextFrame("TIT2", "T"));
    FormValues form = m_session.Held();
    form.texts.title = "New";
    EXPECT_FALSE(m_session.FirstRefusedEdit(form)) << "odd values from the file are kept";
    const std::pair<std::string TagFields::*, const char*> refused[] = {
        {&TagFields::track, "0"},   {&TagFields::track, "1000"}, {&TagFields::track, "3/"},
        {&TagFields::track, "/12"}, {&TagFields::track, "3/0"},  {&TagFields::track, "1/2/3"},
        {&TagFields::track, " 3"},  {&TagFields::disc, "x"},     {&TagFields::year, "19x9 "},
        {&TagFields::year, "199a"}, {&TagFields::year, "-199"},
    };
    for (const auto& [member, text] : refused) {
        SCOPED_TRACE(text);
        FormValues bad = form;
        bad.texts.*member = text;
        const TagEditingSession::Refusal refusal = m_session.FirstRefusedEdit(bad);
        ASSERT_TRUE(refusal);
        EXPECT_EQ(refusal.field->text, member);
    }
    for (const char* taken : {"1", "999", "03", "3/12", "999/999"}) {
        FormValues good = form;
        good.texts.track = taken;
        good.texts.disc = taken;
        EXPECT_FALSE(m_session.FirstRefusedEdit(good)) << taken;
    }

    const auto before = Mp3Builder::ReadFile(m_path);
    form.texts.disc = "one";
    const SaveResult result = m_session.Save(form);
    EXPECT_EQ(result.outcome, SaveResult::Outcome::Refused);
    EXPECT_EQ(result.reason, "Disc: Please enter the disc as a number from 1 to 999, or as a "
                             "number and a total such as 3/12.");
    EXPECT_EQ(Mp3Builder::ReadFile(m_path), before);
    form.texts.disc.clear();
    form.texts.year = "2O24";
    EXPECT_EQ(m_session.Save(form).reason, "Year: Please enter the year in digits only.");
    EXPECT_EQ(Mp3Builder::ReadFile(m_path), before);
}

TEST_F(TagEditingSessionTest, AReplacedCommentKeepsItsLanguageANewOneIsUnknown) {
    Load(Mp3Builder().CommentFrame("", "Old words"));
    FormValues form = m_session.Held();
    form.texts.comment = "New words";
    MutagenReport report = SaveAndRead(form);
    ASSERT_EQ(report.All("COMM").size(), 1u);
    EXPECT_EQ(report.All("COMM")[0].text, "New words");
    EXPECT_EQ(report.All("COMM")[0].language, "eng");

    Load(Mp3Builder().TextFrame("TIT2", "No comment"));
    form = m_session.Held();
    form.texts.comment = "First words";
    report = SaveAndRead(form);
    ASSERT_EQ(report.All("COMM").size(), 1u);
    EXPECT_EQ(report.All("COMM")[0].language, "XXX");
}

} // namespace
