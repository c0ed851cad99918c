#pragma once

#include "CCliArguments.h"
#include "CoverPicture.h"
#include "TagEditingSession.h"

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

// Runs a tageditor-cli command through the same editing session as the editor window.
class CTagCli {
public:
    enum ExitCode { kSuccess = 0, kFileFailed = 1, kUsageError = 2 };

    CTagCli(std::ostream& out, std::ostream& err);

    int Run(const CCliArguments& arguments);

private:
    // The files named, each folder standing for the MP3s below it with -r.
    static std::vector<std::string> FilesToDo(const CCliArguments& arguments);
    // Each returns the file's exit code.
    int Show(const std::string& path);
    int Set(const std::string& path, const CCliArguments& arguments);
    bool EditsFitEveryFile(const CCliArguments& arguments, const std::vector<std::string>& files);
    // Whether the session refuses FORM for the linked file PATH, which is then told as a usage
    // mistake.
    bool Refuses(const std::string& path, const FormValues& form);
    // What the linked file's form holds once ARGUMENTS are applied to it.
    FormValues EditedForm(const CCliArguments& arguments) const;
    int ExtractCover(const std::string& path, const std::string& outPath);
    // Reads --cover's picture before any file is touched; false when it cannot be the cover.
    bool LoadNewCover(const CCliArguments& arguments);
    bool Load(const std::string& path);
    void UsageMistake(const std::string& what);
    void Fail(const std::string& path, const std::string& reason);

    std::ostream& m_out;
    std::ostream& m_err;
    TagEditingSession m_session;
    // What set puts in the form's cover: --cover's picture, or none for --remove-cover.
    std::optional<CoverPicture> m_newCover;
};
