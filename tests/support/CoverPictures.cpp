#include "CoverPictures.h"

#include "PythonRun.h"

#include <sstream>

namespace CoverPictures {
namespace {

std::string BigEndian(unsigned value, int bytes) {
    std::string out;
    for (int shift = 8 * (bytes - 1); shift >= 0; shift -= 8)
        out.push_back(static_cast<char>((value >> shift) & 0xFF));
    return out;
}

std::string FromHex(const std::string& hex) {
    std::string bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes.push_back(static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16)));
    return bytes;
}

constexpr char kDump[] = R"(import sys
from mutagen.id3 import ID3
for p in ID3(sys.argv[1]).getall("APIC"):
    print(int(p.type), p.mime.encode().hex() or "-", p.desc.encode().hex() or "-", int(p.encoding),
          p.data.hex() or "-")
)";

} // namespace

std::string Png(int width, int height) {
    const std::string header = "IHDR" + BigEndian(static_cast<unsigned>(width), 4) +
                               BigEndian(static_cast<unsigned>(height), 4) +
                               std::string("\x08\x02\x00\x00\x00", 5);
    return std::string("\x89PNG\r\n\x1a\n", 8) + BigEndian(13, 4) + header + "CRC!" +
           BigEndian(4, 4) + "IDAT" + "data" + "CRC!";
}

std::string Jpeg(int width, int height) {
    const std::string jfif =
        std::string("\xFF\xE0\x00\x10JFIF\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00", 18);
    const std::string frame = std::string("\xFF\xC0\x00\x11\x08", 5) +
                              BigEndian(static_cast<unsigned>(height), 2) +
                              BigEndian(static_cast<unsigned>(width), 2) +
                              std::string("\x03\x01\x22\x00\x02\x11\x01\x03\x11\x01", 10);
    return std::string("\xFF\xD8", 2) + jfif + frame + "scan data" + std::string("\xFF\xD9", 2);
}

std::ostream& operator<<(std::ostream& out, const Picture& picture) {
    return out << "{type " << picture.type << ", " << picture.mime << ", \"" << picture.description
               << "\", encoding " << picture.encoding << ", " << picture.data.size() << " bytes}";
}

std::vector<Picture> Read(const std::string& path, std::string* error) {
    const std::string output = PythonOutput({"-c", kDump, path});
    std::vector<Picture> pictures;
    std::istringstream lines(output);
    std::string line;
    error->clear();
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        Picture picture;
        std::string mime, description, data;
        if (!(fields >> picture.type >> mime >> description >> picture.encoding >> data)) {
            *error = output;
            return {};
        }
        const auto text = [](const std::string& hex) {
            return hex == "-" ? std::string() : FromHex(hex);
        };
        picture.mime = text(mime);
        picture.description = text(description);
        picture.data = text(data);
        pictures.push_back(std::move(picture));
    }
    return pictures;
}

} // namespace CoverPictures
