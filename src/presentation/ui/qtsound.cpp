#include "presentation/ui/qtsound.h"

#include "base/errors.h"

#include <QAudioOutput>
#include <QDir>
#include <QFileInfo>
#include <QMediaPlayer>
#include <QSoundEffect>
#include <QUrl>

namespace sorvix {

namespace {

bool isFile(const QString &path)
{
    return !path.isEmpty() && QFileInfo(path).isFile();
}

} // namespace

QtSound::QtSound(QObject *parent)
    : QObject(parent)
{
    m_repeat.setInterval(RepeatIntervalMs);
    connect(&m_repeat, &QTimer::timeout, this, &QtSound::repeatTick);
    m_repeat.start();
}

// Making the media player costs more than painting the whole draw screen, and
// the music first plays 50 seconds after start-up: the player is made on first
// need, or by warmUp() once the screen is up.
QMediaPlayer *QtSound::player()
{
    if (m_player)
        return m_player;
    m_output = new QAudioOutput(this);
    m_player = new QMediaPlayer(this);
    m_player->setAudioOutput(m_output);
    // A broken file or a missing sound card must not interrupt the party:
    // errors are noted for diagnosis, never shown, and the music simply
    // stays silent.
    connect(m_player, &QMediaPlayer::errorOccurred, this, [](QMediaPlayer::Error error, const QString &text) {
        if (error != QMediaPlayer::NoError)
            reportQuietly("music", text);
    });
    // Only a file the player cannot decode is given up on; a passing device
    // error leaves the next repeat free to try again.
    connect(m_player, &QMediaPlayer::mediaStatusChanged, this, [this](QMediaPlayer::MediaStatus status) {
        if (status == QMediaPlayer::InvalidMedia) {
            m_musicBroken = true;
            m_playPending = false;
        } else if (status != QMediaPlayer::LoadingMedia && m_playPending) {
            m_playPending = false;
            m_player->play();
        }
    });
    if (!m_pendingSource.isEmpty())
        m_player->setSource(std::exchange(m_pendingSource, QUrl()));
    return m_player;
}

void QtSound::warmUp()
{
    player();
    for (const QString &path : std::exchange(m_preload, {}))
        effect(path);
}

QtSound::~QtSound()
{
    m_repeat.stop();
    for (QSoundEffect *e : std::as_const(m_effects))
        e->stop();
    stopMusic();
}

void QtSound::preloadEffects(const QStringList &paths)
{
    m_preload += paths;
}

QSoundEffect *QtSound::effect(const QString &path)
{
    if (!isFile(path))
        return nullptr;
    const QString key = QFileInfo(path).absoluteFilePath();
    QSoundEffect *&e = m_effects[key];
    if (!e) {
        e = new QSoundEffect(this);
        e->setSource(QUrl::fromLocalFile(key));
    }
    return e;
}

void QtSound::play(const QString &path, int loops)
{
    stopEffects();
    if (QSoundEffect *e = effect(path)) {
        e->setLoopCount(loops);
        e->play();
    }
}

void QtSound::startLoop(const QString &path)
{
    play(path, QSoundEffect::Infinite);
}

void QtSound::playOnce(const QString &path)
{
    play(path, 1);
}

void QtSound::stopEffects()
{
    // Unconditionally: a play asked for while the file was still loading is
    // pending, not playing, and must be cancelled too.
    for (QSoundEffect *e : std::as_const(m_effects))
        e->stop();
}

void QtSound::openMusic(const QString &path)
{
    if (!isFile(path)) {
        closeMusic();
        throw OperationError(QStringLiteral("无法打开文件：") + QDir::toNativeSeparators(path));
    }
    stopMusic();
    const QUrl source = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
    if (!m_player) {
        m_pendingSource = source;
        return;
    }
    // The same file again is already loaded (or known to be undecodable).
    if (source == m_player->source())
        return;
    m_musicBroken = false;
    m_player->setSource(source);
}

bool QtSound::musicOpen() const
{
    return m_player ? !m_player->source().isEmpty() : !m_pendingSource.isEmpty();
}

// A file the player cannot decode is never played: that only puts the player
// into a pretend playing state that then takes a second to stop. So playing
// waits until the file has loaded.
void QtSound::playMusic()
{
    if (!musicOpen() || m_musicBroken)
        return;
    if (player()->mediaStatus() == QMediaPlayer::LoadingMedia)
        m_playPending = true;
    else
        m_player->play();
}

void QtSound::stopMusic()
{
    m_playPending = false;
    if (m_player && m_player->playbackState() != QMediaPlayer::StoppedState)
        m_player->stop();
}

void QtSound::pauseMusic()
{
    m_playPending = false;
    if (m_player && m_player->playbackState() == QMediaPlayer::PlayingState)
        m_player->pause();
}

void QtSound::rewindMusic()
{
    if (m_player && musicOpen() && !m_musicBroken)
        m_player->setPosition(0);
}

void QtSound::closeMusic()
{
    stopMusic();
    m_pendingSource.clear();
    if (m_player)
        m_player->setSource(QUrl());
    m_musicBroken = false;
}

void QtSound::setRepeatTimerRunning(bool running)
{
    // Switching on a running timer keeps its phase rather than restarting it.
    if (running && !m_repeat.isActive())
        m_repeat.start();
    else if (!running)
        m_repeat.stop();
}

void QtSound::repeatTick()
{
    rewindMusic();
    if (!m_soundOn || m_soundOn())
        playMusic();
}

} // namespace sorvix
