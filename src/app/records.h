#pragma once

#include "engine/draw.h"
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
    RecordCommands(const Draw &draw, OperatorPort &op);

    // "导出中奖名单"; the proposed file name is made from `now`.
    void exportWinners(const QDateTime &now);
    // "导出未中奖名单"
    void exportNonWinners(const QDateTime &now);
    // "显示抽奖历史"; no history yet, or no program to show it, is said.
    void openHistory();

private:
    // Asks for the target file; empty when cancelled.
    QString chooseTarget(const char *prefix, const QDateTime &now);
    void offerToOpen(const char *done, const QString &target);
    // One export: the dialog (text or workbook), the file, the question.
    // `table` gives the workbook's rows, `text` writes the text file; both
    // take the highest enabled level.
    void exportRecord(const char *name, const QDateTime &now, const std::function<winners::Table(int)> &table,
                      const std::vector<double> &widths, const std::function<void(int, const QString &)> &text);

    const Draw &m_draw;
    OperatorPort &m_operator;
};

} // namespace sorvix
