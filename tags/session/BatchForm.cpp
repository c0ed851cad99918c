#include "BatchForm.h"

#include "FieldLimits.h"
#include "FieldTable.h"

#include <algorithm>
#include <functional>
#include <string_view>
#include <unordered_set>

namespace {

template <typename T> void AddDistinct(std::vector<T>& values, const T& value) {
    if (std::find(values.begin(), values.end(), value) == values.end())
        values.push_back(value);
}

// Covers differ far more often in their bytes than in their digests; equal digests of different
// covers make the count one short, never a shared cover of different ones (see Load).
std::size_t Digest(const std::optional<CoverPicture>& cover) {
    if (!cover)
        return 0;
    return std::hash<std::string_view>()(cover->Bytes()) ^
           (std::hash<std::string>()(cover->mimeType) * 31 +
            static_cast<std::size_t>(cover->pictureType));
}

bool NamesGenre(int row) {
    return row != GenreTable::kNoRow && GenreTable::NumberForRow(row) != GenreTable::kNoGenre;
}

} // namespace

void BatchForm::Load(const std::vector<std::string>& paths) {
    Clear();
    std::unordered_set<std::string> seen;
    std::unordered_set<std::size_t> digests;
    bool coverShared = true;
    TagEditingSession session;
    for (const std::string& path : paths) {
        if (!seen.insert(path).second)
            continue;
        session.Link(path);
        m_paths.push_back(path);
        FormValues values = session.Held();
        if (m_files.empty())
            m_firstCover = values.cover;
        else if (coverShared && values.cover != m_firstCover)
            coverShared = false;
        digests.insert(Digest(values.cover));
        values.cover.reset();
        m_files.push_back({std::move(values), session.GenreNumber()});
    }
    session.Unlink();
    // Whether the covers are shared is decided by their bytes alone.
    m_coverCount = coverShared ? std::min<std::size_t>(m_files.size(), 1)
                               : std::max<std::size_t>(digests.size(), 2);
    ComputeShown();
}

void BatchForm::Clear() {
    m_paths.clear();
    m_files.clear();
    m_shown = FormValues();
    m_firstCover.reset();
    m_coverCount = 0;
}

std::vector<std::string> BatchForm::DistinctTexts(std::string TagFields::*member) const {
    std::vector<std::string> texts;
    for (const FileValues& file : m_files)
        AddDistinct(texts, file.values.texts.*member);
    return texts;
}

std::size_t BatchForm::DistinctGenreCount() const {
    std::vector<unsigned> numbers;
    for (const FileValues& file : m_files)
        AddDistinct(numbers, file.genreNumber);
    return numbers.size();
}

void BatchForm::ComputeShown() {
    m_shown = FormValues();
    if (m_files.empty())
        return;
    for (const FieldTable::Row& row : FieldTable::kRows) {
        if (row.text == nullptr)
            continue;
        const std::vector<std::string> texts = DistinctTexts(row.text);
        m_shown.texts.*row.text = texts.size() == 1 ? texts.front() : std::string();
    }
    m_shown.genreRow =
        DistinctGenreCount() == 1 ? m_files.front().values.genreRow : GenreTable::kNoRow;
    if (m_coverCount == 1)
        m_shown.cover = m_firstCover;
}

bool BatchForm::IsTyped(const FormValues& form, std::string TagFields::*member) const {
    const std::string& text = form.texts.*member;
    return !text.empty() && text != m_shown.texts.*member;
}

bool BatchForm::HasUnsavedChanges(const FormValues& form, const CoverEdit& cover) const {
    if (m_files.empty())
        return false;
    if (cover.kind != CoverEdit::Kind::Keep)
        return true;
    for (const FieldTable::Row& row : FieldTable::kRows) {
        if (row.text != nullptr && IsTyped(form, row.text))
            return true;
    }
    return NamesGenre(form.genreRow) && form.genreRow != m_shown.genreRow;
}

CoverEdit BatchForm::CoverEditOf(const std::optional<CoverPicture>& cover, bool keepsOwn) const {
    using Kind = CoverEdit::Kind;
    if (keepsOwn || (m_coverCount <= 1 && cover == m_shown.cover))
        return {};
    if (!cover)
        return {Kind::Remove, {}};
    return {Kind::Replace, *cover};
}

TagEditingSession::Refusal BatchForm::FirstRefusedEdit(const FormValues& form) const {
    for (const FieldTable::Row& row : FieldTable::kRows) {
        if (row.text == nullptr || !IsTyped(form, row.text))
            continue;
        std::string message = FieldLimits::Refusal(row, form.texts.*row.text);
        if (!message.empty())
            return {&row, std::move(message)};
    }
    return {};
}

FormValues BatchForm::Apply(const FormValues& own, const FormValues& form, const CoverEdit& cover) {
    FormValues applied = own;
    for (const FieldTable::Row& row : FieldTable::kRows) {
        if (row.text != nullptr && !(form.texts.*row.text).empty())
            applied.texts.*row.text = form.texts.*row.text;
    }
    if (NamesGenre(form.genreRow))
        applied.genreRow = form.genreRow;
    // The session removes whatever front cover the file shows, and adds a replaced one as the
    // front cover; the file's other pictures stay.
    if (cover.kind == CoverEdit::Kind::Remove)
        applied.cover.reset();
    else if (cover.kind == CoverEdit::Kind::Replace)
        applied.cover = cover.picture;
    return applied;
}

SaveResult BatchForm::SaveFile(const std::string& path, const FormValues& form,
                               const CoverEdit& cover, FormValues* saved) {
    TagEditingSession session;
    session.Link(path);
    if (!session.ReadError().empty())
        return {SaveResult::Outcome::Refused, session.ReadError()};
    const FormValues applied = Apply(session.Held(), form, cover);
    // A file that already holds every value set is left as it is, and counts as saved.
    const SaveResult result =
        session.HasUnsavedChanges(applied) ? session.Save(applied) : SaveResult::Success();
    if (result.Saved() && saved != nullptr)
        *saved = session.Held();
    return result;
}
