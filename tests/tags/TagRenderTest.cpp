// The bytes a Save writes: the ID3v2 tag padded as id3lib pads it, version 2 frames written as
// version 3 frames, and the ID3v1 tag exactly as id3lib's own writer renders it.
#include "CTagFile.h"
#include "Id3Inspector.h"
#include "Id3StringWriter.h"
#include "Id3v1Values.h"
#include "Id3v23Frame.h"
#include "Id3v2Renderer.h"
#include "Mp3Builder.h"
#include "MutagenReport.h"
#include "ScratchDir.h"

#include <gtest/gtest.h>

#include <id3/misc_support.h>
#include <id3/readers.h>
#include <id3/tag.h>

namespace {

using Bytes = Mp3Builder::Bytes;

class TagRender : public ::testing::Test {
protected:
    TagInspection Load(const Mp3Builder& file) {
        file.WriteTo(m_path);
        return Id3Inspector::Inspect(m_path);
    }

    void Link(ID3_Tag& tag, const TagInspection& inspection) {
        ID3_MemoryReader reader(inspection.tagBytes.data(), inspection.tagBytes.size());
        tag.Link(reader, ID3TT_ID3V2);
    }

    ScratchDir m_dir;
    std::string m_path = m_dir.File("song.mp3");
};

TEST_F(TagRender, ATagThatFitsKeepsItsSizeAndOneThatGrowsEndsTheFileOn2K) {
    const std::string longer =
        Id3v23Frame{"TIT3", 0, std::string(1, '\0') + "A somewhat longer title"}.Bytes();
    // However much room is left over: a smaller tag would mean writing the whole file anew.
    const TagInspection roomy = Load(Mp3Builder().TextFrame("TIT2", "Old").Padding(10000));
    std::vector<std::string> frames = roomy.frames;
    frames.push_back(longer);
    const std::string fitting = Id3v2Renderer::Render(frames, roomy.layout);
    EXPECT_EQ(fitting.size(), roomy.layout.tagSize);

    const TagInspection tight = Load(Mp3Builder().TextFrame("TIT2", "Old").AudioFrames(3));
    frames = tight.frames;
    frames.push_back(longer);
    const std::string rendered = Id3v2Renderer::Render(frames, tight.layout);
    EXPECT_GT(rendered.size(), tight.layout.tagSize);
    EXPECT_EQ((rendered.size() + tight.layout.fileSize - tight.layout.tagSize) % 2048, 0u);
    // The header's size covers frames and padding.
    const std::size_t declared = (rendered[6] << 21) | (rendered[7] << 14) | (rendered[8] << 7) |
                                 static_cast<unsigned char>(rendered[9]);
    EXPECT_EQ(declared + 10, rendered.size());
    EXPECT_EQ(rendered.compare(10, frames[0].size() + longer.size(), frames[0] + longer), 0);
}

TEST_F(TagRender, AVersion2PictureIsWrittenBackWhole) {
    Bytes picture{'P', 'I', 'C', 0, 0, 0, 0, 'P', 'N', 'G', 3, 'c', 'o', 'v', 'e', 'r', 0};
    for (int i = 1; i <= 100; ++i)
        picture.push_back(static_cast<std::uint8_t>(i));
    picture[5] = static_cast<std::uint8_t>(picture.size() - 6);
    Mp3Builder::WriteFile(
        m_path,
        Mp3Builder().Version(2).TextFrame("TT2", "T").RawTagBytes(picture).Padding(20).Build());
    CTagFile tag;
    tag.Link(m_path);
    ASSERT_TRUE(tag.Protection().empty()) << tag.Protection();
    TagFields fields;
    fields.title = "New";
    ASSERT_TRUE(tag.Save(fields, 255).Saved());
    const MutagenReport report = MutagenReport::Read(m_path);
    ASSERT_EQ(report.All("APIC").size(), 1u) << report.error;
    EXPECT_EQ(report.All("APIC")[0].description, "cover");
    const TagInspection saved = Id3Inspector::Inspect(m_path);
    EXPECT_NE(saved.tagBytes.find("image/png"), std::string::npos);
    EXPECT_NE(saved.tagBytes.find(std::string(reinterpret_cast<const char*>(&picture[17]), 100)),
              std::string::npos);
}

// Without a UTF-16 comment description id3lib's own ID3v1 writer is safe to call: what the
// second tag object renders must be byte for byte what it would have written.
TEST_F(TagRender, TheId3v1TagIsWhatId3libsOwnWriterWouldWrite) {
    const TagInspection loaded = Load(Mp3Builder()
                                          .TextFrame("TPE2", "Band only")
                                          .TextFrame("TIT2", "First title")
                                          .TextFrame("TIT2", "Second title")
                                          .TextFrame("TALB", "Album")
                                          .TextFrame("TYER", "1999")
                                          .TextFrame("TRCK", "7/12")
                                          .CommentFrame("other", "Not this")
                                          .CommentFrame("", "This one")
                                          .TextFrame("TCON", "(17)Rock"));
    ID3_Tag tag;
    Link(tag, loaded);
    Id3StringWriter own;
    tag.Render(own, ID3TT_ID3V1);
    ASSERT_EQ(own.Bytes().size(), 128u);
    EXPECT_EQ(Id3v1Values::Of(loaded.frames).Render(), own.Bytes());
}

} // namespace
