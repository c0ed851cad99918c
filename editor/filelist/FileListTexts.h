#pragma once

#include <QCoreApplication>
#include <QString>

// The file list's own words and numbers, kept together so they can be read against each other.
// Each text is the source text of its translation in the context "FileListTexts", shown
// through Tr.
namespace FileListTexts {

// TEXT in the user's language: the text itself while no translation is installed.
inline QString Tr(const char* text) {
    return QCoreApplication::translate("FileListTexts", text);
}

constexpr int kCapacity = 500;

// Two lines; the first keeps its trailing blank.
inline constexpr char kCapacityNotice[] = QT_TRANSLATE_NOOP(
    "FileListTexts", "This version does not allow joining more than 500 files at once \n"
                     "Please join files in batches not exceeding 500 count.");

inline constexpr char kNoFilesToRemove[] =
    QT_TRANSLATE_NOOP("FileListTexts", "There are no files to remove!");
inline constexpr char kAskRemove[] =
    QT_TRANSLATE_NOOP("FileListTexts", "Would you like to remove selected files from the list?");
inline constexpr char kAskNewList[] =
    QT_TRANSLATE_NOOP("FileListTexts", "Would you like to create a new list of files to edit?");

inline constexpr char kAddFilesTitle[] = QT_TRANSLATE_NOOP("FileListTexts", "Add Files to Edit");
inline constexpr char kAddFilesFilter[] = QT_TRANSLATE_NOOP("FileListTexts", "MP3 Files (*.mp3)");

inline constexpr char kColumnHeading[] = QT_TRANSLATE_NOOP("FileListTexts", "Files to edit");
constexpr int kColumnWidth = 293;

inline constexpr char kMenuPlay[] = QT_TRANSLATE_NOOP("FileListTexts", "&Play");
inline constexpr char kMenuStop[] = QT_TRANSLATE_NOOP("FileListTexts", "&Stop");
inline constexpr char kMenuPause[] = QT_TRANSLATE_NOOP("FileListTexts", "P&ause");

} // namespace FileListTexts
