#include "PlaybackFailure.h"

#include <QCoreApplication>

namespace PlaybackFailure {

namespace {

QString Text(const char* text) {
    return QCoreApplication::translate("PlaybackFailure", text);
}

} // namespace

QString Reason(QMediaPlayer::Error error, bool fileExists) {
    if (!fileExists)
        return Text(QT_TRANSLATE_NOOP("PlaybackFailure",
                                      "The file is no longer there: it was moved, renamed or "
                                      "deleted."));
    switch (error) {
    case QMediaPlayer::AccessDeniedError:
        return Text(QT_TRANSLATE_NOOP("PlaybackFailure", "You may not read this file."));
    case QMediaPlayer::FormatError:
        return Text(QT_TRANSLATE_NOOP("PlaybackFailure",
                                      "The file holds no sound this computer can play."));
    case QMediaPlayer::NoError:
    case QMediaPlayer::ResourceError:
    case QMediaPlayer::NetworkError:
        break;
    }
    return Text(QT_TRANSLATE_NOOP("PlaybackFailure",
                                  "The file could not be opened, or it holds no sound this "
                                  "computer can play."));
}

} // namespace PlaybackFailure
