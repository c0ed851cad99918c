// What counts as an MP3: MPEG audio frames after any ID3v2 tag, or a tag on a file named .mp3.
// Anything else is never written, however it is named.
#include "Mp3Content.h"
#include "CTagFile.h"
#include "Mp3Builder.h"
#include "ScratchDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using Bytes = Mp3Builder::Bytes;

const char* const kNotMp3 = "It is not an MP3 file: no MPEG audio was found in it.";

// Frames of MPEG-2 Layer III at 64 kbit/s and 22050 Hz: 208 bytes each.
Bytes Mpeg2Frames(int count) {
    Bytes frames;
    for (int i = 0; i < count; ++i) {
        Bytes frame(208, 0x55);
        frame[0] = 0xFF;
        frame[1] = 0xF3;
        frame[2] = 0x80;
        frame[3] = 0xC4;
        frames.insert(frames.end(), frame.begin(), frame.end());
    }
    return frames;
}

Bytes Join(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

class Mp3ContentTest : public ::testing::Test {
protected:
    std::string Problem(const std::string& name, const Bytes& bytes) {
        const std::string path = m_dir.File(name);
        Mp3Builder::WriteFile(path, bytes);
        return Mp3Content::Problem(path);
    }

    ScratchDir m_dir;
    Mp3Builder m_mp3 = Mp3Builder().TextFrame("TIT2", "Song");
};

TEST_F(Mp3ContentTest, AudioFramesMakeAnMp3WhateverItsNameAndTags) {
    EXPECT_EQ(Problem("song.mp3", m_mp3.Build()), "");
    EXPECT_EQ(Problem("no tags, odd name.bin", Mp3Builder().WithoutId3v2().Build()), "");
    EXPECT_EQ(Problem("v1 only", Mp3Builder().WithoutId3v2().Id3v1({"T", "", "", "", ""}).Build()),
              "");
    EXPECT_EQ(Problem("mpeg2", Mpeg2Frames(3)), "");
    EXPECT_EQ(Problem("one frame then the end", Mpeg2Frames(1)), "");
    // A tagger put a new tag in front of the old one, whose picture is larger than the window
    // searched for audio.
    const Bytes bigOldTag =
        Mp3Builder().Frame("PRIV", Bytes(100 * 1024, 'p')).AudioFrames(0).Build();
    EXPECT_EQ(
        Problem("stacked.bin", Join(Join(m_mp3.AudioFrames(0).Build(), bigOldTag), Mpeg2Frames(2))),
        "");
    // Junk or zeros between the tag and the audio, as some encoders leave.
    EXPECT_EQ(
        Problem("junk", Join(Join(m_mp3.AudioFrames(0).Build(), Bytes(3000, 0)), Mpeg2Frames(2))),
        "");
}

TEST_F(Mp3ContentTest, ATagOnAFileNamedMp3IsEnoughAndNothingElseIs) {
    const Bytes tagOnly = Mp3Builder(m_mp3).AudioFrames(0).Build();
    EXPECT_EQ(Problem("tag only.MP3", tagOnly), "");
    EXPECT_EQ(Problem("tag only.txt", tagOnly), kNotMp3);
    const Bytes v1Only =
        Mp3Builder().WithoutId3v2().AudioFrames(0).Id3v1({"T", "", "", "", ""}).Build();
    EXPECT_EQ(Problem("v1 only.mp3", v1Only), "");
    EXPECT_EQ(Problem("v1 only.ogg", v1Only), kNotMp3);
    EXPECT_EQ(Problem("empty.mp3", {}), kNotMp3);
}

TEST_F(Mp3ContentTest, PicturesTextsAndOtherAudioAreNotMp3s) {
    const Bytes jpeg = {0xFF, 0xD8, 0xFF, 0xE0, 0, 16, 'J', 'F', 'I', 'F', 0, 1, 1, 0, 0, 1};
    EXPECT_EQ(Problem("cover.jpg", Join(jpeg, Bytes(5000, 0xFF))), kNotMp3);
    EXPECT_EQ(Problem("notes.txt", Bytes(4000, 'a')), kNotMp3);
    EXPECT_EQ(Problem("song.flac", Join({'f', 'L', 'a', 'C', 0, 0, 0, 34}, Bytes(4000, 0x11))),
              kNotMp3);
    // One frame header whose next frame is not where it says: chance, not audio.
    Bytes stray = Join(Bytes(500, 'x'), Mpeg2Frames(1));
    stray.insert(stray.end(), 500, 'y');
    EXPECT_EQ(Problem("stray.mp3", stray), kNotMp3);
    EXPECT_EQ(Mp3Content::Problem(m_dir.Path()), "It is a folder, not a file.");
}

// A file that became something else after it was added shows why it may not be saved, and a
// Save leaves it as it is.
TEST_F(Mp3ContentTest, AFileThatIsNoLongerAnMp3IsProtected) {
    const std::string path = m_dir.File("song.mp3");
    m_mp3.WriteTo(path);
    CTagFile tag;
    tag.Link(path);
    EXPECT_EQ(tag.Protection(), "");
    const Bytes text(4000, 'a');
    Mp3Builder::WriteFile(path, text);
    tag.Link(path);
    EXPECT_EQ(tag.Protection(), kNotMp3);
    TagFields fields;
    fields.title = "New";
    EXPECT_EQ(tag.Save(fields, 255).outcome, SaveResult::Outcome::Refused);
    EXPECT_EQ(Mp3Builder::ReadFile(path), text);
}

} // namespace
