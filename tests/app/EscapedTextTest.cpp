#include "EscapedText.h"

#include <gtest/gtest.h>

namespace {

using EscapedText::Of;

TEST(EscapedText, KeepsPrintableUtf8AsItIs) {
    EXPECT_EQ(Of(""), "");
    EXPECT_EQ(Of("Caf\xC3\xA9 \xE2\x80\x94 \xF0\x9F\x8E\xB5 x/y.mp3"),
              "Caf\xC3\xA9 \xE2\x80\x94 \xF0\x9F\x8E\xB5 x/y.mp3");
}

TEST(EscapedText, WritesOutWhatWouldBreakTheLineOrSteerTheTerminal) {
    EXPECT_EQ(Of("a\nb\tc\rd"), "a\\nb\\tc\\rd");
    EXPECT_EQ(Of(std::string("\x00\x01\x1B[31m\x7F", 8)), "\\x00\\x01\\x1B[31m\\x7F");
    EXPECT_EQ(Of("\xC2\x85\xC2\x9B\xC2\xA0"), "\\u0085\\u009B\xC2\xA0"); // C1 controls; NBSP kept
    EXPECT_EQ(Of("\xE2\x80\xA8\xE2\x80\xA9"), "\\u2028\\u2029");
}

TEST(EscapedText, DoublesTheBackslashSoThatEveryEscapeReadsOneWay) {
    EXPECT_EQ(Of("C:\\n"), "C:\\\\n");
    EXPECT_EQ(Of("\\x41"), "\\\\x41");
}

TEST(EscapedText, WritesBytesThatAreNotUtf8AsHex) {
    EXPECT_EQ(Of("caf\xE9.mp3"), "caf\\xE9.mp3");              // a Latin-1 file name
    EXPECT_EQ(Of("\xC0\xAF"), "\\xC0\\xAF");                   // overlong "/"
    EXPECT_EQ(Of("\xED\xA0\x80"), "\\xED\\xA0\\x80");          // a UTF-16 surrogate
    EXPECT_EQ(Of("\xF4\x90\x80\x80"), "\\xF4\\x90\\x80\\x80"); // beyond U+10FFFF
    EXPECT_EQ(Of("ab\xE2\x82"), "ab\\xE2\\x82");               // cut short at the end
    EXPECT_EQ(Of("\x80z"), "\\x80z");                          // a stray continuation byte
}

} // namespace
