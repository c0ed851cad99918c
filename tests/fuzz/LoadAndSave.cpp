#include "LoadAndSave.h"

#include "CTagFile.h"
#include "GenreTable.h"
#include "Id3Inspector.h"
#include "JournalFolder.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string_view>

namespace {

[[noreturn]] void BrokenPromise(const char* what, const std::string& detail = {}) {
    std::fprintf(stderr, "LoadAndSave: %s %s\n", what, detail.c_str());
    std::abort();
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteAll(const std::string& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush())
        BrokenPromise("cannot write the scratch file", path);
}

std::string_view AudioOf(std::string_view file, const TagLayout& layout) {
    return file.substr(layout.audioBegin, layout.audioEnd - layout.audioBegin);
}

// The edits vary with the input so that both fitting and growing tags, kept and replaced
// genres are all reached.
TagFields Edited(const TagFields& loaded, std::size_t seed) {
    TagFields edited = loaded;
    if (seed & 1)
        edited.title = "Fuzzed title";
    if (seed & 2)
        edited.artist = "Fuzzed artist";
    if (seed & 4)
        edited.comment = std::string(28, 'c');
    if (seed & 8)
        edited.year = "1999";
    return edited;
}

// Checks the file a Save left, which BEFORE was, and counts how it was written.
TagInspection CheckSaved(const std::string& path, std::string_view audioBefore,
                         const TagFields& saved, const TagInspection& before,
                         LoadAndSave::Saves* saves) {
    const TagInspection after = Id3Inspector::Inspect(path);
    if (!after.Accepted())
        BrokenPromise("a saved file is refused:", after.problem);
    if (!after.layout.hasId3v1)
        BrokenPromise("a saved file has no ID3v1 tag");
    if (AudioOf(ReadAll(path), after.layout) != audioBefore)
        BrokenPromise("a Save changed the audio");
    CTagFile reloaded;
    reloaded.Link(path);
    const TagFields shown = reloaded.ReadFields();
    if (saved.title == "Fuzzed title" && shown.title != saved.title)
        BrokenPromise("a saved title did not load again:", shown.title);
    const bool inPlace = after.identity.SameFileAs(before.identity);
    if (after.layout.tagSize == before.layout.tagSize && !inPlace)
        BrokenPromise("a tag that fitted its room was not written in place");
    if (!JournalFolder::ForSaving().Journals().empty())
        BrokenPromise("a Save left its rollback journal behind");
    ++(inPlace ? saves->inPlace : saves->writtenAnew);
    return after;
}

} // namespace

LoadAndSave::LoadAndSave(std::string scratchPath) : m_path(std::move(scratchPath)) {}

LoadAndSave::Saves LoadAndSave::Run(const std::uint8_t* data, std::size_t size) const {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    WriteAll(m_path, input);
    const TagInspection before = Id3Inspector::Inspect(m_path);

    CTagFile tag;
    tag.Link(m_path);
    const TagFields loaded = tag.ReadFields();
    const unsigned genre = tag.ReadGenreNumber();
    const std::size_t seed = size + (size ? data[size / 2] : 0);
    const TagFields edited = Edited(loaded, seed);
    const unsigned newGenre = (seed & 16) ? 17 : genre;

    Saves saves;
    const SaveResult first = tag.Save(edited, newGenre);
    if (!tag.Protection().empty()) {
        if (first.outcome != SaveResult::Outcome::Refused)
            BrokenPromise("a protected file was not refused");
        if (ReadAll(m_path) != input)
            BrokenPromise("a refused file was changed");
        return saves;
    }
    if (!first.Saved())
        BrokenPromise("an accepted file could not be saved:", first.reason);
    const std::string_view audio = AudioOf(input, before.layout);
    const TagInspection afterFirst = CheckSaved(m_path, audio, edited, before, &saves);

    TagFields again = edited;
    again.album = "Second save";
    const SaveResult second = tag.Save(again, GenreTable::kNoGenre);
    if (!second.Saved())
        BrokenPromise("a second Save failed:", second.reason);
    CheckSaved(m_path, audio, again, afterFirst, &saves);
    return saves;
}
