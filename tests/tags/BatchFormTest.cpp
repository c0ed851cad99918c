// The form over several files: what it shows, what a Save sets, and what each file keeps.
#include "BatchForm.h"
#include "CoverPictures.h"
#include "Mp3Builder.h"
#include "MutagenReport.h"
#include "ScratchDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

class BatchFormTest : public ::testing::Test {
protected:
    std::string Write(const std::string& name, const std::string& title, const std::string& album,
                      const std::string& genre = "") {
        Mp3Builder mp3;
        mp3.TextFrame("TIT2", title).TextFrame("TALB", album).TextFrame("TYER", "1999");
        if (!genre.empty())
            mp3.TextFrame("TCON", genre);
        const std::string path = m_dir.File(name);
        mp3.WriteTo(path);
        return path;
    }

    // A file whose APIC frames hold each (picture type, bytes) as a PNG, in order.
    std::string WithPictures(const std::string& name,
                             const std::vector<std::pair<int, std::string>>& pictures) {
        Mp3Builder mp3;
        mp3.TextFrame("TIT2", name);
        for (const auto& [type, picture] : pictures) {
            const std::string mime = picture.rfind("\x89PNG", 0) == 0 ? "image/png" : "image/jpeg";
            Mp3Builder::Bytes body = {0x00};
            body.insert(body.end(), mime.begin(), mime.end());
            body.insert(body.end(), {0x00, static_cast<std::uint8_t>(type), 0x00});
            body.insert(body.end(), picture.begin(), picture.end());
            mp3.Frame("APIC", body);
        }
        const std::string path = m_dir.File(name);
        mp3.WriteTo(path);
        return path;
    }

    ScratchDir m_dir;
    BatchForm m_batch;
};

TEST_F(BatchFormTest, ShowsWhatTheFilesShareAndCountsWhatDiffers) {
    const std::string a = Write("a.mp3", "One", "Album", "(17)");
    const std::string b = Write("b.mp3", "Two", "Album", "(17)");
    const std::string c = Write("c.mp3", "", "Album", "(17)");
    // The same file twice is one file.
    m_batch.Load({a, b, a, c});
    EXPECT_EQ(m_batch.Paths(), (std::vector<std::string>{a, b, c}));
    EXPECT_EQ(m_batch.Shown().texts.album, "Album");
    EXPECT_EQ(m_batch.Shown().texts.year, "1999");
    EXPECT_EQ(m_batch.Shown().texts.title, "");
    EXPECT_EQ(m_batch.DistinctTexts(&TagFields::title),
              (std::vector<std::string>{"One", "Two", ""}));
    EXPECT_EQ(m_batch.Shown().genreRow, 17);
    EXPECT_FALSE(m_batch.HasUnsavedChanges(m_batch.Shown()));

    // Genre 100 has no row, and no genre at all is a value of its own: three genres.
    const std::string d = Write("d.mp3", "Four", "Album", "(100)");
    const std::string e = Write("e.mp3", "Five", "Album");
    m_batch.Load({a, d, e});
    EXPECT_EQ(m_batch.DistinctGenreCount(), 3u);
    EXPECT_EQ(m_batch.Shown().genreRow, GenreTable::kNoRow);
    m_batch.Clear();
    EXPECT_TRUE(m_batch.IsEmpty());
    FormValues typed;
    typed.texts.title = "x";
    EXPECT_FALSE(m_batch.HasUnsavedChanges(typed));
}

