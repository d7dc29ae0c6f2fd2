#include "editors/listsheets.h"

#include "base/errors.h"
#include "base/gbk.h"
#include "base/working.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>

namespace sorvix {

ListSheets::ListSheets(const ProgramFolder &folder, OperatorPort &op, ListEditor &editor)
    : m_folder(folder), m_operator(op), m_editor(editor)
{
}

QString ListSheets::importQuestion()
{
    return QStringLiteral("只有按照模板制作的Excel名单才能成功导入，是否继续？\n【是】继续导入，【否】打开模板。");
}

QString ListSheets::importReport(const workbook::Sheet &sheet, int key)
{
    const int people = sheet.rows.empty() ? 0 : int(sheet.rows.size()) - 1;
    QStringList lines{QString::number(people) + QStringLiteral(" 行记录成功导入。")};
    if (sheet.lostDigitCells > 0)
        lines << QStringLiteral("有 %1 个单元格是超过15位的数字，末尾的数字已经丢失（第一个在工作表第 %2 行）："
                                "请在工作簿中把这些列设为文本格式，重新输入后再导入。")
                     .arg(sheet.lostDigitCells)
                     .arg(sheet.firstLostDigitRow);
    // People the draw could not tell apart by its key field.
    QSet<QString> seen;
    int same = 0;
    int firstSame = 0;
    for (size_t i = 1; i < sheet.rows.size(); ++i) {
        const QString &value = sheet.rows[i][size_t(key)];
        if (value.isEmpty())
            continue;
        if (seen.contains(value)) {
            if (same++ == 0)
                firstSame = int(i) + 1;
        } else {
            seen.insert(value);
        }
    }
    if (same > 0)
        lines << QStringLiteral("有 %1 人的%2与前面的人相同（第一个在工作表第 %3 行）。")
                     .arg(same)
                     .arg(gbk::decode(ParticipantList::columnCaption(key)))
                     .arg(firstSame);
    if (sheet.rowsLeftOut > 0)
        lines << QStringLiteral("名单在第一个空姓名处结束：其后还有 %1 行数据没有导入（第一行是工作表第 %2 行）。")
                     .arg(sheet.rowsLeftOut)
                     .arg(sheet.firstRowLeftOut);
    return lines.join(QLatin1Char('\n'));
}

void ListSheets::openTemplate()
{
    const QString path = m_folder.path(TemplateFile);
    if (!QFileInfo::exists(path)) {
        m_operator.warn(QStringLiteral("找不到名单编辑模板：") + path);
        return;
    }
    // Read-only, so an edited template is saved under another name.
    QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadUser | QFile::ReadGroup | QFile::ReadOther);
    if (!m_operator.openWithShell(path))
        m_operator.warn(QStringLiteral("这台电脑上没有能打开“%1”的程序。\n请安装 Excel、WPS 或 LibreOffice，"
                                       "或在装有它们的电脑上按模板制作名单。")
                            .arg(QFileInfo(path).fileName()));
}

void ListSheets::importWorkbook()
{
    switch (m_operator.confirmWithCancel(importQuestion())) {
    case OperatorPort::Answer::No:
        openTemplate();
        return;
    case OperatorPort::Answer::Cancel:
        return;
    case OperatorPort::Answer::Yes:
        break;
    }
    const QString path = m_operator.chooseOpenFile(
        QStringLiteral("所有工作簿 (*.xls *.xlsx *.ods *.csv)|*.xls;*.xlsx;*.ods;*.csv|"
                       "Excel (*.xls)|*.xls|Excel (*.xlsx)|*.xlsx|OpenDocument (*.ods)|*.ods|CSV (*.csv)|*.csv"));
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return;
    Working busy([this](bool on) { emit working(on); });
    workbook::Sheet sheet;
    try {
        sheet = workbook::read(path);
    } catch (const OperationError &e) {
        busy.done();
        m_operator.showError(e.message());
        return;
    }
    m_editor.importRows(sheet.rows);
    busy.done();
    m_operator.inform(importReport(sheet, m_editor.keyField()));
}

void ListSheets::exportWorkbook()
{
    const QString proposed =
        QStringLiteral("人员名单导出") + now().toString(QStringLiteral("yyyyMMdd-hhmmss")) + QStringLiteral(".xlsx");
    QString path = m_operator.chooseSaveFile(QStringLiteral("Excel 文件|*.xlsx"), proposed,
                                             OperatorPort::Replace::CallerAsks);
    if (path.isEmpty())
        return;
    path = workbook::xlsxName(path);
    if (QFileInfo::exists(path)
        && m_operator.warnYesNo(QStringLiteral("文件已存在：") + path + QStringLiteral("\n是否替换？"))
               != OperatorPort::Answer::Yes)
        return;
    Working busy([this](bool on) { emit working(on); });
    try {
        // The group column leaves the program only in group mode.
        workbook::write(path, m_editor.exportRows(), m_editor.groupMode() ? ColumnCount : ColumnCount - 1);
    } catch (const OperationError &e) {
        busy.done();
        m_operator.showError(e.message());
        return;
    }
    busy.done();
    m_operator.inform(QStringLiteral("人员名单导出至：") + path);
}

} // namespace sorvix
