#pragma once

#include "engine/draw.h"

#include <QMainWindow>

class QLabel;
class QPushButton;

namespace sorvix {

class MainMenus;

// The operator's console on the laptop's own screen while the draw screen
// fills the projector: the round now and the one to come, the last winners,
// a record still waiting for the disk, the start/stop button, the phone
// remote's state and the main menus. Questions and windows opened from here
// stay on this screen. The draw keys and a clicker's keys work here as on
// the draw screen.
class OperatorConsole : public QMainWindow
{
    Q_OBJECT
public:
    OperatorConsole(Draw &draw, MainMenus &menus, QWidget *drawScreen);

    // The phone remote's state, as a sentence.
    void setRemoteText(const QString &text);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void refresh();

    Draw &m_draw;
    QWidget *m_drawScreen;
    QLabel *m_now = nullptr;
    QLabel *m_progress = nullptr;
    QLabel *m_next = nullptr;
    QLabel *m_winners = nullptr;
    QLabel *m_pending = nullptr;
    QLabel *m_remote = nullptr;
    QPushButton *m_button = nullptr;
};

} // namespace sorvix
