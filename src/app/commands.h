#pragma once

#include "engine/screenport.h"
#include "engine/session.h"

#include <QDateTime>
#include <functional>

namespace sorvix {

// The draw screen's commands on the winners record: the two exports with their
// dialogs and questions, and the history file.
class RecordCommands
{
public:
    RecordCommands(Session &session, OperatorPort &op);
    std::function<QDateTime()> now = [] { return QDateTime::currentDateTime(); };

    // "导出中奖名单"
    void exportWinners();
    // "导出未中奖名单"
    void exportNonWinners();
    // "显示抽奖历史"; no history yet, or no program to show it, is said.
    void openHistory();

private:
    // Asks for the target file; empty when cancelled.
    QString chooseTarget(const char *prefix);
    void offerToOpen(const char *done, const QString &target);

    Session &m_session;
    OperatorPort &m_operator;
};

} // namespace sorvix
