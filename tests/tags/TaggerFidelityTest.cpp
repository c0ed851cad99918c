// Files as other taggers and players write them open with their values, and a Save of a
// one-field change changes that field and nothing else: every other frame keeps its meaning,
// the audio its bytes, and the file ends up with an ID3v2.3 tag and an ID3v1 tag.
#include "CTagFile.h"
#include "CoverPictures.h"
#include "FrontCover.h"
#include "GenreTable.h"
#include "Id3Inspector.h"
#include "Mp3Builder.h"
#include "MutagenReport.h"
#include "ScratchDir.h"
#include "TagEditingSession.h"
#include "TaggerStyles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <iterator>

namespace {

class TaggerFidelity : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override {
        ASSERT_EQ(TaggerStyles::Write(GetParam(), m_original), "");
        std::filesystem::copy_file(m_original, m_path);
        const TagInspection inspection = Id3Inspector::Inspect(m_original);
        const auto bytes = Mp3Builder::ReadFile(m_original);
        m_audio.assign(bytes.begin() + inspection.layout.audioBegin,
                       bytes.begin() + inspection.layout.audioEnd);
        m_session.Link(m_path);
    }

    void SaveAndCompare(const FormValues& form, const std::vector<std::string>& changes) {
        const SaveResult result = m_session.Save(form);
        ASSERT_TRUE(result.Saved()) << result.reason;
        EXPECT_EQ(MutagenReport::Read(m_path).CheckSavedLayout(m_path, m_audio), "");
        EXPECT_EQ(TaggerStyles::Differences(m_original, m_path, changes), "");
    }

    ScratchDir m_dir;
    std::string m_original = m_dir.File("original.mp3");
    std::string m_path = m_dir.File("saved.mp3");
    Mp3Builder::Bytes m_audio;
    TagEditingSession m_session;
};

TEST_P(TaggerFidelity, OpensWithItsValues) {
    EXPECT_EQ(m_session.Protection(), "");
    EXPECT_NE(m_session.Held().texts.title, "");
    EXPECT_NE(m_session.Held().texts.album, "");
}

// Reading takes the values from the file's frames; a Save writes each shown field anew through
// id3lib. What it wrote must show the same, or a field would change its value at the first Save.
TEST_P(TaggerFidelity, ShowsWhatTheWholeTagShows) {
    CTagFile tag;
    tag.Link(m_path);
    const TagFields read = tag.ReadFields();
    const unsigned genre = tag.ReadGenreNumber();
    ASSERT_TRUE(tag.Save(read, GenreTable::kNoGenre).Saved());
    EXPECT_EQ(tag.ReadFields(), read);
    EXPECT_EQ(tag.ReadGenreNumber(), genre);
}

TEST_P(TaggerFidelity, ASavedAlbumChangesTheAlbumAlone) {
    FormValues form = m_session.Held();
    form.texts.album = "Neues Album \u2013 \u65B0";
    SaveAndCompare(form, {"TALB=" + form.texts.album});
    // A second Save in the same link builds on the first and keeps all the rest as well.
    form.texts.title = "Zweiter Titel";
    SaveAndCompare(form, {"TALB=" + form.texts.album, "TIT2=Zweiter Titel"});
}

TEST_P(TaggerFidelity, ASaveOfNothingChangedKeepsEveryMeaning) {
    SaveAndCompare(m_session.Held(), {});
}

// The frames of BEFORE that are not LEAVING must be in AFTER byte for byte, in their order.
void ExpectKept(const std::vector<std::string>& before, const std::vector<std::string>& after,
                const std::function<bool(const std::string&)>& leaving) {
    auto next = after.begin();
    for (const std::string& frame : before) {
        if (leaving(frame))
            continue;
        next = std::find(next, after.end(), frame);
        ASSERT_NE(next, after.end()) << frame.substr(0, 4) << " lost or changed";
        ++next;
    }
}

