#include "editors/listeditor.h"

#include "base/errors.h"
#include "base/working.h"
#include "editors/dailypassword.h"

namespace sorvix {

namespace {

// The cells a refusal names before it says "等".
constexpr int NamedCells = 5;

} // namespace

ListEditor::ListEditor(Draw &draw, OperatorPort &op)
    : m_draw(draw), m_operator(op)
{
    QObject::connect(&m_table, &ParticipantTable::cellEdited, [this] {
        if (!m_saveEnabled) {
            m_saveEnabled = true;
            notify();
        }
    });
}

QString ListEditor::closeQuestion() { return QStringLiteral("是否保存所做的修改？"); }

QString ListEditor::underwayQuestion()
{
    return closeQuestion() + QStringLiteral("\r【是】保存修改，所有名单进入奖池重新抽奖，【否】继续之前的抽奖。");
}

QString ListEditor::deleteQuestion(int row)
{
    return QStringLiteral("确认删除第 %1 行吗？").arg(row);
}

QString ListEditor::unpreparedMessage(const QString &error)
{
    return QStringLiteral("人员名单已保存，但无法准备新的抽奖：\r") + error
           + QStringLiteral("\r请检查程序文件夹能否写入（磁盘空间、文件权限），然后再保存一次。");
}

QString ListEditor::unstorableMessage(const std::vector<ParticipantTable::Cell> &cells)
{
    QStringList named;
    for (size_t i = 0; i < cells.size() && i < size_t(NamedCells); ++i) {
        const ParticipantTable::Cell &cell = cells[i];
        const QString row = cell.row == 0 ? QStringLiteral("标题行") : QStringLiteral("第 %1 行").arg(cell.row);
        named << row + QStringLiteral("“") + ParticipantTable::columnCaption(cell.column) + QStringLiteral("”");
    }
    QString where = named.join(QStringLiteral("、"));
    if (cells.size() > size_t(NamedCells))
        where += QStringLiteral("等");
    return QStringLiteral("名单未保存：") + where
           + QStringLiteral("含有无法保存的字符（如表情符号或部分生僻字）。\r请修改这些单元格后再保存，文件没有任何改动。");
}

QString ListEditor::linesText() const
{
    return QStringLiteral("共 %1 行").arg(m_lines);
}

std::array<int, 6> ListEditor::columnWidths() const
{
    const int group = m_groupMode ? 50 : 0;
    if (m_widths == Widths::AfterClear)
        return {50, 100, 120, 150, 120, group};
    return {50, 90, 100, 140, 100, group};
}

void ListEditor::setCurrentRow(int row)
{
    m_currentRow = qBound(0, row, m_table.personCount());
}

void ListEditor::notify()
{
    emit changed();
}

void ListEditor::setGroupMode(bool on)
{
    m_groupMode = on;
    m_table.setGroupEditable(on);
    m_draw.setGroupModeUnlocked(on);
}

void ListEditor::fillFromList()
{
    const ParticipantList &list = m_draw.list();
    m_table.setList(list);
    m_lines = list.count();
    m_widths = Widths::AfterLoad;
}

void ListEditor::windowShown()
{
    try {
        m_draw.reloadListSettings();
    } catch (const OperationError &error) {
        // The key field and the switches stay as the draw has them; the grid
        // still shows the saved list, never an earlier showing's edits.
        m_operator.showError(error.message());
    }
    m_key = m_draw.keyField();
    m_show = m_draw.showFields();
    setGroupMode(false);
    fillFromList();
    m_currentRow = m_table.personCount();
    // The grid holds the saved list: there is nothing to save yet.
    m_saveEnabled = false;
    notify();
}

void ListEditor::chooseKeyField(int key)
{
    if (key < KeyName || key > KeyWorkId)
        return;
    m_key = key;
    m_show.chooseKey(key);
    notify();
}

void ListEditor::setShowSwitch(int field, bool on)
{
    switch (field) {
    case 4:
        m_show.maskMobile = on;
        break;
    case 5:
        m_show.maskId = on;
        break;
    default:
        if (field < KeyName || field > KeyWorkId)
            return;
        m_show.showSwitch(field) = on;
        m_show.keepKeyShown(m_key);
    }
    notify();
}

void ListEditor::addLine()
{
    m_table.insertPerson(m_table.personCount());
    if (m_currentRow == 0)
        m_currentRow = m_table.personCount();
    notify();
}

void ListEditor::insertLine()
{
    const int row = qMax(1, m_currentRow);
    m_table.insertPerson(row - 1);
    m_currentRow = row;
    notify();
}

void ListEditor::deleteLine()
{
    const int row = m_currentRow;
    if (row < 1)
        return;
    if (m_operator.confirm(deleteQuestion(row)) != OperatorPort::Answer::Yes)
        return;
    m_table.removePerson(row - 1);
    m_currentRow = qMin(row, m_table.personCount());
    m_saveEnabled = true;
    notify();
}

void ListEditor::clearList()
{
    m_table.clearToOneEmptyRow();
    m_widths = Widths::AfterClear;
    m_currentRow = 1;
    notify();
}

void ListEditor::clearGroups()
{
    if (!m_groupMode)
        return;
    m_table.clearGroups();
    m_saveEnabled = true;
    notify();
}

ListEditor::Outcome ListEditor::commit()
{
    Working work([this](bool on) { emit working(on); });
    try {
        m_draw.saveList(m_table.rows(), m_key, m_show);
        const int current = m_currentRow;
        fillFromList();
        setCurrentRow(current);
    } catch (const OperationError &error) {
        work.done();
        notify();
        m_operator.showError(error.message());
        return Outcome::Failed;
    }
    try {
        m_draw.prepareAnew();
    } catch (const OperationError &error) {
        work.done();
        notify();
        m_operator.showError(unpreparedMessage(error.message()));
        return Outcome::Unprepared;
    }
    // Only now is everything of the save on disk, the new plan included;
    // until then "保存" stays to try again.
    m_saveEnabled = false;
    work.done();
    notify();
    return Outcome::Done;
}

bool ListEditor::refusesUnstorable()
{
    // A text GBK cannot hold would reach the files as "?": a changed name.
    const auto cells = m_table.unstorableCells(NamedCells + 1);
    if (cells.empty())
        return false;
    m_operator.warn(unstorableMessage(cells));
    return true;
}

bool ListEditor::save()
{
    if (refusesUnstorable())
        return false;
    const bool underway = m_draw.state().underway();
    if (underway && m_operator.confirm(underwayQuestion()) != OperatorPort::Answer::Yes)
        return false;
    return commit() != Outcome::Failed;
}

bool ListEditor::confirmClose()
{
    const bool underway = m_draw.state().underway();
    bool mayClose = true;
    switch (m_operator.confirmWithCancel(underway ? underwayQuestion() : closeQuestion())) {
    case OperatorPort::Answer::Cancel:
        mayClose = false;
        break;
    case OperatorPort::Answer::No:
        break;
    case OperatorPort::Answer::Yes:
        m_draw.stopRolling();
        // A list that could not be written keeps the window open, with the
        // operator's edits, to put it right; so does a draw that could not
        // be prepared from it.
        mayClose = !refusesUnstorable() && commit() == Outcome::Done;
        break;
    }
    setGroupMode(false);
    notify();
    return mayClose;
}

void ListEditor::askForGroupMode()
{
    if (m_groupMode) {
        setGroupMode(false);
        notify();
        return;
    }
    if (!askPassword)
        return;
    const std::optional<QString> typed = askPassword();
    if (typed && dailypassword::matches(*typed, today())) {
        setGroupMode(true);
        notify();
    }
}

void ListEditor::importRows(const TextRows &rows)
{
    m_table.setTextRows(rows);
    m_lines = rows.empty() ? 0 : int(rows.size()) - 1;
    m_widths = Widths::AfterLoad;
    m_saveEnabled = true;
    m_currentRow = m_table.personCount();
    notify();
}

} // namespace sorvix
