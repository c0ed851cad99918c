#include "CTagCli.h"

#include "EscapedText.h"
#include "FieldTable.h"
#include "FolderWalk.h"
#include "GenreTable.h"
#include "Mp3Folder.h"

#include <algorithm>
#include <ostream>

namespace {

std::string GenreText(unsigned number) {
    const char* row = GenreTable::RowText(GenreTable::RowForNumber(number));
    return std::to_string(number) + " (" + (row ? row : "-") + ")";
}

} // namespace

CTagCli::CTagCli(std::ostream& out, std::ostream& err) : m_out(out), m_err(err) {}

int CTagCli::Run(const CCliArguments& arguments) {
    if (!arguments.Error().empty()) {
        UsageMistake(arguments.Error());
        return kUsageError;
    }
    if (arguments.GetCommand() == CCliArguments::Command::Help) {
        m_out << CCliArguments::Usage();
        return kSuccess;
    }
    int exitCode = kSuccess;
    for (const std::string& path : FilesToDo(arguments)) {
        const int code = arguments.GetCommand() == CCliArguments::Command::Show
                             ? Show(path)
                             : Set(path, arguments);
        exitCode = std::max(exitCode, code);
    }
    return exitCode;
}

std::vector<std::string> CTagCli::FilesToDo(const CCliArguments& arguments) {
    if (!arguments.Recursive())
        return arguments.Files();
    std::vector<std::string> files;
    for (const std::string& path : arguments.Files()) {
        if (!FolderWalk::IsFolder(path)) {
            files.push_back(path);
            continue;
        }
        const std::vector<std::string> below = Mp3Folder::Mp3sBelow(path);
        files.insert(files.end(), below.begin(), below.end());
    }
    return files;
}

int CTagCli::Show(const std::string& path) {
    if (!Load(path))
        return kFileFailed;
    const TagFields& fields = m_session.Held().texts;
    m_out << "File: " << EscapedText::Of(path) << '\n';
    for (const FieldTable::Row& row : FieldTable::kRows)
        m_out << row.name << ": "
              << (row.text ? EscapedText::Of(fields.*row.text) : GenreText(m_session.GenreNumber()))
              << '\n';
    m_out << '\n';
    // The empty values of a tag that could not be read must not pass for the file's own.
    if (!m_session.Protection().empty()) {
        Fail(path, m_session.Protection());
        return kFileFailed;
    }
    return kSuccess;
}

int CTagCli::Set(const std::string& path, const CCliArguments& arguments) {
    if (!Load(path))
        return kFileFailed;
    FormValues form = m_session.Held();
    form.texts = arguments.Edit(form.texts);
    form.genreRow = arguments.GenreRow().value_or(form.genreRow);
    // The window's rule: what the user gives must fit its field, what the file holds may stay.
    if (const TagEditingSession::Refusal refusal = m_session.FirstRefusedEdit(form)) {
        UsageMistake(std::string(refusal.field->option) + ": " + refusal.message);
        return kUsageError;
    }
    const SaveResult result = m_session.Save(form);
    if (!result.Saved()) {
        Fail(path, result.reason);
        return kFileFailed;
    }
    return kSuccess;
}

bool CTagCli::Load(const std::string& path) {
    m_session.Link(path);
    if (m_session.ReadError().empty())
        return true;
    Fail(path, m_session.ReadError());
    return false;
}

void CTagCli::UsageMistake(const std::string& what) {
    m_err << "tageditor-cli: " << what << "\n"
          << "Run \"tageditor-cli --help\" to see how it is used.\n";
}

void CTagCli::Fail(const std::string& path, const std::string& reason) {
    m_err << "tageditor-cli: " << path << ": " << reason << '\n';
}
