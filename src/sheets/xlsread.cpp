// The .xls reader, on freexl.

#include "sheets/cells.h"

#include <QFile>

#include <freexl.h>

namespace sorvix::workbook::detail {

Cells readXls(const QString &path)
{
    const void *handle = nullptr;
    const QByteArray name = QFile::encodeName(path);
    if (freexl_open(name.constData(), &handle) != FREEXL_OK) {
        if (handle)
            freexl_close(handle);
        throw damaged(path);
    }
    struct Closer
    {
        const void *h;
        ~Closer() { freexl_close(h); }
    } closer{handle};

    unsigned int password = 0;
    if (freexl_get_info(handle, FREEXL_BIFF_PASSWORD, &password) == FREEXL_OK && password == FREEXL_BIFF_OBFUSCATED)
        throw OperationError(QStringLiteral("“%1”设有打开密码：请在表格程序中取消密码并另存后再导入。")
                                 .arg(shownName(path)));
    unsigned int rows = 0;
    unsigned short columns = 0;
    if (freexl_select_active_worksheet(handle, 0) != FREEXL_OK
        || freexl_worksheet_dimensions(handle, &rows, &columns) != FREEXL_OK)
        throw damaged(path);

    Cells cells;
    const unsigned int lastColumn = std::min<unsigned int>(columns, ColumnCount);
    for (unsigned int row = 0; row < rows && row < unsigned(MaxRows); ++row) {
        for (unsigned short column = 0; column < lastColumn; ++column) {
            FreeXL_CellValue value;
            if (freexl_get_cell_value(handle, row, column, &value) != FREEXL_OK)
                continue;
            switch (value.type) {
            case FREEXL_CELL_INT:
                cells.set(row, column, QString::number(value.value.int_value));
                break;
            case FREEXL_CELL_DOUBLE: {
                bool lost = false;
                QString text = numberText(value.value.double_value, &lost);
                cells.set(row, column, std::move(text), lost);
                break;
            }
            case FREEXL_CELL_TEXT:
            case FREEXL_CELL_SST_TEXT:
            case FREEXL_CELL_DATE:
            case FREEXL_CELL_DATETIME:
            case FREEXL_CELL_TIME:
                if (value.value.text_value)
                    cells.set(row, column, QString::fromUtf8(value.value.text_value));
                break;
            default:
                break;
            }
        }
    }
    return cells;
}

} // namespace sorvix::workbook::detail
