#pragma once

#include "CTagFile.h"
#include "FieldTable.h"
#include "FormValues.h"
#include "SaveResult.h"

#include <string>

// The rules of editing one file's tags, shared by the editor window and tageditor-cli: linking
// the file, what the form shows of it, what the user changed, Save and Undo. The session keeps
// the values last loaded or saved and alone decides what counts as changed; the form's own
// values stay with whoever shows the form.
class TagEditingSession {
public:
    // A field whose changed value its rule does not take, and what the user is told.
    struct Refusal {
        const FieldTable::Row* field = nullptr; // nullptr: nothing is refused
        std::string message;

        explicit operator bool() const { return field != nullptr; }
    };

    // Links the file at PATH and holds what the form shows of it.
    void Link(const std::string& path);
    // Forgets the file (its row left the list): nothing is held, and Save writes nowhere.
    void Unlink();

    bool IsLinked() const { return m_tag.IsLinked(); }
    const std::string& LinkedPath() const { return m_tag.LinkedPath(); }
    const std::string& ReadError() const { return m_tag.ReadError(); }
    const std::string& Protection() const { return m_tag.Protection(); }

    // The values last loaded or saved: what a selection shows and what Undo brings back. After
    // a Save the genre row is the one the tag holds, which "None" does not change.
    const FormValues& Held() const { return m_held; }
    // The genre number the tag holds, 0..255 (255: none), also where no row shows it.
    unsigned GenreNumber() const { return m_tag.ReadGenreNumber(); }

    // Whether Save would write anything of FORM: a text that is not empty and differs from the
    // held one, or another genre of the list. Clearing a field or choosing "None" keeps what
    // the file holds, so that alone loses nothing. A cover replaced or removed counts too.
    bool HasUnsavedChanges(const FormValues& form) const;
    // The first field, in FieldTable's order, whose text the user changed to one its rule does
    // not take (too long, or not of its form). A text loaded from the file and left as it is
    // is never refused.
    Refusal FirstRefusedEdit(const FormValues& form) const;

    // Writes what the user changed in FORM, the front cover only when the form's differs from
    // the held one; on success FORM's texts and the cover as saved are held. A refused change
    // is reported as "<field>: <message>", nothing written.
    SaveResult Save(const FormValues& form);

private:
    void HoldTag(const TagFields& texts);
    bool IsChanged(const FormValues& form, const FieldTable::Row& row) const;
    CoverEdit CoverEditOf(const FormValues& form) const;

    CTagFile m_tag;
    FormValues m_held;
};
