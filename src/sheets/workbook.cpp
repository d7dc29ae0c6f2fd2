#include "sheets/cells.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cmath>

namespace sorvix::workbook {

namespace detail {

QString shownName(const QString &path) { return QFileInfo(path).fileName(); }

OperationError damaged(const QString &path)
{
    return OperationError(QStringLiteral("无法读取“%1”：它不是工作簿（.xls、.xlsx、.ods、.csv），"
                                         "或者已经损坏，或者设有打开密码。")
                              .arg(shownName(path)));
}

} // namespace detail

using namespace detail;

namespace {

// Larger files are not participant lists; reading them would only exhaust memory.
constexpr qint64 MaxFileBytes = 256LL * 1024 * 1024;

} // namespace

QString numberText(double value, bool *lostDigits)
{
    if (lostDigits)
        *lostDigits = false;
    if (!std::isfinite(value))
        return QString();
    if (value != std::floor(value) || std::fabs(value) >= 1e300)
        return QString::number(value, 'g', 15);
    if (std::fabs(value) < 1e15)
        return QString::number(value, 'f', 0);
    // Spreadsheets keep 15 significant digits: write those, then zeros, as
    // the spreadsheet shows the number in text format.
    if (lostDigits)
        *lostDigits = true;
    const QString e = QString::number(std::fabs(value), 'e', 14); // d.dddddddddddddde+XX
    const int exponent = e.mid(e.indexOf(QLatin1Char('e')) + 1).toInt();
    QString digits = e.left(1) + e.mid(2, 14);
    digits += QString(exponent - 14, QLatin1Char('0'));
    return value < 0 ? QLatin1Char('-') + digits : digits;
}

Sheet cut(std::vector<TextRow> cells, const std::vector<int> &lostDigitsPerRow)
{
    Sheet sheet;
    size_t taken = 0;
    while (taken < cells.size() && !cells[taken][0].isEmpty())
        ++taken;
    for (size_t row = 0; row < taken && row < lostDigitsPerRow.size(); ++row) {
        if (lostDigitsPerRow[row] > 0 && sheet.lostDigitCells == 0)
            sheet.firstLostDigitRow = int(row) + 1;
        sheet.lostDigitCells += lostDigitsPerRow[row];
    }
    for (size_t row = taken; row < cells.size(); ++row) {
        const TextRow &r = cells[row];
        if (std::any_of(r.begin(), r.end(), [](const QString &c) { return !c.isEmpty(); })) {
            if (sheet.rowsLeftOut++ == 0)
                sheet.firstRowLeftOut = int(row) + 1;
        }
    }
    cells.resize(taken);
    sheet.rows = std::move(cells);
    return sheet;
}

Sheet parse(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw OperationError(QStringLiteral("无法打开“%1”：%2").arg(shownName(path), file.errorString()));
    if (file.size() > MaxFileBytes)
        throw OperationError(QStringLiteral("“%1”太大，不是参加抽奖人员的名单。").arg(shownName(path)));
    const QByteArray head = file.peek(8);
    Cells cells;
    try {
        if (head.startsWith("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1")) {
            file.close();
            cells = readXls(path);
        } else {
            const QByteArray bytes = file.readAll();
            if (bytes.size() != file.size())
                throw damaged(path);
            if (head.startsWith("PK\x03\x04")) {
                cells = readZipped(bytes, path);
            } else if (QFileInfo(path).suffix().compare(QLatin1String("csv"), Qt::CaseInsensitive) == 0
                       || QFileInfo(path).suffix().compare(QLatin1String("txt"), Qt::CaseInsensitive) == 0) {
                cells = readCsv(bytes);
            } else {
                throw damaged(path);
            }
        }
    } catch (const OperationError &) {
        throw;
    } catch (const std::exception &) {
        throw damaged(path);
    }
    return cut(std::move(cells.rows), cells.lost);
}

QString xlsxName(const QString &chosen)
{
    if (chosen.endsWith(QLatin1String(".xlsx"), Qt::CaseInsensitive))
        return chosen;
    if (chosen.endsWith(QLatin1String(".xls"), Qt::CaseInsensitive))
        return chosen.chopped(4) + QStringLiteral(".xlsx");
    return chosen + QStringLiteral(".xlsx");
}

bool namesWorkbook(const QString &chosen)
{
    return chosen.endsWith(QLatin1String(".xlsx"), Qt::CaseInsensitive)
           || chosen.endsWith(QLatin1String(".xls"), Qt::CaseInsensitive);
}

} // namespace sorvix::workbook
