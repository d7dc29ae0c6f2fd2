#pragma once

#include "app/drawscreen.h"
#include "engine/prepare.h"
#include "engine/session.h"
#include "presentation/theme.h"

#include <QDateTime>
#include <functional>

namespace sorvix {

// The program's start: what the draw screen reads from the program folder, the
// participant list's and the award settings' loading, and the decision whether
// a draw left unfinished is continued.
class Startup
{
public:
    Startup(Session &session, DrawScreen &screen, OperatorPort &op, SoundPort &sound, DrawPreparation &preparation);

    // Applies the theme file's three fields on the screen (the window loads the
    // picture and sets colour and face).
    std::function<void(const Theme &)> applyTheme;

    // The draw screen's own start-up. Returns false when a step failed; the
    // later steps are then skipped, as at any start-up failure.
    bool mainScreenCreate();
    // The six raw settings lists from the five column files and Tlottery.dll.
    void loadRawSettingsLists();
    // The participant list's start-up: key field, shown fields, then the pool.
    bool participantListCreate();
    // Its steps, also run by every showing of the list editor. Throws
    // OperationError; what was read before the failure stays.
    void loadListSettings();
    // Builds the display texts and the pool from the loaded column lists.
    void buildDisplayTexts();
    // The award settings' start-up, ending with the resume decision.
    bool awardSettingsCreate();
    // Reads Tlottery.dll into the live settings and applies them on the screen.
    void loadAwardSettings();
    // Continue the draw recorded in status.dll, report a finished one, or
    // prepare a new one.
    void resumeDecision();

    // The program's start-up in its two parts: what the first frame shows
    // (the screen's own start-up and the titles), then, once it is painted,
    // the participant list and the award settings with the resume decision.
    void startScreen();
    void startDraw();

private:
    Session &m_session;
    DrawScreen &m_screen;
    OperatorPort &m_operator;
    SoundPort &m_sound;
    DrawPreparation &m_preparation;
};

// The questions asked when the draw screen closes. Returns whether the window
// may close. `exportWinners` runs the winners export with its dialog.
class ExitQuestions
{
public:
    ExitQuestions(Session &session, OperatorPort &op);
    std::function<QDateTime()> now = [] { return QDateTime::currentDateTime(); };
    std::function<void()> exportWinners;

    bool confirmClose();

private:
    Session &m_session;
    OperatorPort &m_operator;
};

} // namespace sorvix
