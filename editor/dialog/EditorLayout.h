#pragma once

#include "EditorTexts.h"
#include "TagFields.h"

#include <QRect>
#include <QSize>

#include <string>

// The editor window's layout table, its dialog template: the window's size and every control's
// rectangle, in dialog units, in creation order (which is also the tab order).
namespace EditorLayout {

// Track, Disc and Album artist take two lines under Comments; the list grows with the form,
// which is wide enough for the cover's square beside its fields.
inline constexpr QSize kDialogSize{504, 262};

inline constexpr QRect kFileList{5, 37, 198, 194};
inline constexpr QRect kEtchedLine{0, 31, 504, 1};
inline constexpr QRect kFormGroup{210, 33, 288, 198};
inline constexpr QRect kTitleLabel{222, 44, 22, 10};
inline constexpr QRect kArtistLabel{222, 64, 19, 10};
inline constexpr QRect kAlbumLabel{222, 84, 28, 10};
inline constexpr QRect kYearLabel{222, 104, 26, 10};
inline constexpr QRect kTitle{268, 43, 149, 12};
inline constexpr QRect kGenreLabel{222, 124, 24, 10};
inline constexpr QRect kCommentsLabel{222, 144, 37, 10};
inline constexpr QRect kArtist{268, 63, 149, 12};
inline constexpr QRect kAlbum{268, 83, 149, 12};
inline constexpr QRect kYear{268, 103, 149, 12};
// The height is that of the opened list; the closed box is as tall as an edit field.
inline constexpr QRect kGenre{268, 123, 149, 107};
inline constexpr QRect kComments{268, 144, 149, 40};
// Beside Title to Year: the largest square these dialog units hold, at their top right.
inline constexpr QRect kCover{424, 43, 68, 72};
// Under an etched line, the fields beyond the first six: their longest label ("Album artist:")
// needs a wider label column than the six have.
inline constexpr QRect kMoreFieldsLine{216, 190, 202, 1};
inline constexpr QRect kTrackLabel{222, 196, 22, 10};
inline constexpr QRect kTrack{276, 195, 50, 12};
inline constexpr QRect kDiscLabel{344, 196, 18, 10};
inline constexpr QRect kDisc{367, 195, 50, 12};
inline constexpr QRect kAlbumArtistLabel{222, 214, 46, 10};
inline constexpr QRect kAlbumArtist{276, 213, 141, 12};

// The form's fields in tab order, each with its label: a text field of the form, or the genre
// list where text is nullptr. The window creates them walking this table.
struct FormField {
    std::string TagFields::*text;
    const char* label; // EditorTexts
    QRect labelRect;
    QRect fieldRect;
    const char* name; // the control's object name
};

inline constexpr FormField kFormFields[] = {
    {&TagFields::title, EditorTexts::kTitleLabel, kTitleLabel, kTitle, "IDC_TITLE"},
    {&TagFields::artist, EditorTexts::kArtistLabel, kArtistLabel, kArtist, "IDC_ARTIST"},
    {&TagFields::album, EditorTexts::kAlbumLabel, kAlbumLabel, kAlbum, "IDC_ALBUM"},
    {&TagFields::year, EditorTexts::kYearLabel, kYearLabel, kYear, "IDC_YEAR"},
    {nullptr, EditorTexts::kGenreLabel, kGenreLabel, kGenre, "IDC_GENRE"},
    {&TagFields::comment, EditorTexts::kCommentsLabel, kCommentsLabel, kComments, "IDC_COMMENTS"},
    {&TagFields::track, EditorTexts::kTrackLabel, kTrackLabel, kTrack, "IDC_TRACK"},
    {&TagFields::disc, EditorTexts::kDiscLabel, kDiscLabel, kDisc, "IDC_DISC"},
    {&TagFields::albumArtist, EditorTexts::kAlbumArtistLabel, kAlbumArtistLabel, kAlbumArtist,
     "IDC_ALBUM_ARTIST"},
};

} // namespace EditorLayout
