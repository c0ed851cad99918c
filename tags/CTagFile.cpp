#include "CTagFile.h"

#include "GenreNumber.h"
#include "GenreTable.h"
#include "Id3Inspector.h"
#include "Id3v1Values.h"
#include "Id3v2Renderer.h"
#include "TagFileWriter.h"

#include <id3/misc_support.h>
#include <id3/readers.h>
#include <id3/tag.h>

CTagFile::CTagFile() : m_tag(std::make_unique<ID3_Tag>()) {}

CTagFile::~CTagFile() = default;

void CTagFile::Link(const std::string& path) {
    m_tag->Clear();
    m_fileTag.clear();
    m_linked = true;
    m_path = path;
    const TagInspection inspection = Id3Inspector::Inspect(path);
    m_readError = inspection.readError;
    m_protection = inspection.problem;
    if (inspection.Accepted())
        LinkTag(inspection);
    m_shown = ShownFields::Read(*m_tag);
}

void CTagFile::Unlink() {
    m_tag->Clear();
    m_fileTag.clear();
    m_linked = false;
    m_path.clear();
    m_readError.clear();
    m_protection.clear();
    m_shown = ShownFields::Read(*m_tag);
}

// The one place id3lib parses a file, and only the tag bytes the inspector passed, from memory:
// the file may have changed since, and the audio has nothing for id3lib to read.
void CTagFile::LinkTag(const TagInspection& inspection) {
    ParseTag(inspection.tagBytes);
    m_fileTag = inspection.tagBytes;
    // A frame id3lib dropped would be missing from the next Save.
    if (m_tag->NumFrames() != inspection.frameCount) {
        m_tag->Clear();
        m_fileTag.clear();
        m_protection = "Part of the file's ID3v2 tag could not be read, so saving would lose it.";
    }
}

void CTagFile::ParseTag(const std::string& tagBytes) {
    m_tag->Clear();
    if (tagBytes.empty())
        return;
    ID3_MemoryReader reader(tagBytes.data(), tagBytes.size());
    m_tag->Link(reader, ID3TT_ID3V2);
}

TagFields CTagFile::ReadFields() const {
    return ShownFields::Read(*m_tag).Texts();
}

unsigned CTagFile::ReadGenreNumber() const {
    return GenreNumberOf(*m_tag);
}

SaveResult CTagFile::Save(const TagFields& fields, unsigned genreNumber) {
    if (!m_linked)
        return {SaveResult::Outcome::NotLinked, "No file has been chosen."};
    if (!m_protection.empty())
        return {SaveResult::Outcome::Refused, m_protection};
    const ShownFields shownBefore = m_shown;
    ApplyFields(fields, genreNumber);
    SaveResult result = WriteTags();
    if (!result.Saved()) {
        // The file is as it was, so the tag object goes back to what the file holds.
        ParseTag(m_fileTag);
        m_shown = shownBefore;
    }
    return result;
}

void CTagFile::ApplyFields(const TagFields& fields, unsigned genreNumber) {
    using Add = ID3_Frame* (*)(ID3_Tag*, const char*, bool);
    // The order in which the frames are replaced decides their order in the written tag.
    const auto replace = [&](ShownFields::Field field, Add add) {
        const std::string& text = fields.*ShownFields::Member(field);
        if (text.empty() || m_shown.WouldLoseData(field, text))
            return;
        add(m_tag.get(), text.c_str(), true);
        m_shown.Set(field, text, true);
    };
    replace(ShownFields::Artist, ID3_AddArtist);
    replace(ShownFields::Album, ID3_AddAlbum);
    replace(ShownFields::Title, ID3_AddTitle);
    replace(ShownFields::Year, ID3_AddYear);
    replace(ShownFields::Comment, [](ID3_Tag* tag, const char* text, bool replaceOld) {
        return ID3_AddComment(tag, text, "", replaceOld);
    });
    // Numbers from 255 up mean "keep the file's genre"; id3lib would also abort the process
    // for numbers of 1000 or more.
    if (genreNumber < GenreTable::kNoGenre)
        ID3_AddGenre(m_tag.get(), genreNumber, true);
}

// The one place the file is written: the ID3v2 tag rendered from the editor's tag object, the
// ID3v1 tag through a second one (see Id3v1Values), the audio copied between them untouched.
SaveResult CTagFile::WriteTags() {
    std::string written;
    const auto id3v2 = [this, &written](const TagLayout& layout) {
        written = Id3v2Renderer::Render(*m_tag, layout);
        return written;
    };
    SaveResult result = TagFileWriter::Write(m_path, id3v2, Id3v1Values::Of(*m_tag).Render());
    if (result.Saved())
        m_fileTag = written;
    return result;
}
