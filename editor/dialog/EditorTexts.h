#pragma once

#include <QCoreApplication>
#include <QString>

// The editor window's own texts: caption, labels, menus, hint and notices (the file list's
// are in FileListTexts.h). Each is the source text of its translation in the context
// "EditorTexts"; the window shows it through Tr.
namespace EditorTexts {

// TEXT in the user's language: the text itself while no translation is installed.
inline QString Tr(const char* text) {
    return QCoreApplication::translate("EditorTexts", text);
}

inline constexpr char kCaption[] = QT_TRANSLATE_NOOP("EditorTexts", "Varlen MP3 Tag Editor");
inline constexpr char kStatusHint[] = QT_TRANSLATE_NOOP(
    "EditorTexts", "Drag and drop MP3 files from your file manager or click Add Files button");

inline constexpr char kTitleLabel[] = QT_TRANSLATE_NOOP("EditorTexts", "Title:");
inline constexpr char kArtistLabel[] = QT_TRANSLATE_NOOP("EditorTexts", "Artist:");
inline constexpr char kAlbumLabel[] = QT_TRANSLATE_NOOP("EditorTexts", "Album:");
inline constexpr char kYearLabel[] = QT_TRANSLATE_NOOP("EditorTexts", "Year:");
inline constexpr char kGenreLabel[] = QT_TRANSLATE_NOOP("EditorTexts", "Genre:");
inline constexpr char kCommentsLabel[] = QT_TRANSLATE_NOOP("EditorTexts", "Comments:");

inline constexpr char kMenuFile[] = QT_TRANSLATE_NOOP("EditorTexts", "&File");
inline constexpr char kMenuNewFileList[] = QT_TRANSLATE_NOOP("EditorTexts", "&New File List");
inline constexpr char kMenuAddFile[] = QT_TRANSLATE_NOOP("EditorTexts", "&Add File");
inline constexpr char kMenuSaveFile[] = QT_TRANSLATE_NOOP("EditorTexts", "&Save File");
inline constexpr char kMenuRemoveFile[] = QT_TRANSLATE_NOOP("EditorTexts", "&Remove File");
inline constexpr char kMenuExit[] = QT_TRANSLATE_NOOP("EditorTexts", "Exit");
inline constexpr char kMenuAction[] = QT_TRANSLATE_NOOP("EditorTexts", "&Action");
inline constexpr char kMenuUndo[] = QT_TRANSLATE_NOOP("EditorTexts", "&Undo");
inline constexpr char kMenuHelp[] = QT_TRANSLATE_NOOP("EditorTexts", "&Help");
inline constexpr char kMenuContents[] = QT_TRANSLATE_NOOP("EditorTexts", "&Contents");
inline constexpr char kMenuAbout[] = QT_TRANSLATE_NOOP("EditorTexts", "&About...");

inline constexpr char kNoFilesToPlay[] =
    QT_TRANSLATE_NOOP("EditorTexts", "There are no files to play!");
// %1 is the file, %2 why the tags could not be written.
inline constexpr char kNotSaved[] =
    QT_TRANSLATE_NOOP("EditorTexts", "Nothing was saved to %1.\n\n%2");
inline constexpr char kNoFileToSave[] =
    QT_TRANSLATE_NOOP("EditorTexts", "There is no file to save! Select a file in the list first.");
// %1 is the name of the file whose edits are not saved yet.
inline constexpr char kAskSaveBeforeClose[] = QT_TRANSLATE_NOOP(
    "EditorTexts", "Would you like to save the changes to \"%1\" before closing the editor?");
inline constexpr char kAskSaveBeforeSwitch[] = QT_TRANSLATE_NOOP(
    "EditorTexts", "Would you like to save the changes to \"%1\" before editing another file?");
// Under the form while a file is shown that Save would refuse; %1 is why.
inline constexpr char kProtectedFile[] =
    QT_TRANSLATE_NOOP("EditorTexts", "This file cannot be saved. %1");

inline constexpr char kHelpPage[] = "quillet.chm::/index.html";

} // namespace EditorTexts
