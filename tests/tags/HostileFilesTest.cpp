// Files that crashed, hung or exhausted id3lib, and the fuzzer's seed corpus, taken through the
// editor's whole load-and-save path. LoadAndSave aborts on any broken promise.
#include "CTagFile.h"
#include "Id3Inspector.h"
#include "LoadAndSave.h"
#include "Mp3Builder.h"
#include "MutagenReport.h"
#include "ScratchDir.h"
#include "ScratchJournalFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.path().filename() != "README.md")
            files.push_back(entry.path().string());
    std::sort(files.begin(), files.end());
    return files;
}

const std::string kCrashers = TAGEDITOR_TEST_DATA "/id3-crashers";
const std::string kCorpus = TAGEDITOR_TEST_DATA "/fuzz-corpus";

class HostileFiles : public ::testing::Test {
protected:
    LoadAndSave::Saves RunEach(const std::vector<std::string>& files) const {
        const LoadAndSave path(m_path);
        LoadAndSave::Saves all;
        for (const std::string& file : files) {
            SCOPED_TRACE(file);
            const Mp3Builder::Bytes bytes = Mp3Builder::ReadFile(file);
            const LoadAndSave::Saves saves = path.Run(bytes.data(), bytes.size());
            all.inPlace += saves.inPlace;
            all.writtenAnew += saves.writtenAnew;
        }
        return all;
    }

    ScratchJournalFolder m_journals;
    ScratchDir m_dir;
    std::string m_path = m_dir.File("song.mp3");
};

TEST_F(HostileFiles, EveryKnownCrasherLoadsAndSavesSafely) {
    const std::vector<std::string> files = FilesIn(kCrashers);
    ASSERT_GE(files.size(), 10u);
    RunEach(files);
}

TEST_F(HostileFiles, CrashersThatLoadingWouldHitAreRefusedAndSayWhy) {
    for (const std::string& file : FilesIn(kCrashers)) {
        const std::string name = std::filesystem::path(file).filename().string();
        // A well-formed compressed frame is unpacked by the program itself, never by id3lib.
        if (name.rfind("save-", 0) == 0 || name == "segv-plain-valid-v23-compressed-frame.mp3")
            continue;
        std::filesystem::copy_file(file, m_path, std::filesystem::copy_options::overwrite_existing);
        CTagFile tag;
        tag.Link(m_path);
        EXPECT_FALSE(tag.Protection().empty()) << file;
        EXPECT_EQ(tag.ReadFields().title, "") << file;
        EXPECT_EQ(tag.ReadGenreNumber(), 255u) << file;
    }
}

TEST_F(HostileFiles, AWellFormedCompressedFrameIsReadAndSavedUnpacked) {
    std::filesystem::copy_file(kCrashers + "/segv-plain-valid-v23-compressed-frame.mp3", m_path);
    CTagFile tag;
    tag.Link(m_path);
    ASSERT_TRUE(tag.Protection().empty()) << tag.Protection();
    TagFields fields = tag.ReadFields();
    EXPECT_EQ(fields.title.rfind("Compressed Title Compressed Title", 0), 0u) << fields.title;
    fields.artist = "Unpacked";
    ASSERT_TRUE(tag.Save(fields, 255).Saved());
    const MutagenReport report = MutagenReport::Read(m_path);
    EXPECT_EQ(report.Text("TIT2"), fields.title);
    EXPECT_EQ(report.Text("TPE1"), "Unpacked");
}

// Every iTunes-tagged file has a comment with a UTF-16 description: id3lib's own ID3v1 writer
// reads past a buffer on those, so they must save through the split path, and save whole.
TEST_F(HostileFiles, FilesWithUtf16CommentDescriptionsSaveBothTags) {
    for (const std::string& file : FilesIn(kCrashers)) {
        if (std::filesystem::path(file).filename().string().rfind("save-", 0) != 0)
            continue;
        SCOPED_TRACE(file);
        std::filesystem::copy_file(file, m_path, std::filesystem::copy_options::overwrite_existing);
        const Mp3Builder::Bytes before = Mp3Builder::ReadFile(m_path);
        const TagLayout layout = Id3Inspector::Inspect(m_path).layout;
        CTagFile tag;
        tag.Link(m_path);
        ASSERT_TRUE(tag.Protection().empty()) << tag.Protection();
        TagFields fields = tag.ReadFields();
        fields.title = "Saved";
        ASSERT_TRUE(tag.Save(fields, 17).Saved());
        const MutagenReport report = MutagenReport::Read(m_path);
        ASSERT_TRUE(report.error.empty()) << report.error;
        EXPECT_EQ(report.Text("TIT2"), "Saved");
        EXPECT_EQ(report.Id3v1Text("TIT2"), "Saved");
        const Mp3Builder::Bytes audio(before.begin() + layout.audioBegin,
                                      before.begin() + layout.audioEnd);
        EXPECT_EQ(report.CheckSavedLayout(m_path, audio), "");
    }
}

TEST_F(HostileFiles, EverySeedOfTheFuzzCorpusLoadsAndSavesSafelyInPlaceAndWrittenAnew) {
    const std::vector<std::string> files = FilesIn(kCorpus);
    ASSERT_GE(files.size(), 20u);
    const LoadAndSave::Saves saves = RunEach(files);
    EXPECT_GT(saves.inPlace, 0);
    EXPECT_GT(saves.writtenAnew, 0);
}

} // namespace
