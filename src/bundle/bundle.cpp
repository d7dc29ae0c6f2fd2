#include "bundle/bundle.h"

#include "base/errors.h"
#include "base/version.h"

#include <QDir>
#include <QSaveFile>
#include <memory>

namespace sorvix {

namespace {

// The lines cut or padded with empty lines to `count`.
Lines fitted(Lines lines, qsizetype count)
{
    if (lines.size() > count)
        lines.resize(count);
    while (lines.size() < count)
        lines.append(QByteArray());
    return lines;
}

bool isNumber(const QByteArray &line)
{
    int value = 0;
    return textfile::parseNumber(line, &value);
}

// A position as the draw screen reads Curtain.dll: a count, never negative.
bool isCount(const QByteArray &line)
{
    int value = 0;
    return textfile::parseNumber(line, &value) && value >= 0;
}

// Read as the draw reads them, enabled levels' quantities included: a
// setting that would stop the draw's preparation is a damaged bundle, found
// before any file is replaced.
bool awardSettingsReadable(const Lines &lines)
{
    AwardSettings probe = AwardSettings::defaults();
    try {
        probe.readLines(lines);
        for (const AwardLevel &level : probe.levels)
            if (level.enabled)
                level.quantityValue();
    } catch (const OperationError &) {
        return false;
    }
    return true;
}

// The file's lines, or nothing when it is missing or unreadable.
std::optional<Lines> linesOf(const ProgramFolder &folder, const QString &name)
{
    if (!folder.exists(name))
        return std::nullopt;
    try {
        return folder.readLines(name);
    } catch (const OperationError &) {
        return std::nullopt;
    }
}

void appendLine(QByteArray &bytes, const QByteArray &line)
{
    bytes.append(line);
    bytes.append("\r\n", 2);
}

} // namespace

QByteArray Bundle::toBytes() const
{
    qsizetype size = 256;
    for (const Lines *list : {&awardSettings, &showFields, &columns[0], &columns[1], &columns[2], &columns[3], &columns[4]})
        for (const QByteArray &line : *list)
            size += line.size() + 2;
    QByteArray bytes;
    bytes.reserve(size);
    appendLine(bytes, version);
    appendLine(bytes, textfile::fromNumber(count()));
    for (const QByteArray &line : theme::toLines(theme))
        appendLine(bytes, line);
    appendLine(bytes, captionPosition);
    appendLine(bytes, prizePosition);
    appendLine(bytes, resultBackground);
    for (const QByteArray &line : awardSettings)
        appendLine(bytes, line);
    appendLine(bytes, keyField);
    for (const QByteArray &line : showFields)
        appendLine(bytes, line);
    for (const Lines &column : columns)
        for (const QByteArray &line : column)
            appendLine(bytes, line);
    return bytes;
}

Bundle::Status Bundle::read(const QByteArray &bytes, Bundle *bundle)
{
    const Lines lines = textfile::splitLines(bytes);
    const auto line = [&lines](qsizetype i) { return i < lines.size() ? lines[i] : QByteArray(); };
    Bundle b;
    b.version = line(0);
    if (b.version != VersionText) {
        bundle->version = b.version;
        return Status::WrongVersion;
    }
    int n = 0;
    if (!textfile::parseNumber(line(1), &n) || n < 0)
        return Status::Damaged;
    // Only the last column may come short; nothing but empty lines may follow it.
    const qint64 total = FixedLines + qint64(ColumnCount) * n;
    if (lines.size() < total - n)
        return Status::Damaged;
    for (qsizetype i = total; i < lines.size(); ++i)
        if (!lines[i].isEmpty())
            return Status::Damaged;

    b.theme = theme::fromLines(lines.mid(2, 3));
    b.captionPosition = lines[5];
    b.prizePosition = lines[6];
    if (!isCount(b.captionPosition) || !isCount(b.prizePosition))
        return Status::Damaged;
    b.resultBackground = lines[7];
    b.awardSettings = lines.mid(8, AwardLines);
    if (!awardSettingsReadable(b.awardSettings))
        return Status::Damaged;
    b.keyField = lines[8 + AwardLines];
    if (!isNumber(b.keyField))
        return Status::Damaged;
    b.showFields = lines.mid(9 + AwardLines, ShowLines);
    for (int c = 0; c < ColumnCount; ++c)
        b.columns[size_t(c)] = fitted(lines.mid(FixedLines + qsizetype(c) * n, n), n);
    *bundle = std::move(b);
    return Status::Ok;
}

std::vector<MemberFile> Bundle::memberFiles() const
{
    std::vector<MemberFile> members{
        {files::Theme, textfile::joinLines(theme::toLines(theme))},
        {files::ScreenPositions, textfile::joinLines({captionPosition, prizePosition})},
        {files::ResultBackground, textfile::joinLines({resultBackground})},
        {files::Lottery, textfile::joinLines(awardSettings)},
        {files::KeyWord, textfile::joinLines({keyField})},
        {files::ShowWord, textfile::joinLines(showFields)},
    };
    for (int c = 0; c < ColumnCount; ++c)
        members.push_back({ParticipantList::columnFile(c), textfile::joinLines(columns[size_t(c)])});
    return members;
}

namespace bundle {

Bundle collect(const Draw &draw, const Theme &theme)
{
    const ProgramFolder &folder = draw.folder();
    const DrawOptions &options = draw.settings().options;
    Bundle b;
    b.version = VersionText;
    b.theme = theme;
    b.captionPosition = textfile::fromNumber(options.captionPosition);
    b.prizePosition = textfile::fromNumber(options.prizePosition);

    // No bgshow.dll: the results window shows its built-in picture, which an
    // empty line keeps on the other computer too.
    if (const std::optional<Lines> lines = linesOf(folder, files::ResultBackground))
        b.resultBackground = lines->value(0);

    b.awardSettings = draw.settings().toLines();

    const std::optional<Lines> key = linesOf(folder, files::KeyWord);
    b.keyField = key && isNumber(key->value(0)) ? key->value(0) : textfile::fromNumber(draw.keyField());
    const std::optional<Lines> show = linesOf(folder, files::ShowWord);
    b.showFields = show ? fitted(*show, Bundle::ShowLines) : draw.showFields().toLines();

    // Every column with the name column's line count; a shorter one gets
    // empty fields, as the list reads it.
    const auto &columns = draw.list().columns;
    const qsizetype n = columns[ColName].size();
    for (int c = 0; c < ColumnCount; ++c)
        b.columns[size_t(c)] = fitted(columns[size_t(c)], n);
    return b;
}

Replacement::Replacement(const ProgramFolder &folder, std::vector<MemberFile> members)
    : m_folder(folder), m_members(std::move(members))
{
}

void Replacement::apply()
{
    m_replaced = 0;
    m_restored = true;
    m_previous.clear();
    m_missing.clear();
    for (const MemberFile &member : m_members) {
        if (m_folder.exists(member.name))
            m_previous.push_back({member.name, textfile::readAll(m_folder.path(member.name))});
        else
            m_missing << member.name;
    }
    std::vector<textfile::FileContents> files;
    files.reserve(m_members.size());
    for (const MemberFile &member : m_members)
        files.push_back({m_folder.path(member.name), member.contents});
    bool committed = false;
    try {
        textfile::replaceTogether(files, &committed);
    } catch (const OperationError &) {
        // Past the commit point every target is replaced, now or when the
        // replacement is completed, so only putting them back undoes it.
        if (committed) {
            m_replaced = int(files.size());
            m_restored = undo();
        }
        throw;
    }
    m_replaced = int(files.size());
}

bool Replacement::undo()
{
    // The files that were not there go in the same replacement, so a crash
    // cannot leave one of them beside the old others.
    std::vector<textfile::FileContents> files;
    files.reserve(m_previous.size() + size_t(m_missing.size()));
    for (const MemberFile &previous : m_previous)
        files.push_back({m_folder.path(previous.name), previous.contents});
    for (const QString &name : m_missing)
        files.push_back({m_folder.path(name), std::nullopt});
    try {
        textfile::replaceTogether(files);
    } catch (const OperationError &) {
        return false;
    }
    return true;
}

} // namespace bundle
} // namespace sorvix
