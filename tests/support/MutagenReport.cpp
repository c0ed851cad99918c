#include "MutagenReport.h"

#include "Mp3Builder.h"
#include "PythonRun.h"

#include <algorithm>
#include <sstream>

namespace {

const char kScript[] = R"PY(
import sys
from mutagen.id3 import ID3, ID3NoHeaderError, ParseID3v1
def h(s):
    return s.encode("utf-8").hex() or "-"
def frame_line(kind, f):
    enc = getattr(f, "encoding", None)
    enc = -1 if enc is None else int(enc)
    text = getattr(f, "text", None)
    text = "/".join(str(t) for t in text) if text is not None else ""
    return "\t".join([kind, f.FrameID, str(enc), h(getattr(f, "lang", "")),
                      h(getattr(f, "desc", "")), h(text)])
path = sys.argv[1]
data = open(path, "rb").read()
print("SIZE\t%d" % len(data))
try:
    tag = ID3(path, translate=False, load_v1=False)
    print("V2\t%d\t%d" % (tag.version[1], tag.size))
    for f in tag.values():
        print(frame_line("F", f))
except ID3NoHeaderError:
    pass
if len(data) >= 128 and data[-128:-125] == b"TAG":
    print("V1")
    for f in ParseID3v1(data[-128:]).values():
        print(frame_line("F1", f))
)PY";

std::string Unhex(const std::string& hex) {
    if (hex == "-")
        return {};
    std::string out;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
        out.push_back(static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16)));
    return out;
}

std::vector<std::string> SplitTabs(const std::string& line) {
    std::vector<std::string> parts;
    std::stringstream stream(line);
    std::string part;
    while (std::getline(stream, part, '\t'))
        parts.push_back(part);
    return parts;
}

MutagenReport::Frame ParseFrame(const std::vector<std::string>& parts) {
    MutagenReport::Frame frame;
    frame.id = parts.at(1);
    frame.encoding = std::stoi(parts.at(2));
    frame.language = Unhex(parts.at(3));
    frame.description = Unhex(parts.at(4));
    frame.text = Unhex(parts.at(5));
    return frame;
}

std::string TextOf(const std::vector<MutagenReport::Frame>& frames, const std::string& id) {
    std::string found = "<missing>";
    int count = 0;
    for (const auto& frame : frames) {
        if (frame.id == id) {
            found = frame.text;
            ++count;
        }
    }
    return count > 1 ? "<several>" : found;
}

} // namespace

MutagenReport MutagenReport::Read(const std::string& path) {
    MutagenReport report;
    const std::string output = PythonOutput({"-c", kScript, path});
    std::stringstream lines(output);
    std::string line;
    while (std::getline(lines, line)) {
        const auto parts = SplitTabs(line);
        if (parts.empty())
            continue;
        if (parts[0] == "SIZE") {
            report.fileSize = std::stoul(parts.at(1));
        } else if (parts[0] == "V2") {
            report.hasId3v2 = true;
            report.id3v2Major = std::stoi(parts.at(1));
            report.id3v2Size = std::stoul(parts.at(2));
        } else if (parts[0] == "F") {
            report.frames.push_back(ParseFrame(parts));
        } else if (parts[0] == "V1") {
            report.hasId3v1 = true;
        } else if (parts[0] == "F1") {
            report.id3v1.push_back(ParseFrame(parts));
        } else {
            report.error += line + "\n";
        }
    }
    return report;
}

std::string MutagenReport::CheckSavedLayout(const std::string& path,
                                            const std::vector<std::uint8_t>& audio) const {
    if (!error.empty())
        return "mutagen failed: " + error;
    if (!hasId3v2 || id3v2Major != 3)
        return "no ID3v2.3 tag at the start";
    if (!hasId3v1)
        return "no ID3v1 tag at the end";
    const auto file = Mp3Builder::ReadFile(path);
    if (file.size() != id3v2Size + audio.size() + 128)
        return "the file holds " + std::to_string(file.size()) + " bytes, expected " +
               std::to_string(id3v2Size + audio.size() + 128);
    if (!std::equal(audio.begin(), audio.end(), file.begin() + id3v2Size))
        return "the audio bytes changed";
    return {};
}

std::vector<MutagenReport::Frame> MutagenReport::All(const std::string& id) const {
    std::vector<Frame> matching;
    for (const auto& frame : frames)
        if (frame.id == id)
            matching.push_back(frame);
    return matching;
}

std::string MutagenReport::Text(const std::string& id) const {
    return TextOf(frames, id);
}

std::string MutagenReport::Id3v1Text(const std::string& id) const {
    return TextOf(id3v1, id);
}
