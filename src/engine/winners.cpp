#include "engine/winners.h"

#include "base/gbk.h"

#include <QHash>
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

namespace {

// A level's winners file: an empty line, the display name, "(" prize ")",
// then the winners.
constexpr int FirstWinnerLine = 3;

// The list's own header texts ("姓名" ... "工号" as shipped).
QStringList fieldCaptions(const ParticipantList &list)
{
    QStringList captions;
    for (int c = ColName; c < ColGroup; ++c) {
        const QByteArray header = list.columns[size_t(c)].value(0);
        captions << gbk::decode(header.isEmpty() ? ParticipantList::columnCaption(c) : header);
    }
    return captions;
}

QStringList personFields(const ParticipantList &list, int person)
{
    QStringList fields;
    for (int c = ColName; c < ColGroup; ++c)
        fields << gbk::decode(list.field(c, person));
    return fields;
}

// Pairs winner lines with people, as the tables' note says.
class WinnerLookup
{
public:
    explicit WinnerLookup(const DrawPool &pool)
    {
        for (const PoolEntry &entry : pool)
            m_byText[entry.displayText].push_back(entry.person);
    }
    // The person a winner line stands for; -1 when nobody shows it.
    int take(const QByteArray &line)
    {
        const auto found = m_byText.constFind(line);
        if (found == m_byText.cend())
            return -1;
        for (int person : *found)
            if (!m_taken.contains(person)) {
                m_taken.insert(person);
                return person;
            }
        return found->front();
    }
    bool taken(int person) const { return m_taken.contains(person); }

private:
    QHash<QByteArray, std::vector<int>> m_byText;
    QSet<int> m_taken;
};

template<typename F>
void forEachWinner(const ProgramFolder &folder, int highestLevel, F f)
{
    for (int level = 0; level <= highestLevel; ++level) {
        const QString file = files::levelWinners(level);
        if (!folder.exists(file))
            continue;
        const Lines lines = folder.readLines(file);
        QByteArray prize = lines.value(2);
        if (prize.startsWith('(') && prize.endsWith(')'))
            prize = prize.mid(1, prize.size() - 2);
        for (qsizetype i = FirstWinnerLine; i < lines.size(); ++i)
            f(lines.value(1), prize, lines[i]);
    }
}

} // namespace

Table winnersTable(const ProgramFolder &folder, int highestLevel, const ParticipantList &list, const DrawPool &pool)
{
    Table table{QStringList{QStringLiteral("奖项"), QStringLiteral("奖品")} + fieldCaptions(list)};
    WinnerLookup lookup(pool);
    forEachWinner(folder, highestLevel, [&](const QByteArray &level, const QByteArray &prize, const QByteArray &line) {
        const int person = lookup.take(line);
        QStringList row{gbk::decode(level), gbk::decode(prize)};
        if (person >= 0 && person < list.count())
            row += personFields(list, person);
        else
            row << gbk::decode(line);
        table.push_back(row);
    });
    return table;
}

Table nonWinnersTable(const ProgramFolder &folder, int highestLevel, const ParticipantList &list,
                      const DrawPool &pool)
{
    WinnerLookup lookup(pool);
    forEachWinner(folder, highestLevel,
                  [&](const QByteArray &, const QByteArray &, const QByteArray &line) { lookup.take(line); });
    Table table{fieldCaptions(list)};
    for (const PoolEntry &entry : pool)
        if (!lookup.taken(entry.person) && entry.person >= 0 && entry.person < list.count())
            table.push_back(personFields(list, entry.person));
    return table;
}

} // namespace sorvix::winners
