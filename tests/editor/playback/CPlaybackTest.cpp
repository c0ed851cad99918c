#include "CPlayback.h"
#include "FakeMediaPlayerFactory.h"

#include <gtest/gtest.h>

namespace {

class CPlaybackTest : public testing::Test {
protected:
    QStringList Log() const { return m_players.Log(); }

    FakeMediaPlayerFactory m_players;
    CPlayback m_playback{m_players};
};

QStringList Requests(std::initializer_list<const char*> requests) {
    QStringList list;
    for (const char* request : requests) {
        list.append(QString::fromLatin1(request));
    }
    return list;
}

} // namespace

TEST_F(CPlaybackTest, PlayOpensThePathAndStartsIt) {
    m_playback.Play(QStringLiteral("/music/a.mp3"));

    EXPECT_EQ(Log(), Requests({"create /music/a.mp3", "play"}));
    EXPECT_TRUE(m_playback.HasPlayer());
    EXPECT_FALSE(m_playback.IsPaused());
}

TEST_F(CPlaybackTest, PlayTwiceStopsAndClosesTheFirstPlayerBeforeTheSecond) {
    m_playback.Play(QStringLiteral("a.mp3"));
    m_playback.Play(QStringLiteral("b.mp3"));

    EXPECT_EQ(Log(), Requests({"create a.mp3", "play", "stop", "close", "create b.mp3", "play"}));
}

TEST_F(CPlaybackTest, PauseAlternatesBetweenPausingAndResuming) {
    m_playback.Play(QStringLiteral("a.mp3"));
    m_players.ClearLog();

    m_playback.Pause();
    EXPECT_TRUE(m_playback.IsPaused());
    m_playback.Pause();
    EXPECT_FALSE(m_playback.IsPaused());
    m_playback.Pause();

    EXPECT_EQ(Log(), Requests({"pause", "resume", "pause"}));
}

TEST_F(CPlaybackTest, PauseAfterANewPlayPausesWhateverCameBefore) {
    m_playback.Play(QStringLiteral("a.mp3"));
    m_playback.Pause();
    m_playback.Play(QStringLiteral("b.mp3"));
    m_players.ClearLog();

    m_playback.Pause();

    EXPECT_EQ(Log(), Requests({"pause"}));
}

TEST_F(CPlaybackTest, StopClosesThePlayerAndPauseThenReachesNothing) {
    m_playback.Play(QStringLiteral("a.mp3"));
    m_players.ClearLog();

    m_playback.Stop();
    m_playback.Pause();
    m_playback.Stop();

    EXPECT_EQ(Log(), Requests({"stop", "close"}));
    EXPECT_FALSE(m_playback.HasPlayer());
}

TEST_F(CPlaybackTest, StopAndPauseWithoutAPlayerChangeNothing) {
    m_playback.Stop();
    m_playback.Pause();

    EXPECT_TRUE(Log().isEmpty());
    EXPECT_FALSE(m_playback.HasPlayer());
    EXPECT_FALSE(m_playback.IsPaused());
}

TEST_F(CPlaybackTest, AnEmptyPathStillGetsAPlayerAndAPlayRequest) {
    m_playback.Play(QString());

    EXPECT_EQ(Log(), Requests({"create ", "play"}));
}

TEST(CPlaybackLifetime, ClosesThePlayerWhenItGoes) {
    FakeMediaPlayerFactory players;
    {
        CPlayback playback(players);
        playback.Play(QStringLiteral("a.mp3"));
    }
    EXPECT_EQ(players.Log(), Requests({"create a.mp3", "play", "stop", "close"}));
}
