#include "TagEditingSession.h"

#include "FieldLimits.h"

void TagEditingSession::Link(const std::string& path) {
    m_tag.Link(path);
    HoldTag(m_tag.ReadFields());
}

void TagEditingSession::Unlink() {
    m_tag.Unlink();
    m_held = FormValues();
}

void TagEditingSession::HoldTag(const TagFields& texts) {
    m_held.texts = texts;
    m_held.genreRow = GenreTable::RowForNumber(m_tag.ReadGenreNumber());
    m_held.cover = m_tag.ReadCover();
}

bool TagEditingSession::IsChanged(const FormValues& form, const FieldTable::Row& row) const {
    if (row.text == nullptr)
        return form.genreRow != m_held.genreRow &&
               GenreTable::NumberForRow(form.genreRow) != GenreTable::kNoGenre;
    const std::string& text = form.texts.*row.text;
    return !text.empty() && text != m_held.texts.*row.text;
}

bool TagEditingSession::HasUnsavedChanges(const FormValues& form) const {
    if (!IsLinked())
        return false;
    for (const FieldTable::Row& row : FieldTable::kRows)
        if (IsChanged(form, row))
            return true;
    return form.cover != m_held.cover;
}

TagEditingSession::Refusal TagEditingSession::FirstRefusedEdit(const FormValues& form) const {
    for (const FieldTable::Row& row : FieldTable::kRows) {
        if (row.text == nullptr || !IsChanged(form, row))
            continue;
        std::string message = FieldLimits::Refusal(row, form.texts.*row.text);
        if (!message.empty())
            return {&row, std::move(message)};
    }
    return {};
}

SaveResult TagEditingSession::Save(const FormValues& form) {
    if (!IsLinked())
        return m_tag.Save(TagFields(), GenreTable::kNoGenre);
    if (const Refusal refusal = FirstRefusedEdit(form))
        return {SaveResult::Outcome::Refused,
                std::string(refusal.field->name) + ": " + refusal.message};
    // Only what changed goes to the tag: an empty text and genre 255 keep what the file holds.
    TagFields changes;
    unsigned genreNumber = GenreTable::kNoGenre;
    for (const FieldTable::Row& row : FieldTable::kRows) {
        if (!IsChanged(form, row))
            continue;
        if (row.text == nullptr)
            genreNumber = GenreTable::NumberForRow(form.genreRow);
        else
            changes.*row.text = form.texts.*row.text;
    }
    SaveResult result = m_tag.Save(changes, genreNumber, CoverEditOf(form));
    if (result.Saved())
        HoldTag(form.texts);
    return result;
}

CoverEdit TagEditingSession::CoverEditOf(const FormValues& form) const {
    using Kind = CoverEdit::Kind;
    if (form.cover == m_held.cover)
        return {};
    if (!form.cover)
        return {Kind::Remove, {}};
    return {Kind::Replace, *form.cover};
}
