#include "presentation/ui/qtsound.h"

#include "base/errors.h"
#include "support/testfolder.h"

#include <QFile>
#include <QMediaPlayer>
#include <QSoundEffect>
#include <QTest>
#include <QtEndian>
#include <gtest/gtest.h>

using namespace sorvix;
using sorvix::test::TestFolder;

namespace {

// A short mono 16-bit PCM tone.
QByteArray tinyWav(int milliseconds = 100)
{
    const quint32 rate = 8000;
    const quint32 samples = rate * milliseconds / 1000;
    QByteArray pcm;
    for (quint32 i = 0; i < samples; ++i) {
        const qint16 v = (i / 10) % 2 ? 8000 : -8000;
        pcm.append(reinterpret_cast<const char *>(&v), 2);
    }
    auto u32 = [](quint32 v) { QByteArray b(4, '\0'); qToLittleEndian(v, b.data()); return b; };
    auto u16 = [](quint16 v) { QByteArray b(2, '\0'); qToLittleEndian(v, b.data()); return b; };
    QByteArray wav = "RIFF" + u32(36 + pcm.size()) + "WAVE";
    wav += "fmt " + u32(16) + u16(1) + u16(1) + u32(rate) + u32(rate * 2) + u16(2) + u16(16);
    wav += "data" + u32(pcm.size()) + pcm;
    return wav;
}

// A quarter second of a 440 Hz tone, MPEG-1 layer III at 8 kbit/s.
QByteArray tinyMp3()
{
    return QByteArray::fromBase64(
        "/+MYxAANQJbMeUgAAA9tvwHd3d3v4RERP3d3f5SRcFYA4AMAOC8+oIHMTh/gg67l/Ocv5zp5cEHSgJh/Jghy7+7pJoiwyxM//+MY"
        "xAYOmPK8AZRQAOOaK1HKFbf4WeEcgd4wBjwknAO+SEaSHgdCKJ/CSAyBRFYRQiv/yEej04mIgV/wkDQlCQNK///+TQdE/+MYxAYM"
        "iKZsAdYAAA2yDpgIgAAwNhCAwthKAwwj2Axj/yAyoDmAxQg+AwUgqAUAuF8wFAChkUcD1f///izADACBmQMAYBQM/+MYxA4NGKZk"
        "AVYAAAoBQCgSQMU42wMhp6QOoPFwN+wmAUAsAKCsDBOAMA0BoKADMRNiCt6sWIdf6Ivrr//P7FC+jlv0un8c/+MYxBQSORq8AZpY"
        "AHUvhYHgqjXkFTRtVwQT7l3GJPn6wNAMjqBCIMkI1P74qvrWLjpqom9b/gYWIgEV/+SAwswxYklppFH0/+MYxAYLqLXYAcYAAWkS"
        "OHEkiyOzOUlVODAIBWCgEJYGBQkjhxJJyJU2E/IKxBYTv/+gvBuKTEFNRTMuMTAwqqqqqqqqqqqq");
}

class QtSoundTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        t.writeBytes("voice\\start.wav", tinyWav());
        t.writeBytes("voice\\stop.wav", tinyWav(50));
        t.writeBytes("voice/bg.mp3", tinyMp3());
        t.writeBytes("voice\\wave.mp3", tinyWav(300));
        t.writeBytes("voice\\broken.mp3", QByteArray(4096, '\x5a'));
    }

    // Let the players' asynchronous work (loading, device errors) happen.
    static void settle(int ms = 200) { QTest::qWait(ms); }
    // Whether the sound's player comes to play within two seconds.
    static bool comesToPlay(QtSound &sound)
    {
        return QTest::qWaitFor(
            [&] { return sound.findChild<QMediaPlayer *>()->playbackState() == QMediaPlayer::PlayingState; }, 2000);
    }

    TestFolder t;
    QString start = t.path("voice\\start.wav");
    QString stop = t.path("voice\\stop.wav");
    QString music = t.path("voice/bg.mp3");
};

} // namespace

// Whether an effect sounds depends on the machine's sound card, so only what
// the effects were set to do is checked here.
TEST_F(QtSoundTest, EffectsAreLoadedOnceAndLoopOrPlayOnce)
{
    QtSound sound;
    sound.preloadEffects({start, stop, t.path("voice\\none.wav"), QString()});
    sound.warmUp();
    // Missing files make no effect at all.
    ASSERT_EQ(sound.findChildren<QSoundEffect *>().size(), 2);
    QSoundEffect *rolling = nullptr;
    QSoundEffect *stopping = nullptr;
    for (QSoundEffect *e : sound.findChildren<QSoundEffect *>())
        (e->source().toLocalFile().endsWith("start.wav") ? rolling : stopping) = e;
    ASSERT_TRUE(rolling && stopping);

    for (int round = 0; round < 2; ++round) {
        sound.startLoop(start);
        EXPECT_EQ(rolling->loopCount(), static_cast<int>(QSoundEffect::Infinite));
        sound.playOnce(stop);
        EXPECT_EQ(stopping->loopCount(), 1);
    }
    sound.playOnce(start);
    EXPECT_EQ(rolling->loopCount(), 1);
    sound.startLoop(t.path("voice\\none.wav"));
    sound.playOnce(QString());
    EXPECT_EQ(sound.findChildren<QSoundEffect *>().size(), 2);
}

