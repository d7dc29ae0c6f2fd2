#pragma once

// A workbook of any bytes, saved under the given extension and imported as
// the list editor imports it.

#include "fuzzsupport.h"

#include "base/errors.h"
#include "sheets/workbook.h"

#include <QTemporaryDir>

namespace sorvix::fuzz {

inline int importWorkbook(const uint8_t *data, size_t size, const char *suffix)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("list") + QLatin1String(suffix));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            __builtin_trap();
        file.write(reinterpret_cast<const char *>(data), qsizetype(size));
    }
    workbook::Sheet sheet;
    try {
#ifdef SORVIX_FUZZING
        // In this process, so the fuzzer sees what the readers do.
        sheet = workbook::parse(path);
#else
        // As the program reads: a reader library that fails costs the child only.
        sheet = workbook::read(path);
#endif
    } catch (const OperationError &) {
        return 0;
    }
    if (sheet.rows.size() > size_t(workbook::MaxRows) || sheet.lostDigitCells < 0 || sheet.rowsLeftOut < 0)
        __builtin_trap();
    for (const TextRow &row : sheet.rows)
        if (row[0].isEmpty())
            __builtin_trap();
    return 0;
}

} // namespace sorvix::fuzz
