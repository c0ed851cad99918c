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

TEST_F(BatchFormTest, ShowsTheCoverTheFilesShareAndNoneWhereTheyDiffer) {
    const auto withCover = [this](const std::string& name, const std::string& picture) {
        Mp3Builder::Bytes body = {0x00};
        for (char c : std::string("image/png"))
            body.push_back(static_cast<std::uint8_t>(c));
        body.insert(body.end(), {0x00, 0x03, 0x00});
        body.insert(body.end(), picture.begin(), picture.end());
        const std::string path = m_dir.File(name);
        Mp3Builder().TextFrame("TIT2", name).Frame("APIC", body).WriteTo(path);
        return path;
    };
    const std::string a = withCover("a.mp3", CoverPictures::Png(300, 300));
    const std::string b = withCover("b.mp3", CoverPictures::Png(300, 300));
    const std::string c = withCover("c.mp3", CoverPictures::Png(600, 600));
    m_batch.Load({a, b});
    ASSERT_TRUE(m_batch.Shown().cover);
    EXPECT_EQ(*m_batch.Shown().cover->bytes, CoverPictures::Png(300, 300));
    m_batch.Load({a, b, c});
    EXPECT_FALSE(m_batch.Shown().cover);

    // A Save of typed texts leaves each file's cover as it is.
    FormValues form = m_batch.Shown();
    form.texts.album = "New";
    ASSERT_TRUE(BatchForm::SaveFile(c, form).Saved());
    std::string error;
    const std::vector<CoverPictures::Picture> pictures = CoverPictures::Read(c, &error);
    ASSERT_EQ(pictures.size(), 1u) << error;
    EXPECT_EQ(pictures[0].data, CoverPictures::Png(600, 600));
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
    ASSERT_TRUE(BatchForm::SaveFile(a, form, &saved).Saved());
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
