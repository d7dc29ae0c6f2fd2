#pragma once

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QWidget>

namespace sorvix::test {

// Runs one of a control's accessibility actions, as a screen reader or an
// automation tool does, and lets a delayed press land. False when the control
// does not offer the action.
inline bool doAccessibleAction(QWidget *control, const QString &action)
{
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(control);
    if (!accessible || !accessible->actionInterface()
        || !accessible->actionInterface()->actionNames().contains(action))
        return false;
    accessible->actionInterface()->doAction(action);
    // A press is an animated click that lands a moment later.
    const QDeadlineTimer settle(300);
    while (!settle.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return true;
}

} // namespace sorvix::test
