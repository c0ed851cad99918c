#include "CTagCli.h"

#include "EscapedText.h"
#include "FieldLimits.h"
#include "GenreTable.h"
#include "Latin1Text.h"

#include <ostream>

namespace {

// A tag's text as one line of the terminal.
std::string ShownText(const std::string& latin1) {
    return EscapedText::Of(Latin1Text::ToUtf8(latin1));
}

std::string GenreText(unsigned number) {
    const char* row = GenreTable::RowText(GenreTable::RowForNumber(number));
    return std::to_string(number) + " (" + (row ? row : "-") + ")";
}

} // namespace

CTagCli::CTagCli(std::ostream& out, std::ostream& err) : m_out(out), m_err(err) {}

int CTagCli::Run(const CCliArguments& arguments) {
    if (!arguments.Error().empty()) {
        m_err << "tageditor-cli: " << arguments.Error() << "\n"
              << "Run \"tageditor-cli --help\" to see how it is used.\n";
        return kUsageError;
    }
    if (arguments.GetCommand() == CCliArguments::Command::Help) {
        m_out << CCliArguments::Usage();
        return kSuccess;
    }
    bool allDone = true;
    for (const std::string& path : arguments.Files()) {
        const bool done = arguments.GetCommand() == CCliArguments::Command::Show
                              ? Show(path)
                              : Set(path, arguments);
        allDone = allDone && done;
    }
    return allDone ? kSuccess : kFileFailed;
}

bool CTagCli::Show(const std::string& path) {
    if (!Load(path))
        return false;
    const TagFields fields = m_tag.ReadFields();
    m_out << "File: " << EscapedText::Of(path) << '\n'
          << "Title: " << ShownText(fields.title) << '\n'
          << "Artist: " << ShownText(fields.artist) << '\n'
          << "Album: " << ShownText(fields.album) << '\n'
          << "Year: " << ShownText(fields.year) << '\n'
          << "Genre: " << GenreText(m_tag.ReadGenreNumber()) << '\n'
          << "Comments: " << ShownText(fields.comment) << "\n\n";
    // The empty values of a tag that could not be read must not pass for the file's own.
    if (!m_tag.Protection().empty()) {
        Fail(path, m_tag.Protection());
        return false;
    }
    return true;
}

bool CTagCli::Set(const std::string& path, const CCliArguments& arguments) {
    if (!Load(path))
        return false;
    const TagFields form = arguments.Edit(m_tag.ReadFields());
    if (const FieldLimits::Field* tooLong = FieldLimits::FirstTooLong(form)) {
        Fail(path,
             std::string(tooLong->label) + ": " + FieldLimits::TooLongMessage(tooLong->limit));
        return false;
    }
    const int genreRow =
        arguments.GenreRow().value_or(GenreTable::RowForNumber(m_tag.ReadGenreNumber()));
    const SaveResult result = m_tag.Save(form, GenreTable::NumberForRow(genreRow));
    if (!result.Saved())
        Fail(path, result.reason);
    return result.Saved();
}

bool CTagCli::Load(const std::string& path) {
    m_tag.Link(path);
    if (m_tag.ReadError().empty())
        return true;
    Fail(path, m_tag.ReadError());
    return false;
}

void CTagCli::Fail(const std::string& path, const std::string& reason) {
    m_err << "tageditor-cli: " << path << ": " << reason << '\n';
}
