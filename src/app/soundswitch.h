#pragma once

#include "base/operatorports.h"
#include "engine/session.h"

namespace sorvix {

// "打开音效" / "关闭音效": the music, the switch in force and Tlottery.dll,
// whose copy held for the bundle follows what was written.
class SoundSwitch
{
public:
    SoundSwitch(Session &session, SoundPort &sound, OperatorPort &op);
    void turnOn();
    void turnOff();

private:
    void store(bool on);

    Session &m_session;
    SoundPort &m_sound;
    OperatorPort &m_operator;
};

} // namespace sorvix
