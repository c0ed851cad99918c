#pragma once

#include <string_view>

// What the first bytes of a JPEG or PNG picture say about it, without decoding it: the format
// from its signature and the pixel size from its header (a PNG's IHDR, a JPEG's first frame
// header). A picture of another format, or whose header is cut short or makes no sense, has no
// format.
struct ImageHeader {
    enum class Format { None, Jpeg, Png };

    Format format = Format::None;
    int width = 0;
    int height = 0;

    static ImageHeader Read(std::string_view bytes);

    bool IsReadable() const { return format != Format::None; }
    // "image/jpeg" or "image/png"; empty for no format.
    const char* MimeType() const;
};
