#include "engine/roundfile.h"

#include "base/errors.h"
#include "base/gbk.h"
#include "settings/awardsettings.h"

namespace sorvix {

RoundFile RoundFile::planRound(int level, const QByteArray &displayName, const QByteArray &prizeText,
                               const QByteArray &quantityText, int drawnBefore, const Lines &names)
{
    static const QByteArray ming = gbk::fromUtf8("名");
    static const QByteArray prepare = gbk::fromUtf8("准备抽取");
    static const QByteArray thisRound = gbk::fromUtf8("本轮已抽取");
    static const QByteArray total = gbk::fromUtf8("名，共");
    static const QByteArray drawn = gbk::fromUtf8("名，已抽取");
    const QByteArray count = QByteArray::number(names.size());
    RoundFile r;
    r.levelLine = QByteArray::number(level);
    r.caption = displayName + ' ' + prizeText + " (" + count + '/' + quantityText + ming + ')';
    const QByteArray middle = displayName + count + total + quantityText + drawn;
    r.headBefore = prepare + middle + QByteArray::number(drawnBefore) + ming;
    r.headAfter = thisRound + middle + QByteArray::number(drawnBefore + names.size()) + ming;
    r.names = names;
    return r;
}

RoundFile RoundFile::makeupRound(int level, const QByteArray &displayName, int quantity, int drawnBefore,
                                 const Lines &names)
{
    const QByteArray head = gbk::fromUtf8("现在补抽") + displayName + gbk::fromUtf8("，共")
                            + QByteArray::number(quantity) + gbk::fromUtf8("名，已抽取");
    const QByteArray ming = gbk::fromUtf8("名");
    RoundFile r;
    r.levelLine = QByteArray::number(level);
    r.caption = gbk::fromUtf8("补抽") + displayName;
    r.headBefore = head + QByteArray::number(drawnBefore) + ming;
    r.headAfter = head + QByteArray::number(drawnBefore + names.size()) + ming;
    r.names = names;
    return r;
}

Lines RoundFile::toLines() const
{
    Lines lines;
    lines.reserve(NamesLine + names.size());
    lines << levelLine << caption << headBefore << headAfter;
    lines.append(names);
    return lines;
}

RoundFile RoundFile::fromLines(const Lines &lines)
{
    RoundFile r;
    r.levelLine = lines.value(0);
    r.caption = lines.value(1);
    r.headBefore = lines.value(2);
    r.headAfter = lines.value(3);
    if (lines.size() > NamesLine)
        r.names = lines.mid(NamesLine);
    return r;
}

int RoundFile::level() const
{
    return textfile::toNumber(levelLine);
}

int RoundFile::levelIndex() const
{
    const int index = level();
    if (index < 0 || index >= LevelCount)
        throw OperationError(QStringLiteral("奖项序号超出范围：%1").arg(index));
    return index;
}

int RoundFile::readLevel(const ProgramFolder &folder, const QString &relative)
{
    RoundFile r;
    r.levelLine = folder.readFirstLine(relative);
    return r.levelIndex();
}

RoundFile RoundFile::read(const ProgramFolder &folder, const QString &relative)
{
    return fromLines(folder.readLines(relative));
}

void RoundFile::write(const ProgramFolder &folder, const QString &relative) const
{
    folder.writeLines(relative, toLines());
}

void RoundFile::writeUnsynced(const ProgramFolder &folder, const QString &relative) const
{
    textfile::writeLinesUnsynced(folder.path(relative), toLines());
}

} // namespace sorvix
