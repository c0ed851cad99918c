#include "CCliArguments.h"

#include "FieldTable.h"
#include "GenreTable.h"
#include "UnicodeText.h"

#include <algorithm>
#include <cctype>
#include <iterator>

namespace {

constexpr const char kUsage[] =
    R"(Usage: tageditor-cli show [-r] FILE...
       tageditor-cli set [-r] [--title T] [--artist A] [--album L] [--year Y]
                         [--comment C] [--genre N|NAME] [--track N[/T]]
                         [--disc N[/T]] [--album-artist A]
                         [--cover IMAGE | --remove-cover] FILE...
       tageditor-cli extract-cover FILE OUTFILE
       tageditor-cli --help

Shows or changes the tags of MP3 files, exactly as the editor's window does.

  show  prints each file's Title, Artist, Album, Year, Genre, Comments, Track,
        Disc and Album artist, one line each, empty when the file has none. In
        the file's path and in the texts, a control character is printed as
        \n, \t, \r, \xNN or \uNNNN, a byte that is not UTF-8 as \xNN, and a
        backslash as \\.
        A last line names the front cover:
        "Cover: image/jpeg, 300x300, 48213 bytes", or "Cover: none".
  set   loads each file, changes the fields given, and saves it: an ID3v2.3
        tag at the start of the file and an ID3v1 tag at its end. As in the
        window, only what changes is written: a field left out, or given the
        text it already has, keeps the file's frames exactly as they are, and
        an empty text keeps what the file holds.
  extract-cover  writes the bytes of FILE's front cover, exactly as its tag
        holds them, into OUTFILE, which must not exist yet.

Options of show and set:
  -r, --recursive   a folder among the files stands for the MP3 files below
                    it, at any depth, in path order; other files in it are
                    passed over

Options of set:
  --title T         at most 30 characters
  --artist A        at most 30 characters
  --album L         at most 30 characters
  --year Y          at most 4 digits
  --comment C       at most 28 characters
  --genre N|NAME    a genre number 0 to 79, or a name from the editor's genre
                    list such as HardRock (case ignored); None, 80 or 255
                    keep the file's genre
  --cover IMAGE     a JPEG or PNG file of at most 16 MB becomes the front
                    cover (picture type 3), its bytes stored as they are;
                    other pictures stay
  --remove-cover    removes the front cover; other pictures stay
  --track N[/T]     a track number 1 to 999, or a number and a total (3/12);
                    the ID3v1 tag holds the number when it is 1 to 255
  --disc N[/T]      a disc number 1 to 999, or a number and a total (1/2);
                    the ID3v1 tag has no place for it
  --album-artist A  at most 30 characters; the ID3v1 tag has no place for it,
                    but takes it as the artist when Artist is empty

These rules hold for what is given on the command line: a text the file holds
already and given back as it is (a title longer than 30 characters, say) is
kept. A value a field does not take is a usage error, and the file is left as
it was.

After --, every argument is a file, even one whose name starts with --.
Texts are UTF-8, in any language. The ID3v2 tag stores a text as ISO-8859-1
when every character fits, otherwise as UTF-16; the ID3v1 tag holds ISO-8859-1
only, with "?" for each character it cannot hold.
The front cover is the picture of type 3 (front cover), else the first one.
An IMAGE that cannot be read, or is no JPEG or PNG, is a usage error.
Exit status: 0 success, 1 a file could not be read or saved, 2 usage error.
)";

constexpr char kHelpOption[] = "--help";
constexpr char kCoverOption[] = "--cover";
constexpr char kRemoveCoverOption[] = "--remove-cover";

bool IsSmallNumber(const std::string& text) {
    return !text.empty() && text.size() <= 3 &&
           std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c); });
}

} // namespace

const char* CCliArguments::Usage() {
    return kUsage;
}