// A cover replaced, then a text, then a Save the file refuses, then the same Save again: each
// step builds on the last one written, and every frame nobody touched keeps its bytes.
TEST_P(TaggerFidelity, SavesAfterACoverAndAFailedSaveKeepEveryUntouchedFrame) {
    const std::vector<std::string> before = Id3Inspector::Inspect(m_path).frames;
    const std::size_t shownCover = FrontCover::Find(before);
    FormValues form = m_session.Held();
    form.cover = CoverPicture{"image/jpeg", CoverPicture::kFrontCover,
                              std::make_shared<const std::string>(CoverPictures::Jpeg(64, 64))};
    ASSERT_TRUE(m_session.Save(form).Saved());
    EXPECT_FALSE(m_session.HasUnsavedChanges(form));
    form.texts.title = "Second title";
    ASSERT_TRUE(m_session.Save(form).Saved());

    form.texts.artist = "Third artist";
    form.cover = CoverPicture{"image/png", CoverPicture::kFrontCover,
                              std::make_shared<const std::string>(CoverPictures::Png(8, 8))};
    std::filesystem::permissions(m_path, std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
    EXPECT_FALSE(m_session.Save(form).Saved());
    std::filesystem::permissions(m_path, std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add);
    ASSERT_TRUE(m_session.Save(form).Saved());
    const auto saved = Mp3Builder::ReadFile(m_path);
    ASSERT_TRUE(m_session.Save(form).Saved());
    EXPECT_EQ(Mp3Builder::ReadFile(m_path), saved) << "nothing changed, nothing written anew";

    TagEditingSession again;
    again.Link(m_path);
    EXPECT_EQ(again.Held().texts, form.texts);
    EXPECT_EQ(again.Held().cover, form.cover);
    EXPECT_EQ(MutagenReport::Read(m_path).CheckSavedLayout(m_path, m_audio), "");
    ExpectKept(before, Id3Inspector::Inspect(m_path).frames, [&](const std::string& frame) {
        return (shownCover != FrontCover::npos && frame == before[shownCover]) ||
               frame.compare(0, 4, "TIT2") == 0 || frame.compare(0, 4, "TPE1") == 0;
    });
}

struct NumbersAndAlbumArtist {
    const char* style;
    TagFields shown; // track, disc and album artist only
};

TEST(TaggerFields, TrackDiscAndAlbumArtistShowAsWrittenAndSaveAlone) {
    const auto fields = [](const char* track, const char* disc, const char* albumArtist) {
        TagFields shown;
        shown.track = track;
        shown.disc = disc;
        shown.albumArtist = albumArtist;
        return shown;
    };
    const NumbersAndAlbumArtist cases[] = {
        {"library-manager-v23", fields("3/12", "1/2", "Various Artists")},
        {"picard-v24", fields("3/12", "", "Various Artists")},
        {"library-manager-v24", fields("2/12", "1/1", "Radiohead")},
        {"itunes-v22", fields("1/10", "", "Album Artist")},
        {"v1-only", fields("7", "", "")},
    };
    for (const NumbersAndAlbumArtist& c : cases) {
        SCOPED_TRACE(c.style);
        ScratchDir dir;
        const std::string original = dir.File("original.mp3");
        const std::string path = dir.File("saved.mp3");
        ASSERT_EQ(TaggerStyles::Write(c.style, original), "");
        std::filesystem::copy_file(original, path);
        TagEditingSession session;
        session.Link(path);
        FormValues form = session.Held();
        EXPECT_EQ(form.texts.track, c.shown.track);
        EXPECT_EQ(form.texts.disc, c.shown.disc);
        EXPECT_EQ(form.texts.albumArtist, c.shown.albumArtist);

        form.texts.track = "4/12";
        ASSERT_TRUE(session.Save(form).Saved());
        EXPECT_EQ(TaggerStyles::Differences(original, path, {"TRCK=4/12"}), "");
        EXPECT_EQ(MutagenReport::Read(path).Id3v1Text("TRCK"), "4");
        form.texts.disc = "2/2";
        form.texts.albumArtist = "Someone \u00C9lse";
        ASSERT_TRUE(session.Save(form).Saved());
        EXPECT_EQ(TaggerStyles::Differences(original, path,
                                            {"TRCK=4/12", "TPOS=2/2", "TPE2=Someone \u00C9lse"}),
                  "");
    }
}

INSTANTIATE_TEST_SUITE_P(EveryStyle, TaggerFidelity, ::testing::ValuesIn(TaggerStyles::Names()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                             return TaggerStyles::TestName(info.param);
                         });

} // namespace
