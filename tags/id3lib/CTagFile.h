#pragma once

#include "CoverEdit.h"
#include "CoverPicture.h"
#include "FileIdentity.h"
#include "OriginalFrames.h"
#include "SaveResult.h"
#include "TagFields.h"
#include "TagInspection.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

class ID3_Tag;

// The editor's one tag object. Each selection re-links it to a file; the form's values are read
// from it and saved through it, and Saves within one link build on each other. Whatever version
// the file's ID3v2 tag has, the tag object holds it as ID3v2.3 frames, and a Save writes it so.
class CTagFile {
public:
    CTagFile();
    ~CTagFile();
    CTagFile(const CTagFile&) = delete;
    CTagFile& operator=(const CTagFile&) = delete;

    // Forgets the previous file, then reads PATH's tags. Never throws: a file that cannot be
    // read leaves the tag empty. A file whose ID3v2 tag cannot be given to id3lib or written
    // back whole (Protection() says why) is protected: the tag holds the frames that could
    // still be read, to be shown, and a Save refuses it. A file with an ID3v1 tag and no ID3v2
    // tag gets the ID3v1 values, which a Save then writes into both tags.
    void Link(const std::string& path);
    // Forgets the file: nothing is shown, and a Save writes nowhere.
    void Unlink();
    bool IsLinked() const { return m_linked; }
    const std::string& LinkedPath() const { return m_path; }

    // What the form shows of the tag (see ShownFields).
    TagFields ReadFields() const;
    unsigned ReadGenreNumber() const; // 0..255, 255 = no genre
    // The front cover the form shows; none when the tag has no picture.
    std::optional<CoverPicture> ReadCover() const;

    // Replaces the frames of each field whose text in CHANGES is not empty, and the genre
    // frames when GENRENUMBER is below 255: what the editing session found changed. Every
    // other frame stays exactly as the file holds it. Then writes the tag to the
    // start of the file and an ID3v1 tag to its end, both or neither: the audio between them
    // is never changed, and a missing file is never created. When the file is not written,
    // the tag object goes back to what the file holds.
    SaveResult Save(const TagFields& changes, unsigned genreNumber, const CoverEdit& cover = {});

    // Why the linked file could not be read; empty when it could.
    const std::string& ReadError() const { return m_readError; }
    // Empty when the linked file may be saved; otherwise why not, in plain words.
    const std::string& Protection() const { return m_protection; }

private:
    // When id3lib is given the frames: reading needs none of them, an edit all.
    enum class Parse { Later, Whole };

    bool LoadFileTags(std::vector<std::string> fileFrames, Parse parse);
    bool LoadFrames(std::vector<std::string> frames, Parse parse);
    // Whether the form shows the ID3v1 tag's values: the file has no ID3v2 tag.
    bool ShowsId3v1() const;
    void ApplyFields(const TagFields& changes, unsigned genreNumber);
    void ApplyCover(const CoverEdit& cover);
    // The ID3v2 frames as the file holds them (or as the last Save wrote them), in their
    // ID3v2.3 form, every one of them whether or not id3lib was given it.
    const std::vector<std::string>& FileFrames() const;
    std::shared_ptr<const std::vector<std::string>> SharedFileFrames() const;
    SaveResult WriteTags();

    std::unique_ptr<ID3_Tag> m_tag;
    // The ID3v2 frames as the file holds them, in their ID3v2.3 form, and which of them each
    // frame of the tag object still is.
    OriginalFrames m_originals;
    // Every frame of the file, while the tag object holds none of them (and m_originals
    // nothing); null once it holds them all. Never changed once made, as a cover
    // read from it may share it.
    std::shared_ptr<const std::vector<std::string>> m_unparsedTag;
    bool m_linked = false;
    std::string m_path;
    std::string m_readError;
    std::string m_protection;
    // The ID3v1 tag as the file holds it, whose values a file without an ID3v2 tag shows.
    std::string m_fileId3v1;
    // The file as loaded or last saved: with its frames and ID3v1 tag above, what a Save
    // expects to find, so that it never writes over another program's change.
    FileIdentity m_identity;
};
