#pragma once

#include <QCoreApplication>

// The file list's own words and numbers, kept together so they can be read against each other.
// Each text is the source text of its translation, shown through FileListTexts::tr.
struct FileListTexts {
    Q_DECLARE_TR_FUNCTIONS(FileListTexts)

public:
    static constexpr int kCapacity = 500;

    // Two lines; the first keeps its trailing blank.
    static constexpr char kCapacityNotice[] =
        QT_TR_NOOP("This version does not allow joining more than 500 files at once \n"
                   "Please join files in batches not exceeding 500 count.");

    // %1 is one line per file left out.
    static constexpr char kLeftOutNotice[] =
        QT_TR_NOOP("Only MP3 files can be edited, so these were not added to the list:\n\n%1");
    // %1 is the file, %2 why it is not an MP3.
    static constexpr char kLeftOutLine[] = QT_TR_NOOP("%1\n    %2");
    static constexpr char kLeftOutMore[] = QT_TR_NOOP("... and %n more.");

    static constexpr char kNoFilesToRemove[] = QT_TR_NOOP("There are no files to remove!");
    static constexpr char kAskRemove[] =
        QT_TR_NOOP("Would you like to remove selected files from the list?");
    static constexpr char kAskNewList[] =
        QT_TR_NOOP("Would you like to create a new list of files to edit?");

    static constexpr char kAddFilesTitle[] = QT_TR_NOOP("Add Files to Edit");
    static constexpr char kAddFilesFilter[] = QT_TR_NOOP("MP3 Files (*.mp3)");
    static constexpr char kAddFolderTitle[] = QT_TR_NOOP("Add Folder to Edit");

    static constexpr char kColumnHeading[] = QT_TR_NOOP("Files to edit");
    static constexpr int kColumnWidth = 293;
    // The tag columns after it (TagColumns).
    static constexpr char kColumnTitle[] = QT_TR_NOOP("Title");
    static constexpr char kColumnArtist[] = QT_TR_NOOP("Artist");
    static constexpr char kColumnAlbum[] = QT_TR_NOOP("Album");
    static constexpr char kColumnTrack[] = QT_TR_NOOP("Track");
    static constexpr char kColumnYear[] = QT_TR_NOOP("Year");
    static constexpr char kColumnGenre[] = QT_TR_NOOP("Genre");

    static constexpr char kMenuPlay[] = QT_TR_NOOP("&Play");
    static constexpr char kMenuStop[] = QT_TR_NOOP("&Stop");
    static constexpr char kMenuPause[] = QT_TR_NOOP("P&ause");
};
