#pragma once

#include "base/errors.h"
#include "sheets/workbook.h"

#include <QByteArray>
#include <QString>

#include <vector>

// What the workbook readers share; each format's reader sits in a file of its
// own (xlsread.cpp on freexl, orcusread.cpp on orcus). Used only inside sheets/.
namespace sorvix::workbook::detail {

QString shownName(const QString &path);
OperationError damaged(const QString &path);

// Cells as they come, rows of columns A..E; the lost digits counted per row.
struct Cells
{
    std::vector<TextRow> rows;
    std::vector<int> lost;

    void set(size_t row, int column, QString text, bool lostDigits = false)
    {
        if (column < 0 || column >= ColumnCount || row >= size_t(MaxRows) || text.isEmpty())
            return;
        if (rows.size() <= row) {
            rows.resize(row + 1);
            lost.resize(row + 1);
        }
        rows[row][size_t(column)] = std::move(text);
        if (lostDigits)
            ++lost[row];
    }
};

// An .xls (the old binary format), read from its file.
Cells readXls(const QString &path);
// A zipped workbook: an .xlsx or an .ods, told apart by its contents; any
// other zip is damaged.
Cells readZipped(const QByteArray &bytes, const QString &path);
// A CSV saved by a spreadsheet program: UTF-8 (with or without its mark),
// UTF-16 ("Unicode text", tab-separated) or the local code page, GBK.
Cells readCsv(const QByteArray &bytes);

} // namespace sorvix::workbook::detail
