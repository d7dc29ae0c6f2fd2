#include "app/listhost.h"

#include "app/startup.h"

namespace sorvix {

DrawListHost::DrawListHost(Session &session, DrawScreen &screen, OperatorPort &op, SoundPort &sound,
                           DrawPreparation &preparation)
    : m_session(session), m_screen(screen), m_operator(op), m_sound(sound), m_preparation(preparation)
{
}

void DrawListHost::reloadListSettings()
{
    Startup(m_session, m_screen, m_operator, m_sound, m_preparation).loadListSettings();
}

void DrawListHost::reloadList(int key, const ShowFields &show)
{
    m_session.keyField = key;
    m_session.showFields = show;
    Startup startup(m_session, m_screen, m_operator, m_sound, m_preparation);
    startup.loadRawSettingsLists();
    startup.buildDisplayTexts();
}

} // namespace sorvix
