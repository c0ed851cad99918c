#include "CMediaWindow.h"

#include "PlaybackFailure.h"

#include <QAudioOutput>
#include <QEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QSlider>
#include <QStyle>
#include <QToolButton>
#include <QUrl>

#include <utility>

namespace {

QString MinutesAndSeconds(qint64 ms) {
    const qint64 seconds = ms / 1000;
    return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

} // namespace

CMediaWindow::CMediaWindow(const QString& path, QWidget* parent)
    : QWidget(parent), m_strPath(path), m_player(new QMediaPlayer(this)),
      m_audioOutput(new QAudioOutput(this)), m_btnPlayPause(new QToolButton(this)),
      m_sldPosition(new QSlider(Qt::Horizontal, this)), m_lblTime(new QLabel(this)) {
    m_player->setAudioOutput(m_audioOutput);

    m_btnPlayPause->setAutoRaise(true);
    ShowPlayButton(false);
    m_sldPosition->setEnabled(false);
    m_sldPosition->setToolTip(FileName());
    m_lblTime->setText(MinutesAndSeconds(0));
    // Wide enough for the longest time shown, so that the slider does not twitch as it plays.
    m_lblTime->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("88:88 / 88:88")));
    m_lblTime->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addWidget(m_btnPlayPause);
    layout->addWidget(m_sldPosition, 1);
    layout->addWidget(m_lblTime);

    connect(m_btnPlayPause, &QToolButton::clicked, this, &CMediaWindow::OnPlayPauseClicked);
    connect(m_sldPosition, &QSlider::sliderMoved, m_player, &QMediaPlayer::setPosition);
    connect(m_player, &QMediaPlayer::playbackStateChanged, this,
            &CMediaWindow::OnPlaybackStateChanged);
    connect(m_player, &QMediaPlayer::durationChanged, this, &CMediaWindow::OnDurationChanged);
    connect(m_player, &QMediaPlayer::seekableChanged, this, &CMediaWindow::EnableSeeking);
    connect(m_player, &QMediaPlayer::positionChanged, this, &CMediaWindow::OnPositionChanged);
    connect(m_player, &QMediaPlayer::mediaStatusChanged, this, &CMediaWindow::OnMediaStatusChanged);
    connect(m_player, &QMediaPlayer::errorOccurred, this, &CMediaWindow::OnErrorOccurred);

    if (!path.isEmpty()) {
        m_player->setSource(QUrl::fromLocalFile(path));
    }
}

void CMediaWindow::Play() {
    m_bFailureTold = false;
    // A file gone since it was listed: the player's back end would report it several times over,
    // in its own words.
    if (!m_strPath.isEmpty() && !QFileInfo::exists(m_strPath)) {
        Fail(QMediaPlayer::ResourceError);
        return;
    }
    // A player that failed keeps its error until it is given the file anew.
    if (m_player->error() != QMediaPlayer::NoError) {
        m_player->setSource(QUrl());
        m_player->setSource(QUrl::fromLocalFile(m_strPath));
    }
    m_player->play();
}

void CMediaWindow::Pause() {
    m_player->pause();
}

void CMediaWindow::Resume() {
    // Resuming continues a pause; it does not start a stopped player again.
    if (m_player->playbackState() == QMediaPlayer::PausedState) {
        m_player->play();
    }
}

void CMediaWindow::Stop() {
    m_player->stop();
}

void CMediaWindow::Close() {
    m_player->stop();
    hide();
}

void CMediaWindow::OnPlayPauseClicked() {
    if (m_player->playbackState() == QMediaPlayer::PlayingState) {
        m_player->pause();
    } else {
        Play();
    }
}

void CMediaWindow::OnPlaybackStateChanged(QMediaPlayer::PlaybackState state) {
    const bool playing = state == QMediaPlayer::PlayingState;
    ShowPlayButton(playing);
}

void CMediaWindow::ShowPlayButton(bool playing) {
    m_btnPlayPause->setIcon(ButtonIcon(playing ? QStyle::SP_MediaPause : QStyle::SP_MediaPlay));
    m_btnPlayPause->setToolTip(playing ? tr("Pause") : tr("Play"));
}

// The style draws its media pictures black, which a dark palette swallows: they take the colour
// of the button's text.
QIcon CMediaWindow::ButtonIcon(QStyle::StandardPixmap picture) const {
    QPixmap pixmap = style()
                         ->standardIcon(picture, nullptr, m_btnPlayPause)
                         .pixmap(m_btnPlayPause->iconSize(), devicePixelRatioF());
    QPainter painter(&pixmap);
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(QRect(QPoint(0, 0), pixmap.deviceIndependentSize().toSize()),
                     palette().color(QPalette::ButtonText));
    painter.end();
    return QIcon(pixmap);
}

void CMediaWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange)
        ShowPlayButton(m_player->playbackState() == QMediaPlayer::PlayingState);
}

void CMediaWindow::OnDurationChanged(qint64 durationMs) {
    m_sldPosition->setRange(0, static_cast<int>(durationMs));
    EnableSeeking();
    ShowTime(m_player->position());
}

void CMediaWindow::EnableSeeking() {
    m_sldPosition->setEnabled(m_player->duration() > 0 && m_player->isSeekable());
}

void CMediaWindow::OnPositionChanged(qint64 positionMs) {
    if (!m_sldPosition->isSliderDown()) {
        m_sldPosition->setValue(static_cast<int>(positionMs));
    }
    ShowTime(positionMs);
}

void CMediaWindow::OnMediaStatusChanged(QMediaPlayer::MediaStatus status) {
    // The player's last position report comes a little before the end; a file played to its
    // end shows its whole length.
    if (status == QMediaPlayer::EndOfMedia && m_player->duration() > 0) {
        m_sldPosition->setValue(m_sldPosition->maximum());
        ShowTime(m_player->duration());
    }
}

void CMediaWindow::ShowTime(qint64 positionMs) {
    const qint64 durationMs = m_player->duration();
    m_lblTime->setText(durationMs > 0 ? MinutesAndSeconds(positionMs) + QStringLiteral(" / ") +
                                            MinutesAndSeconds(durationMs)
                                      : MinutesAndSeconds(positionMs));
}

void CMediaWindow::OnErrorOccurred(QMediaPlayer::Error error, const QString&) {
    if (error != QMediaPlayer::NoError)
        Fail(error);
}

void CMediaWindow::Fail(QMediaPlayer::Error error) {
    m_player->stop();
    m_sldPosition->setValue(0);
    m_sldPosition->setEnabled(false);
    ShowTime(0);
    if (std::exchange(m_bFailureTold, true))
        return;
    ShowFailure(error);
}

void CMediaWindow::ShowFailure(QMediaPlayer::Error error) {
    // A notice of an earlier Play still open gives way to this one.
    if (m_failureBox)
        m_failureBox->close();
    m_failureBox =
        new QMessageBox(QMessageBox::Warning, tr("Playback"),
                        tr("Cannot play \"%1\".").arg(FileName()), QMessageBox::Ok, this);
    m_failureBox->setInformativeText(PlaybackFailure::Reason(error, QFileInfo::exists(m_strPath)));
    m_failureBox->setAttribute(Qt::WA_DeleteOnClose);
    m_failureBox->open();
}

QString CMediaWindow::FileName() const {
    return QFileInfo(m_strPath).fileName();
}
