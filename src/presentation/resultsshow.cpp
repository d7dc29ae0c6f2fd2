#include "presentation/resultsshow.h"

#include "base/errors.h"

namespace sorvix {

ResultsShow::ResultsShow(const ProgramFolder &folder, OperatorPort &op, SoundPort &drawScreenSound, SoundPort &music)
    : m_folder(folder), m_operator(op), m_drawScreenSound(drawScreenSound), m_music(music), m_winners(folder, op)
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
    if (m_soundOn)
        m_music.playMusic();
    const Lines lines = m_winners.read();
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
    if (windowActive && m_soundOn) {
        m_music.rewindMusic();
        m_music.playMusic();
    }
}

void ResultsShow::closed()
{
    m_rows.clear();
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
