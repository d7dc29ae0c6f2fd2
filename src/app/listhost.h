#pragma once

#include "app/drawscreen.h"
#include "engine/prepare.h"
#include "engine/session.h"
#include "editors/listeditor.h"

namespace sorvix {

// The participant list editor's view of the draw: the session's list and draw
// state, the draw screen and the round plan. Reading the list goes through the
// start-up's own steps, so the editor and the start-up load it alike.
class DrawListHost : public ListEditorHost
{
public:
    DrawListHost(Session &session, DrawScreen &screen, OperatorPort &op, SoundPort &sound,
                 DrawPreparation &preparation);

    bool drawUnderway() const override { return m_session.state.roundIndex > 0; }
    void stopRolling() override { m_screen.stopRolling(); }
    void reloadListSettings() override;
    const ParticipantList &list() const override { return m_session.list; }
    int keyField() const override { return m_session.keyField; }
    ShowFields showFields() const override { return m_session.showFields; }
    void reloadList(int key, const ShowFields &show) override;
    void restartRoundCount() override { m_session.state.roundIndex = 0; }
    void prepareDraw() override { m_preparation.prepareDrawOrThrow(); }
    void setGroupModeUnlocked(bool unlocked) override { m_session.groupModeUnlocked = unlocked; }

private:
    Session &m_session;
    DrawScreen &m_screen;
    OperatorPort &m_operator;
    SoundPort &m_sound;
    DrawPreparation &m_preparation;
};

} // namespace sorvix
