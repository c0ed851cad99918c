#include "Mp3Builder.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace {

// MPEG-1 Layer III, 128 kbit/s, 44.1 kHz, no padding, no CRC: 417 bytes per frame.
constexpr std::uint8_t kMpegHeader[] = {0xFF, 0xFB, 0x90, 0x64};
constexpr std::size_t kMpegFrameSize = 417;

void AppendBigEndian(Mp3Builder::Bytes& out, std::size_t value, int bytes) {
    for (int shift = (bytes - 1) * 8; shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void AppendSyncSafe(Mp3Builder::Bytes& out, std::size_t value) {
    for (int shift = 21; shift >= 0; shift -= 7)
        out.push_back(static_cast<std::uint8_t>((value >> shift) & 0x7F));
}

void Append(Mp3Builder::Bytes& out, const std::string& bytes) {
    out.insert(out.end(), bytes.begin(), bytes.end());
}

void Append(Mp3Builder::Bytes& out, const Mp3Builder::Bytes& bytes) {
    // Not out.insert(): GCC 12 at -O3 warns falsely about it here (stringop-overflow).
    std::copy(bytes.begin(), bytes.end(), std::back_inserter(out));
}

void AppendFixed(Mp3Builder::Bytes& out, const std::string& text, std::size_t width) {
    for (std::size_t i = 0; i < width; ++i)
        out.push_back(i < text.size() ? static_cast<std::uint8_t>(text[i]) : 0);
}

} // namespace

Mp3Builder::Mp3Builder() = default;

Mp3Builder& Mp3Builder::Version(int major) {
    m_major = major;
    return *this;
}

Mp3Builder& Mp3Builder::TagFlags(std::uint8_t flags) {
    m_tagFlags = flags;
    return *this;
}

Mp3Builder& Mp3Builder::Padding(std::size_t bytes) {
    m_padding = bytes;
    return *this;
}

Mp3Builder& Mp3Builder::WithoutId3v2() {
    m_withId3v2 = false;
    return *this;
}

Mp3Builder::Bytes Mp3Builder::FrameHeader(const std::string& id, std::size_t size,
                                          std::uint16_t flags) const {
    Bytes header;
    Append(header, id);
    if (m_major == 2) {
        AppendBigEndian(header, size, 3);
        return header;
    }
    if (m_major == 4)
        AppendSyncSafe(header, size);
    else
        AppendBigEndian(header, size, 4);
    AppendBigEndian(header, flags, 2);
    return header;
}

Mp3Builder& Mp3Builder::Frame(const std::string& id, const Bytes& body, std::uint16_t flags) {
    Append(m_frames, FrameHeader(id, body.size(), flags));
    Append(m_frames, body);
    return *this;
}

Mp3Builder& Mp3Builder::TextFrame(const std::string& id, const std::string& latin1) {
    Bytes body{0};
    Append(body, latin1);
    return Frame(id, body);
}

Mp3Builder& Mp3Builder::Utf16TextFrame(const std::string& id, const std::u16string& text,
                                       bool bigEndian) {
    Bytes body{1};
    Append(body, Utf16Bytes(text, bigEndian, true));
    return Frame(id, body);
}

Mp3Builder& Mp3Builder::Utf8TextFrame(const std::string& id, const std::string& utf8) {
    Bytes body{3};
    Append(body, utf8);
    return Frame(id, body);
}

Mp3Builder& Mp3Builder::CommentFrame(const std::string& description, const std::string& latin1,
                                     const std::string& language) {
    Bytes body{0};
    AppendFixed(body, language, 3);
    Append(body, description);
    body.push_back(0);
    Append(body, latin1);
    return Frame(m_major == 2 ? "COM" : "COMM", body);
}

Mp3Builder& Mp3Builder::Utf16CommentFrame(const std::u16string& description,
                                          const std::u16string& text, const std::string& language) {
    Bytes body{1};
    AppendFixed(body, language, 3);
    Append(body, Utf16Bytes(description, false, true));
    body.push_back(0);
    body.push_back(0);
    Append(body, Utf16Bytes(text, false, true));
    return Frame(m_major == 2 ? "COM" : "COMM", body);
}

Mp3Builder& Mp3Builder::RawTagBytes(const Bytes& bytes) {
    Append(m_frames, bytes);
    return *this;
}

Mp3Builder& Mp3Builder::Id3v1(const Id3v1Fields& fields) {
    m_withId3v1 = true;
    m_id3v1 = fields;
    return *this;
}

Mp3Builder& Mp3Builder::AudioFrames(int count) {
    m_audioFrames = count;
    return *this;
}

Mp3Builder::Bytes Mp3Builder::Audio() const {
    Bytes audio;
    audio.reserve(m_audioFrames * kMpegFrameSize);
    for (int frame = 0; frame < m_audioFrames; ++frame) {
        audio.insert(audio.end(), std::begin(kMpegHeader), std::end(kMpegHeader));
        // A pattern that differs from frame to frame, so a shifted or swapped byte shows;
        // kept below 0x80 so it never forms a sync word, "ID3" or "TAG" by chance.
        for (std::size_t i = sizeof kMpegHeader; i < kMpegFrameSize; ++i)
            audio.push_back(static_cast<std::uint8_t>((i * 7 + frame * 13) % 0x5B));
    }
    return audio;
}

Mp3Builder::Bytes Mp3Builder::Id3v2Tag() const {
    Bytes tag;
    if (!m_withId3v2)
        return tag;
    Append(tag, std::string("ID3"));
    tag.push_back(static_cast<std::uint8_t>(m_major));
    tag.push_back(0);
    tag.push_back(m_tagFlags);
    AppendSyncSafe(tag, m_frames.size() + m_padding);
    Append(tag, m_frames);
    tag.insert(tag.end(), m_padding, 0);
    return tag;
}

Mp3Builder::Bytes Mp3Builder::Build() const {
    Bytes file = Id3v2Tag();
    Append(file, Audio());
    if (m_withId3v1) {
        Append(file, std::string("TAG"));
        AppendFixed(file, m_id3v1.title, 30);
        AppendFixed(file, m_id3v1.artist, 30);
        AppendFixed(file, m_id3v1.album, 30);
        AppendFixed(file, m_id3v1.year, 4);
        if (m_id3v1.track == 0) {
            AppendFixed(file, m_id3v1.comment, 30);
        } else {
            AppendFixed(file, m_id3v1.comment, 28);
            file.push_back(0);
            file.push_back(static_cast<std::uint8_t>(m_id3v1.track));
        }
        file.push_back(m_id3v1.genre);
    }
    return file;
}

void Mp3Builder::WriteTo(const std::string& path) const {
    WriteFile(path, Build());
}

Mp3Builder::Bytes Mp3Builder::Utf16Bytes(const std::u16string& text, bool bigEndian, bool withBom) {
    Bytes bytes;
    auto put = [&](char16_t unit) {
        const auto high = static_cast<std::uint8_t>(unit >> 8);
        const auto low = static_cast<std::uint8_t>(unit & 0xFF);
        bytes.push_back(bigEndian ? high : low);
        bytes.push_back(bigEndian ? low : high);
    };
    if (withBom)
        put(0xFEFF);
    for (char16_t unit : text)
        put(unit);
    return bytes;
}

Mp3Builder::Bytes Mp3Builder::ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void Mp3Builder::WriteFile(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path);
}
