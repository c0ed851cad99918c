#include "CTagFile.h"

#include "FieldTable.h"
#include "GenreNumber.h"
#include "GenreTable.h"
#include "Id3Inspector.h"
#include "Id3v1Values.h"
#include "Id3v2Renderer.h"
#include "Mp3Content.h"
#include "ShownFields.h"
#include "TagFileWriter.h"
#include "TagFrameEditor.h"

#include <id3/readers.h>
#include <id3/tag.h>

#include <algorithm>

CTagFile::CTagFile() : m_tag(std::make_unique<ID3_Tag>()) {}

CTagFile::~CTagFile() = default;

void CTagFile::Link(const std::string& path) {
    Unlink();
    m_linked = true;
    m_path = path;
    TagInspection inspection = Id3Inspector::Inspect(path);
    m_identity = inspection.identity;
    m_readError = inspection.readError;
    m_protection = inspection.problem;
    // Checked here, not only when the file was added: it may have become another kind of file.
    if (m_protection.empty() && m_readError.empty())
        m_protection = Mp3Content::Problem(path);
    if (!inspection.Accepted())
        return;
    m_fileId3v1 = std::move(inspection.id3v1);
    LoadFileTags(std::move(inspection.frames));
}

void CTagFile::Unlink() {
    m_tag->Clear();
    m_originals.Clear();
    m_linked = false;
    m_path.clear();
    m_readError.clear();
    m_protection.clear();
    m_fileId3v1.clear();
}

void CTagFile::LoadFileTags(std::vector<std::string> fileFrames) {
    if (!LoadFrames(std::move(fileFrames))) {
        m_protection = "Part of the file's ID3v2 tag could not be read, so saving would lose it.";
        return;
    }
    if (!m_originals.FileFrames().empty() || m_fileId3v1.empty())
        return;
    // Without an ID3v2 tag the form shows the ID3v1 values, so that a Save keeps them.
    const Id3v1Values v1 = Id3v1Values::Parse(m_fileId3v1);
    TagFrameEditor editor(*m_tag, m_originals);
    for (const FieldTable::Row& row : FieldTable::kRows) {
        const std::string text = v1.TextAt(row.id3v1);
        if (!text.empty())
            editor.AddField(row, text);
    }
}

// The one place id3lib parses a tag, and only frames the inspector passed, from memory: the
// file may have changed since, and the audio has nothing for id3lib to read. False when id3lib
// did not find every frame, which a Save would then lose.
bool CTagFile::LoadFrames(std::vector<std::string> frames) {
    m_tag->Clear();
    m_originals.Clear();
    if (frames.empty())
        return true;
    const std::string tag = Id3v2Renderer::Tag(frames, 0);
    ID3_MemoryReader reader(tag.data(), tag.size());
    m_tag->Link(reader, ID3TT_ID3V2);
    if (m_tag->NumFrames() != frames.size()) {
        m_tag->Clear();
        return false;
    }
    m_originals.Rebuild(*m_tag, std::move(frames));
    return true;
}

TagFields CTagFile::ReadFields() const {
    return ShownFields::Read(*m_tag);
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
    SaveResult result = WriteTags();
    if (!result.Saved())
        LoadFileTags(m_originals.FileFrames()); // the file is as it was, and so goes the tag
    return result;
}

void CTagFile::ApplyFields(const TagFields& changes, unsigned genreNumber) {
    std::vector<const FieldTable::Row*> rows;
    for (const FieldTable::Row& row : FieldTable::kRows)
        rows.push_back(&row);
    // The order in which the frames are replaced decides their order in the written tag.
    std::sort(rows.begin(), rows.end(), [](const FieldTable::Row* a, const FieldTable::Row* b) {
        return a->saveStep < b->saveStep;
    });
    TagFrameEditor editor(*m_tag, m_originals);
    for (const FieldTable::Row* row : rows) {
        if (row->text == nullptr) {
            // Numbers from 255 up mean "keep the file's genre".
            if (genreNumber < GenreTable::kNoGenre)
                editor.ReplaceField(*row, std::to_string(genreNumber));
        } else if (!(changes.*row->text).empty()) {
            editor.ReplaceField(*row, changes.*row->text);
        }
    }
}

// The one place the file is written: the ID3v2 tag from the tag object's frames, the ID3v1 tag
// through a second tag object (see Id3v1Values), the audio between them untouched.
SaveResult CTagFile::WriteTags() {
    std::vector<std::string> frames = m_originals.FramesOf(*m_tag);
    const auto id3v2 = [&frames](const TagLayout& layout) {
        return Id3v2Renderer::Render(frames, layout);
    };
    const std::string id3v1 = Id3v1Values::Of(*m_tag).Render();
    SaveResult result = TagFileWriter::Write(
        m_path, {m_identity, m_originals.FileFrames(), m_fileId3v1}, id3v2, id3v1, &m_identity);
    if (result.Saved()) {
        m_fileId3v1 = id3v1;
        m_originals.Rebuild(*m_tag, std::move(frames));
    }
    return result;
}
