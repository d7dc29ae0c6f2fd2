#include "engine/textfile.h"

#include "engine/errors.h"
#include "engine/gbk.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <fcntl.h>
#include <unistd.h>

namespace sorvix::textfile {

namespace {

[[noreturn]] void fail(const QString &what, const QString &path)
{
    throw OperationError(what + QStringLiteral("：") + QDir::toNativeSeparators(path));
}

void writeBytes(const QString &path, const QByteArray &bytes, bool sync)
{
    QSaveFile file(path);
    // QSaveFile keeps fsync off unless asked: the rename must not land before the data.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        fail(QStringLiteral("无法写入文件"), path);
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        fail(QStringLiteral("无法写入文件"), path);
    }
    if (sync && !file.flush()) {
        file.cancelWriting();
        fail(QStringLiteral("无法写入文件"), path);
    }
    if (sync)
        ::fsync(file.handle());
    if (!file.commit())
        fail(QStringLiteral("无法写入文件"), path);
}

} // namespace

Lines splitLines(const QByteArray &bytes)
{
    Lines lines;
    const char *data = bytes.constData();
    const qsizetype size = bytes.size();
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
    QFile::remove(path);
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

void writeLines(const QString &path, const Lines &lines)
{
    writeBytes(path, joinLines(lines), true);
}

void writeAll(const QString &path, const QByteArray &bytes)
{
    writeBytes(path, bytes, true);
}

void writeLinesUnsynced(const QString &path, const Lines &lines)
{
    // A plain write: the batch is made durable by one syncFolder at its end.
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        fail(QStringLiteral("无法写入文件"), path);
    const QByteArray bytes = joinLines(lines);
    if (file.write(bytes) != bytes.size())
        fail(QStringLiteral("无法写入文件"), path);
}

void appendLines(const QString &path, const Lines &lines)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        fail(QStringLiteral("无法写入文件"), path);
    const QByteArray bytes = joinLines(lines);
    if (file.write(bytes) != bytes.size() || !file.flush())
        fail(QStringLiteral("无法写入文件"), path);
    ::fsync(file.handle());
}

void syncFolder(const QString &folder)
{
    const QByteArray name = QFile::encodeName(folder);
    const int fd = ::open(name.constData(), O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        return;
    ::syncfs(fd);
    ::close(fd);
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

QByteArray fromNumber(int value)
{
    return QByteArray::number(value);
}

} // namespace sorvix::textfile
