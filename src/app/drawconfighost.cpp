#include "app/drawconfighost.h"

#include "app/startup.h"
#include "base/errors.h"

namespace sorvix {

DrawConfigHost::DrawConfigHost(Session &session, DrawScreen &screen, OperatorPort &op, SoundPort &sound,
                             DrawPreparation &preparation)
    : m_session(session), m_screen(screen), m_operator(op), m_sound(sound), m_preparation(preparation)
{
}

Theme DrawConfigHost::currentTheme() const
{
    return theme ? theme() : Theme();
}

bool DrawConfigHost::rerunScreenStartup()
{
    Startup startup(m_session, m_screen, m_operator, m_sound, m_preparation);
    startup.applyTheme = applyTheme;
    return startup.mainScreenCreate();
}

void DrawConfigHost::relayout()
{
    m_screen.relayout();
}

bool DrawConfigHost::reloadParticipants()
{
    Startup startup(m_session, m_screen, m_operator, m_sound, m_preparation);
    return startup.participantListCreate();
}

bool DrawConfigHost::reloadAwardSettings()
{
    Startup startup(m_session, m_screen, m_operator, m_sound, m_preparation);
    try {
        startup.loadAwardSettings();
    } catch (const OperationError &) {
        return false;
    }
    m_preparation.refreshAwardTable();
    m_screen.setSlot(5, m_session.settings.options.startStopKeysText());
    return true;
}

void DrawConfigHost::prepareFreshDraw()
{
    m_session.state.roundIndex = 0;
    m_session.state.makeupActive = false;
    m_session.tooManyWinners = false;
    m_preparation.prepareDraw();
}

void DrawConfigHost::showMainMenu()
{
    m_screen.showMenus();
}

void DrawConfigHost::settingsReplaced()
{
    if (onSettingsReplaced)
        onSettingsReplaced();
}

} // namespace sorvix
