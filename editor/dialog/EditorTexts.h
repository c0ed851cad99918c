#pragma once

// The editor window's own texts: caption, labels, menus, hint and notices (the file list's
// are in FileListTexts.h).
namespace EditorTexts {

inline constexpr char kCaption[] = "Varlen MP3 Tag Editor";
inline constexpr char kStatusHint[] =
    "Drag and drop MP3 files from your file manager or click Add Files button";

inline constexpr char kTitleLabel[] = "Title:";
inline constexpr char kArtistLabel[] = "Artist:";
inline constexpr char kAlbumLabel[] = "Album:";
inline constexpr char kYearLabel[] = "Year:";
inline constexpr char kGenreLabel[] = "Genre:";
inline constexpr char kCommentsLabel[] = "Comments:";

inline constexpr char kMenuFile[] = "&File";
inline constexpr char kMenuNewFileList[] = "&New File List";
inline constexpr char kMenuAddFile[] = "&Add File";
inline constexpr char kMenuSaveFile[] = "&Save File";
inline constexpr char kMenuRemoveFile[] = "&Remove File";
inline constexpr char kMenuExit[] = "Exit";
inline constexpr char kMenuAction[] = "&Action";
inline constexpr char kMenuUndo[] = "&Undo";
inline constexpr char kMenuHelp[] = "&Help";
inline constexpr char kMenuContents[] = "&Contents";
inline constexpr char kMenuAbout[] = "&About...";

inline constexpr char kNoFilesToPlay[] = "There are no files to play!";
// %1 is the file, %2 why the tags could not be written.
inline constexpr char kNotSaved[] = "Nothing was saved to %1.\n\n%2";
inline constexpr char kNoFileToSave[] =
    "There is no file to save! Select a file in the list first.";
// %1 is the name of the file whose edits are not saved yet.
inline constexpr char kAskSaveBeforeClose[] =
    "Would you like to save the changes to \"%1\" before closing the editor?";
inline constexpr char kAskSaveBeforeSwitch[] =
    "Would you like to save the changes to \"%1\" before editing another file?";
// Under the form while a file is shown that Save would refuse; %1 is why.
inline constexpr char kProtectedFile[] = "This file cannot be saved. %1";

inline constexpr char kHelpPage[] = "quillet.chm::/index.html";

} // namespace EditorTexts
