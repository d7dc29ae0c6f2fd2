#pragma once

#include "app/ui/application.h"
#include "support/recorders.h"
#include "support/testfolder.h"

#include <QAction>
#include <QLabel>
#include <gtest/gtest.h>
#include <memory>

namespace sorvix::test {

// Whether the widget becomes the active window (its own activation follows
// the platform window's).
bool becomesActive(QWidget *widget);
// The controls of the window (buttons, edits, lists, tables) without an
// accessible name, by object name.
QStringList unnamedControls(const QWidget *window);

// The draw screen on a program folder with the shipped settings and
// demonstration list, started the way the program starts it.
class DrawScreenTest : public ::testing::Test
{
protected:
    TestFolder dir{true};
    RecordingOperator op;
    RecordingSound sound;
    RecordingSound music;        // the results window's
    DrawRandom random{7};
    std::unique_ptr<Application> program;
    DrawScreenWindow *window = nullptr;

    // Makes, starts and shows the screen, and waits until it is active; an
    // invalid size leaves it as the program places it.
    void start(QSize size = {1280, 720});
    // One round with the keys: start, then stop.
    void drawOneRound();
    Draw &draw() { return program->draw(); }
    QLabel *label(const QString &name) const { return window->findChild<QLabel *>(name); }
    QAction *action(const QString &name) const { return window->findChild<QAction *>(name); }
};

} // namespace sorvix::test
