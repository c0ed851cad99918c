// Texts between UTF-8 and the encodings tags hold: every character arrives, broken input shows
// as U+FFFD instead of failing, and characters are counted as users count them.
#include "UnicodeText.h"
#include "Id3Text.h"

#include <gtest/gtest.h>

namespace {

const std::string kMixed = "\u0141\u00F3d\u017A \u6771\u4EAC \u20ACuro \U0001F600";

TEST(UnicodeText, RoundTripsEveryPlaneThroughUtf16) {
    const std::u16string utf16 = UnicodeText::ToUtf16(kMixed);
    EXPECT_EQ(utf16, u"\u0141\u00F3d\u017A \u6771\u4EAC \u20ACuro \U0001F600");
    EXPECT_EQ(UnicodeText::FromUtf16(utf16), kMixed);
    EXPECT_EQ(UnicodeText::FromUtf16(u"a\xD800"
                                     "b\xDC00"),
              "a\uFFFDb\uFFFD")
        << "lone halves";
}

TEST(UnicodeText, CountsCodePoints) {
    EXPECT_EQ(UnicodeText::CodePointCount(kMixed), 14u);
    EXPECT_EQ(UnicodeText::CodePointCount("\U0001F600\U0001F600"), 2u);
}

TEST(UnicodeText, TellsValidUtf8FromBroken) {
    EXPECT_TRUE(UnicodeText::IsValidUtf8(kMixed));
    EXPECT_TRUE(UnicodeText::IsValidUtf8("\uFFFD"));
    for (const char* broken :
         {"\xC3", "\xFF", "a\xE2\x82", "\xED\xA0\x80", "\xC0\xAF", "\xF4\x90\x80\x80", "\x80"})
        EXPECT_FALSE(UnicodeText::IsValidUtf8(broken)) << broken;
    EXPECT_EQ(UnicodeText::FromCodePoints(UnicodeText::ToCodePoints("a\xC3(b")), "a\uFFFD(b");
}

TEST(UnicodeText, Latin1HoldsWhatFitsAndAQuestionMarkForTheRest) {
    EXPECT_EQ(UnicodeText::FromLatin1("Caf\xE9"), "Caf\u00E9");
    EXPECT_EQ(UnicodeText::ToLatin1("Caf\u00E9 \u00FF"),
              std::optional<std::string>("Caf\xE9 \xFF"));
    EXPECT_FALSE(UnicodeText::ToLatin1("5 \u20AC"));
    EXPECT_EQ(UnicodeText::ToLatin1Lossy(kMixed), "?\xF3"
                                                  "d? ?? ?uro ?");
}

TEST(Id3Text, DecodesEveryEncodingAndEachByteOrder) {
    EXPECT_EQ(Id3Text::Decode(Id3Text::kLatin1, "Caf\xE9"), "Caf\u00E9");
    EXPECT_EQ(Id3Text::Decode(Id3Text::kUtf16, std::string("\xFF\xFE\x41\x01", 4)), "\u0141");
    EXPECT_EQ(Id3Text::Decode(Id3Text::kUtf16, std::string("\xFE\xFF\x01\x41", 4)), "\u0141");
    EXPECT_EQ(Id3Text::Decode(Id3Text::kUtf16, std::string("\x01\x41", 2)), "\u0141")
        << "without a byte order mark, big-endian as id3lib reads it";
    EXPECT_EQ(Id3Text::Decode(Id3Text::kUtf16Be, std::string("\xD8\x3D\xDE\x00", 4)), "\U0001F600");
    EXPECT_EQ(Id3Text::Decode(Id3Text::kUtf8, "\xE6\x9D\xB1"), "\u6771");
    EXPECT_EQ(Id3Text::Decode(Id3Text::kUtf16, std::string("\xFF\xFE\x41", 3)), "\uFFFD");
}

TEST(Id3Text, SplitsValuesAtTerminatorsOfTheirWidth) {
    EXPECT_EQ(Id3Text::DecodeValues(Id3Text::kLatin1, std::string("a\0b\0", 4)),
              (std::vector<std::string>{"a", "b"}));
    // A zero byte inside a UTF-16 character is no terminator.
    EXPECT_EQ(Id3Text::DecodeValues(Id3Text::kUtf16,
                                    std::string("\xFF\xFE\x41\x01\0\0\xFF\xFE\x42\0", 10)),
              (std::vector<std::string>{"\u0141", "B"}));
    EXPECT_EQ(Id3Text::DecodeValues(Id3Text::kUtf8, ""), std::vector<std::string>{""});
}

TEST(Id3Text, EncodesInLatin1WhenEverythingFitsOtherwiseInUtf16) {
    EXPECT_EQ(Id3Text::EncodingFor({"Caf\u00E9", "x"}), Id3Text::kLatin1);
    EXPECT_EQ(Id3Text::EncodingFor({"x", "\u20AC"}), Id3Text::kUtf16);
    EXPECT_EQ(Id3Text::Encode(Id3Text::kLatin1, "Caf\u00E9", true), std::string("Caf\xE9\0", 5));
    EXPECT_EQ(Id3Text::Encode(Id3Text::kUtf16, "\U0001F600", false),
              std::string("\xFF\xFE\x3D\xD8\x00\xDE", 6));
    EXPECT_EQ(Id3Text::Encode(Id3Text::kUtf16, "", true), std::string("\xFF\xFE\0\0", 4));
}

} // namespace
