#pragma once

#include <QMediaPlayer>
#include <QString>

// Why a file could not be played, in words the user can act on. The player's own error texts
// are its back end's sentences, written for developers, so they are not shown.
namespace PlaybackFailure {

// FILEEXISTS: whether the file is still where the list says.
QString Reason(QMediaPlayer::Error error, bool fileExists);

} // namespace PlaybackFailure
