#pragma once

#include <QRect>
#include <QSize>

// The editor window's layout table, its dialog template: the window's size and every control's
// rectangle, in dialog units, in creation order (which is also the tab order).
namespace EditorLayout {

// The form is wide enough for the cover's square beside its fields.
inline constexpr QSize kDialogSize{504, 222};

inline constexpr QRect kFileList{5, 37, 198, 154};
inline constexpr QRect kEtchedLine{0, 31, 504, 1};
inline constexpr QRect kFormGroup{210, 33, 288, 158};
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

} // namespace EditorLayout
