#include "engine/drawfiles.h"

namespace sorvix {

namespace drawfiles {

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
