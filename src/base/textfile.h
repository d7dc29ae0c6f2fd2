#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>
#include <vector>

namespace sorvix {

// One line of a text file, without its line end: GBK bytes as stored.
using Lines = QList<QByteArray>;

// The text files of the program folder. A reader accepts CR LF, LF or CR as a
// line end; a writer ends every line with CR LF. Bytes pass unchanged in both
// directions. Failures throw OperationError with the operator's message.
namespace textfile {

// Splits file contents into lines; a final line end adds no empty line.
Lines splitLines(const QByteArray &bytes);
// Joins lines, each followed by CR LF.
QByteArray joinLines(const Lines &lines);

bool exists(const QString &path);
// Deletes a file; a missing file is not an error, a file that stays is.
void remove(const QString &path);

QByteArray readAll(const QString &path);
Lines readLines(const QString &path);
// The first line, empty for an empty file.
QByteArray readFirstLine(const QString &path);
// The first line as a decimal number.
int readFirstNumber(const QString &path);
// The first line as a count: a decimal number that is not negative.
int readFirstCount(const QString &path);

// Replaces the file with the given lines atomically: a crash leaves either the
// old file or the new one, never part of one.
void writeLines(const QString &path, const Lines &lines);
void writeAll(const QString &path, const QByteArray &bytes);
// Replaces several files of one folder that belong together (the participant
// columns, a bundle's members) all or none, a crash included: each new file
// is staged beside its target and synced, then a journal naming the targets
// is put in the folder (the commit point), then every staged file is moved
// over its target and the journal retired. A file without bytes is removed
// instead. A failure before the commit point changes no target and leaves
// nothing behind. After it, the targets are changed whatever happens: what a
// crash or a failed move left undone is finished by completeReplacement, which
// every replaceTogether in the folder runs first. `committed` tells, when it
// throws, whether the commit point was passed.
struct FileContents
{
    QString path;
    std::optional<QByteArray> bytes;
};
void replaceTogether(const std::vector<FileContents> &files, bool *committed = nullptr);
// Finishes a replacement in `folder` that a crash cut short: with a journal
// there, every staged file still there is moved over its target and the
// journal retired (true returned); without one, staged files left from before
// a commit point are removed. The start-up runs it before it reads any file
// of the folder. Throws OperationError when the disk refuses.
bool completeReplacement(const QString &folder);
// A plain write, not atomic and not flushed, for the many small files of one
// batch: the caller marks the batch unusable before and usable after one
// syncFolder, so a file cut short by a crash is never read.
void writeLinesUnsynced(const QString &path, const Lines &lines);
// Appends lines to the file (creating it when missing) and flushes them to
// disk before returning. A failed append cuts the file back to its size
// before, so a retry never writes the lines twice.
void appendLines(const QString &path, const Lines &lines);
// The same onto an existing file that held `sizeBefore` bytes before the
// first try: whatever an earlier failed try left beyond that is cut off first.
void appendLinesAt(const QString &path, const Lines &lines, qint64 sizeBefore);
// The file's size in bytes, -1 when there is no such file.
qint64 size(const QString &path);

// Flushes everything written into one folder to disk; throws when it can't.
void syncFolder(const QString &folder);

// A decimal integer as the files hold it: optional blanks around, an optional
// sign, digits, within 32 bits. Returns false for anything else.
bool parseNumber(const QByteArray &text, int *value);
// The same, throwing the operator's conversion message on failure.
int toNumber(const QByteArray &text);
// A count, position or selection: a number as above that is not negative.
int toCount(const QByteArray &text);
QByteArray fromNumber(int value);

} // namespace textfile
} // namespace sorvix
