#include "engine/stoprecord.h"

#include "base/gbk.h"
#include "engine/drawfiles.h"
#include "engine/winners.h"

namespace sorvix::stoprecord {

UnrecordedStop begin(const ProgramFolder &folder, const AwardSettings &settings, bool makeup, int round,
                     const std::optional<RoundFile> &file)
{
    UnrecordedStop record;
    record.makeup = makeup;
    record.round = round;
    if (!file)
        return record;
    const int level = file->levelIndex();
    const AwardLevel &award = settings.levels[size_t(level)];
    record.hasWinners = true;
    record.level = level;
    record.displayName = award.displayName;
    record.prizeText = award.prizeText;
    record.names = file->names;
    record.levelFileSize = textfile::size(folder.path(files::levelWinners(level)));
    return record;
}

Lines complete(const ProgramFolder &folder, const AwardSettings &settings, UnrecordedStop &record)
{
    // Winners first, then the list, then status.dll: until status.dll moves
    // on, the round stands at the end of its level's file and a start-up
    // after a crash counts it.
    if (record.hasWinners && !record.levelRecorded) {
        if (record.levelFileSize < 0)
            levelwinners::create(folder, record.level, record.displayName, record.prizeText, record.names);
        else
            textfile::appendLinesAt(folder.path(files::levelWinners(record.level)), record.names,
                                    record.levelFileSize);
        record.levelRecorded = true;
    }
    Lines list;
    if (record.hasWinners)
        list = winners::rebuildList(folder, settings.highestEnabledLevel());
    if (!record.makeup)
        drawfiles::writeStatus(folder, record.round + 1);
    return list;
}

QString failureNotice(const UnrecordedStop &record, const QString &error, bool again)
{
    QString text = again ? QStringLiteral("本轮中奖结果仍然没能保存到磁盘：\r") : QStringLiteral("本轮中奖结果没能保存到磁盘：\r");
    text += error + QStringLiteral("\r\r");
    if (record.hasWinners) {
        QStringList names;
        for (const QByteArray &name : record.names)
            names << gbk::decode(name);
        text += QStringLiteral("请先手工记下本轮%1的中奖者：\r%2\r\r")
                    .arg(gbk::decode(record.displayName), names.join(QStringLiteral("、")));
    }
    text += QStringLiteral("请腾出磁盘空间、插回U盘或让程序文件夹可以写入，然后按开始键重新保存。"
                           "保存成功之前不会开始下一轮。");
    return text;
}

QString recordedNotice()
{
    return QStringLiteral("上一轮的中奖结果已经保存成功，请再按开始键开始下一轮。");
}

} // namespace sorvix::stoprecord
