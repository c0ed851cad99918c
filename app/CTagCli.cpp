#include "CTagCli.h"

#include "CoverImageFile.h"
#include "EscapedText.h"
#include "FieldTable.h"
#include "FolderWalk.h"
#include "GenreTable.h"
#include "ImageHeader.h"
#include "Mp3Folder.h"
#include "PosixFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <ostream>
#include <unistd.h>

namespace {

std::string GenreText(unsigned number) {
    const char* row = GenreTable::RowText(GenreTable::RowForNumber(number));
    return std::to_string(number) + " (" + (row ? row : "-") + ")";
}

// "image/jpeg, 300x300, 48213 bytes"; the pixel size only when the picture's header gives it.
std::string CoverText(const std::optional<CoverPicture>& cover) {
    if (!cover)
        return "none";
    const ImageHeader header = ImageHeader::Read(cover->Bytes());
    std::string text = EscapedText::Of(cover->mimeType) + ", ";
    if (header.IsReadable())
        text += std::to_string(header.width) + "x" + std::to_string(header.height) + ", ";
    return text + std::to_string(cover->Size()) + " bytes";
}

// Writes BYTES into a new file at PATH, never over an existing one; empty on success,
// otherwise the system's reason, and nothing is left behind.
std::string WriteNewFile(const std::string& path, std::string_view bytes) {
    PosixFile file(::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOCTTY | O_CLOEXEC, 0666));
    if (!file.IsOpen())
        return std::strerror(errno);
    if (file.WriteAll(bytes.data(), bytes.size()) && file.Close())
        return {};
    const std::string reason = std::strerror(errno);
    ::unlink(path.c_str());
    return reason;
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
    if (arguments.GetCommand() == CCliArguments::Command::ExtractCover)
        return ExtractCover(arguments.Files()[0], arguments.Files()[1]);
    if (!LoadNewCover(arguments))
        return kUsageError;
    const std::vector<std::string> files = FilesToDo(arguments);
    // One file is asked as it is saved; several are all asked first, which costs a second read.
    if (arguments.GetCommand() == CCliArguments::Command::Set && files.size() > 1 &&
        !EditsFitEveryFile(arguments, files))
        return kUsageError;
    int exitCode = kSuccess;
    for (const std::string& path : files) {
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
    m_out << "Cover: " << CoverText(m_session.Held().cover) << "\n\n";
    // The empty values of a tag that could not be read must not pass for the file's own.
    if (!m_session.Protection().empty()) {
        Fail(path, m_session.Protection());
        return kFileFailed;
    }
    return kSuccess;
}

// The window's rule: what the user gives must fit its field, what the file holds may stay. So
// whether a value is refused can depend on the file; every file is asked before any is written,
// as a usage mistake leaves every file as it was.
bool CTagCli::EditsFitEveryFile(const CCliArguments& arguments,
                                const std::vector<std::string>& files) {
    for (const std::string& path : files) {
        m_session.Link(path);
        if (!m_session.ReadError().empty())
            continue; // told when the file's turn comes
        if (Refuses(path, EditedForm(arguments)))
            return false;
    }
    return true;
}

bool CTagCli::Refuses(const std::string& path, const FormValues& form) {
    const TagEditingSession::Refusal refusal = m_session.FirstRefusedEdit(form);
    if (refusal)
        UsageMistake(path + ": " + refusal.field->option + ": " + refusal.message);
    return static_cast<bool>(refusal);
}

FormValues CTagCli::EditedForm(const CCliArguments& arguments) const {
    FormValues form = m_session.Held();
    form.texts = arguments.Edit(form.texts);
    form.genreRow = arguments.GenreRow().value_or(form.genreRow);
    if (!arguments.CoverPath().empty() || arguments.RemovesCover())
        form.cover = m_newCover;
    return form;
}

int CTagCli::Set(const std::string& path, const CCliArguments& arguments) {
    if (!Load(path))
        return kFileFailed;
    const FormValues form = EditedForm(arguments);
    if (Refuses(path, form))
        return kUsageError;
    const SaveResult result = m_session.Save(form);
    if (!result.Saved()) {
        Fail(path, result.reason);
        return kFileFailed;
    }
    return kSuccess;
}

bool CTagCli::LoadNewCover(const CCliArguments& arguments) {
    if (arguments.CoverPath().empty())
        return true;
    CoverImageFile image = CoverImageFile::Load(arguments.CoverPath());
    if (!image.Accepted()) {
        UsageMistake("--cover " + arguments.CoverPath() + ": " + image.problem);
        return false;
    }
    m_newCover = std::move(image.picture);
    return true;
}

int CTagCli::ExtractCover(const std::string& path, const std::string& outPath) {
    if (!Load(path))
        return kFileFailed;
    const std::optional<CoverPicture>& cover = m_session.Held().cover;
    if (!cover) {
        Fail(path,
             m_session.Protection().empty() ? "The file has no cover." : m_session.Protection());
        return kFileFailed;
    }
    const std::string reason = WriteNewFile(outPath, cover->Bytes());
    if (reason.empty())
        return kSuccess;
    Fail(outPath, reason);
    return kFileFailed;
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
