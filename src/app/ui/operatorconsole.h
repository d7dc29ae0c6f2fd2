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

    // The console's lines, top to bottom (the button stands before the last).
    enum Line { Now, Progress, Next, Winners, Pending, Remote, LineCount };

    Draw &m_draw;
    QWidget *m_drawScreen;
    QLabel *m_lines[LineCount] = {};
    QPushButton *m_button = nullptr;
};

} // namespace sorvix
