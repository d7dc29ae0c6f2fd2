#include "presentation/resultsshow.h"

#include "base/errors.h"

namespace sorvix {

ResultsShow::ResultsShow(const ProgramFolder &folder, OperatorPort &op, SoundPort &drawScreenSound, SoundPort &music)
    : m_folder(folder), m_operator(op), m_drawScreenSound(drawScreenSound), m_music(music)
{
    // The music is silence when its file is missing.
    m_music.setRepeatTimerRunning(false);
    try {
        m_music.openMusic(m_folder.path(files::ResultMusic));
    } catch (const OperationError &error) {
        reportQuietly("results window (music)", error);
    }
}

Lines ResultsShow::activate(int height)
{
    m_drawScreenSound.setRepeatTimerRunning(false);
    m_drawScreenSound.stopMusic();
    if (soundOn && soundOn())
        m_music.playMusic();
    Lines lines;
    try {
        lines = results::readWinners(m_folder);
    } catch (const OperationError &error) {
        if (!m_readFailureReported) {
            m_readFailureReported = true;
            m_operator.showError(QStringLiteral("无法读取中奖名单，结果窗口不显示名单。\r") + error.message());
        }
    }
    // The rows of an earlier activation go before the new ones come.
    m_rows.build(int(lines.size()), height);
    return lines;
}

void ResultsShow::deactivate()
{
    m_music.pauseMusic();
}

void ResultsShow::rewindMusic(bool windowActive)
{
    if (windowActive && soundOn && soundOn()) {
        m_music.rewindMusic();
        m_music.playMusic();
    }
}

void ResultsShow::closed()
{
    m_rows.clear();
    m_readFailureReported = false;
}

QString ResultsShow::chooseBackground(const QString &relative)
{
    try {
        results::saveBackground(m_folder, relative);
    } catch (const OperationError &error) {
        m_operator.showError(withWriteAdvice(error.message()));
        return {};
    }
    return m_folder.path(relative);
}

} // namespace sorvix
