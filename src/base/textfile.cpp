#include "base/textfile.h"

#include "base/errors.h"
#include "base/gbk.h"
#include "base/platform.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QThread>

#include <algorithm>

namespace sorvix::textfile {

namespace {

[[noreturn]] void fail(const QString &what, const QString &path)
{
    throw OperationError(what + QStringLiteral("：") + QDir::toNativeSeparators(path));
}

// On Windows another program can hold a file so that it can be neither
// replaced nor removed: a virus scanner for a moment, a spreadsheet program
// for as long as it shows the file. A write it refuses is tried again for a
// while, then refused saying what to close. (Linux never refuses so.)
constexpr int HeldTries = 15;
constexpr int HeldPauseMs = 200;

[[noreturn]] void failHeld(const QString &what, const QString &path)
{
    if (platform::isHeldOpen(path))
        fail(QStringLiteral("文件正被其他程序打开（例如 Excel 或杀毒软件），请关闭该程序后再试"), path);
    fail(what, path);
}

template <typename Attempt>
void retryWhileHeld(const QString &path, const QString &what, Attempt attempt)
{
    for (int tries = 1; !attempt(); ++tries) {
        if (tries == HeldTries || !platform::isHeldOpen(path))
            failHeld(what, path);
        QThread::msleep(HeldPauseMs);
    }
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    // QSaveFile writes beside the target and renames over it on commit. No
    // direct-write fallback: where no temporary file can be made, the write
    // fails and the old file stays.
    retryWhileHeld(path, QStringLiteral("无法写入文件"), [&] {
        QSaveFile file(path);
        file.setDirectWriteFallback(false);
        if (!file.open(QIODevice::WriteOnly))
            return false;
        // The flush and the sync are checked here: a commit whose own flush
        // fails (a full disk, a file-size limit) still renames a cut file over
        // the old one, and its own sync ignores errors.
        if (file.write(bytes) != bytes.size() || !file.flush() || !platform::syncFile(file)) {
            file.cancelWriting();
            return false;
        }
        return file.commit();
    });
}

// A plain write without the sync, for the many small files of one batch made
// durable together by syncFolder. No rename per file: the batch's owner marks
// the batch unusable before writing it and usable after the sync (the round
// plan does this with status.dll and filenameqty.dll), so a half-written file
// is never read.
void writeBytesUnsynced(const QString &path, const QByteArray &bytes)
{
    if (!platform::writeFileUnsynced(path, bytes))
        fail(QStringLiteral("无法写入文件"), path);
}

// Appends at `sizeBefore` (-1: at the end as found). On any failure the file
// is cut back to where the append began, so the caller can try again without
// the bytes landing twice.
void appendBytes(const QString &path, const QByteArray &bytes, qint64 sizeBefore)
{
    retryWhileHeld(path, QStringLiteral("无法写入文件"),
                   [&] { return platform::appendFile(path, bytes, sizeBefore); });
}

// Files replaced together: each new file is staged under its target's name
// with this suffix, and the journal in the folder commits the replacement.
const QString StagedSuffix = QStringLiteral(".staged");
const QString JournalName = QStringLiteral("replace.journal");
const QByteArray ReplaceEntry = QByteArrayLiteral("replace ");
const QByteArray RemoveEntry = QByteArrayLiteral("remove ");

QString staged(const QString &path)
{
    return path + StagedSuffix;
}

QString journalIn(const QString &folder)
{
    return folder + QLatin1Char('/') + JournalName;
}

// Writes the file under its staged name and syncs it; whatever stood there
// was left by a replacement that never committed. A target that could not be
// replaced (a folder, a read-only file) is refused here, before the commit.
void stage(const QString &target, const QByteArray &bytes)
{
    const QFileInfo info(target);
    QFile file(staged(target));
    if (info.isDir() || (info.exists() && !info.isWritable())
        || !file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || file.write(bytes) != bytes.size() || !file.flush() || !platform::syncFile(file))
        fail(QStringLiteral("无法写入文件"), target);
    file.close();
    if (file.error() != QFileDevice::NoError)
        fail(QStringLiteral("无法写入文件"), target);
}

// Retires a journal: moved aside, which brings every move and removal made
// before it to the disk, then removed; should that removal be lost, what
// stays is a staged leftover like any other.
bool retire(const QString &journalPath)
{
    if (!platform::replaceFile(journalPath, staged(journalPath), true))
        return false;
    platform::removeFile(staged(journalPath));
    return true;
}

// Carries out a committed replacement, then retires its journal. Runs again
// whole after a crash at any point: a staged file is gone once it is moved.
void carryOut(const QString &folder, const Lines &journal)
{
    for (const QByteArray &entry : journal) {
        const bool replace = entry.startsWith(ReplaceEntry);
        if (!replace && !entry.startsWith(RemoveEntry))
            continue;
        const QString name = gbk::decode(entry.mid((replace ? ReplaceEntry : RemoveEntry).size()));
        // Files of this folder only, whoever wrote the journal.
        if (name.isEmpty() || name == QLatin1String("..") || name.contains(QLatin1Char('/'))
            || name.contains(QLatin1Char('\\')))
            continue;
        const QString target = folder + QLatin1Char('/') + name;
        if (replace) {
            if (exists(staged(target)))
                retryWhileHeld(target, QStringLiteral("无法写入文件"),
                               [&] { return platform::replaceFile(staged(target), target, false); });
        } else {
            retryWhileHeld(target, QStringLiteral("无法删除文件"), [&] { return platform::removeFile(target); });
        }
    }
    if (!retire(journalIn(folder)))
        fail(QStringLiteral("无法删除文件"), journalIn(folder));
}

} // namespace

qint64 size(const QString &path)
{
    const QFileInfo info(path);
    return info.isFile() ? info.size() : -1;
}

Lines splitLines(const QByteArray &bytes)
{
    Lines lines;
    const char *data = bytes.constData();
    const qsizetype size = bytes.size();
    // Sized once: the participant columns run to many thousands of lines.
    qsizetype ends = std::count(data, data + size, '\n');
    if (ends == 0)
        ends = std::count(data, data + size, '\r');
    lines.reserve(ends + 1);
    qsizetype start = 0;
    for (qsizetype i = 0; i < size; ++i) {
        const char c = data[i];
        if (c != '\r' && c != '\n')
            continue;
        lines.append(QByteArray(data + start, i - start));
        if (c == '\r' && i + 1 < size && data[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < size)
        lines.append(QByteArray(data + start, size - start));
    return lines;
}

QByteArray joinLines(const Lines &lines)
{
    qsizetype total = 0;
    for (const QByteArray &line : lines)
        total += line.size() + 2;
    QByteArray bytes;
    bytes.reserve(total);
    for (const QByteArray &line : lines) {
        bytes.append(line);
        bytes.append("\r\n", 2);
    }
    return bytes;
}

bool exists(const QString &path)
{
    return QFileInfo(path).isFile();
}

void remove(const QString &path)
{
    // Only "not there" is quiet: a file that stays would be taken for part of
    // whatever is written next (an old winners file merged into a new draw).
    retryWhileHeld(path, QStringLiteral("无法删除文件"), [&] { return platform::removeFile(path); });
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        fail(QStringLiteral("无法打开文件"), path);
    return file.readAll();
}

Lines readLines(const QString &path)
{
    return splitLines(readAll(path));
}

QByteArray readFirstLine(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        fail(QStringLiteral("无法打开文件"), path);
    QByteArray line;
    char c;
    while (file.getChar(&c)) {
        if (c == '\r' || c == '\n')
            break;
        line.append(c);
    }
    return line;
}

int readFirstNumber(const QString &path)
{
    return toNumber(readFirstLine(path));
}

int readFirstCount(const QString &path)
{
    return toCount(readFirstLine(path));
}

void writeLines(const QString &path, const Lines &lines)
{
    writeBytes(path, joinLines(lines));
}

void writeAll(const QString &path, const QByteArray &bytes)
{
    writeBytes(path, bytes);
}

void replaceTogether(const std::vector<FileContents> &files, bool *committed)
{
    if (committed)
        *committed = false;
    if (files.empty())
        return;
    const QString folder = QFileInfo(files.front().path).absolutePath();
    // One left undone would pair its staged files with this one's.
    completeReplacement(folder);
    // No target may be held by another program when the renames begin.
    for (const FileContents &file : files) {
        for (int tries = 1; platform::isHeldOpen(file.path); ++tries) {
            if (tries == HeldTries)
                failHeld(QStringLiteral("无法写入文件"), file.path);
            QThread::msleep(HeldPauseMs);
        }
    }
    const QString journalPath = journalIn(folder);
    Lines journal;
    try {
        for (const FileContents &file : files) {
            Q_ASSERT(QFileInfo(file.path).absolutePath() == folder);
            const QByteArray name = gbk::encode(QFileInfo(file.path).fileName());
            if (!file.bytes) {
                journal.append(RemoveEntry + name);
                continue;
            }
            // Each staged file reaches the disk here, so a full disk shows
            // before any target is replaced.
            stage(file.path, *file.bytes);
            journal.append(ReplaceEntry + name);
        }
        stage(journalPath, joinLines(journal));
        if (!platform::replaceFile(staged(journalPath), journalPath, true))
            fail(QStringLiteral("无法写入文件"), journalPath);
    } catch (const OperationError &) {
        // Not committed: the staged files go and the targets stay. A journal
        // that moved in place but did not sync goes first; one that will not
        // go leaves the replacement committed, to be finished.
        if (exists(journalPath) && !retire(journalPath)) {
            if (committed)
                *committed = true;
            throw;
        }
        for (const FileContents &file : files)
            platform::removeFile(staged(file.path));
        platform::removeFile(staged(journalPath));
        throw;
    }
    if (committed)
        *committed = true;
    carryOut(folder, journal);
}

bool completeReplacement(const QString &folder)
{
    const bool pending = exists(journalIn(folder));
    if (pending)
        carryOut(folder, readLines(journalIn(folder)));
    const QStringList leftovers =
        QDir(folder).entryList({QLatin1Char('*') + StagedSuffix}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &name : leftovers)
        if (!platform::removeFile(folder + QLatin1Char('/') + name))
            fail(QStringLiteral("无法删除文件"), folder + QLatin1Char('/') + name);
    return pending;
}

void writeLinesUnsynced(const QString &path, const Lines &lines)
{
    writeBytesUnsynced(path, joinLines(lines));
}

void appendLines(const QString &path, const Lines &lines)
{
    appendBytes(path, joinLines(lines), -1);
}

void appendLinesAt(const QString &path, const Lines &lines, qint64 sizeBefore)
{
    if (sizeBefore < 0 || !exists(path))
        fail(QStringLiteral("无法写入文件"), path);
    appendBytes(path, joinLines(lines), sizeBefore);
}

void syncFolder(const QString &folder)
{
    if (!platform::syncFileSystem(folder))
        fail(QStringLiteral("无法写入文件"), folder);
}

bool parseNumber(const QByteArray &text, int *value)
{
    const QByteArray t = text.trimmed();
    if (t.isEmpty())
        return false;
    qsizetype i = 0;
    bool negative = false;
    if (t[0] == '+' || t[0] == '-') {
        negative = t[0] == '-';
        i = 1;
    }
    if (i >= t.size())
        return false;
    qint64 v = 0;
    for (; i < t.size(); ++i) {
        const char c = t[i];
        if (c < '0' || c > '9')
            return false;
        v = v * 10 + (c - '0');
        if (v > qint64(INT_MAX) + 1)
            return false;
    }
    if (negative)
        v = -v;
    if (v > INT_MAX || v < INT_MIN)
        return false;
    *value = int(v);
    return true;
}

int toNumber(const QByteArray &text)
{
    int value = 0;
    if (!parseNumber(text, &value))
        throw OperationError(QStringLiteral("“%1”不是有效的整数值").arg(gbk::decode(text)));
    return value;
}

int toCount(const QByteArray &text)
{
    const int value = toNumber(text);
    if (value < 0)
        throw OperationError(QStringLiteral("“%1”不是有效的整数值").arg(gbk::decode(text)));
    return value;
}

QByteArray fromNumber(int value)
{
    return QByteArray::number(value);
}

} // namespace sorvix::textfile
