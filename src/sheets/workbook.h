#pragma once

#include "sheets/textrows.h"

#include <QString>
#include <QStringList>

#include <optional>

// Spreadsheet workbooks of the participant list: the first sheet's columns
// A..E (name, mobile, identity number, work number, group), row 1 the header.
namespace sorvix::workbook {

// What an import takes from a workbook. Row numbers are the sheet's (1 = header).
struct Sheet
{
    // The header row, then one row per person down to the first empty name.
    TextRows rows;
    // Numeric cells of those rows too long to keep all their digits (an
    // identity number typed as a number keeps 15): the digits are gone already.
    int lostDigitCells = 0;
    int firstLostDigitRow = 0;
    // Rows with data at or below the first empty name, which the import leaves out.
    int rowsLeftOut = 0;
    int firstRowLeftOut = 0;
};

// The rows a sheet may have (as many as the largest workbook format holds).
constexpr int MaxRows = 1048576;

// Reads a workbook (.xls, .xlsx, .ods or .csv, told apart by its bytes) in
// this process. Throws OperationError with a message for the operator.
Sheet parse(const QString &path);

// The same in a child process (the reader program started afresh for the one
// workbook): a damaged file that brings a reader library down, or keeps it
// busy beyond `timeoutMs`, costs a message, not the program with the
// operator's unsaved grid. When no child can be started, throws the
// message that says so; it never reads in this process instead.
Sheet read(const QString &path, int timeoutMs = 60000);

// The reader program is an executable whose main calls readerMain first:
// started as "PROGRAM --read-workbook PATH", it reads PATH, answers and
// returns the exit code; otherwise it records the running executable as the
// reader program of read() and returns nothing.
std::optional<int> readerMain(int argc, char **argv);
// Another reader program (or none: an empty name makes every read refuse).
void setReaderProgram(const QString &program);

// A new .xlsx at `path`, replaced atomically: the first sheet "StringGrid1",
// columns 1..`columns` in text format, one row per entry of `rows`. Throws
// OperationError.
void write(const QString &path, const TextRows &rows, int columns);

// A new .xlsx at `path`, replaced atomically: one sheet named `sheetName`,
// every cell in text format (long numbers keep every digit), one row per
// entry of `rows`, the columns `widths` characters wide. Throws OperationError.
void writeTable(const QString &path, const QString &sheetName, const std::vector<QStringList> &rows,
                const std::vector<double> &widths);

// The name a workbook export writes to: a name ending in ".xls" (the old
// format, which is not written) takes ".xlsx" in its place; any other name
// without ".xlsx" gets it appended.
QString xlsxName(const QString &chosen);
// Whether a chosen name asks for a workbook: it ends in ".xlsx" or ".xls".
bool namesWorkbook(const QString &chosen);

// The text of a numeric cell: a whole number without ".0" or an exponent.
// `lostDigits` tells whether the number is too long to hold all its digits.
QString numberText(double value, bool *lostDigits = nullptr);

// The sheet's cells (rows of columns A..E from row 1) cut to what an import
// takes: down to the first empty name, the rest counted as left out.
Sheet cut(std::vector<TextRow> cells, const std::vector<int> &lostDigitsPerRow);

} // namespace sorvix::workbook
