// Showing a file reads its frames' bytes, while a Save reads the same frames through id3lib: both
// must find the same texts, or a field would change its value at the first Save. Every text and
// comment frame is read both ways, as every tagger style writes it and as careless taggers do.
#include "FrameText.h"
#include "Id3Inspector.h"
#include "Id3v2Renderer.h"
#include "Mp3Builder.h"
#include "ScratchDir.h"
#include "ShownFields.h"
#include "TagObjectFrames.h"
#include "TaggerStyles.h"

#include <gtest/gtest.h>

#include <id3/readers.h>

namespace {

using Bytes = Mp3Builder::Bytes;

// A line for each text or comment frame of FRAMES that id3lib reads otherwise.
std::string Differences(const std::vector<std::string>& frames) {
    std::string differences;
    for (const std::string& frame : frames) {
        const bool comment = ShownFields::Is(frame, "COMM");
        // A user-defined text (TXXX) starts with its description, and the form never reads it.
        if (frame.empty() || (frame[0] != 'T' && !comment) || ShownFields::Is(frame, "TXXX"))
            continue;
        const std::string tagBytes = Id3v2Renderer::Tag({frame}, 0);
        ID3_MemoryReader reader(tagBytes.data(), tagBytes.size());
        ID3_Tag tag;
        tag.Link(reader, ID3TT_ID3V2);
        TagObjectFrames parsed(tag);
        const ID3_Frame* byId3lib = parsed.Next();
        if (byId3lib == nullptr) {
            differences += frame.substr(0, 4) + ": not read by id3lib\n";
            continue;
        }
        const std::string text = ShownFields::TextOf(frame);
        if (text != FrameText::Of(*byId3lib))
            differences += frame.substr(0, 4) + ": \"" + text + "\" against \"" +
                           FrameText::Of(*byId3lib) + "\"\n";
        if (comment &&
            ShownFields::CommentDescription(frame) != FrameText::Of(*byId3lib, ID3FN_DESCRIPTION))
            differences += "COMM description: \"" + ShownFields::CommentDescription(frame) +
                           "\" against \"" + FrameText::Of(*byId3lib, ID3FN_DESCRIPTION) + "\"\n";
    }
    return differences;
}

Bytes Utf16(const std::u16string& text, bool bigEndian = false, bool withBom = true) {
    return Mp3Builder::Utf16Bytes(text, bigEndian, withBom);
}

Bytes Join(std::initializer_list<Bytes> parts) {
    Bytes joined;
    for (const Bytes& part : parts)
        joined.insert(joined.end(), part.begin(), part.end());
    return joined;
}

class ByteReading : public ::testing::TestWithParam<std::string> {
protected:
    ScratchDir m_dir;
    std::string m_path = m_dir.File("song.mp3");
};

TEST_P(ByteReading, ReadsEveryFrameOfTheStyleAsId3libDoes) {
    ASSERT_EQ(TaggerStyles::Write(GetParam(), m_path), "");
    EXPECT_EQ(Differences(Id3Inspector::Inspect(m_path).frames), "");
}

INSTANTIATE_TEST_SUITE_P(EveryStyle, ByteReading, ::testing::ValuesIn(TaggerStyles::Names()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                             return TaggerStyles::TestName(info.param);
                         });

TEST(ByteReadingByHand, ReadsOddTextsAsId3libDoes) {
    ScratchDir dir;
    const std::string path = dir.File("odd.mp3");
    Mp3Builder()
        // Several values, empty ones, a trailing terminator.
        .TextFrame("TIT2", std::string("One\0\0Two\0", 9))
        .TextFrame("TALB", "")
        .Frame("TYER", {0})
        // A byte order mark on each value; none at all.
        .Frame("TPE1", Join({{1}, Utf16(u"Lead"), {0, 0}, Utf16(u"Second")}))
        .Frame("TPE2", Join({{1}, Utf16(u"Big end", true, false)}))
        .Utf16TextFrame("TRCK", u"\U0001F600 \u00e9t\u00e9")
        // Comments: described in UTF-16, plain, several texts.
        .Utf16CommentFrame(u"Beschreibung \u00fc", u"Text \u4e2d")
        .Utf16CommentFrame(u"", u"Plain")
        .CommentFrame("", std::string("First\0Second", 12))
        .WriteTo(path);
    const std::vector<std::string> frames = Id3Inspector::Inspect(path).frames;
    EXPECT_EQ(frames.size(), 9u);
    EXPECT_EQ(Differences(frames), "");
}

// id3lib reads every value of a UTF-16 frame in the first value's byte order, turning a later
// value of the other order into nonsense; read from the bytes, each value keeps its own.
TEST(ByteReadingByHand, ReadsEachUtf16ValueInItsOwnByteOrder) {
    const Bytes body = Join({{1}, Utf16(u"Lead"), {0, 0}, Utf16(u"Second", true)});
    const std::string frame = "TPE1" + std::string(4, '\0') + std::string(2, '\0');
    std::string bytes = frame + std::string(body.begin(), body.end());
    bytes[7] = static_cast<char>(body.size());
    EXPECT_EQ(ShownFields::TextOf(bytes), "Lead/Second");
}

} // namespace
