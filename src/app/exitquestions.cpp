#include "app/exitquestions.h"

#include "base/errors.h"

namespace sorvix {

ExitQuestions::ExitQuestions(Draw &draw, RecordCommands &records, OperatorPort &op)
    : m_draw(draw), m_records(records), m_operator(op)
{
}

bool ExitQuestions::confirmClose(const QDateTime &now)
{
    // A revealed round still unrecorded is tried once more; after a restart
    // the resume shows the same winners again, so leaving is allowed.
    // A make-up is not resumed after a restart: its winners then live only
    // in the operator's notes.
    if (!m_draw.settleRecord()) {
        const QString consequence = m_draw.state().unrecorded()->makeup
            ? QStringLiteral("现在退出，本轮补抽的中奖者不会记入中奖名单，请以手工记录为准。")
            : QStringLiteral("现在退出，下次启动时选择继续抽奖会再次显示本轮的中奖者。");
        if (m_operator.confirm(QStringLiteral("本轮中奖结果还没有保存。") + consequence + QStringLiteral("\r是否仍然退出？"))
            != OperatorPort::Answer::Yes)
            return false;
    }
    const DrawState &state = m_draw.state();
    // A history record that can't be written is reported and the operator
    // chooses whether to leave without it.
    const auto record = [&](const char *note) {
        try {
            m_draw.appendHistory(QString::fromUtf8(note), now);
        } catch (const OperationError &error) {
            return m_operator.confirm(QStringLiteral("抽奖历史记录没能保存：\r") + error.message() + QStringLiteral("\r")
                                      + writeFailureAdvice() + QStringLiteral("\r是否仍然退出？"))
                == OperatorPort::Answer::Yes;
        }
        return true;
    };
    if (state.roundsLeft()) {
        if (m_operator.confirm(QStringLiteral("抽奖还没有结束，是否退出？")) != OperatorPort::Answer::Yes)
            return false;
        return record("抽奖结束前退出");
    }
    if (state.underway() && state.finished()) {
        switch (m_operator.confirmWithCancel(QStringLiteral("退出前，是否导出中奖名单？"))) {
        case OperatorPort::Answer::Cancel:
            return false;
        case OperatorPort::Answer::Yes:
            m_records.exportWinners(now);
            break;
        case OperatorPort::Answer::No:
            break;
        }
        return record("抽奖完成");
    }
    if (state.underway())
        return record("抽奖完成");
    return true;
}

} // namespace sorvix
