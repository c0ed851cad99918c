#include "Mp3Content.h"

#include "Id3Numbers.h"
#include "Id3Sizes.h"
#include "PosixFile.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <string_view>
#include <sys/stat.h>

namespace {

constexpr std::size_t kId3v2HeaderSize = Id3Sizes::kId3v2Header;
constexpr std::size_t kId3v1Size = Id3Sizes::kId3v1Tag;
// How far past the ID3v2 tag audio is looked for: beyond the junk and padding some encoders and
// taggers leave there, and short enough to check a whole drop of files quickly.
constexpr std::size_t kSearchWindow = 64 * 1024;
// The longest MPEG frame (Layer II at 384 kbit/s and 8 kHz, or free format) stays below this.
constexpr std::size_t kLongestFrame = 8 * 1024;
// What is read first: two frames of a usual stream (at most 1,441 bytes each at 320 kbit/s).
constexpr std::size_t kFirstLook = 4 * 1024;
// Tags stacked one after the other at a file's start that are stepped over to find its audio.
constexpr int kMostStackedTags = 8;

const char* const kNotMp3 = "It is not an MP3 file: no MPEG audio was found in it.";

// Kilobits per second by version (MPEG-1, MPEG-2/2.5), layer (I, II, III) and index.
constexpr std::array<std::array<std::array<std::uint16_t, 15>, 3>, 2> kBitrates = {{
    {{{0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448},
      {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384},
      {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320}}},
    {{{0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256},
      {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160},
      {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160}}},
}};
constexpr std::array<std::uint32_t, 3> kMpeg1SampleRates = {44100, 48000, 32000};

struct FrameHeader {
    unsigned version; // 3 = MPEG-1, 2 = MPEG-2, 0 = MPEG-2.5
    unsigned layer;   // 1, 2 or 3
    std::uint32_t sampleRate;
    std::size_t length; // of the whole frame, header included
};

// The frame header at P, when its four bytes are a valid one with a bit rate (free-format
// frames do not say how long they are).
bool ParseFrameHeader(const std::uint8_t* p, FrameHeader* header) {
    if (p[0] != 0xFF || (p[1] & 0xE0) != 0xE0)
        return false;
    const unsigned version = (p[1] >> 3) & 3;
    const unsigned layerBits = (p[1] >> 1) & 3;
    const unsigned bitrateIndex = p[2] >> 4;
    const unsigned rateIndex = (p[2] >> 2) & 3;
    if (version == 1 || layerBits == 0 || bitrateIndex == 0 || bitrateIndex == 15 || rateIndex == 3)
        return false;
    header->version = version;
    header->layer = 4 - layerBits;
    header->sampleRate = kMpeg1SampleRates[rateIndex] >> (version == 3 ? 0 : version == 2 ? 1 : 2);
    const std::uint32_t bitrate =
        kBitrates[version == 3 ? 0 : 1][header->layer - 1][bitrateIndex] * 1000u;
    const unsigned padding = (p[2] >> 1) & 1;
    if (header->layer == 1)
        header->length = (12 * bitrate / header->sampleRate + padding) * 4;
    else if (header->layer == 3 && version != 3)
        header->length = 72 * bitrate / header->sampleRate + padding;
    else
        header->length = 144 * bitrate / header->sampleRate + padding;
    return true;
}

bool SameStream(const FrameHeader& a, const FrameHeader& b) {
    return a.version == b.version && a.layer == b.layer && a.sampleRate == b.sampleRate;
}

// Where the audio would start: after the ID3v2 tag at OFFSET (footer included), and after any
// further tags that a tagger put in front of the old one instead of replacing it.
std::uint64_t AudioStart(const PosixFile& file, std::uint64_t offset) {
    for (int tag = 0; tag < kMostStackedTags; ++tag) {
        char header[kId3v2HeaderSize];
        if (file.ReadAt(offset, header, sizeof header) != static_cast<long long>(sizeof header) ||
            std::string_view(header, 3) != "ID3")
            break;
        const bool footer = header[3] == 4 && (header[5] & 0x10) != 0;
        offset += kId3v2HeaderSize + Id3Numbers::Syncsafe(std::string_view(header + 6, 4)) +
                  (footer ? Id3Sizes::kId3v2Footer : 0);
    }
    return offset;
}

// Whether BYTES, read from the file at OFFSET, hold a frame followed by another of the same
// stream where its header says, or by the end of the audio (AUDIOEND).
bool HoldsFrames(std::string_view bytes, std::uint64_t offset, std::uint64_t audioEnd) {
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
    const std::size_t searched = std::min(bytes.size(), kSearchWindow);
    for (std::size_t at = 0; at + 4 <= searched; ++at) {
        FrameHeader first{};
        FrameHeader next{};
        if (!ParseFrameHeader(data + at, &first))
            continue;
        const std::size_t following = at + first.length;
        if (offset + following == audioEnd)
            return true;
        if (following + 4 <= bytes.size() && ParseFrameHeader(data + following, &next) &&
            SameStream(first, next))
            return true;
    }
    return false;
}

bool NamedMp3(const std::string& name) {
    if (name.size() < 4)
        return false;
    std::string suffix = name.substr(name.size() - 4);
    std::transform(suffix.begin(), suffix.end(), suffix.begin(),
                   [](unsigned char c) { return static_cast<char>(c | 0x20); });
    return suffix == ".mp3";
}

} // namespace

std::string Mp3Content::Problem(const std::string& path) {
    std::string reason;
    const PosixFile file = PosixFile::OpenRegularForReading(path, &reason);
    return file.IsOpen() ? Problem(file, path) : reason;
}

std::string Mp3Content::Problem(const PosixFile& file, const std::string& name) {
    struct stat status {};
    if (!file.Stat(&status))
        return kNotMp3;
    const auto size = static_cast<std::uint64_t>(status.st_size);
    const std::uint64_t audioStart = AudioStart(file, 0);

    std::array<char, 3> id3v1{};
    const bool hasId3v1 = size >= kId3v1Size &&
                          file.ReadAt(size - kId3v1Size, id3v1.data(), 3) == 3 &&
                          std::string(id3v1.data(), 3) == "TAG";
    const std::uint64_t audioEnd = hasId3v1 ? size - kId3v1Size : size;
    // Nearly every MP3's audio starts right after its tag: a short look finds it, and only a
    // file without audio there costs the whole window.
    for (const std::size_t look : {kFirstLook, kSearchWindow + kLongestFrame}) {
        if (audioStart >= audioEnd)
            break;
        // Read into, never zeroed first: this runs for every file a list or a script opens.
        const auto wanted =
            static_cast<std::size_t>(std::min<std::uint64_t>(look, audioEnd - audioStart));
        const std::unique_ptr<char[]> buffer(new char[wanted]);
        const long long got = file.ReadAt(audioStart, buffer.get(), wanted);
        const std::string_view window(buffer.get(), static_cast<std::size_t>(std::max(got, 0LL)));
        if (HoldsFrames(window, audioStart, audioEnd))
            return {};
        if (window.size() < look)
            break;
    }
    if (NamedMp3(name) && (audioStart > 0 || hasId3v1))
        return {};
    return kNotMp3;
}