CCliArguments CCliArguments::Parse(const std::vector<std::string>& args) {
    CCliArguments parsed;
    if (!args.empty() && args[0] == kHelpOption)
        return parsed;
    if (args.empty()) {
        parsed.m_error = "no command given";
        return parsed;
    }
    if (args[0] == "show") {
        parsed.m_command = Command::Show;
    } else if (args[0] == "set") {
        parsed.m_command = Command::Set;
    } else if (args[0] == "extract-cover") {
        parsed.m_command = Command::ExtractCover;
    } else {
        parsed.m_error = "unknown command \"" + args[0] + "\"";
        return parsed;
    }
    bool optionsEnded = false;
    for (auto arg = std::next(args.begin()); arg != args.end() && parsed.m_error.empty(); ++arg) {
        if (!optionsEnded && parsed.m_command != Command::ExtractCover &&
            (*arg == "-r" || *arg == "--recursive")) {
            parsed.m_recursive = true;
        } else if (optionsEnded || arg->rfind("--", 0) != 0) {
            parsed.m_files.push_back(*arg);
        } else if (*arg == "--") {
            optionsEnded = true;
        } else if (*arg == kHelpOption) {
            // Only here, where an option may stand: an option's value or a file after "--"
            // may be called "--help" too.
            return CCliArguments();
        } else if (parsed.m_command != Command::Set) {
            parsed.m_error =
                args[0] + (parsed.m_command == Command::Show ? " takes no options but -r"
                                                             : " takes no options");
        } else if (*arg == kRemoveCoverOption) {
            parsed.m_removesCover = true;
        } else if (const auto equals = arg->find('='); equals != std::string::npos) {
            parsed.TakeOption(arg->substr(0, equals), arg->substr(equals + 1));
        } else if (std::next(arg) != args.end()) {
            const std::string& name = *arg;
            parsed.TakeOption(name, *++arg);
        } else {
            parsed.m_error = *arg + " needs a value";
        }
    }
    if (parsed.m_error.empty())
        parsed.CheckFiles();
    return parsed;
}

void CCliArguments::CheckFiles() {
    if (m_command == Command::ExtractCover && m_files.size() != 2)
        m_error = "extract-cover takes one MP3 file and one file to write";
    else if (m_files.empty())
        m_error = "no file given";
    else if (!m_coverPath.empty() && m_removesCover)
        m_error =
            std::string(kCoverOption) + " and " + kRemoveCoverOption + " cannot be given together";
}

void CCliArguments::TakeOption(const std::string& name, const std::string& value) {
    if (name == kRemoveCoverOption) {
        m_error = name + " takes no value";
        return;
    }
    if (name == kCoverOption) {
        if (value.empty())
            m_error = name + " needs a picture file";
        m_coverPath = value;
        return;
    }
    for (const FieldTable::Row& row : FieldTable::kRows) {
        if (name != row.option)
            continue;
        if (row.text == nullptr)
            return TakeGenre(value);
        return TakeField(name, row.text, value);
    }
    m_error = "unknown option \"" + name + "\"";
}

void CCliArguments::TakeField(const std::string& name, std::string TagFields::*member,
                              const std::string& value) {
    if (!UnicodeText::IsValidUtf8(value)) {
        m_error = name + ": the text is not valid UTF-8";
        return;
    }
    m_edits.*member = value;
    m_edited.push_back(member);
}

void CCliArguments::TakeGenre(const std::string& value) {
    const int row = IsSmallNumber(value)
                        ? GenreTable::RowForNumber(static_cast<unsigned>(std::stoi(value)))
                        : GenreTable::RowForName(value.c_str());
    if (row == GenreTable::kNoRow) {
        m_error = "--genre \"" + value +
                  "\": not a genre of the list (a number 0 to 79, None, or a name such as Rock)";
        return;
    }
    m_genreRow = row;
}

TagFields CCliArguments::Edit(const TagFields& form) const {
    TagFields edited = form;
    for (auto member : m_edited)
        edited.*member = m_edits.*member;
    return edited;
}
