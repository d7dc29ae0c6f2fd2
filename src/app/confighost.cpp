#include "app/confighost.h"

#include "app/startup.h"
#include "base/errors.h"

namespace sorvix {

AppConfigHost::AppConfigHost(Session &session, DrawScreen &screen, OperatorPort &op, SoundPort &sound,
                             DrawPreparation &preparation)
    : m_session(session), m_screen(screen), m_operator(op), m_sound(sound), m_preparation(preparation)
{
}

Theme AppConfigHost::currentTheme() const
{
    return theme ? theme() : Theme();
}

bool AppConfigHost::rerunScreenStartup()
{
    Startup startup(m_session, m_screen, m_operator, m_sound, m_preparation);
    startup.applyTheme = applyTheme;
    return startup.mainScreenCreate();
}

void AppConfigHost::relayout()
{
    m_screen.relayout();
}

bool AppConfigHost::reloadParticipants()
{
    Startup startup(m_session, m_screen, m_operator, m_sound, m_preparation);
    return startup.participantListCreate();
}

bool AppConfigHost::reloadAwardSettings()
{
    Startup startup(m_session, m_screen, m_operator, m_sound, m_preparation);
    try {
        startup.LoadAwardSettings();
    } catch (const OperationError &) {
        return false;
    }
    m_preparation.RefreshAwardTable();
    m_screen.setSlot(5, m_session.settings.options.startStopKeysText());
    return true;
}

void AppConfigHost::prepareFreshDraw()
{
    m_session.state.roundIndex = 0;
    m_session.state.makeupActive = false;
    m_session.tooManyWinners = false;
    m_preparation.PrepareDraw();
}

void AppConfigHost::showMainMenu()
{
    m_screen.showMenus();
}

void AppConfigHost::settingsReplaced()
{
    if (onSettingsReplaced)
        onSettingsReplaced();
}

} // namespace sorvix
