#include "CTagFile.h"

#include "FieldTable.h"
#include "FrontCover.h"
#include "GenreTable.h"
#include "Id3Inspector.h"
#include "Id3v1Values.h"
#include "Id3v2Renderer.h"
#include "Mp3Content.h"
#include "PictureFrame.h"
#include "ShownFields.h"
#include "TagFileWriter.h"
#include "TagFrameEditor.h"

#include <id3/readers.h>
#include <id3/tag.h>

#include <algorithm>
#include <iterator>

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
    if (!inspection.Accepted()) {
        // What can be read is shown; the protection keeps it from ever being saved.
        LoadFrames(std::move(inspection.frames), Parse::Later);
        return;
    }
    m_fileId3v1 = std::move(inspection.id3v1);
    LoadFileTags(std::move(inspection.frames), Parse::Later);
}

void CTagFile::Unlink() {
    m_tag->Clear();
    m_originals.Clear();
    m_linked = false;
    m_path.clear();
    m_readError.clear();
    m_protection.clear();
    m_fileId3v1.clear();
    m_unparsedTag.reset();
}

bool CTagFile::LoadFileTags(std::vector<std::string> fileFrames, Parse parse) {
    const bool hasId3v2 = !fileFrames.empty();
    if (!LoadFrames(std::move(fileFrames), parse)) {
        m_protection = "Part of the file's ID3v2 tag could not be read, so saving would lose it.";
        return false;
    }
    if (parse == Parse::Later || hasId3v2 || m_fileId3v1.empty())
        return true;
    // Without an ID3v2 tag the form shows the ID3v1 values, so that a Save keeps them.
    const Id3v1Values v1 = Id3v1Values::Parse(m_fileId3v1);
    TagFrameEditor editor(*m_tag, m_originals);
    for (const FieldTable::Row& row : FieldTable::kRows) {
        const std::string text = v1.TextAt(row.id3v1);
        if (!text.empty())
            editor.AddField(row, text);
    }
    return true;
}

// The one place id3lib parses a tag, and only frames the inspector passed, from memory: the
// file may have changed since, and the audio has nothing for id3lib to read. Pictures reach it
// without their bytes (see PictureFrame::StandIn), which stay in the file's frames. False when
// id3lib did not find every frame, which a Save would then lose. Later keeps the frames for
// showing and leaves id3lib out until a Save.
bool CTagFile::LoadFrames(std::vector<std::string> frames, Parse parse) {
    m_tag->Clear();
    m_originals.Clear();
    m_unparsedTag.reset();
    if (parse == Parse::Later) {
        m_unparsedTag = std::make_shared<const std::vector<std::string>>(std::move(frames));
        return true;
    }
    std::vector<std::string> parsed;
    std::transform(frames.begin(), frames.end(), std::back_inserter(parsed), PictureFrame::StandIn);
    if (!parsed.empty()) {
        const std::string tag = Id3v2Renderer::Tag(parsed, 0);
        ID3_MemoryReader reader(tag.data(), tag.size());
        m_tag->Link(reader, ID3TT_ID3V2);
        if (m_tag->NumFrames() != parsed.size()) {
            m_tag->Clear();
            return false;
        }
    }
    m_originals.Rebuild(*m_tag, std::move(frames));
    return true;
}

// Read from the file's own frames (as last saved), never from the tag object, so that showing
// a file needs no id3lib parse. A file with only an ID3v1 tag shows its values.
TagFields CTagFile::ReadFields() const {
    if (!ShowsId3v1())
        return ShownFields::Read(FileFrames());
    const Id3v1Values v1 = Id3v1Values::Parse(m_fileId3v1);
    TagFields fields;
    for (const FieldTable::Row& row : FieldTable::kRows)
        if (row.text != nullptr)
            fields.*row.text = v1.TextAt(row.id3v1);
    return fields;
}

