#include "app/console.h"

#include "base/errors.h"
#include "base/gbk.h"

#include <QStringList>

namespace sorvix {

namespace {

QString joined(const Lines &names)
{
    QStringList texts;
    for (const QByteArray &name : names)
        texts << gbk::decode(name);
    return texts.join(QStringLiteral("、"));
}

QString nextRound(const Draw &draw)
{
    const DrawState &state = draw.state();
    if (state.makeupActive())
        return QStringLiteral("补抽第 %1 轮").arg(state.makeupIndex() + 1);
    if (state.roundCount() == 0)
        return QStringLiteral("暂时无法抽奖（人员名单或奖项设置还没有完成）");
    if (!state.roundsLeft())
        return QStringLiteral("抽奖已经全部完成");
    try {
        const int level = RoundFile::readLevel(draw.folder(), files::round(state.roundIndex()));
        return gbk::decode(draw.settings().levels[size_t(level)].displayName)
               + QStringLiteral("（第 %1 轮）").arg(state.roundIndex() + 1);
    } catch (const OperationError &) {
        return QStringLiteral("第 %1 轮").arg(state.roundIndex() + 1);
    }
}

} // namespace

ConsoleText ConsoleText::of(const Draw &draw)
{
    ConsoleText t;
    const DrawState &state = draw.state();
    const ScreenState &screen = draw.screen();
    t.now = gbk::decode(screen.head);
    t.progress = state.makeupActive()
        ? QStringLiteral("补抽：已抽取 %1 轮，共 %2 轮").arg(state.makeupIndex()).arg(state.makeupCount())
        : QStringLiteral("已抽取 %1 轮，共 %2 轮").arg(state.roundIndex()).arg(state.roundCount());
    t.next = QStringLiteral("下一轮：") + (draw.rolling() ? QStringLiteral("正在抽取") : nextRound(draw));
    t.winners = screen.revealed.isEmpty() ? QString() : QStringLiteral("刚抽出：") + joined(screen.revealed);
    if (const std::optional<UnrecordedStop> &record = state.unrecorded())
        t.pending = QStringLiteral("本轮中奖结果还没有保存到磁盘！请先手工记下：")
                    + (record->hasWinners ? joined(record->names) : QStringLiteral("（本轮文件无法读取）"))
                    + QStringLiteral("。腾出空间或插回U盘后，按开始重新保存。");
    t.button = draw.rolling() ? QStringLiteral("停止") : QStringLiteral("开始");
    return t;
}

} // namespace sorvix
