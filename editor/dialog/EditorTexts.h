#pragma once

#include <QCoreApplication>

// The editor window's own texts: caption, labels, menus, hint and notices (the file list's
// are in FileListTexts.h). Each is the source text of its translation; the window shows it
// through EditorTexts::tr.
struct EditorTexts {
    Q_DECLARE_TR_FUNCTIONS(EditorTexts)

public:
    static constexpr char kCaption[] = QT_TR_NOOP("Varlen MP3 Tag Editor");
    static constexpr char kStatusHint[] =
        QT_TR_NOOP("Drag and drop MP3 files from your file manager or click Add Files button");

    static constexpr char kTitleLabel[] = QT_TR_NOOP("Title:");
    static constexpr char kArtistLabel[] = QT_TR_NOOP("Artist:");
    static constexpr char kAlbumLabel[] = QT_TR_NOOP("Album:");
    static constexpr char kYearLabel[] = QT_TR_NOOP("Year:");
    static constexpr char kGenreLabel[] = QT_TR_NOOP("Genre:");
    static constexpr char kCommentsLabel[] = QT_TR_NOOP("Comments:");
    static constexpr char kTrackLabel[] = QT_TR_NOOP("Track:");
    static constexpr char kDiscLabel[] = QT_TR_NOOP("Disc:");
    static constexpr char kAlbumArtistLabel[] = QT_TR_NOOP("Album artist:");

    static constexpr char kMenuFile[] = QT_TR_NOOP("&File");
    static constexpr char kMenuNewFileList[] = QT_TR_NOOP("&New File List");
    static constexpr char kMenuAddFile[] = QT_TR_NOOP("&Add File");
    static constexpr char kMenuAddFolder[] = QT_TR_NOOP("Add F&older…");
    static constexpr char kMenuSaveFile[] = QT_TR_NOOP("&Save File");
    static constexpr char kMenuRemoveFile[] = QT_TR_NOOP("&Remove File");
    static constexpr char kMenuExit[] = QT_TR_NOOP("Exit");
    static constexpr char kMenuAction[] = QT_TR_NOOP("&Action");
    static constexpr char kMenuUndo[] = QT_TR_NOOP("&Undo");
    static constexpr char kMenuReplaceCover[] = QT_TR_NOOP("Replace Cover…");
    static constexpr char kMenuRemoveCover[] = QT_TR_NOOP("Remove Cover");
    static constexpr char kMenuSaveCoverAs[] = QT_TR_NOOP("Save Cover As…");
    static constexpr char kMenuHelp[] = QT_TR_NOOP("&Help");
    static constexpr char kMenuContents[] = QT_TR_NOOP("&Contents");
    static constexpr char kMenuAbout[] = QT_TR_NOOP("&About...");

    static constexpr char kNoFilesToPlay[] = QT_TR_NOOP("There are no files to play!");
    // %1 is the file, %2 why the tags could not be written.
    static constexpr char kNotSaved[] = QT_TR_NOOP("Nothing was saved to %1.\n\n%2");
    static constexpr char kNoFileToSave[] =
        QT_TR_NOOP("There is no file to save! Select a file in the list first.");
    // %1 is the name of the file whose edits are not saved yet.
    static constexpr char kAskSaveBeforeClose[] =
        QT_TR_NOOP("Would you like to save the changes to \"%1\" before closing the editor?");
    static constexpr char kAskSaveBeforeSwitch[] =
        QT_TR_NOOP("Would you like to save the changes to \"%1\" before editing another file?");
    static constexpr char kAskSaveBeforeRemove[] = QT_TR_NOOP(
        "Would you like to save the changes to \"%1\" before removing it from the list?");
    // In the status bar for a moment after a Save; %1 is the file's name.
    static constexpr char kSaved[] = QT_TR_NOOP("Saved %1");
    // The same questions about several selected files; %1 is how many.
    static constexpr char kAskSaveManyBeforeClose[] = QT_TR_NOOP(
        "Would you like to save the changes to the %1 selected files before closing the editor?");
    static constexpr char kAskSaveManyBeforeSwitch[] = QT_TR_NOOP(
        "Would you like to save the changes to the %1 selected files before editing other files?");
    static constexpr char kAskSaveManyBeforeRemove[] =
        QT_TR_NOOP("Would you like to save the changes to the %1 selected files before removing "
                   "files from the list?");
    // The grey text of a field whose value differs between the selected files; %1 is how many
    // values there are.
    static constexpr char kDifferentValues[] = QT_TR_NOOP("(%1 different values)");
    // The same in a field too narrow for it.
    static constexpr char kDifferentValuesShort[] = QT_TR_NOOP("(%1 values)");
    static constexpr char kDifferentGenres[] = QT_TR_NOOP("(%1 different genres)");
    static constexpr char kDifferentCovers[] = QT_TR_NOOP("(%1 different covers)");
    // A Save of several files: its progress, and what it tells when some were not saved (%1 of
    // %2 saved; %3 the files left as they were, each on a line of its own with why).
    static constexpr char kSavingFiles[] = QT_TR_NOOP("Saving %1 files…");
    static constexpr char kCancel[] = QT_TR_NOOP("Cancel");
    static constexpr char kSavedSome[] = QT_TR_NOOP("Saved %1 of %2 files. Not saved: %3");
    static constexpr char kNotSavedFile[] = QT_TR_NOOP("%1: %2");
    static constexpr char kSaveCancelled[] = QT_TR_NOOP("the Save was cancelled before it");
    // Under the form while a file is shown that Save would refuse; %1 is why.
    static constexpr char kProtectedFile[] = QT_TR_NOOP("This file cannot be saved. %1");

    // In the cover's square when the file has no picture.
    static constexpr char kNoCover[] = QT_TR_NOOP("No cover");
    static constexpr char kChooseCoverTitle[] = QT_TR_NOOP("Replace Cover");
    static constexpr char kCoverFilter[] = QT_TR_NOOP("JPEG or PNG pictures (*.jpg *.jpeg *.png)");
    static constexpr char kSaveCoverTitle[] = QT_TR_NOOP("Save Cover As");
    // %1 is the picture file, %2 why it cannot be the cover.
    static constexpr char kCoverRefused[] = QT_TR_NOOP("%1 cannot be the cover.\n\n%2");
    static constexpr char kCoverUnreadable[] =
        QT_TR_NOOP("It is not a JPEG or PNG picture that can be read.");
    // %1 is the file, %2 the system's reason.
    static constexpr char kCoverNotWritten[] =
        QT_TR_NOOP("The cover could not be saved to %1.\n\n%2");
    // The cover's tooltip, one line each: its picture type, MIME type, pixel size and byte size.
    static constexpr char kCoverPixels[] = QT_TR_NOOP("%1 × %2 pixels");
    static constexpr char kCoverBytes[] = QT_TR_NOOP("%1 bytes");
    static constexpr char kPictureType[] = QT_TR_NOOP("Picture type %1");

    static constexpr char kHelpPage[] = "quillet.chm::/index.html";
};
