#include "engine/winners.h"

#include "base/gbk.h"

#include <QSet>

namespace sorvix::winners {

Lines collect(const ProgramFolder &folder, int highestLevel)
{
    Lines lines;
    for (int level = 0; level <= highestLevel; ++level) {
        const QString file = files::levelWinners(level);
        if (folder.exists(file))
            lines.append(folder.readLines(file));
    }
    return lines;
}

Lines rebuildList(const ProgramFolder &folder, int highestLevel)
{
    const Lines lines = collect(folder, highestLevel);
    folder.writeLines(files::WinnersList, lines);
    return lines;
}

QByteArray captionText(const Lines &winnersList)
{
    QByteArray text;
    for (const QByteArray &line : winnersList) {
        text.append(' ');
        text.append(line);
        if (text.size() > CaptionTextLimit)
            break;
    }
    // Cut by bytes, as the caption strip has always done; a double-byte
    // character split at the end shows as one replacement mark.
    if (text.size() > CaptionTextLimit)
        text.truncate(CaptionTextLimit);
    return text;
}

QString timestamp(const QDateTime &when)
{
    return when.toString(QStringLiteral("yyyyMMdd-hhmmss"));
}

void appendHistory(const ProgramFolder &folder, int highestLevel, const QString &note, const QDateTime &when)
{
    Lines record;
    record << QByteArray() << gbk::encode(QStringLiteral("==== %1  %2 ====").arg(timestamp(when), note));
    record.append(collect(folder, highestLevel));
    folder.appendLines(files::History, record);
}

void exportWinners(const ProgramFolder &folder, int highestLevel, const QString &target)
{
    rebuildList(folder, highestLevel);
    textfile::writeAll(target, textfile::readAll(folder.path(files::WinnersList)));
}

void exportNonWinners(const ProgramFolder &folder, int highestLevel, const DrawPool &pool, const QString &target)
{
    const Lines list = rebuildList(folder, highestLevel);
    const QSet<QByteArray> won(list.begin(), list.end());
    Lines lines;
    for (const PoolEntry &entry : pool)
        if (!won.contains(entry.displayText))
            lines.append(entry.displayText);
    textfile::writeLines(target, lines);
}

} // namespace sorvix::winners
