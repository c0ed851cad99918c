#include "CTagCli.h"

#include "EscapedText.h"
#include "FolderWalk.h"
#include "GenreTable.h"
#include "Mp3Folder.h"

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
        m_err << "tageditor-cli: " << arguments.Error() << "\n"
              << "Run \"tageditor-cli --help\" to see how it is used.\n";
        return kUsageError;
    }
    if (arguments.GetCommand() == CCliArguments::Command::Help) {
        m_out << CCliArguments::Usage();
        return kSuccess;
    }
    bool allDone = true;
    for (const std::string& path : FilesToDo(arguments)) {
        const bool done = arguments.GetCommand() == CCliArguments::Command::Show
                              ? Show(path)
                              : Set(path, arguments);
        allDone = allDone && done;
    }
    return allDone ? kSuccess : kFileFailed;
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

bool CTagCli::Show(const std::string& path) {
    if (!Load(path))
        return false;
    const TagFields& fields = m_session.Held().texts;
    m_out << "File: " << EscapedText::Of(path) << '\n'
          << "Title: " << EscapedText::Of(fields.title) << '\n'
          << "Artist: " << EscapedText::Of(fields.artist) << '\n'
          << "Album: " << EscapedText::Of(fields.album) << '\n'
          << "Year: " << EscapedText::Of(fields.year) << '\n'
          << "Genre: " << GenreText(m_session.GenreNumber()) << '\n'
          << "Comments: " << EscapedText::Of(fields.comment) << "\n\n";
    // The empty values of a tag that could not be read must not pass for the file's own.
    if (!m_session.Protection().empty()) {
        Fail(path, m_session.Protection());
        return false;
    }
    return true;
}

bool CTagCli::Set(const std::string& path, const CCliArguments& arguments) {
    if (!Load(path))
        return false;
    FormValues form = m_session.Held();
    form.texts = arguments.Edit(form.texts);
    form.genreRow = arguments.GenreRow().value_or(form.genreRow);
    const SaveResult result = m_session.Save(form);
    if (!result.Saved())
        Fail(path, result.reason);
    return result.Saved();
}

bool CTagCli::Load(const std::string& path) {
    m_session.Link(path);
    if (m_session.ReadError().empty())
        return true;
    Fail(path, m_session.ReadError());
    return false;
}

void CTagCli::Fail(const std::string& path, const std::string& reason) {
    m_err << "tageditor-cli: " << path << ": " << reason << '\n';
}