unsigned CTagFile::ReadGenreNumber() const {
    return ShowsId3v1() ? Id3v1Values::Parse(m_fileId3v1).genre
                        : ShownFields::GenreNumber(FileFrames());
}

bool CTagFile::ShowsId3v1() const {
    return FileFrames().empty() && !m_fileId3v1.empty();
}

// Read from the file's own frames, whatever id3lib was given of them, and sharing the frame
// rather than copying its picture.
std::optional<CoverPicture> CTagFile::ReadCover() const {
    const std::shared_ptr<const std::vector<std::string>> frames = SharedFileFrames();
    const std::size_t index = FrontCover::Find(*frames);
    if (index == FrontCover::npos)
        return std::nullopt;
    const std::string& frame = (*frames)[index];
    const std::optional<PictureFrame> picture = PictureFrame::Read(frame);
    return CoverPicture{picture->mimeType, picture->pictureType,
                        std::shared_ptr<const std::string>(frames, &frame), picture->dataOffset};
}

const std::vector<std::string>& CTagFile::FileFrames() const {
    return m_unparsedTag ? *m_unparsedTag : m_originals.FileFrames();
}

std::shared_ptr<const std::vector<std::string>> CTagFile::SharedFileFrames() const {
    return m_unparsedTag ? m_unparsedTag : m_originals.SharedFileFrames();
}

SaveResult CTagFile::Save(const TagFields& changes, unsigned genreNumber, const CoverEdit& cover) {
    if (!m_linked)
        return {SaveResult::Outcome::NotLinked, "No file has been chosen."};
    if (!m_protection.empty())
        return {SaveResult::Outcome::Refused, m_protection};
    // Every frame must be in the tag object before it is edited, or the Save would lose it.
    if (m_unparsedTag) {
        // Kept, not taken: the held cover may share them.
        const std::shared_ptr<const std::vector<std::string>> fileFrames = m_unparsedTag;
        if (!LoadFileTags(*fileFrames, Parse::Whole)) {
            LoadFrames(*fileFrames, Parse::Later); // still shown, never saved
            return {SaveResult::Outcome::Refused, m_protection};
        }
    }
    ApplyFields(changes, genreNumber);
    ApplyCover(cover);
    SaveResult result = WriteTags();
    if (!result.Saved()) // the file is as it was, and so goes the tag
        LoadFileTags(m_originals.FileFrames(), Parse::Whole);
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

void CTagFile::ApplyCover(const CoverEdit& cover) {
    if (cover.kind == CoverEdit::Kind::Keep)
        return;
    TagFrameEditor editor(*m_tag, m_originals);
    const std::size_t shown = FrontCover::Find(m_originals.FileFrames());
    const ID3_Frame* shownFrame =
        shown != FrontCover::npos ? m_originals.ReadFrameAt(shown) : nullptr;
    if (cover.kind == CoverEdit::Kind::Remove) {
        editor.RemoveFrame(shownFrame);
        return;
    }
    // In the shown cover's place, the new one is what the file shows next, even where the
    // file holds another front cover after it.
    CoverPicture front = cover.picture;
    front.pictureType = CoverPicture::kFrontCover;
    editor.ReplacePicture(shownFrame, front);
}

// The one place the file is written: the ID3v2 tag from the tag object's frames, the ID3v1 tag
// through a second tag object (see Id3v1Values), the audio between them untouched.
SaveResult CTagFile::WriteTags() {
    std::vector<std::string> frames = m_originals.FramesOf(*m_tag);
    const auto id3v2 = [&frames](const TagLayout& layout) {
        return Id3v2Renderer::Render(frames, layout);
    };
    const std::string id3v1 = Id3v1Values::Of(frames).Render();
    SaveResult result = TagFileWriter::Write(
        m_path, {m_identity, m_originals.FileFrames(), m_fileId3v1}, id3v2, id3v1, &m_identity);
    if (result.Saved()) {
        m_fileId3v1 = id3v1;
        m_originals.Rebuild(*m_tag, std::move(frames));
    }
    return result;
}
