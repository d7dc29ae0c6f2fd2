#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QLocalServer;

namespace sorvix {

// How a second start on a program folder reaches the program already running
// there: a local socket named after the folder, for the same user only. The
// running program listens; a second start asks it to come to the front.
class FrontChannel : public QObject
{
public:
    explicit FrontChannel(const QString &programFolder, QObject *parent = nullptr);
    ~FrontChannel() override;

    // Listens for second starts; `comeToFront` runs for each. Only the holder
    // of the folder lock calls it, so a socket left by a crashed owner is
    // removed first.
    bool listen(std::function<void()> comeToFront);
    // A second start's request; false when no running program answered.
    static bool askToFront(const QString &programFolder);

private:
    static QString nameFor(const QString &programFolder);

    QString m_name;
    QLocalServer *m_server = nullptr;
};

} // namespace sorvix
