#pragma once

#include "base/operatorports.h"
#include "presentation/results.h"


namespace sorvix {

// What the results window does while it is on the screen: its music instead
// of the draw screen's, the winners list as rising rows, the remembered
// background. The window binds its timers and widgets to it.
class ResultsShow
{
public:
    static constexpr int MusicIntervalMs = 103000;

    ResultsShow(const ProgramFolder &folder, OperatorPort &op, SoundPort &drawScreenSound, SoundPort &music);

    // Whether the music plays while the window is in front.
    void setSoundOn(bool on) { m_soundOn = on; }

    const RisingRows &rows() const { return m_rows; }

    // The window came to the front: returns the winners list, its rows built
    // afresh for a window `height` pixels high. A list that cannot be read
    // shows no rows and is reported once until a read succeeds: the message
    // box itself takes the front and gives it back.
    Lines activate(int height);
    // The window lost the front: music paused, rows stopped.
    void deactivate();
    void tick(int height) { m_rows.tick(height); }
    // Every MusicIntervalMs: the music from the start while the window is in front.
    void rewindMusic(bool windowActive);
    // The window closed: its rows go.
    void closed();
    // A background of the colour menu: stored in bgshow.dll and returned as
    // the picture to show; empty when it could not be stored (reported).
    QString chooseBackground(const QString &relative);

private:
    const ProgramFolder &m_folder;
    OperatorPort &m_operator;
    SoundPort &m_drawScreenSound;
    SoundPort &m_music;
    bool m_soundOn = false;
    RisingRows m_rows;
    results::WinnersReader m_winners;
};

} // namespace sorvix
