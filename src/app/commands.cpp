#include "app/commands.h"

#include "base/errors.h"
#include "engine/winners.h"

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
        m_operator.openWithShell(target);
}

void RecordCommands::exportWinners()
{
    const QString target = chooseTarget("中奖名单");
    if (target.isEmpty())
        return;
    try {
        winners::exportWinners(m_session.folder, m_session.settings.highestEnabledLevel(), target);
    } catch (const OperationError &error) {
        m_operator.showError(withWriteAdvice(error.message()));
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
        m_operator.showError(withWriteAdvice(error.message()));
        return;
    }
    offerToOpen("未中奖名单成功导出至：", target);
}

void RecordCommands::openHistory()
{
    m_operator.openWithShell(m_session.folder.path(files::History));
}

} // namespace sorvix
