#include "CTagFile.h"

#include "GenreNumber.h"
#include "GenreTable.h"
#include "Id3v1Values.h"

#include <id3/misc_support.h>
#include <id3/tag.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace {

// The system's reason why PATH cannot be opened with MODE; empty when it can.
std::string OpenFailure(const std::string& path, const char* mode) {
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (error)
        return error.message();
    if (std::filesystem::is_directory(status))
        return "It is a folder, not a file.";
    if (!std::filesystem::is_regular_file(status))
        return "It is not a regular file.";
    FILE* file = std::fopen(path.c_str(), mode);
    if (!file)
        return std::strerror(errno);
    std::fclose(file);
    return {};
}

} // namespace

CTagFile::CTagFile() : m_tag(std::make_unique<ID3_Tag>()) {}

CTagFile::~CTagFile() = default;

void CTagFile::Link(const std::string& path) {
    m_tag->Clear();
    m_linked = true;
    m_path = path;
    m_protection.clear();
    m_readError = OpenFailure(path, "rb");
    if (m_readError.empty())
        LinkTag();
    else
        m_protection = "The file could not be read: " + m_readError;
    m_shown = ShownFields::Read(*m_tag);
}

// The one place id3lib parses a file.
void CTagFile::LinkTag() {
    m_tag->Link(m_path.c_str(), ID3TT_ID3V2);
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
    ApplyFields(fields, genreNumber);
    return WriteTags();
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

// The one place the file is written: the ID3v2 tag from the editor's tag object, then the ID3v1
// tag through a second one (see Id3v1Values for why not both at once).
SaveResult CTagFile::WriteTags() {
    const bool v2Due = m_tag->HasChanged() && m_tag->NumFrames() > 0;
    const bool v2Written = !v2Due || (m_tag->Update(ID3TT_ID3V2) & ID3TT_ID3V2);
    if (v2Written && Id3v1Values::Of(*m_tag).WriteTo(m_path))
        return SaveResult::Success();
    std::string reason = OpenFailure(m_path, "r+b");
    if (reason.empty())
        reason = "id3lib could not write them.";
    return {SaveResult::Outcome::Failed, "The tags could not be written: " + reason};
}
