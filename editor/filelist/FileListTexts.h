#pragma once

// The file list's own words and numbers, kept together so they can be read against each other.
namespace FileListTexts {

constexpr int kCapacity = 500;

// Two lines; the first keeps its trailing blank.
inline constexpr char kCapacityNotice[] =
    "This version does not allow joining more than 500 files at once \n"
    "Please join files in batches not exceeding 500 count.";

inline constexpr char kNoFilesToRemove[] = "There are no files to remove!";
inline constexpr char kAskRemove[] = "Would you like to remove selected files from the list?";
inline constexpr char kAskNewList[] = "Would you like to create a new list of files to edit?";

inline constexpr char kAddFilesTitle[] = "Add Files to Edit";
inline constexpr char kAddFilesFilter[] = "MP3 Files (*.mp3)";

inline constexpr char kColumnHeading[] = "Files to edit";
constexpr int kColumnWidth = 293;

inline constexpr char kMenuPlay[] = "&Play";
inline constexpr char kMenuStop[] = "&Stop";
inline constexpr char kMenuPause[] = "P&ause";

} // namespace FileListTexts
