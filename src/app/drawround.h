#pragma once

#include "engine/screenport.h"
#include "engine/session.h"

#include <QString>
#include <random>

namespace sorvix {

// What only the draw screen window can do for a round: its window state, the
// two button pictures, the rolling timer and the results window.
class DrawRoundHost
{
public:
    virtual ~DrawRoundHost() = default;

    // The "禁用全屏" check mark: full-screen requests are ignored while it is set.
    virtual bool fullScreenLocked() const = 0;
    // Maximise the window and remove its border.
    virtual void enterFullScreen() = 0;
    virtual void hideMenus() = 0;
    // Loads a picture file (full path) into startButton / stopButton.
    virtual void setStartPicture(const QString &path) = 0;
    virtual void setEndPicture(const QString &path) = 0;
    // rollingTimer, 50 ms, calling DrawRound::rollTick on every tick.
    // A round is rolling exactly while it runs; whoever else stops it (a
    // preparation, a make-up) ends the rolling too.
    virtual void startRollingTimer() = 0;
    virtual void stopRollingTimer() = 0;
    virtual bool rollingTimerActive() const = 0;
    // The results window, modally.
    virtual void showResults() = 0;
};

// One draw round on the draw screen: start shows the round's status line and
// prize and sets the name slots rolling; stop freezes them on the round's
// prepared winners, records them and advances the draw. The winners come from
// the round files only; the rolling never picks anyone.
//
// A stop records in an order that survives a kill or a power cut at any point:
// the winners are appended to their level's file (flushed), then the winners
// list is rebuilt, and only then status.dll moves on. A crash after the append
// leaves status.dll one behind with the round already at the end of its
// level's file; recoverRecordedRound() counts such a round as drawn at the
// next start. A write that fails (a full disk, a pulled stick) keeps the round
// pending with the counters unmoved and tells the operator the winners; the
// next start (key, click or any other "next") retries the records and starts
// nothing until they are written.
class DrawRound
{
public:
    DrawRound(Session &session, ScreenPort &screen, SoundPort &sound, OperatorPort &op, DrawRoundHost &host);

    // The start picture or the start key. File errors are shown in an error box.
    void startClicked();
    // The stop picture or the stop key. File errors are shown in an error box.
    void stopClicked();
    // Every 50 ms while rolling: each of the ten slots shows a random participant.
    void rollTick();
    // Space and Enter start and stop by the start/stop key choice; other keys
    // do nothing; failures are swallowed.
    void keyPressed(char key);

    // Button pictures while the mouse is pressed on them and after release.
    void startPressed();
    void startReleased();
    void stopPressed();
    void stopReleased();

    bool isRolling() const;

    // The slots the winners of a round occupy: first slot and count, for a
    // round file of `lineCount` lines. Returns false for a line count outside
    // 5..14 (no layout: visibility stays as it is, no names are shown).
    static bool slotLayout(int lineCount, int *firstSlot, int *winners);

private:
    void start();
    void stop();
    void stopBackgroundMusic();
    void startRollingFrom(const QString &roundFile);
    void showRound(const Lines &lines);
    void recordStop();
    void showCaption(const Lines &winnersList);
    const AwardLevel &levelOf(int level) const;

    Session &m_session;
    ScreenPort &m_screen;
    SoundPort &m_sound;
    OperatorPort &m_operator;
    DrawRoundHost &m_host;
    // Seeded once from the system: the rolling only has to look random.
    std::mt19937_64 m_random;
};

// Start-up, after status.dll and filenameqty.dll are read into the session and
// before the resume decision: when a stop was cut off after its winners reached
// their level's file but before status.dll moved on, counts that round as
// drawn (roundIndex + 1, status.dll rewritten, winners list rebuilt). Returns
// true when it did; the caller then refreshes the caption from the winners
// list. Errors end it quietly, as any start-up step.
bool recoverRecordedRound(Session &session);

} // namespace sorvix
