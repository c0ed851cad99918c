#include "TagEditingSession.h"

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

bool TagEditingSession::HasUnsavedChanges(const FormValues& form) const {
    if (!IsLinked())
        return false;
    for (const FieldLimits::Field& field : FieldLimits::kFields) {
        const std::string& text = form.texts.*field.member;
        if (!text.empty() && text != m_held.texts.*field.member)
            return true;
    }
    if (form.cover != m_held.cover)
        return true;
    return form.genreRow != m_held.genreRow &&
           GenreTable::NumberForRow(form.genreRow) != GenreTable::kNoGenre;
}

const FieldLimits::Field* TagEditingSession::FirstTooLongEdit(const FormValues& form) const {
    return FieldLimits::FirstTooLongEdit(form.texts, m_held.texts);
}

SaveResult TagEditingSession::Save(const FormValues& form) {
    if (IsLinked()) {
        if (const FieldLimits::Field* tooLong = FirstTooLongEdit(form))
            return {SaveResult::Outcome::Refused, std::string(tooLong->label) + ": " +
                                                      FieldLimits::TooLongMessage(tooLong->limit)};
    }
    SaveResult result =
        m_tag.Save(form.texts, GenreTable::NumberForRow(form.genreRow), CoverEditOf(form));
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