TEST_F(BatchFormTest, ShowsTheCoverTheFilesShareAndCountsTheCoversWhereTheyDiffer) {
    const std::string a = WithPictures("a.mp3", {{3, CoverPictures::Png(300, 300)}});
    const std::string b = WithPictures("b.mp3", {{3, CoverPictures::Png(300, 300)}});
    const std::string c = WithPictures("c.mp3", {{3, CoverPictures::Png(600, 600)}});
    const std::string none = WithPictures("none.mp3", {});
    m_batch.Load({a, b});
    ASSERT_TRUE(m_batch.Shown().cover);
    EXPECT_EQ(m_batch.Shown().cover->Bytes(), CoverPictures::Png(300, 300));
    EXPECT_EQ(m_batch.DistinctCoverCount(), 1u);
    // Left as shown, or set to the very picture they share, nothing is to be saved.
    EXPECT_EQ(m_batch.CoverEditOf(m_batch.Shown().cover, false).kind, CoverEdit::Kind::Keep);
    EXPECT_FALSE(m_batch.HasUnsavedChanges(m_batch.Shown(), {}));

    // No cover is one of the covers.
    m_batch.Load({a, b, c, none});
    EXPECT_FALSE(m_batch.Shown().cover);
    EXPECT_EQ(m_batch.DistinctCoverCount(), 3u);
    EXPECT_EQ(m_batch.CoverEditOf(std::nullopt, true).kind, CoverEdit::Kind::Keep);
    // Shown as differing, no picture is not the same as removed.
    const CoverEdit removed = m_batch.CoverEditOf(std::nullopt, false);
    EXPECT_EQ(removed.kind, CoverEdit::Kind::Remove);
    EXPECT_TRUE(m_batch.HasUnsavedChanges(m_batch.Shown(), removed));
    m_batch.Load({none, WithPictures("none2.mp3", {})});
    EXPECT_EQ(m_batch.DistinctCoverCount(), 1u);
    EXPECT_EQ(m_batch.CoverEditOf(std::nullopt, false).kind, CoverEdit::Kind::Keep);

    // A Save of typed texts leaves each file's cover as it is.
    FormValues form = m_batch.Shown();
    form.texts.album = "New";
    ASSERT_TRUE(BatchForm::SaveFile(c, form).Saved());
    std::string error;
    const std::vector<CoverPictures::Picture> pictures = CoverPictures::Read(c, &error);
    ASSERT_EQ(pictures.size(), 1u) << error;
    EXPECT_EQ(pictures[0].data, CoverPictures::Png(600, 600));
}

TEST_F(BatchFormTest, AReplacedOrRemovedCoverGoesToEachFileAndEveryOtherPictureStays) {
    const std::string back = CoverPictures::Jpeg(100, 100);
    const std::string a = WithPictures("a.mp3", {{3, CoverPictures::Png(300, 300)}, {4, back}});
    // Without a front cover, the first picture is the one shown, and the one removed.
    const std::string b = WithPictures("b.mp3", {{0, CoverPictures::Png(20, 20)}, {4, back}});
    const std::string c = WithPictures("c.mp3", {});
    m_batch.Load({a, b, c});
    CoverPicture chosen;
    chosen.mimeType = "image/jpeg";
    chosen.storage = std::make_shared<const std::string>(CoverPictures::Jpeg(500, 500));
    const CoverEdit replaced = m_batch.CoverEditOf(chosen, false);
    ASSERT_EQ(replaced.kind, CoverEdit::Kind::Replace);
    FormValues form = m_batch.Shown();
    EXPECT_TRUE(m_batch.HasUnsavedChanges(form, replaced));

    std::string error;
    // The new cover takes the shown one's place; the back cover stays behind it.
    for (const std::string& path : {a, b, c}) {
        ASSERT_TRUE(BatchForm::SaveFile(path, form, replaced).Saved());
        const std::vector<CoverPictures::Picture> pictures = CoverPictures::Read(path, &error);
        ASSERT_EQ(pictures.size(), path == c ? 1u : 2u) << path << error;
        EXPECT_EQ(pictures[0].data, chosen.Bytes()) << path;
        EXPECT_EQ(pictures[0].type, 3);
        EXPECT_EQ(pictures[0].mime, "image/jpeg");
        if (path != c) {
            EXPECT_EQ(pictures[1].data, back) << path;
        }
    }

    // Saved once more, a file that holds the cover already is not written again.
    const Mp3Builder::Bytes before = Mp3Builder::ReadFile(a);
    ASSERT_TRUE(BatchForm::SaveFile(a, form, replaced).Saved());
    EXPECT_EQ(Mp3Builder::ReadFile(a), before);

    const std::string d = WithPictures("d.mp3", {{0, CoverPictures::Png(20, 20)}, {4, back}});
    m_batch.Load({a, d, c});
    const CoverEdit removed = m_batch.CoverEditOf(std::nullopt, false);
    for (const std::string& path : {a, d, c})
        ASSERT_TRUE(BatchForm::SaveFile(path, m_batch.Shown(), removed).Saved());
    EXPECT_EQ(CoverPictures::Read(a, &error).size(), 1u);
    EXPECT_EQ(CoverPictures::Read(a, &error)[0].data, back);
    EXPECT_EQ(CoverPictures::Read(d, &error).size(), 1u);
    EXPECT_EQ(CoverPictures::Read(d, &error)[0].data, back);
    EXPECT_TRUE(CoverPictures::Read(c, &error).empty()) << error;
}

