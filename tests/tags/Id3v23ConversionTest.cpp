// How a tag of each version becomes the ID3v2.3 frames id3lib is given and a Save writes.
#include "Id3v23Conversion.h"

#include <gtest/gtest.h>

#include <zlib.h>

namespace {

std::string Syncsafe(std::size_t value) {
    return {static_cast<char>((value >> 21) & 0x7F), static_cast<char>((value >> 14) & 0x7F),
            static_cast<char>((value >> 7) & 0x7F), static_cast<char>(value & 0x7F)};
}

std::string V24(const std::string& id, const std::string& data, std::uint16_t flags = 0) {
    return id + Syncsafe(data.size()) + static_cast<char>(flags >> 8) +
           static_cast<char>(flags & 0xFF) + data;
}

std::string V23(const std::string& id, const std::string& data, std::uint16_t flags = 0) {
    return Id3v23Frame{id, flags, data}.Bytes();
}

std::string Text(char encoding, const std::string& bytes) {
    return std::string(1, encoding) + bytes;
}

// The frames of a converted tag as "ID:body" for the frames with a body of text.
std::vector<std::string> Converted(unsigned major, const std::string& body, bool unsync = false) {
    const Id3v23Conversion::Result result = Id3v23Conversion::Convert(major, body, unsync);
    EXPECT_EQ(result.problem, "");
    std::vector<std::string> frames;
    for (const Id3v23Frame& frame : result.frames)
        frames.push_back(frame.Id() + ":" + std::string(frame.Body()));
    return frames;
}

using Frames = std::vector<std::string>;

TEST(Id3v23Conversion, Version24TextsBecomeLatin1OrUtf16AndSeveralValuesOneText) {
    const std::string utf16le = std::string("\xFF\xFE", 2) + "A" + '\0';
    EXPECT_EQ(
        Converted(4, V24("TIT2", Text(3, "Caf\xC3\xA9")) + V24("TPE1", Text(3, "\xD0\x94")) +
                         V24("TALB", Text(2, std::string("\0A\0B", 4))) +
                         V24("TCOM", Text(0, std::string("One\0Two\0", 8))) +
                         V24("TPE2", Text(1, utf16le)) +
                         V24("TEXT", Text(0, std::string("Kept\0", 5)))),
        (Frames{"TIT2:" + Text(0, "Caf\xE9"), "TPE1:" + Text(1, std::string("\xFF\xFE\x14\x04", 4)),
                "TALB:" + Text(0, "AB"), "TCOM:" + Text(0, "One/Two"), "TPE2:" + Text(1, utf16le),
                "TEXT:" + Text(0, std::string("Kept\0", 5))}));
}

TEST(Id3v23Conversion, FramesWithTextFieldsKeepTheirOtherFields) {
    const std::string picture =
        std::string("image/png\0\x03", 11) + "Cover \xE2\x98\xBA" + std::string("\0\x89PNG\xFF", 6);
    const std::vector<std::string> frames =
        Converted(4, V24("APIC", Text(3, picture)) +
                         V24("COMM", Text(3, std::string("eng\0Caf\xC3\xA9", 9))) +
                         V24("TXXX", Text(3, std::string("key\0one\0two", 11))) +
                         V24("WXXX", Text(3, std::string("link\0http://x/", 14))));
    ASSERT_EQ(frames.size(), 4u);
    EXPECT_EQ(frames[0], "APIC:" + Text(1, std::string("image/png\0\x03", 11)) +
                             std::string("\xFF\xFE"
                                         "C\0o\0v\0e\0r\0 \0\x3A\x26\0\0",
                                         18) +
                             std::string("\x89PNG\xFF", 5));
    EXPECT_EQ(frames[1], "COMM:" + Text(0, std::string("eng\0Caf\xE9", 8)));
    EXPECT_EQ(frames[2], "TXXX:" + Text(0, std::string("key\0one/two", 11)));
    EXPECT_EQ(frames[3], "WXXX:" + Text(0, std::string("link\0http://x/", 14)));
}

TEST(Id3v23Conversion, TimeStampsBecomeYearDateAndTime) {
    EXPECT_EQ(
        Converted(4, V24("TDRC", Text(3, "2004-05-06T07:08:09"))),
        (Frames{"TYER:" + Text(0, "2004"), "TDAT:" + Text(0, "0605"), "TIME:" + Text(0, "0708")}));
    EXPECT_EQ(Converted(4, V24("TDRC", Text(0, "1999-12"))), Frames{"TYER:" + Text(0, "1999")});
    EXPECT_EQ(Converted(4, V24("TDRC", Text(0, "1999-12-31T23"))),
              (Frames{"TYER:" + Text(0, "1999"), "TDAT:" + Text(0, "3112")}));
    EXPECT_EQ(Converted(4, V24("TDOR", Text(0, "1955-01-02"))), Frames{"TORY:" + Text(0, "1955")});
    // A tag that already holds the frames keeps its own; a version 2.3 tag gets the same.
    EXPECT_EQ(Converted(4, V24("TYER", Text(0, "2000")) + V24("TDRC", Text(0, "1999-12-31"))),
              (Frames{"TYER:" + Text(0, "2000"), "TDAT:" + Text(0, "3112")}));
    EXPECT_EQ(Converted(3, V23("TDRC", Text(1, std::string("\xFF\xFE"
                                                           "1\0"
                                                           "9\0"
                                                           "5\0"
                                                           "7\0",
                                                           10)))),
              Frames{"TYER:" + Text(0, "1957")});
    EXPECT_EQ(Converted(3, V23("TIPL", Text(0, std::string("mix\0Bob", 7)))),
              Frames{"IPLS:" + Text(0, std::string("mix\0Bob\0", 8))});
    // What is no time stamp is kept as the file has it.
    EXPECT_EQ(Converted(4, V24("TDRC", Text(0, "spring '99"))),
              Frames{"TDRC:" + Text(0, "spring '99")});
}

TEST(Id3v23Conversion, BothPeopleListsBecomeOneAtTheFirstsPlace) {
    EXPECT_EQ(Converted(4, V24("TIT2", Text(0, "T")) +
                               V24("TIPL", Text(0, std::string("mix\0Bob", 7))) +
                               V24("TALB", Text(0, "A")) +
                               V24("TMCL", Text(3, std::string("violin\0Dav\xC3\xAF\0", 13)))),
              (Frames{"TIT2:" + Text(0, "T"),
                      "IPLS:" + Text(0, std::string("mix\0Bob\0violin\0Dav\xEF\0", 20)),
                      "TALB:" + Text(0, "A")}));
}

TEST(Id3v23Conversion, GenresBecomeVersion23References) {
    const auto genre = [](const std::string& values) {
        return Converted(4, V24("TCON", Text(0, values))).at(0).substr(6);
    };
    EXPECT_EQ(genre("17"), "(17)");
    EXPECT_EQ(genre(std::string("17\0RX\0Eurodisco", 16)), "(17)(RX)Eurodisco");
    EXPECT_EQ(genre(std::string("Classical\0Soundtrack", 20)), "(32)(24)");
    EXPECT_EQ(genre(std::string("Chillout\0Lounge", 15)), "Chillout/Lounge");
    EXPECT_EQ(genre("Rock"), "Rock");
    EXPECT_EQ(genre("(20)Alternative"), "(20)Alternative");
}

TEST(Id3v23Conversion, PackedFramesAreUnpacked) {
    const std::string text = Text(0, std::string(300, 'z'));
    std::string packed(compressBound(text.size()), '\0');
    uLongf packedSize = packed.size();
    ASSERT_EQ(compress(reinterpret_cast<Bytef*>(packed.data()), &packedSize,
                       reinterpret_cast<const Bytef*>(text.data()), text.size()),
              Z_OK);
    packed.resize(packedSize);
    EXPECT_EQ(Converted(3, V23("TIT2", std::string("\0\0\x01\x2D", 4) + packed, 0x0080)),
              Frames{"TIT2:" + text});
    EXPECT_EQ(Converted(4, V24("TIT2", Syncsafe(text.size()) + packed, 0x0009)),
              Frames{"TIT2:" + text});
    // Unsynchronised by the frame's flag or the header's, with a data length indicator.
    const std::string sync = std::string("\0\xFF\xE0\xFF", 4);
    const std::string unsynced = std::string("\0\xFF\0\xE0\xFF\0", 6);
    EXPECT_EQ(Converted(4, V24("PRIV", Syncsafe(4) + unsynced, 0x0003)), Frames{"PRIV:" + sync});
    EXPECT_EQ(Converted(4, V24("PRIV", unsynced), true), Frames{"PRIV:" + sync});
    // A data length indicator alone: only the indicator is left out.
    EXPECT_EQ(Converted(4, V24("PRIV", Syncsafe(4) + sync, 0x0001)), Frames{"PRIV:" + sync});
}

// Unpacked in pieces: the packed bytes must stay readable until the last piece is out.
TEST(Id3v23Conversion, LargePackedFramesAreUnpackedWhole) {
    std::string data = std::string("owner", 6);
    for (std::size_t i = 0; data.size() < 200000; ++i)
        data += std::to_string(i * i % 7919) + ' ';
    std::string packed(compressBound(data.size()), '\0');
    uLongf packedSize = packed.size();
    ASSERT_EQ(compress(reinterpret_cast<Bytef*>(packed.data()), &packedSize,
                       reinterpret_cast<const Bytef*>(data.data()), data.size()),
              Z_OK);
    packed.resize(packedSize);
    const std::string declared = {
        static_cast<char>(data.size() >> 24), static_cast<char>((data.size() >> 16) & 0xFF),
        static_cast<char>((data.size() >> 8) & 0xFF), static_cast<char>(data.size() & 0xFF)};
    // Compared whole, not printed: a failure would print 400 kB.
    EXPECT_TRUE(Converted(3, V23("PRIV", declared + packed, 0x0080)) == Frames{"PRIV:" + data});
    EXPECT_TRUE(Converted(4, V24("PRIV", Syncsafe(data.size()) + packed, 0x0009)) ==
                Frames{"PRIV:" + data});
}

TEST(Id3v23Conversion, StatusFlagsStayAndFramesOfOtherKindsKeepTheirBytes) {
    const Id3v23Conversion::Result result = Id3v23Conversion::Convert(
        4, V24("PCST", std::string(4, '\0'), 0x6000) + V24("XSOP", Text(3, "n")), false);
    ASSERT_EQ(result.problem, "");
    ASSERT_EQ(result.frames.size(), 2u);
    EXPECT_EQ(result.frames[0].Flags(), 0xC000);
    EXPECT_EQ(result.frames[1].Body(), Text(3, "n")) << "a kind nobody defines keeps its bytes";
}

TEST(Id3v23Conversion, ChaptersHoldConvertedFrames) {
    const std::string times(16, '\x01');
    const std::string inner = V24("TIT2", Text(3, "Caf\xC3\xA9"));
    const std::vector<std::string> frames =
        Converted(4, V24("CHAP", std::string("ch1\0", 4) + times + inner) +
                         V24("CTOC", std::string("toc\0\x03\x01"
                                                 "ch1\0",
                                                 10) +
                                         inner));
    ASSERT_EQ(frames.size(), 2u);
    const std::string converted = V23("TIT2", Text(0, "Caf\xE9"));
    EXPECT_EQ(frames[0], "CHAP:" + std::string("ch1\0", 4) + times + converted);
    EXPECT_EQ(frames[1], "CTOC:" +
                             std::string("toc\0\x03\x01"
                                         "ch1\0",
                                         10) +
                             converted);
}

TEST(Id3v23Conversion, Version22NamesAndPicturesBecomeVersion23Ones) {
    const auto v22 = [](const std::string& id, const std::string& data) {
        return id + static_cast<char>(0) + static_cast<char>(data.size() >> 8) +
               static_cast<char>(data.size() & 0xFF) + data;
    };
    EXPECT_EQ(Converted(2, v22("TT2", Text(0, "T")) + v22("TCP", Text(0, "1")) +
                               v22("TS2", Text(0, "S")) +
                               v22("PIC", Text(0, std::string("JPG\x03\0\xFF\xD8", 7)))),
              (Frames{"TIT2:" + Text(0, "T"), "TCMP:" + Text(0, "1"), "TSO2:" + Text(0, "S"),
                      "APIC:" + Text(0, std::string("image/jpeg\0\x03\0\xFF\xD8", 15))}));
}

TEST(Id3v23Conversion, Version24SizesWrittenAsPlainNumbersAreUnderstood) {
    const std::string data = Text(0, std::string(200, 'L'));
    const std::string plain = std::string("TIT2\0\0\0\xC9\0\0", 10) + data;
    EXPECT_EQ(Converted(4, plain + V24("TALB", Text(0, "A"))),
              (Frames{"TIT2:" + data, "TALB:" + Text(0, "A")}));
}

TEST(Id3v23Conversion, MeasuresThePadding) {
    const Id3v23Conversion::Result result =
        Id3v23Conversion::Convert(3, V23("TIT2", Text(0, "T")) + std::string(77, '\0'), false);
    EXPECT_EQ(result.paddingSize, 77u);
    // An MPEG frame where a frame would start: the audio a declared size reached into.
    const std::string audio = "\xFF\xFB\x90\x64" + std::string(40, 'a');
    EXPECT_EQ(Id3v23Conversion::Convert(3, V23("TIT2", Text(0, "T")) + audio, false).paddingSize,
              audio.size());
    // Inside a chapter, the same bytes are no audio but damage.
    const std::string chapter =
        std::string("ch1\0", 4) + std::string(16, '\x01') + V24("TIT2", Text(0, "T")) + audio;
    EXPECT_NE(Id3v23Conversion::Convert(4, V24("CHAP", chapter), false).problem, "");
}

} // namespace
