#pragma once

#include "base/operatorports.h"

#include <QHash>
#include <QObject>
#include <QStringList>
#include <QTimer>
#include <QUrl>
#include <functional>

class QAudioOutput;
class QMediaPlayer;
class QSoundEffect;

namespace sorvix {

// The draw screen's sounds with Qt Multimedia: the background music on a media
// player with its 50-second repeat timer, and the WAV effects on sound
// effects. Like the simple system player the effects share one channel:
// starting one stops any other. A machine without a sound card stays silent;
// player errors are swallowed, never shown.
class QtSound : public QObject, public SoundPort
{
    Q_OBJECT

public:
    static constexpr int RepeatIntervalMs = 50000;

    // The repeat timer runs from construction.
    explicit QtSound(QObject *parent = nullptr);
    ~QtSound() override;

    // Consulted at every repeat tick; music plays only while it says on.
    // Without one the sound counts as on.
    void setSoundOn(std::function<bool()> soundOn) { m_soundOn = std::move(soundOn); }
    // WAV files to load ahead (by warmUp) so the first start of a round has no delay.
    void preloadEffects(const QStringList &paths);
    // Makes the media player and loads the effects named by preloadEffects;
    // called once the draw screen is up, or done on first need.
    void warmUp();

    // SoundPort. A missing WAV plays nothing.
    void startLoop(const QString &path) override;
    void playOnce(const QString &path) override;
    void stopEffects() override;
    // Sets the music's source without playing it; a missing file leaves the
    // player closed and throws OperationError, ending a start-up step.
    void openMusic(const QString &path) override;
    void playMusic() override;
    void stopMusic() override;
    void pauseMusic() override;
    void rewindMusic() override;
    void closeMusic() override;
    void setRepeatTimerRunning(bool running) override;

    bool repeatTimerRunning() const { return m_repeat.isActive(); }
    bool musicOpen() const;

public slots:
    // musicRepeatTimer: back to the start, and play again if the sound is on.
    void repeatTick();

private:
    QSoundEffect *effect(const QString &path);
    QMediaPlayer *player();
    void play(const QString &path, int loops);

    QAudioOutput *m_output = nullptr;
    QMediaPlayer *m_player = nullptr;
    QUrl m_pendingSource;
    QStringList m_preload;
    QTimer m_repeat;
    QHash<QString, QSoundEffect *> m_effects;
    std::function<bool()> m_soundOn;
    bool m_musicBroken = false;
    bool m_playPending = false;
};

} // namespace sorvix