TEST_F(QtSoundTest, MusicOpenPlayRewindClose)
{
    QtSound sound;
    sound.openMusic(music);
    EXPECT_TRUE(sound.musicOpen());
    settle();
    // A WAV under an MP3 name: the player goes by content.
    sound.openMusic(t.path("voice\\wave.mp3"));
    EXPECT_TRUE(sound.musicOpen());
    settle();
    sound.playMusic();
    settle();
    sound.rewindMusic();
    sound.stopMusic();
    EXPECT_EQ(sound.findChild<QMediaPlayer *>()->playbackState(), QMediaPlayer::StoppedState);
    sound.playMusic();
    sound.rewindMusic();
    settle();
    sound.pauseMusic();
    EXPECT_NE(sound.findChild<QMediaPlayer *>()->playbackState(), QMediaPlayer::PlayingState);
    sound.playMusic();
    sound.pauseMusic();
    settle();
    sound.closeMusic();
    EXPECT_FALSE(sound.musicOpen());
    // A closed player takes every call and stays closed.
    sound.playMusic();
    sound.rewindMusic();
    sound.stopMusic();
    sound.closeMusic();
    EXPECT_FALSE(sound.musicOpen());
    EXPECT_NE(sound.findChild<QMediaPlayer *>()->playbackState(), QMediaPlayer::PlayingState);
}

TEST_F(QtSoundTest, UndecodableMusicIsSilent)
{
    QtSound sound;
    sound.warmUp();
    sound.openMusic(t.path("voice\\broken.mp3"));
    settle(500);
    // Opened again, it is known already: nothing plays.
    sound.openMusic(t.path("voice\\broken.mp3"));
    sound.rewindMusic();
    sound.playMusic();
    EXPECT_NE(sound.findChild<QMediaPlayer *>()->playbackState(), QMediaPlayer::PlayingState);
    sound.stopMusic();
    sound.closeMusic();

    // Asked to play before the player found out.
    sound.openMusic(t.path("voice\\broken.mp3"));
    sound.playMusic();
    settle(500);
    sound.stopMusic();
    // A file the player cannot decode is never set playing: stopping one
    // that pretends to play holds the screen up for a second.
    EXPECT_NE(sound.findChild<QMediaPlayer *>()->playbackState(), QMediaPlayer::PlayingState);
    // The next music is not taken for broken.
    sound.openMusic(music);
    sound.playMusic();
    EXPECT_TRUE(comesToPlay(sound));
}

TEST_F(QtSoundTest, EveryRepeatAsksForTheSoundSwitchAndPlaysOnlyWhenOn)
{
    QtSound sound;
    EXPECT_TRUE(sound.repeatTimerRunning());
    sound.openMusic(music);
    sound.warmUp();

    int asked = 0;
    bool on = false;
    sound.setSoundOn([&] { ++asked; return on; });
    sound.repeatTick();
    EXPECT_EQ(asked, 1);
    settle();
    EXPECT_NE(sound.findChild<QMediaPlayer *>()->playbackState(), QMediaPlayer::PlayingState);
    on = true;
    sound.repeatTick();
    EXPECT_EQ(asked, 2);
    EXPECT_TRUE(comesToPlay(sound));
    sound.stopMusic();

    sound.setRepeatTimerRunning(false);
    EXPECT_FALSE(sound.repeatTimerRunning());
    sound.setRepeatTimerRunning(true);
    sound.setRepeatTimerRunning(true);
    EXPECT_TRUE(sound.repeatTimerRunning());
}

TEST_F(QtSoundTest, PlayerIsMadeOnlyWhenNeededAndKeepsTheOpenedMusic)
{
    QtSound sound;
    // A missing file fails the open and leaves nothing to play, for which no
    // player is made.
    sound.openMusic(music);
    EXPECT_THROW(sound.openMusic(t.path("voice/none.mp3")), OperationError);
    EXPECT_FALSE(sound.musicOpen());
    sound.playMusic();
    EXPECT_EQ(sound.findChild<QMediaPlayer *>(), nullptr);

    sound.openMusic(music);
    EXPECT_TRUE(sound.musicOpen());
    sound.stopMusic();
    sound.rewindMusic();
    EXPECT_EQ(sound.findChild<QMediaPlayer *>(), nullptr);
    sound.warmUp();
    auto *player = sound.findChild<QMediaPlayer *>();
    ASSERT_TRUE(player);
    EXPECT_TRUE(player->source().toLocalFile().endsWith(QStringLiteral("bg.mp3")));
    sound.closeMusic();
    EXPECT_FALSE(sound.musicOpen());
}

TEST_F(QtSoundTest, PlayAskedWhileLoadingStartsOnceLoaded)
{
    QtSound sound;
    sound.warmUp();
    auto *player = sound.findChild<QMediaPlayer *>();
    ASSERT_TRUE(player);
    bool played = false;
    QObject::connect(player, &QMediaPlayer::playbackStateChanged, [&](QMediaPlayer::PlaybackState state) {
        played = played || state == QMediaPlayer::PlayingState;
    });

    sound.openMusic(music);
    sound.playMusic();
    EXPECT_TRUE(QTest::qWaitFor([&] { return played; }, 2000));

    // Stopped before it loaded: stays stopped.
    played = false;
    sound.openMusic(t.path("voice\\wave.mp3"));
    sound.playMusic();
    sound.stopMusic();
    settle(400);
    EXPECT_FALSE(played);
}
