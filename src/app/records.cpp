#include "app/records.h"

#include "base/errors.h"
#include "engine/winners.h"
#include "sheets/workbook.h"

#include <QFileInfo>

namespace sorvix {

namespace {
const QString ExportFilter = QStringLiteral("文本文件(*.txt)|*.txt|Excel 工作簿(*.xlsx)|*.xlsx");
// Column widths in characters: level, prize, name, mobile, identity number, work number.
const std::vector<double> WinnerWidths{10, 16, 12, 16, 22, 12};
}

RecordCommands::RecordCommands(const Draw &draw, OperatorPort &op)
    : m_draw(draw), m_operator(op)
{
}

QString RecordCommands::chooseTarget(const char *prefix, const QDateTime &now)
{
    const QString proposed = QString::fromUtf8(prefix) + winners::timestamp(now) + QStringLiteral(".txt");
    return m_operator.chooseSaveFile(ExportFilter, proposed);
}

void RecordCommands::offerToOpen(const char *done, const QString &target)
{
    if (m_operator.confirm(QString::fromUtf8(done) + target + QStringLiteral("\r是否打开？")) == OperatorPort::Answer::Yes)
        openOrSay(m_operator, target, QStringLiteral("文本文件"));
}

void RecordCommands::exportRecord(const char *name, const QDateTime &now,
                                  const std::function<winners::Table(int)> &table, const std::vector<double> &widths,
                                  const std::function<void(int, const QString &)> &text)
{
    const QString target = chooseTarget(name, now);
    if (target.isEmpty())
        return;
    const int highest = m_draw.highestLevel();
    // The chosen name's ending decides: a workbook, or the text file as ever.
    const bool asWorkbook = workbook::namesWorkbook(target);
    const QString written = asWorkbook ? workbook::xlsxName(target) : target;
    try {
        if (asWorkbook) {
            winners::rebuildList(m_draw.folder(), highest);
            workbook::writeTable(written, QString::fromUtf8(name), table(highest), widths);
        } else {
            text(highest, target);
        }
    } catch (const OperationError &error) {
        m_operator.showError(withWriteAdvice(error.message()));
        return;
    }
    offerToOpen((QByteArray(name) + "成功导出至：").constData(), written);
}

void RecordCommands::exportWinners(const QDateTime &now)
{
    exportRecord(
        "中奖名单", now,
        [this](int highest) { return winners::winnersTable(m_draw.folder(), highest, m_draw.list(), m_draw.pool()); },
        WinnerWidths,
        [this](int highest, const QString &target) { winners::exportWinners(m_draw.folder(), highest, target); });
}

void RecordCommands::exportNonWinners(const QDateTime &now)
{
    exportRecord(
        "未中奖名单", now,
        [this](int highest) {
            return winners::nonWinnersTable(m_draw.folder(), highest, m_draw.list(), m_draw.pool());
        },
        {WinnerWidths.begin() + 2, WinnerWidths.end()}, [this](int highest, const QString &target) {
            winners::exportNonWinners(m_draw.folder(), highest, m_draw.pool(), target);
        });
}

void RecordCommands::openHistory()
{
    const QString path = m_draw.folder().path(files::History);
    if (!QFileInfo(path).isFile()) {
        m_operator.inform(QStringLiteral("还没有抽奖历史。\r每次重新抽奖或关闭软件时，本次的中奖名单记入抽奖历史。"));
        return;
    }
    openOrSay(m_operator, path, QStringLiteral("抽奖历史"));
}

} // namespace sorvix
