#include "app/awardhost.h"

#include "app/startup.h"

namespace sorvix {

DrawAwardHost::DrawAwardHost(Session &session, DrawScreen &screen, OperatorPort &op, SoundPort &sound,
                             DrawPreparation &preparation)
    : m_session(session), m_screen(screen), m_operator(op), m_sound(sound), m_preparation(preparation)
{
}

void DrawAwardHost::reloadRawSettingsLists()
{
    Startup(m_session, m_screen, m_operator, m_sound, m_preparation).loadRawSettingsLists();
}

void DrawAwardHost::loadAwardSettings()
{
    Startup(m_session, m_screen, m_operator, m_sound, m_preparation).loadAwardSettings();
}

void DrawAwardHost::showStartStopKeys()
{
    m_screen.setSlot(5, m_session.settings.options.startStopKeysText());
}

bool DrawAwardHost::prepareDraw()
{
    m_preparation.prepareDrawOrThrow();
    return m_session.tooManyWinners;
}

void DrawAwardHost::setCaptionPosition(int position)
{
    m_session.settings.options.captionPosition = position;
    m_screen.relayout();
}

void DrawAwardHost::setPrizePosition(int position)
{
    m_session.settings.options.prizePosition = position;
    m_screen.relayout();
}

} // namespace sorvix
