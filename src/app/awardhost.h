#pragma once

#include "app/drawscreen.h"
#include "engine/prepare.h"
#include "engine/session.h"
#include "editors/awardeditor.h"

namespace sorvix {

// The award settings editor's view of the draw: the session's live settings
// and draw state, the draw screen and the round plan. Loading goes through
// the start-up's own steps, so the editor and the start-up read and apply the
// settings alike.
class DrawAwardHost : public AwardEditorHost
{
public:
    DrawAwardHost(Session &session, DrawScreen &screen, OperatorPort &op, SoundPort &sound,
                  DrawPreparation &preparation);

    const AwardSettings &liveSettings() const override { return m_session.settings; }
    bool drawUnderway() const override { return m_session.state.roundIndex > 0; }
    void stopRolling() override { m_screen.stopRolling(); }
    void reloadRawSettingsLists() override;
    void loadAwardSettings() override;
    void showStartStopKeys() override;
    void restartRoundCount() override { m_session.state.roundIndex = 0; }
    void clearTooManyWinners() override { m_session.tooManyWinners = false; }
    bool prepareDraw() override;
    void setCaptionPosition(int position) override;
    void setPrizePosition(int position) override;

private:
    Session &m_session;
    DrawScreen &m_screen;
    OperatorPort &m_operator;
    SoundPort &m_sound;
    DrawPreparation &m_preparation;
};

} // namespace sorvix
