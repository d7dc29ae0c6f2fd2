#include "app/soundswitch.h"

#include "base/errors.h"
#include "settings/awardsettings.h"

namespace sorvix {

SoundSwitch::SoundSwitch(Session &session, SoundPort &sound, OperatorPort &op)
    : m_session(session), m_sound(sound), m_operator(op)
{
}

void SoundSwitch::turnOn()
{
    m_sound.setRepeatTimerRunning(true);
    m_sound.playMusic();
    store(true);
}

void SoundSwitch::turnOff()
{
    m_sound.stopMusic();
    store(false);
}

void SoundSwitch::store(bool on)
{
    m_session.settings.options.soundOn = on;
    try {
        awardfile::save(m_session.folder, m_session.settings);
        m_session.rawSettingsLists[Session::RawAwardSettings] = m_session.settings.toLines();
    } catch (const OperationError &error) {
        m_operator.showError(error.message());
    }
}

} // namespace sorvix
