#pragma once

#include "engine/screenport.h"
#include "engine/session.h"
#include "engine/winners.h"

#include <QDateTime>
#include <functional>
#include <vector>

namespace sorvix {

// The draw screen's commands on the winners record: the two exports (a text
// file or a workbook) with their dialogs and questions, and the history file.
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
    // One export: the dialog (text or workbook), the file, the question.
    // `table` gives the workbook's rows, `text` writes the text file; both
    // take the highest enabled level.
    void exportRecord(const char *name, const std::function<winners::Table(int)> &table,
                      const std::vector<double> &widths, const std::function<void(int, const QString &)> &text);

    Session &m_session;
    OperatorPort &m_operator;
};

} // namespace sorvix
