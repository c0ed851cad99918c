#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Builds small but well-formed MP3 files for tests: an optional ID3v2 tag (versions 2.2, 2.3 or
// 2.4, any frames, any padding), a run of valid MPEG-1 Layer III frames, an optional ID3v1 tag.
// Latin-1 texts are passed as std::string bytes, UTF-16 texts as std::u16string.
class Mp3Builder {
public:
    using Bytes = std::vector<std::uint8_t>;

    struct Id3v1Fields {
        std::string title, artist, album, year, comment;
        std::uint8_t genre = 255;
        int track = 0; // 0 writes an ID3v1.0 tag, anything else ID3v1.1 with this track
    };

    Mp3Builder();

    // 2, 3 or 4; the frame header layout follows the version (3-byte ids for 2.2).
    Mp3Builder& Version(int major);
    Mp3Builder& TagFlags(std::uint8_t flags);
    Mp3Builder& Padding(std::size_t bytes);
    // Leaves the ID3v2 tag out even when frames were added.
    Mp3Builder& WithoutId3v2();

    Mp3Builder& Frame(const std::string& id, const Bytes& body, std::uint16_t flags = 0);
    Mp3Builder& TextFrame(const std::string& id, const std::string& latin1);
    // UTF-16 with a byte order mark (little-endian unless bigEndian), encoding byte 1.
    Mp3Builder& Utf16TextFrame(const std::string& id, const std::u16string& text,
                               bool bigEndian = false);
    Mp3Builder& Utf8TextFrame(const std::string& id, const std::string& utf8);
    Mp3Builder& CommentFrame(const std::string& description, const std::string& latin1,
                             const std::string& language = "eng");
    Mp3Builder& Utf16CommentFrame(const std::u16string& description, const std::u16string& text,
                                  const std::string& language = "eng");
    // Bytes placed verbatim after the frames, before the padding.
    Mp3Builder& RawTagBytes(const Bytes& bytes);

    Mp3Builder& Id3v1(const Id3v1Fields& fields);
    Mp3Builder& AudioFrames(int count);

    // The audio bytes alone: what must survive any Save unchanged.
    Bytes Audio() const;
    Bytes Id3v2Tag() const;
    Bytes Build() const;
    void WriteTo(const std::string& path) const;

    static Bytes Utf16Bytes(const std::u16string& text, bool bigEndian, bool withBom);
    static Bytes ReadFile(const std::string& path);
    static void WriteFile(const std::string& path, const Bytes& bytes);

private:
    Bytes FrameHeader(const std::string& id, std::size_t size, std::uint16_t flags) const;

    int m_major = 3;
    std::uint8_t m_tagFlags = 0;
    std::size_t m_padding = 0;
    bool m_withId3v2 = true;
    Bytes m_frames;
    bool m_withId3v1 = false;
    Id3v1Fields m_id3v1;
    int m_audioFrames = 4;
};
