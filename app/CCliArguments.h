#pragma once

#include "TagFields.h"

#include <optional>
#include <string>
#include <vector>

// The command line of tageditor-cli, checked; its texts are UTF-8.
class CCliArguments {
public:
    enum class Command { Help, Show, Set, ExtractCover };

    // ARGS without the program name.
    static CCliArguments Parse(const std::vector<std::string>& args);
    static const char* Usage();

    // Empty when the command line can be run; otherwise what is wrong with it.
    const std::string& Error() const { return m_error; }
    Command GetCommand() const { return m_command; }
    const std::vector<std::string>& Files() const { return m_files; }
    // -r: a folder among the files stands for the MP3s below it.
    bool Recursive() const { return m_recursive; }

    // FORM with the fields given on the command line put in, as a user types them.
    TagFields Edit(const TagFields& form) const;
    // The genre row chosen on the command line, if one was.
    std::optional<int> GenreRow() const { return m_genreRow; }
    // The picture file --cover names; empty when none was given.
    const std::string& CoverPath() const { return m_coverPath; }
    bool RemovesCover() const { return m_removesCover; }

private:
    void TakeOption(const std::string& name, const std::string& value);
    void TakeField(const std::string& name, std::string TagFields::*member,
                   const std::string& value);
    void TakeGenre(const std::string& value);
    void CheckFiles();

    Command m_command = Command::Help;
    std::string m_error;
    std::vector<std::string> m_files;
    TagFields m_edits;
    std::vector<std::string TagFields::*> m_edited;
    std::optional<int> m_genreRow;
    bool m_recursive = false;
    std::string m_coverPath;
    bool m_removesCover = false;
};
