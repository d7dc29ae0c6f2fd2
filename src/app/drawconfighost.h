#pragma once

#include "app/drawscreen.h"
#include "bundle/confighost.h"
#include "engine/prepare.h"
#include "engine/session.h"

#include <functional>

namespace sorvix {

// The bundle import's and the factory restore's way back into the running
// program: the start-up steps of the draw screen, the participant list and the
// award settings run again on the new files, then a fresh plan.
class DrawConfigHost : public ConfigHost
{
public:
    DrawConfigHost(Session &session, DrawScreen &screen, OperatorPort &op, SoundPort &sound,
                  DrawPreparation &preparation);

    // The draw screen's theme, and how it shows a stored one.
    std::function<Theme()> theme;
    std::function<void(const Theme &)> applyTheme;
    // Called once the settings files were replaced: open windows that show
    // settings read them again.
    std::function<void()> onSettingsReplaced;

    Theme currentTheme() const override;
    bool rerunScreenStartup() override;
    void relayout() override;
    bool reloadParticipants() override;
    bool reloadAwardSettings() override;
    void prepareFreshDraw() override;
    void showMainMenu() override;
    void settingsReplaced() override;

private:
    Session &m_session;
    DrawScreen &m_screen;
    OperatorPort &m_operator;
    SoundPort &m_sound;
    DrawPreparation &m_preparation;
};

} // namespace sorvix
