// The .xlsx writer, on libxlsxwriter.

#include "sheets/workbook.h"

#include "base/errors.h"
#include "base/textfile.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <xlsxwriter.h>

namespace sorvix::workbook {

void writeTable(const QString &path, const QString &sheetName, const std::vector<QStringList> &rows,
                const std::vector<double> &widths)
{
    const auto failed = [&path](const QString &why) {
        return OperationError(QStringLiteral("无法写入“%1”：%2").arg(QFileInfo(path).fileName(), why));
    };
    if (rows.size() > size_t(MaxRows))
        throw failed(QStringLiteral("超过工作表的最大行数 %1。").arg(MaxRows));
    QTemporaryDir scratch;
    if (!scratch.isValid())
        throw failed(scratch.errorString());
    const QString scratchFile = scratch.filePath(QStringLiteral("export.xlsx"));
    const QByteArray file = QFile::encodeName(scratchFile);
    const QByteArray folder = QFile::encodeName(scratch.path());

    // Shared strings, not the inline ones of the constant-memory mode, which
    // not every reader takes.
    lxw_workbook_options options{};
    options.tmpdir = const_cast<char *>(folder.constData());
    lxw_workbook *book = workbook_new_opt(file.constData(), &options);
    if (!book)
        throw failed(QStringLiteral("无法建立工作簿。"));
    lxw_worksheet *sheet = workbook_add_worksheet(book, sheetName.toUtf8().constData());
    lxw_format *text = workbook_add_format(book);
    format_set_num_format(text, "@");
    for (size_t c = 0; c < widths.size(); ++c)
        worksheet_set_column(sheet, lxw_col_t(c), lxw_col_t(c), widths[c], text);
    for (size_t r = 0; r < rows.size(); ++r) {
        for (qsizetype c = 0; c < rows[r].size(); ++c) {
            const QString &cell = rows[r][c];
            if (!cell.isEmpty())
                worksheet_write_string(sheet, lxw_row_t(r), lxw_col_t(c), cell.toUtf8().constData(), text);
        }
    }
    const lxw_error result = workbook_close(book);
    if (result != LXW_NO_ERROR)
        throw failed(QString::fromUtf8(lxw_strerror(result)));
    textfile::writeAll(path, textfile::readAll(scratchFile));
}

void write(const QString &path, const TextRows &rows, int columns)
{
    // Widths in characters: the identity numbers need the most.
    const double widths[ColumnCount] = {12, 16, 22, 12, 8};
    columns = std::clamp(columns, 1, int(ColumnCount));
    std::vector<QStringList> table;
    table.reserve(rows.size());
    for (const TextRow &row : rows)
        table.emplace_back(QStringList(row.begin(), row.begin() + columns));
    writeTable(path, QStringLiteral("StringGrid1"), table, std::vector<double>(widths, widths + columns));
}

} // namespace sorvix::workbook
