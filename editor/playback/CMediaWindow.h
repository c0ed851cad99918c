#pragma once

#include <QMediaPlayer>
#include <QMessageBox>
#include <QPointer>
#include <QStyle>
#include <QWidget>

class QAudioOutput;
class QLabel;
class QSlider;
class QToolButton;

// The player of one file: a small play bar (play/pause, position, time) inside the editor
// window. It tells the user itself, once, when the file cannot be opened or played, and goes back
// to stopped. The playback drives it through a CPlayBarHandle.
class CMediaWindow : public QWidget {
    Q_OBJECT
public:
    CMediaWindow(const QString& path, QWidget* parent);

    void Play();
    void Pause();
    void Resume();
    void Stop();
    void Close();

protected:
    void changeEvent(QEvent* event) override;

private:
    void OnPlayPauseClicked();
    void ShowPlayButton(bool playing);
    QIcon ButtonIcon(QStyle::StandardPixmap picture) const;
    void OnPlaybackStateChanged(QMediaPlayer::PlaybackState state);
    void OnDurationChanged(qint64 durationMs);
    void EnableSeeking();
    void OnPositionChanged(qint64 positionMs);
    void OnMediaStatusChanged(QMediaPlayer::MediaStatus status);
    void OnErrorOccurred(QMediaPlayer::Error error, const QString& errorString);
    void ShowTime(qint64 positionMs);
    void Fail(QMediaPlayer::Error error);
    void ShowFailure(QMediaPlayer::Error error);

    QString FileName() const;

    QString m_strPath;
    QMediaPlayer* m_player;
    QAudioOutput* m_audioOutput;
    QToolButton* m_btnPlayPause;
    QSlider* m_sldPosition;
    QLabel* m_lblTime;
    // The notice of the last failure; one per Play, however many errors the player reports.
    QPointer<QMessageBox> m_failureBox;
    bool m_bFailureTold = false;
};
