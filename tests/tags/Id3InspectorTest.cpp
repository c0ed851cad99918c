#include "Id3Inspector.h"
#include "Mp3Builder.h"
#include "ScratchDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <tuple>

namespace {

// The zero bytes that end a tag: its padding.
std::size_t ZerosAtTheEnd(const std::string& tag) {
    const std::size_t last = tag.find_last_not_of('\0');
    return last == std::string::npos ? tag.size() : tag.size() - last - 1;
}

using Bytes = Mp3Builder::Bytes;

Bytes Latin1Body(const std::string& text) {
    Bytes body{0};
    body.insert(body.end(), text.begin(), text.end());
    return body;
}

Bytes Utf16Body(const std::u16string& text) {
    Bytes body{1};
    const Bytes utf16 = Mp3Builder::Utf16Bytes(text, false, true);
    body.insert(body.end(), utf16.begin(), utf16.end());
    return body;
}

Bytes ExtendedHeader(std::uint32_t size, std::uint16_t flags) {
    Bytes header{static_cast<std::uint8_t>(size >> 24), static_cast<std::uint8_t>(size >> 16),
                 static_cast<std::uint8_t>(size >> 8),  static_cast<std::uint8_t>(size),
                 static_cast<std::uint8_t>(flags >> 8), static_cast<std::uint8_t>(flags)};
    header.resize(4 + size, 0);
    return header;
}

class Id3InspectorTest : public ::testing::Test {
protected:
    TagInspection InspectFile(const Bytes& bytes) {
        Mp3Builder::WriteFile(m_path, bytes);
        return Id3Inspector::Inspect(m_path);
    }
    TagInspection InspectBuilt(const Mp3Builder& builder) { return InspectFile(builder.Build()); }

