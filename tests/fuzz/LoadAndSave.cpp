#include "LoadAndSave.h"

#include "FuzzSupport.h"
#include "GenreTable.h"
#include "Id3Inspector.h"
#include "JournalFolder.h"
#include "TagEditingSession.h"

#include <string_view>

namespace {

using FuzzSupport::BrokenPromise;
using FuzzSupport::ReadAll;
using FuzzSupport::WriteAll;

std::string_view AudioOf(std::string_view file, const TagLayout& layout) {
    return file.substr(layout.audioBegin, layout.audioEnd - layout.audioBegin);
}

// The edits vary with the input so that both fitting and growing tags, kept and replaced
// genres, Latin-1 and UTF-16 texts are all reached.
FormValues Edited(const FormValues& loaded, std::size_t seed) {
    FormValues edited = loaded;
    if (seed & 1)
        edited.texts.title = "Fuzzed title";
    if (seed & 2)
        edited.texts.artist = "\u0424\u0430\u0437\u0437 \u6771\u4EAC \U0001F600";
    if (seed & 4)
        edited.texts.comment = std::string(28, 'c');
    if (seed & 8)
        edited.texts.year = "1999";
    if (seed & 16)
        edited.genreRow = 17;
    return edited;
}

// What a reload must show: every text the Save wrote, and what it did not write as it was.
FormValues Expected(const FormValues& loaded, const FormValues& saved) {
    FormValues expected = saved;
    for (auto member : {&TagFields::title, &TagFields::artist, &TagFields::album, &TagFields::year,
                        &TagFields::comment})
        if ((saved.texts.*member).empty())
            expected.texts.*member = loaded.texts.*member;
    if (saved.genreRow == GenreTable::kNoneRow || saved.genreRow == GenreTable::kNoRow)
        expected.genreRow = loaded.genreRow;
    return expected;
}

// Checks the file a Save left, which BEFORE was, and counts how it was written.
TagInspection CheckSaved(const std::string& path, std::string_view audioBefore,
                         const FormValues& expected, const TagInspection& before,
                         LoadAndSave::Saves* saves) {
    const TagInspection after = Id3Inspector::Inspect(path);
    if (!after.Accepted())
        BrokenPromise("a saved file is refused:", after.problem);
    if (!after.frames.empty() && after.tagBytes[3] != 3)
        BrokenPromise("a saved file's tag is not ID3v2.3");
    if (!after.layout.hasId3v1)
        BrokenPromise("a saved file has no ID3v1 tag");
    if (AudioOf(ReadAll(path), after.layout) != audioBefore)
        BrokenPromise("a Save changed the audio");
    TagEditingSession reloaded;
    reloaded.Link(path);
    if (reloaded.Held() != expected)
        BrokenPromise("a saved file does not show what was saved and kept:",
                      reloaded.Held().texts.title + "|" + reloaded.Held().texts.artist + "|" +
                          reloaded.Held().texts.comment);
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

    TagEditingSession session;
    session.Link(m_path);
    const FormValues loaded = session.Held();
    const std::size_t seed = size + (size ? data[size / 2] : 0);
    const FormValues edited = Edited(loaded, seed);

    Saves saves;
    const SaveResult first = session.Save(edited);
    if (!session.Protection().empty()) {
        if (first.outcome != SaveResult::Outcome::Refused)
            BrokenPromise("a protected file was not refused");
        if (ReadAll(m_path) != input)
            BrokenPromise("a refused file was changed");
        return saves;
    }
    // A text longer than its field, loaded and left as it is, never stops a Save.
    if (!first.Saved())
        BrokenPromise("an accepted file could not be saved:", first.reason);
    const std::string_view audio = AudioOf(input, before.layout);
    const TagInspection afterFirst =
        CheckSaved(m_path, audio, Expected(loaded, edited), before, &saves);

    FormValues again = session.Held();
    again.texts.album = "Second save";
    again.genreRow = GenreTable::kNoneRow;
    const SaveResult second = session.Save(again);
    if (!second.Saved())
        BrokenPromise("a second Save failed:", second.reason);
    CheckSaved(m_path, audio, Expected(Expected(loaded, edited), again), afterFirst, &saves);
    return saves;
}