TEST_F(BatchFormTest, OnlyWhatTheUserSetCountsAndIsApplied) {
    m_batch.Load({Write("a.mp3", "One", "Album", "(17)"), Write("b.mp3", "Two", "Album")});
    FormValues form = m_batch.Shown();
    EXPECT_EQ(form.genreRow, GenreTable::kNoRow);
    form.genreRow = GenreTable::kNoneRow; // "None" keeps each file's genre
    form.texts.album.clear();             // an emptied field keeps each file's text
    EXPECT_FALSE(m_batch.HasUnsavedChanges(form));

    form.texts.artist = "Band";
    EXPECT_TRUE(m_batch.HasUnsavedChanges(form));
    FormValues own;
    own.texts.title = "Own";
    own.texts.artist = "Own artist";
    own.texts.album = "Own album";
    own.texts.year = "1999"; // shared, so shown: each file holds it already
    own.genreRow = 17;
    FormValues expected = own;
    expected.texts.artist = "Band";
    EXPECT_EQ(BatchForm::Apply(own, form), expected);

    form = m_batch.Shown();
    form.genreRow = 8;
    EXPECT_TRUE(m_batch.HasUnsavedChanges(form));
    EXPECT_EQ(BatchForm::Apply(own, form).genreRow, 8);
}

TEST_F(BatchFormTest, ASaveSetsTheFieldInEachFileAndKeepsEveryOtherValue) {
    const std::string a = Write("a.mp3", "One", "Old");
    const std::string b = Write("b.mp3", "Two", "New");
    FormValues form;
    form.texts.album = "New";
    FormValues saved;
    ASSERT_TRUE(BatchForm::SaveFile(a, form, {}, &saved).Saved());
    EXPECT_EQ(saved.texts.title, "One");
    EXPECT_EQ(saved.texts.album, "New");
    EXPECT_EQ(MutagenReport::Read(a).Text("TALB"), "New");
    EXPECT_EQ(MutagenReport::Read(a).Text("TIT2"), "One");

    // A file that already holds the value is not written at all.
    const Mp3Builder::Bytes before = Mp3Builder::ReadFile(b);
    EXPECT_TRUE(BatchForm::SaveFile(b, form).Saved());
    EXPECT_EQ(Mp3Builder::ReadFile(b), before);
}

TEST_F(BatchFormTest, AFileThatCannotBeSavedSaysWhyAndIsLeftAsItIs) {
    const std::string vanished = m_dir.File("gone.mp3");
    const std::string isProtected = m_dir.File("v24.mp3");
    Mp3Builder().Version(4).TextFrame("TIT2", "Four").Frame("SIGN", {1, 2}).WriteTo(isProtected);
    const Mp3Builder::Bytes before = Mp3Builder::ReadFile(isProtected);
    FormValues form;
    form.texts.album = "New";

    const SaveResult gone = BatchForm::SaveFile(vanished, form);
    EXPECT_FALSE(gone.Saved());
    EXPECT_FALSE(gone.reason.empty());
    EXPECT_FALSE(std::filesystem::exists(vanished));
    const SaveResult refused = BatchForm::SaveFile(isProtected, form);
    EXPECT_EQ(refused.outcome, SaveResult::Outcome::Refused);
    EXPECT_EQ(Mp3Builder::ReadFile(isProtected), before);
}

} // namespace
