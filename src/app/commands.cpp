#include "app/commands.h"

#include "base/errors.h"
#include "engine/winners.h"

#include <QFileInfo>

namespace sorvix {

namespace {
const QString TextFilter = QStringLiteral("文本文件(*.txt)|*.txt");
}

RecordCommands::RecordCommands(Session &session, OperatorPort &op)
    : m_session(session), m_operator(op)
{
}

QString RecordCommands::chooseTarget(const char *prefix)
{
    const QString proposed = QString::fromUtf8(prefix) + winners::timestamp(now()) + QStringLiteral(".txt");
    return m_operator.chooseSaveFile(TextFilter, proposed);
}

void RecordCommands::offerToOpen(const char *done, const QString &target)
{
    if (m_operator.confirm(QString::fromUtf8(done) + target + QStringLiteral("\r是否打开？")) == OperatorPort::Answer::Yes)
        openOrSay(m_operator, target, QStringLiteral("文本文件"));
}

void RecordCommands::exportWinners()
{
    const QString target = chooseTarget("中奖名单");
    if (target.isEmpty())
        return;
    try {
        winners::exportWinners(m_session.folder, m_session.settings.highestEnabledLevel(), target);
    } catch (const OperationError &error) {
        m_operator.showError(error.message());
        return;
    }
    offerToOpen("中奖名单成功导出至：", target);
}

void RecordCommands::exportNonWinners()
{
    const QString target = chooseTarget("未中奖名单");
    if (target.isEmpty())
        return;
    try {
        winners::exportNonWinners(m_session.folder, m_session.settings.highestEnabledLevel(), m_session.pool, target);
    } catch (const OperationError &error) {
        m_operator.showError(error.message());
        return;
    }
    offerToOpen("未中奖名单成功导出至：", target);
}

void RecordCommands::openHistory()
{
    const QString path = m_session.folder.path(files::History);
    if (!QFileInfo(path).isFile()) {
        m_operator.inform(QStringLiteral("还没有抽奖历史。\r每次重新抽奖或关闭软件时，本次的中奖名单记入抽奖历史。"));
        return;
    }
    openOrSay(m_operator, path, QStringLiteral("抽奖历史"));
}

} // namespace sorvix