    ScratchDir m_dir;
    std::string m_path = m_dir.File("song.mp3");
};

struct Accepted {
    const char* what;
    Mp3Builder file;
};

TEST_F(Id3InspectorTest, AcceptsWellFormedTagsOfEveryVersion) {
    Accepted cases[] = {
        {"no tag at all", Mp3Builder().WithoutId3v2()},
        {"an empty tag of padding", Mp3Builder().Padding(256)},
        {"latin-1 texts", Mp3Builder().TextFrame("TIT2", "T").TextFrame("TPE1", "A")},
        {"UTF-16 in both byte orders",
         Mp3Builder().Utf16TextFrame("TIT2", u"Caf\u00e9").Utf16TextFrame("TALB", u"x", true)},
        {"an iTunes comment", Mp3Builder().Utf16CommentFrame(u"iTunNORM", u" 0000 0001")},
        {"a picture", Mp3Builder().Frame("APIC", {0, 'i', '/', 'p', 0, 3, 'd', 0, 1, 2, 3})},
        {"a UTF-16 people list", Mp3Builder().Frame("IPLS", Utf16Body(u"role"))},
        {"a frame id3lib does not know", Mp3Builder().Frame("XYZW", {1, 2, 3})},
        {"an extended header", Mp3Builder().TagFlags(0x40).RawTagBytes(ExtendedHeader(6, 0))},
        {"an extended header with CRC",
         Mp3Builder().TagFlags(0x40).RawTagBytes(ExtendedHeader(10, 0x8000))},
        {"an extended header of another size",
         Mp3Builder().TagFlags(0x40).RawTagBytes(ExtendedHeader(8, 0))},
        {"an extended header with unsynchronisation",
         Mp3Builder().TagFlags(0xC0).RawTagBytes(ExtendedHeader(6, 0))},
        {"version 2.2", Mp3Builder().Version(2).TextFrame("TT2", "T").CommentFrame("", "c")},
        {"a version 2.2 frame of only six header bytes",
         Mp3Builder().Version(2).Frame("TT2", {0, 'x'})},
        {"iTunes' version 2.2 frames", Mp3Builder().Version(2).TextFrame("TCP", "1")},
        {"version 2.4", Mp3Builder().Version(4).Utf8TextFrame("TIT2", "T")},
        {"UTF-8 text in version 2.3", Mp3Builder().Utf8TextFrame("TIT2", "T")},
        {"a text of only its encoding", Mp3Builder().Frame("TIT2", {1})},
    };
    for (Accepted& c : cases) {
        const TagInspection result = InspectBuilt(c.file.Padding(16));
        EXPECT_TRUE(result.Accepted()) << c.what << ": " << result.problem;
    }
}

struct Refused {
    const char* what;
    Bytes file;
    const char* because;
};

TEST_F(Id3InspectorTest, RefusesTagsId3libWouldCrashOnLoopOnOrWriteBackDamaged) {
    const Bytes second = Mp3Builder().TextFrame("TIT2", "B").Build();
    Bytes late(40, 0);
    late.insert(late.end(), second.begin(), second.end());
    Bytes tooLong = Mp3Builder().TextFrame("TIT2", "T").Build();
    tooLong.resize(20);
    Bytes badSize = Mp3Builder().TextFrame("TIT2", "T").Build();
    badSize[6] = 0x80;

    const Refused cases[] = {
        {"version 2.5", Mp3Builder().Version(5).TextFrame("TIT2", "T").Build(), "version (2.5.0)"},
        {"version 2.2.1",
         [] {
             Bytes b = Mp3Builder().Version(2).TextFrame("TT2", "T").Build();
             b[4] = 1;
             return b;
         }(),
         "version (2.2.1)"},
        {"a compressed 2.2 tag", Mp3Builder().Version(2).TagFlags(0x40).Build(), "compressed"},
        {"undefined header flags", Mp3Builder().TagFlags(0x10).Build(), "flags"},
        {"a size byte with its top bit set", badSize, "header"},
        {"a tag longer than the file", tooLong, "longer than the file"},
        {"an extended header larger than the tag",
         Mp3Builder().TagFlags(0x40).RawTagBytes({0, 0, 1, 0, 0, 0}).Build(), "extended"},
        {"a version 2.4 extended header size with a top bit set",
         Mp3Builder()
             .Version(4)
             .TagFlags(0x40)
             .RawTagBytes({0, 0, 0, 0x86, 1, 0})
             .TextFrame("TIT2", "T")
             .Padding(200)
             .Build(),
         "extended"},
        {"a frame past the tag's end",
         Mp3Builder().RawTagBytes({'T', 'I', 'T', '2', 0, 0, 1, 0, 0, 0, 0, 'x'}).Build(),
         "past the end"},
        {"a version 2 name inside a version 3 tag",
         Mp3Builder().Frame(std::string("TT2\0", 4), Latin1Body("T")).Build(), "name"},
        {"a compressed frame that does not unpack",
         Mp3Builder().Frame("TIT2", {0, 0, 0, 9, 'x'}, 0x0080).Build(), "cannot be unpacked"},
        {"an encrypted frame", Mp3Builder().Frame("TIT2", {1, 'x'}, 0x0040).Build(), "encrypted"},
        {"a grouped frame", Mp3Builder().Frame("TIT2", {1, 'x'}, 0x0020).Build(), "group"},
        {"an encrypted version 2.4 frame",
         Mp3Builder().Version(4).Frame("TIT2", {1, 'x'}, 0x0004).Build(), "encrypted"},
        {"a grouped version 2.4 frame",
         Mp3Builder().Version(4).Frame("TIT2", {1, 'x'}, 0x0040).Build(), "group"},
        {"a seek frame", Mp3Builder().Version(4).Frame("SEEK", {0, 0, 0, 9}).Build(), "SEEK"},
        {"an audio seek point index", Mp3Builder().Version(4).Frame("ASPI", {0, 0, 0, 0}).Build(),
         "ASPI"},
        {"a signature", Mp3Builder().Version(4).Frame("SIGN", {1, 2}).Build(), "signed"},
        {"a version 2.4 footer that is not there",
         Mp3Builder().Version(4).TagFlags(0x10).TextFrame("TIT2", "T").Build(), "footer"},
        {"a CDM frame", Mp3Builder().Version(2).Frame("CDM", {'z', 0, 0, 0, 4}).Padding(8).Build(),
         "compressed"},
        {"a version 2.2 frame no later version names",
         Mp3Builder().Version(2).Frame("XYZ", {1, 2}).Padding(8).Build(), "no name"},
        {"a version 2.2 link to another file's frames",
         Mp3Builder().Version(2).Frame("LNK", {'T', 'T', '2', 'u', 0}).Padding(8).Build(), "link"},
        {"an encoding no version defines", Mp3Builder().Frame("TIT2", {4, 'x'}).Build(),
         "encoding"},
        {"odd UTF-16 text", Mp3Builder().Frame("TIT2", {1, 0xFF, 0xFE, 'x'}).Build(), "UTF-16"},
        {"an odd UTF-16 people list", Mp3Builder().Frame("IPLS", {1, 0xFF, 0xFE, 'x'}).Build(),
         "UTF-16"},
        {"a description without its end mark",
         Mp3Builder().Frame("COMM", {1, 'e', 'n', 'g', 0xFF, 0xFE, 'x', 0}).Build(), "end mark"},
        {"a field missing before the last", Mp3Builder().Frame("COMM", {0, 'e'}).Build(),
         "cut short"},
        {"a play counter longer than id3lib reads",
         Mp3Builder().Frame("PCNT", {0, 0, 0, 1, 'T', 'I', 'T', '2'}).Build(),
         "more than its fields"},
        {"a last frame with a cut header",
         Mp3Builder().RawTagBytes({'T', 'I', 'T', '2', 0}).Build(), "cut short"},
        {"a tag behind zeros at the start", late, "not at its start"},
    };
    for (const Refused& c : cases) {
        const TagInspection result = InspectFile(c.file);
        EXPECT_NE(result.problem.find(c.because), std::string::npos)
            << c.what << ": " << (result.Accepted() ? "accepted" : result.problem);
        EXPECT_TRUE(result.tagBytes.empty()) << c.what;
    }
}

TEST_F(Id3InspectorTest, ARefusedTagStillGivesTheFramesThatCanBeRead) {
    const TagInspection encrypted = InspectBuilt(Mp3Builder()
                                                     .TextFrame("TIT2", "Title")
                                                     .Frame("TPE1", {1, 'x'}, 0x0040)
                                                     .TextFrame("TALB", "Album")
                                                     .Frame("TCOM", {1, 0xFF, 0xFE, 'x'}));
    EXPECT_NE(encrypted.problem.find("encrypted frame (TPE1)"), std::string::npos)
        << encrypted.problem;
    ASSERT_EQ(encrypted.frames.size(), 2u);
    EXPECT_EQ(encrypted.frames[0].substr(0, 4), "TIT2");
    EXPECT_EQ(encrypted.frames[1].substr(0, 4), "TALB");
    EXPECT_TRUE(encrypted.tagBytes.empty());
}

TEST_F(Id3InspectorTest, FramesOfSizeZeroAreEmptyValuesInEveryVersion) {
    for (const auto& [major, title, comment] :
         {std::tuple{2, "TT2", "COM"}, std::tuple{3, "TIT2", "COMM"},
          std::tuple{4, "TIT2", "COMM"}}) {
        const TagInspection result = InspectBuilt(Mp3Builder()
                                                      .Version(major)
                                                      .Frame(title, {})
                                                      .Frame(comment, {})
                                                      .TextFrame(major == 2 ? "TAL" : "TALB", "A")
                                                      .Padding(16));
        ASSERT_TRUE(result.Accepted()) << major << ": " << result.problem;
        ASSERT_EQ(result.frames.size(), 3u) << major;
        EXPECT_EQ(result.frames[0], std::string("TIT2\0\0\0\0\0\0", 10)) << major;
        EXPECT_EQ(result.frames[1].substr(0, 8), std::string("COMM\0\0\0\0", 8)) << major;
    }
    // Size zero with a flag that needs data is no empty value.
    EXPECT_FALSE(InspectBuilt(Mp3Builder().Frame("TIT2", {}, 0x0080)).Accepted());
}

TEST_F(Id3InspectorTest, ATagBeforeAnotherIsTheTagAndTheOtherIsAudio) {
    const Bytes first = Mp3Builder().TextFrame("TIT2", "A").Padding(20).Id3v2Tag();
    const Bytes second = Mp3Builder().TextFrame("TIT2", "B").Build();
    for (std::size_t zeros : {0, 300}) {
        Bytes bytes = first;
        bytes.insert(bytes.end(), zeros, 0);
        bytes.insert(bytes.end(), second.begin(), second.end());
        const TagInspection result = InspectFile(bytes);
        ASSERT_TRUE(result.Accepted()) << zeros << ": " << result.problem;
        EXPECT_EQ(result.layout.tagSize, first.size());
        EXPECT_EQ(result.layout.audioBegin, first.size());
        EXPECT_EQ(result.layout.AudioSize(), zeros + second.size());
        ASSERT_EQ(result.frames.size(), 1u);
        EXPECT_EQ(result.frames[0].back(), 'A');
    }
}

// The size bytes of a tag header: syncsafe, 7 bits a byte.
void DeclareSize(Bytes& tag, std::size_t size) {
    for (int i = 0; i < 4; ++i)
        tag[9 - i] = static_cast<std::uint8_t>((size >> (7 * i)) & 0x7F);
}

TEST_F(Id3InspectorTest, ADeclaredSizeReachingIntoTheAudioEndsWhereTheZerosEnd) {
    const Bytes audio = Mp3Builder().AudioFrames(4).Audio();
    // The frame's 0xFF 0x00 is one byte once whole-tag unsynchronisation is undone: the
    // zeros are found in the file's bytes, not in the resynchronised ones.
    const Mp3Builder plain = Mp3Builder().TextFrame("TIT2", "Title").Padding(20);
    const Mp3Builder unsynchronised =
        Mp3Builder()
            .TagFlags(0x80)
            .RawTagBytes({'T', 'I', 'T', '2', 0, 0, 0, 3, 0, 0, 0, 0xFF, 0x00, 'a'})
            .Padding(20);
    for (const Mp3Builder* builder : {&plain, &unsynchronised}) {
        Bytes bytes = builder->Id3v2Tag();
        const std::size_t realSize = bytes.size();
        DeclareSize(bytes, realSize - 10 + 300);
        bytes.insert(bytes.end(), audio.begin(), audio.end());
        const TagInspection result = InspectFile(bytes);
        ASSERT_TRUE(result.Accepted()) << result.problem;
        EXPECT_EQ(result.layout.tagSize, realSize);
        EXPECT_EQ(ZerosAtTheEnd(result.tagBytes), 20u);
        EXPECT_EQ(result.layout.AudioSize(), audio.size());
        EXPECT_EQ(result.tagBytes.size(), realSize);
    }
}

TEST_F(Id3InspectorTest, MeasuresTagPaddingAudioAndId3v1) {
    const Mp3Builder file =
        Mp3Builder().TextFrame("TIT2", "Title").Padding(100).AudioFrames(3).Id3v1({});
    const TagInspection result = InspectBuilt(file);
    ASSERT_TRUE(result.Accepted()) << result.problem;
    const std::size_t tagSize = file.Id3v2Tag().size();
    EXPECT_EQ(result.layout.tagSize, tagSize);
    EXPECT_EQ(ZerosAtTheEnd(result.tagBytes), 100u);
    EXPECT_EQ(result.layout.audioBegin, tagSize);
    EXPECT_EQ(result.layout.AudioSize(), file.Audio().size());
    EXPECT_TRUE(result.layout.hasId3v1);
    EXPECT_EQ(result.layout.fileSize, file.Build().size());
    EXPECT_EQ(result.frames.size(), 1u);
    EXPECT_EQ(result.tagBytes.size(), tagSize);

    const TagInspection bare = InspectBuilt(Mp3Builder().WithoutId3v2().AudioFrames(2));
    EXPECT_EQ(bare.layout.tagSize, 0u);
    EXPECT_FALSE(bare.layout.hasId3v1);
    EXPECT_EQ(bare.layout.audioEnd, bare.layout.fileSize);
}

TEST_F(Id3InspectorTest, ZerosAfterTheTagCountAsAudio) {
    Bytes bytes = Mp3Builder().TextFrame("TIT2", "T").Id3v2Tag();
    const std::size_t tagSize = bytes.size();
    bytes.insert(bytes.end(), 50, 0);
    const Bytes audio = Mp3Builder().Audio();
    bytes.insert(bytes.end(), audio.begin(), audio.end());
    const TagInspection result = InspectFile(bytes);
    ASSERT_TRUE(result.Accepted()) << result.problem;
    EXPECT_EQ(result.layout.audioBegin, tagSize);
    EXPECT_EQ(result.layout.AudioSize(), audio.size() + 50);
}

TEST_F(Id3InspectorTest, OpensOnlyRegularFilesAndNeverBlocksOnAFifo) {
    ASSERT_EQ(::mkfifo(m_path.c_str(), 0600), 0);
    TagInspection fifo = Id3Inspector::Inspect(m_path);
    EXPECT_EQ(fifo.readError, "It is not a regular file.");
    EXPECT_FALSE(fifo.Accepted());

    TagInspection folder = Id3Inspector::Inspect(m_dir.Path());
    EXPECT_EQ(folder.readError, "It is a folder, not a file.");

    TagInspection missing = Id3Inspector::Inspect(m_dir.File("missing.mp3"));
    EXPECT_NE(missing.problem.find("No such file"), std::string::npos) << missing.problem;
}

} // namespace
