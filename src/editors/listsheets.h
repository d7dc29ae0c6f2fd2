#pragma once

#include "base/operatorports.h"
#include "base/programfolder.h"
#include "editors/listeditor.h"
#include "sheets/workbook.h"

#include <QDateTime>
#include <QObject>
#include <functional>

namespace sorvix {

// The list editor's spreadsheet commands: open the template, import a
// workbook into the grid, export the grid into a workbook. An import only
// fills the grid; the list reaches its files when the editor saves.
class ListSheets : public QObject
{
    Q_OBJECT
public:
    ListSheets(const ProgramFolder &folder, OperatorPort &op, ListEditor &editor);

    std::function<QDateTime()> now = [] { return QDateTime::currentDateTime(); };

    // "打开名单编辑模板Excel": the template read-only, opened by the desktop.
    void openTemplate();
    // "导入": the question, the open dialog, the grid filled from the workbook.
    void importWorkbook();
    // "导出": the grid (unsaved edits included) into a new .xlsx.
    void exportWorkbook();

    static inline const QString TemplateFile = QStringLiteral("data\\template.xls");
    static QString importQuestion();
    // The import's report: the count, then what the operator should look at.
    static QString importReport(const workbook::Sheet &sheet, int key);

signals:
    // True before reading or writing a workbook and false after it.
    void working(bool on);

private:
    ProgramFolder m_folder;
    OperatorPort &m_operator;
    ListEditor &m_editor;
};

} // namespace sorvix
