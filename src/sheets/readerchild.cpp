// The reader child process: the program started afresh with the hidden
// option reads one workbook and answers its parent with the sheet or the
// message, in a QDataStream.

#include "sheets/cells.h"

#include "base/childprocess.h"
#include "base/platform.h"

#include <QDataStream>
#include <QFile>

#include <cstring>

namespace sorvix::workbook {

using detail::damaged;
using detail::shownName;

namespace {

QDataStream &operator<<(QDataStream &s, const Sheet &sheet)
{
    s << quint32(sheet.rows.size());
    for (const TextRow &row : sheet.rows)
        for (const QString &cell : row)
            s << cell;
    return s << qint32(sheet.lostDigitCells) << qint32(sheet.firstLostDigitRow) << qint32(sheet.rowsLeftOut)
             << qint32(sheet.firstRowLeftOut);
}

QDataStream &operator>>(QDataStream &s, Sheet &sheet)
{
    quint32 count = 0;
    s >> count;
    if (count > quint32(MaxRows)) {
        s.setStatus(QDataStream::ReadCorruptData);
        return s;
    }
    sheet.rows.resize(count);
    for (TextRow &row : sheet.rows)
        for (QString &cell : row)
            s >> cell;
    qint32 numbers[4] = {};
    for (qint32 &n : numbers)
        s >> n;
    sheet.lostDigitCells = numbers[0];
    sheet.firstLostDigitRow = numbers[1];
    sheet.rowsLeftOut = numbers[2];
    sheet.firstRowLeftOut = numbers[3];
    return s;
}

// The helper's option, and its memory: a damaged file can make a reader
// library take memory without end, so the helper gives up at 2 GiB, some
// twenty times what 100,000 people need.
constexpr char ReaderOption[] = "--read-workbook";
constexpr qint64 MaxReaderBytes = qint64(2) << 30;

QString &readerProgram()
{
    static QString program;
    return program;
}

// Parses the workbook and sends the result to the program that asked.
int runReader(const QString &path)
{
    QByteArray out;
    {
        QDataStream s(&out, QIODevice::WriteOnly);
        s.setByteOrder(QDataStream::LittleEndian); // the texts' own order: no swapping
        try {
            const Sheet sheet = parse(path);
            s << quint8(0) << sheet;
        } catch (const OperationError &e) {
            s << quint8(1) << e.message();
        } catch (...) {
            s << quint8(1) << damaged(path).message();
        }
    }
    return childprocess::sendAnswer(out) ? 0 : 1;
}

} // namespace

std::optional<int> readerMain(int argc, char **argv)
{
    if (argc == 3 && std::strcmp(argv[1], ReaderOption) == 0)
        return runReader(QFile::decodeName(argv[2]));
    setReaderProgram(platform::executablePath());
    return std::nullopt;
}

void setReaderProgram(const QString &program)
{
    readerProgram() = program;
}

Sheet read(const QString &path, int timeoutMs)
{
    // Never read in this process instead: a library that fails would take
    // the operator's unsaved grid with it.
    const childprocess::Result child = readerProgram().isEmpty()
        ? childprocess::Result{}
        : childprocess::run(readerProgram(), {QString::fromLatin1(ReaderOption), path}, MaxReaderBytes, timeoutMs);
    switch (child.outcome) {
    case childprocess::Result::Outcome::NotStarted:
        throw OperationError(
            QStringLiteral("无法启动读取工作簿的独立进程，“%1”没有导入。请重新安装本软件。").arg(shownName(path)));
    case childprocess::Result::Outcome::TimedOut:
        throw OperationError(QStringLiteral("读取“%1”超时，文件可能已经损坏。").arg(shownName(path)));
    case childprocess::Result::Outcome::Failed:
        throw damaged(path);
    case childprocess::Result::Outcome::Answered:
        break;
    }
    const QByteArray &in = child.answer;
    QDataStream s(in);
    s.setByteOrder(QDataStream::LittleEndian);
    quint8 kind = 1;
    s >> kind;
    if (kind == 1) {
        QString message;
        s >> message;
        throw s.status() == QDataStream::Ok ? OperationError(message) : damaged(path);
    }
    Sheet sheet;
    s >> sheet;
    if (s.status() != QDataStream::Ok)
        throw damaged(path);
    return sheet;
}

} // namespace sorvix::workbook
