#pragma once

#include "SaveResult.h"
#include "ShownFields.h"
#include "TagFields.h"
#include "TagInspection.h"

#include <memory>
#include <string>

class ID3_Tag;

// The editor's one tag object. Each selection re-links it to a file; the form's values are read
// from it and saved through it, and Saves within one link build on each other.
class CTagFile {
public:
    CTagFile();
    ~CTagFile();
    CTagFile(const CTagFile&) = delete;
    CTagFile& operator=(const CTagFile&) = delete;

    // Forgets the previous file, then reads PATH's ID3v2 tag. Never throws: a file that cannot
    // be read, has no ID3v2 tag, or has one id3lib cannot be given safely (Protection() says
    // why) leaves the tag empty.
    void Link(const std::string& path);
    // Forgets the linked file, as at construction: nothing is read, and Save writes nowhere.
    void Unlink();
    bool IsLinked() const { return m_linked; }
    const std::string& LinkedPath() const { return m_path; }

    TagFields ReadFields() const;
    unsigned ReadGenreNumber() const; // 0..255, 255 = no genre

    // Replaces the frames of the non-empty fields and, unless GENRENUMBER is 255, the genre;
    // then writes the tag to the start of the file and an ID3v1 tag to its end, both or neither:
    // the audio between them is never changed, and a missing file is never created. When the
    // file is not written, the tag object goes back to what the file holds. A field whose
    // frame could not be shown whole and whose text is unchanged is left as the file has it.
    SaveResult Save(const TagFields& fields, unsigned genreNumber);

    // Why the linked file could not be read; empty when it could.
    const std::string& ReadError() const { return m_readError; }
    // Empty when the linked file may be saved; otherwise why not, in plain words.
    const std::string& Protection() const { return m_protection; }

private:
    void LinkTag(const TagInspection& inspection);
    void ParseTag(const std::string& tagBytes);
    void ApplyFields(const TagFields& fields, unsigned genreNumber);
    SaveResult WriteTags();

    std::unique_ptr<ID3_Tag> m_tag;
    bool m_linked = false;
    std::string m_path;
    std::string m_readError;
    std::string m_protection;
    ShownFields m_shown;   // what the form got from the tag, kept in step with each Save
    std::string m_fileTag; // the ID3v2 tag as the file holds it, for a failed Save to go back to
};
