#include "CMediaWindow.h"
#include "CMediaWindowFactory.h"
#include "Mp3Builder.h"
#include "PlaybackFailure.h"
#include "ScratchDir.h"

#include <algorithm>

#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>
#include <QToolButton>

namespace {

// Long enough to be still playing when the test looks, even on a machine so busy that the test
// stalls for a while: 2000 frames are about 52 seconds.
constexpr int kAudioFrames = 2000;
// About 2.6 seconds.
constexpr int kShortAudioFrames = 100;
// The media pipeline starts in its own threads; give it time on a busy machine.
constexpr int kPipelineTimeoutMs = 20000;

} // namespace

class CMediaWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init() { m_window = std::make_unique<QWidget>(); }
    void cleanup() { m_window.reset(); }

    void playsAGeneratedMp3AndPausesResumesAndStopsIt() {
        const std::string path = m_scratch.File("song.mp3");
        Mp3Builder().WithoutId3v2().AudioFrames(kAudioFrames).WriteTo(path);
        CMediaWindow player(QString::fromStdString(path), m_window.get());
        QMediaPlayer* media = player.findChild<QMediaPlayer*>();
        QVERIFY(media != nullptr);

        // Recorded rather than polled: on a busy machine the pipeline may have played the whole
        // file by the time the test looks.
        QSignalSpy statuses(media, &QMediaPlayer::mediaStatusChanged);
        QSignalSpy positions(media, &QMediaPlayer::positionChanged);

        player.Play();
        QCOMPARE(media->playbackState(), QMediaPlayer::PlayingState);
        QTRY_VERIFY_WITH_TIMEOUT(LatestPosition(positions) > 0 ||
                                     Seen(statuses, QMediaPlayer::EndOfMedia),
                                 kPipelineTimeoutMs);
        QVERIFY(Seen(statuses, QMediaPlayer::BufferedMedia) ||
                Seen(statuses, QMediaPlayer::EndOfMedia));
        if (LatestPosition(positions) > 0)
            QTRY_VERIFY(player.findChild<QSlider*>()->value() > 0);

        player.Pause();
        QCOMPARE(media->playbackState(), QMediaPlayer::PausedState);
        player.Resume();
        QCOMPARE(media->playbackState(), QMediaPlayer::PlayingState);
        player.Stop();
        QCOMPARE(media->playbackState(), QMediaPlayer::StoppedState);
        player.Resume();
        QCOMPARE(media->playbackState(), QMediaPlayer::StoppedState);
        QVERIFY(!ErrorBox(player));
    }

    void aFilePlayedToItsEndShowsItsWholeLength() {
        const std::string path = m_scratch.File("short.mp3");
        Mp3Builder().WithoutId3v2().AudioFrames(kShortAudioFrames).WriteTo(path);
        CMediaWindow player(QString::fromStdString(path), m_window.get());
        QMediaPlayer* media = player.findChild<QMediaPlayer*>();
        QSignalSpy statuses(media, &QMediaPlayer::mediaStatusChanged);

        player.Play();
        QTRY_VERIFY_WITH_TIMEOUT(Seen(statuses, QMediaPlayer::EndOfMedia), kPipelineTimeoutMs);
        const auto* slider = player.findChild<QSlider*>();
        QCOMPARE(slider->value(), slider->maximum());
        QCOMPARE(player.findChild<QLabel*>()->text(), QStringLiteral("0:02 / 0:02"));
    }

    void playBarButtonPausesAndPlays() {
        const std::string path = m_scratch.File("bar.mp3");
        Mp3Builder().WithoutId3v2().AudioFrames(kAudioFrames).WriteTo(path);
        CMediaWindow player(QString::fromStdString(path), m_window.get());
        QMediaPlayer* media = player.findChild<QMediaPlayer*>();
        // No events are processed between the clicks, so the pipeline cannot end the playback
        // under the test's feet.
        player.Play();

        auto* playPause = player.findChild<QToolButton*>();
        QTest::mouseClick(playPause, Qt::LeftButton);
        QCOMPARE(media->playbackState(), QMediaPlayer::PausedState);
        QCOMPARE(playPause->toolTip(), QStringLiteral("Play"));
        QTest::mouseClick(playPause, Qt::LeftButton);
        QCOMPARE(media->playbackState(), QMediaPlayer::PlayingState);
        QCOMPARE(playPause->toolTip(), QStringLiteral("Pause"));
    }

    void tellsTheUserWhenTheFileCannotBePlayed() {
        const QString path = QString::fromStdString(m_scratch.File("notes.mp3"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(4096, 'x'));
        file.close();
        CMediaWindow player(path, m_window.get());

        player.Play();

        QTRY_VERIFY_WITH_TIMEOUT(ErrorBox(player) != nullptr, kPipelineTimeoutMs);
        QCOMPARE(ErrorBox(player)->text(), QStringLiteral("Cannot play \"notes.mp3\"."));
        // In the program's words, not the media back end's.
        QCOMPARE(ErrorBox(player)->informativeText(),
                 PlaybackFailure::Reason(QMediaPlayer::ResourceError, true));
        QCOMPARE(player.findChildren<QMessageBox*>().size(), 1);
        QVERIFY(ShowsStopped(player));
    }

    void aVanishedFileIsToldOnceAndTheBarGoesBackToStopped() {
        const QString path = QString::fromStdString(m_scratch.File("gone.mp3"));
        CMediaWindow player(path, m_window.get());

        player.Play();
        QCoreApplication::processEvents();
        QCOMPARE(player.findChildren<QMessageBox*>().size(), 1);
        QCOMPARE(ErrorBox(player)->text(), QStringLiteral("Cannot play \"gone.mp3\"."));
        QCOMPARE(ErrorBox(player)->informativeText(),
                 PlaybackFailure::Reason(QMediaPlayer::ResourceError, false));
        QVERIFY(ShowsStopped(player));

        // The bar's button tries again, and tells again: one notice for each try.
        QTest::mouseClick(player.findChild<QToolButton*>(), Qt::LeftButton);
        QTRY_COMPARE(player.findChildren<QMessageBox*>().size(), 1);
        QVERIFY(ShowsStopped(player));
    }

    void anEmptyPathPlaysNothingAndSaysNothing() {
        CMediaWindow player(QString(), m_window.get());
        QMediaPlayer* media = player.findChild<QMediaPlayer*>();

        player.Play();
        QCoreApplication::processEvents();

        QCOMPARE(media->playbackState(), QMediaPlayer::StoppedState);
        QVERIFY(!ErrorBox(player));
    }

    void theButtonsPictureTakesThePalettesTextColour() {
        CMediaWindow player(QString(), m_window.get());
        for (const QColor& text : {QColor(235, 235, 235), QColor(20, 20, 20)}) {
            QPalette palette = m_window->palette();
            palette.setColor(QPalette::ButtonText, text);
            m_window->setPalette(palette);
            const auto* button = player.findChild<QToolButton*>();
            const QImage picture = button->icon().pixmap(button->iconSize()).toImage();
            QSet<QRgb> drawn;
            for (int y = 0; y < picture.height(); ++y)
                for (int x = 0; x < picture.width(); ++x)
                    if (qAlpha(picture.pixel(x, y)) == 255)
                        drawn.insert(picture.pixel(x, y));
            QCOMPARE(drawn, QSet<QRgb>({text.rgb()}));
        }
    }

    void aPlayerLetGoTakesItsBarOutOfTheWindow() {
        CMediaWindowFactory factory(m_window.get(), QRect(0, 0, 200, 30));
        std::unique_ptr<IMediaPlayer> player = factory.Create(QString());
        QCOMPARE(m_window->findChildren<CMediaWindow*>().size(), 1);
        player->Close();
        player.reset();
        QVERIFY(m_window->findChildren<CMediaWindow*>().isEmpty());
    }

    // The window owns the bar: going first, it leaves the player a handle on nothing, which
    // neither plays nor deletes the bar a second time.
    void aPlayerOutlivingItsWindowReachesNothing() {
        CMediaWindowFactory factory(m_window.get(), QRect(0, 0, 200, 30));
        std::unique_ptr<IMediaPlayer> player = factory.Create(QString());
        m_window.reset();
        player->Play();
        player->Stop();
        player->Close();
        player.reset();
    }

private:
    static bool Seen(const QSignalSpy& statuses, QMediaPlayer::MediaStatus status) {
        return std::any_of(statuses.begin(), statuses.end(), [status](const QList<QVariant>& args) {
            return args.at(0).value<QMediaPlayer::MediaStatus>() == status;
        });
    }

    static qint64 LatestPosition(const QSignalSpy& positions) {
        return positions.isEmpty() ? 0 : positions.last().at(0).toLongLong();
    }

    static bool ShowsStopped(const CMediaWindow& player) {
        return player.findChild<QMediaPlayer*>()->playbackState() == QMediaPlayer::StoppedState &&
               player.findChild<QToolButton*>()->toolTip() == QStringLiteral("Play") &&
               player.findChild<QSlider*>()->value() == 0 &&
               player.findChild<QLabel*>()->text().startsWith(QStringLiteral("0:00"));
    }

    static QMessageBox* ErrorBox(const CMediaWindow& player) {
        return player.findChild<QMessageBox*>();
    }

    ScratchDir m_scratch;
    std::unique_ptr<QWidget> m_window;
};

QTEST_MAIN(CMediaWindowTest)
#include "CMediaWindowTest.moc"
