#include "settings/participantlist.h"

#include "base/gbk.h"

namespace sorvix {

void ShowFields::chooseKey(int key)
{
    showName = showMobile = showId = showWorkId = false;
    showSwitch(key) = true;
}

void ShowFields::keepKeyShown(int key)
{
    showSwitch(key) = true;
}

bool &ShowFields::showSwitch(int field)
{
    switch (field) {
    case KeyMobile: return showMobile;
    case KeyIdNumber: return showId;
    case KeyWorkId: return showWorkId;
    default: return showName;
    }
}

Lines ShowFields::toLines() const
{
    const auto flag = [](bool on) { return on ? QByteArrayLiteral("1") : QByteArrayLiteral("0"); };
    return {flag(showName), flag(showMobile), flag(showId), flag(showWorkId), flag(maskMobile), flag(maskId)};
}

ShowFields ShowFields::fromLines(const Lines &lines)
{
    const auto on = [&](int i) { return lines.value(i) == "1"; };
    ShowFields s;
    s.showName = on(0);
    s.showMobile = on(1);
    s.showId = on(2);
    s.showWorkId = on(3);
    s.maskMobile = on(4);
    s.maskId = on(5);
    return s;
}

const QString &ParticipantList::columnFile(int column)
{
    static const QString names[ColumnCount] = {files::Name, files::Mobile, files::IdNumber, files::WorkId, files::Group};
    return names[column];
}

QByteArray ParticipantList::columnCaption(int column)
{
    static const char *captions[ColumnCount] = {"姓名", "手机号", "身份证号码", "工号", "分组"};
    return gbk::fromUtf8(captions[column]);
}

const QByteArray &ParticipantList::field(int column, int i) const
{
    static const QByteArray empty;
    const Lines &lines = columns[column];
    return i + 1 < lines.size() ? lines[i + 1] : empty;
}

Participant ParticipantList::participant(int i) const
{
    return {field(ColName, i), field(ColMobile, i), field(ColIdNumber, i), field(ColWorkId, i), field(ColGroup, i)};
}

ParticipantList ParticipantList::load(const ProgramFolder &folder)
{
    ParticipantList list;
    list.columns[ColName] = folder.readLines(files::Name);
    for (int c = ColMobile; c < ColumnCount; ++c)
        if (folder.exists(columnFile(c)))
            list.columns[c] = folder.readLines(columnFile(c));
    return list;
}

void ParticipantList::save(const ProgramFolder &folder, const std::vector<std::array<QByteArray, ColumnCount>> &rows)
{
    // The five columns go to disk together: a failed write leaves the old
    // list whole instead of pairing new names with old numbers.
    textfile::replaceTogether(columnContents(folder, rows));
}

std::vector<textfile::FileContents> ParticipantList::columnContents(
    const ProgramFolder &folder, const std::vector<std::array<QByteArray, ColumnCount>> &rows)
{
    std::vector<textfile::FileContents> files;
    for (int c = 0; c < ColumnCount; ++c) {
        Lines lines;
        lines.reserve(qsizetype(rows.size()));
        for (const auto &row : rows) {
            QByteArray cell = row[c];
            if (cell.contains('\r') || cell.contains('\n')) {
                cell.replace("\r\n", " ");
                cell.replace('\r', ' ');
                cell.replace('\n', ' ');
            }
            lines.append(c == ColGroup ? cell.trimmed() : cell);
        }
        files.push_back({folder.path(columnFile(c)), textfile::joinLines(lines)});
    }
    return files;
}

std::vector<std::array<QByteArray, ColumnCount>> ParticipantList::rows() const
{
    std::vector<std::array<QByteArray, ColumnCount>> result;
    const int n = count();
    result.reserve(size_t(n) + 1);
    std::array<QByteArray, ColumnCount> header;
    for (int c = 0; c < ColumnCount; ++c)
        header[c] = columns[c].value(0);
    result.push_back(header);
    for (int i = 0; i < n; ++i) {
        const Participant p = participant(i);
        result.push_back({p.name, p.mobile, p.idNumber, p.workId, p.group});
    }
    return result;
}

namespace {

// Appends `text` with up to `count` bytes from 1-based byte position
// `position` replaced by `insert`; what maskAt returns, without the copies.
void appendMasked(QByteArray &out, const QByteArray &text, int position, int count, const QByteArray &insert)
{
    const qsizetype start = position - 1;
    if (start >= text.size()) {
        out.append(text).append(insert);
        return;
    }
    out.append(text.constData(), start).append(insert);
    const qsizetype rest = start + count;
    if (rest < text.size())
        out.append(text.constData() + rest, text.size() - rest);
}

const QByteArray MobileMask = QByteArrayLiteral("****");
const QByteArray IdMask = QByteArrayLiteral("********");

} // namespace

QByteArray maskAt(const QByteArray &text, int position, int count, const QByteArray &insert)
{
    QByteArray result;
    result.reserve(text.size() + insert.size());
    appendMasked(result, text, position, count, insert);
    return result;
}

QByteArray displayText(const Participant &p, const ShowFields &show)
{
    if (!show.showMobile && !show.showId && !show.showWorkId)
        return show.showName ? p.name : QByteArray(); // shares the name's bytes
    // One allocation per text: the list is rebuilt whole on every load.
    QByteArray text;
    text.reserve((show.showName ? p.name.size() : 0) + (show.showMobile ? p.mobile.size() + 5 : 0)
                 + (show.showId ? p.idNumber.size() + 9 : 0) + (show.showWorkId ? p.workId.size() + 1 : 0));
    if (show.showName)
        text.append(p.name);
    if (show.showMobile) {
        text.append(' ');
        if (show.maskMobile)
            appendMasked(text, p.mobile, 4, 4, MobileMask);
        else
            text.append(p.mobile);
    }
    if (show.showId) {
        text.append(' ');
        if (show.maskId)
            appendMasked(text, p.idNumber, 7, 8, IdMask);
        else
            text.append(p.idNumber);
    }
    if (show.showWorkId) {
        text.append(' ');
        text.append(p.workId);
    }
    return text;
}

QByteArray fullText(const Participant &p)
{
    QByteArray text;
    text.reserve(p.name.size() + p.mobile.size() + p.idNumber.size() + p.workId.size() + 3);
    text.append(p.name).append(' ').append(p.mobile).append(' ').append(p.idNumber).append(' ').append(p.workId);
    return text;
}

namespace keyfiles {

int loadKeyField(const ProgramFolder &folder, int current)
{
    if (!folder.exists(files::KeyWord))
        return current;
    const int key = folder.readFirstNumber(files::KeyWord);
    return key >= KeyName && key <= KeyWorkId ? key : current;
}

void saveKeyField(const ProgramFolder &folder, int key)
{
    folder.writeLines(files::KeyWord, {textfile::fromNumber(key)});
}

ShowFields loadShowFields(const ProgramFolder &folder, const ShowFields &current, int key)
{
    ShowFields show = current;
    if (folder.exists(files::ShowWord))
        show = ShowFields::fromLines(folder.readLines(files::ShowWord));
    show.keepKeyShown(key);
    return show;
}

void saveShowFields(const ProgramFolder &folder, const ShowFields &show)
{
    folder.writeLines(files::ShowWord, show.toLines());
}

} // namespace keyfiles
} // namespace sorvix
