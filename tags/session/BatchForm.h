#pragma once

#include "CoverEdit.h"
#include "FormValues.h"
#include "SaveResult.h"
#include "TagEditingSession.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// The form over several files at once. Each field shows the value the files share, or, where
// they differ, nothing and how many distinct values there are; what the user types into a field
// is set for every file, and a field left empty keeps each file's own value, as an emptied field
// keeps one file's text. A Save goes file by file through each file's own editing session, so the
// same rules and the same writers decide what is written; it never reads a file's values from
// an earlier look, only from the file as it is when its turn comes.
class BatchForm {
public:
    // Reads the files at PATHS, each distinct path once, in their order.
    void Load(const std::vector<std::string>& paths);
    void Clear();

    bool IsEmpty() const { return m_paths.empty(); }
    const std::vector<std::string>& Paths() const { return m_paths; }

    // The distinct texts of one field across the files, in the files' order; an empty text is a
    // value too.
    std::vector<std::string> DistinctTexts(std::string TagFields::*member) const;
    // How many distinct genres the files hold (a number no row shows counts as one of its own).
    std::size_t DistinctGenreCount() const;
    // How many distinct front covers the files hold; a file without one counts as one of them.
    std::size_t DistinctCoverCount() const { return m_coverCount; }

    // What the form shows: each shared text, empty where the files differ; the shared genre row,
    // or GenreTable::kNoRow where the files differ; the cover they share, or none (also where
    // they differ: see DistinctCoverCount).
    const FormValues& Shown() const { return m_shown; }

    // Whether a Save would set anything: a text typed that is not the one shown, or a genre of
    // the list other than the shown one, or a cover set or removed (COVER).
    bool HasUnsavedChanges(const FormValues& form, const CoverEdit& cover = {}) const;
    // What a Save does to each file's front cover when the form shows COVER: nothing while it
    // shows the files' own (KEEPS_OWN: the square says they differ; or the one they share), else
    // the picture shown becomes every file's front cover, or no picture removes each file's.
    CoverEdit CoverEditOf(const std::optional<CoverPicture>& cover, bool keepsOwn) const;
    // The first field, in the field table's order, whose typed text its rule does not take; a
    // shown value left as it is is never refused.
    TagEditingSession::Refusal FirstRefusedEdit(const FormValues& form) const;
    // OWN, one file's values, with what the user set in FORM put in: every text that is not
    // empty, the genre when FORM names one, and the cover as COVER says. FORM's cover is not
    // looked at: several files' form cannot tell a cover left alone by its picture.
    static FormValues Apply(const FormValues& own, const FormValues& form,
                            const CoverEdit& cover = {});

    // Saves what the user set in FORM into the file at PATH, read afresh, through a session of
    // its own. The file's values after it are in *SAVED when it was saved.
    static SaveResult SaveFile(const std::string& path, const FormValues& form,
                               const CoverEdit& cover = {}, FormValues* saved = nullptr);

private:
    struct FileValues {
        FormValues values;
        unsigned genreNumber = 0;
    };

    void ComputeShown();
    bool IsTyped(const FormValues& form, std::string TagFields::*member) const;

    std::vector<std::string> m_paths;
    std::vector<FileValues> m_files;
    // The first file's cover, and how many distinct covers the files hold: covers are large, so
    // no more than one is kept, the others only compared with it and counted by a digest.
    std::optional<CoverPicture> m_firstCover;
    std::size_t m_coverCount = 0;
    FormValues m_shown;
};
