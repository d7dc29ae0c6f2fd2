#include "engine/drawfiles.h"

#include "base/gbk.h"

namespace sorvix {

RoundPlan RoundPlan::make(int level, const QByteArray &displayName, const QByteArray &prizeText,
                          const QByteArray &quantityText, int drawnBefore, const Lines &names)
{
    static const QByteArray ming = gbk::fromUtf8("名");
    static const QByteArray prepare = gbk::fromUtf8("准备抽取");
    static const QByteArray thisRound = gbk::fromUtf8("本轮已抽取");
    static const QByteArray total = gbk::fromUtf8("名，共");
    static const QByteArray drawn = gbk::fromUtf8("名，已抽取");
    const QByteArray count = QByteArray::number(names.size());
    RoundPlan r;
    r.level = level;
    r.caption = displayName + ' ' + prizeText + " (" + count + '/' + quantityText + ming + ')';
    const QByteArray middle = displayName + count + total + quantityText + drawn;
    r.headBefore = prepare + middle + QByteArray::number(drawnBefore) + ming;
    r.headAfter = thisRound + middle + QByteArray::number(drawnBefore + names.size()) + ming;
    r.names = names;
    return r;
}

Lines RoundPlan::toLines() const
{
    Lines lines;
    lines.reserve(4 + names.size());
    lines << QByteArray::number(level) << caption << headBefore << headAfter;
    lines.append(names);
    return lines;
}

RoundPlan RoundPlan::fromLines(const Lines &lines)
{
    RoundPlan r;
    r.level = textfile::toCount(lines.value(0));
    r.caption = lines.value(1);
    r.headBefore = lines.value(2);
    r.headAfter = lines.value(3);
    if (lines.size() > 4)
        r.names = lines.mid(4);
    return r;
}

namespace drawfiles {

RoundPlan readRound(const ProgramFolder &folder, int n)
{
    return RoundPlan::fromLines(folder.readLines(files::round(n)));
}

void writeRound(const ProgramFolder &folder, int n, const RoundPlan &round)
{
    folder.writeLines(files::round(n), round.toLines());
}

int roundLevel(const ProgramFolder &folder, int n)
{
    return folder.readFirstCount(files::round(n));
}

int readStatus(const ProgramFolder &folder)
{
    return folder.readFirstCount(files::Status);
}

void writeStatus(const ProgramFolder &folder, int roundIndex)
{
    folder.writeLines(files::Status, {QByteArray::number(roundIndex)});
}

int readRoundCount(const ProgramFolder &folder)
{
    return folder.exists(files::RoundCount) ? folder.readFirstCount(files::RoundCount) : 0;
}

void writeRoundCount(const ProgramFolder &folder, int roundCount)
{
    folder.writeLines(files::RoundCount, {QByteArray::number(roundCount)});
}

Lines readLeftover(const ProgramFolder &folder)
{
    return folder.exists(files::Leftover) ? folder.readLines(files::Leftover) : Lines();
}

void writeLeftover(const ProgramFolder &folder, const Lines &names)
{
    folder.writeLines(files::Leftover, names);
}

} // namespace drawfiles

namespace levelwinners {

Lines header(const QByteArray &displayName, const QByteArray &prizeText)
{
    return {QByteArray(), displayName, '(' + prizeText + ')'};
}

bool exists(const ProgramFolder &folder, int level)
{
    return folder.exists(files::levelWinners(level));
}

void create(const ProgramFolder &folder, int level, const QByteArray &displayName,
            const QByteArray &prizeText, const Lines &names)
{
    rewrite(folder, level, displayName, prizeText, names);
}

void append(const ProgramFolder &folder, int level, const Lines &names)
{
    folder.appendLines(files::levelWinners(level), names);
}

void record(const ProgramFolder &folder, int level, const QByteArray &displayName,
            const QByteArray &prizeText, const Lines &names)
{
    if (exists(folder, level))
        append(folder, level, names);
    else
        create(folder, level, displayName, prizeText, names);
}

void rewrite(const ProgramFolder &folder, int level, const QByteArray &displayName,
             const QByteArray &prizeText, const Lines &names)
{
    Lines lines = header(displayName, prizeText);
    lines.append(names);
    folder.writeLines(files::levelWinners(level), lines);
}

Lines readNames(const ProgramFolder &folder, int level)
{
    const Lines lines = folder.readLines(files::levelWinners(level));
    return lines.size() > HeaderLines ? lines.mid(HeaderLines) : Lines();
}

} // namespace levelwinners
} // namespace sorvix
