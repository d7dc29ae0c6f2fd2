#pragma once

#include "base/operatorports.h"
#include "engine/draw.h"
#include "settings/participantlist.h"
#include "editors/participanttable.h"

#include <QDate>
#include <QObject>
#include <array>
#include <functional>
#include <optional>

namespace sorvix {

// The participant list editor without its window: the grid's table, the key
// field and the show switches, the row commands, saving, the close questions
// and the group mode. The window binds its widgets to this class and shows
// its state after every change it reports.
//
// Edits stay in the grid until a save (or a close answered Yes) has the draw
// write the five column files, keyword.dll and showword.dll together, read
// the list back and prepare anew; a close answered No drops them, and the
// next showing starts from the saved list.
class ListEditor : public QObject
{
    Q_OBJECT
public:
    ListEditor(Draw &draw, OperatorPort &op);

    ParticipantTable &table() { return m_table; }
    const ParticipantTable &table() const { return m_table; }

    // What the controls show.
    int keyField() const { return m_key; }
    const ShowFields &showFields() const { return m_show; }
    bool saveEnabled() const { return m_saveEnabled; }
    bool groupMode() const { return m_groupMode; }
    // "共 N 行": the count of the last load or import.
    QString linesText() const;
    // Widths of the grid's six columns; the group column's is 0 (hidden)
    // outside group mode.
    std::array<int, 6> columnWidths() const;
    // Every person row of the grid is this high.
    static constexpr int RowHeight = 20;
    // The current grid row: 1..N, 0 when the grid has no person.
    int currentRow() const { return m_currentRow; }
    void setCurrentRow(int row);

    // The password dialog, modally: the text typed when "确定" was pressed,
    // nothing when the dialog was closed otherwise.
    std::function<std::optional<QString>()> askPassword;
    std::function<QDate()> today = [] { return QDate::currentDate(); };

    // Window shown: key field, show switches and list read again, group mode off.
    void windowShown();
    // A key field chosen: all four show switches off, then the key's on.
    void chooseKeyField(int key);
    // A show switch clicked, 0..5 in the ShowFields order. The key field's
    // switch stays on.
    void setShowSwitch(int field, bool on);

    void addLine();
    void insertLine();
    void deleteLine();
    void clearList();
    void clearGroups();
    // "保存". Returns whether the list was saved (all its files written).
    bool save();
    // The close sequence, on every close. Returns whether the window may close.
    bool confirmClose();
    // `lineCountLabel` double-clicked: group mode off, or the password dialog.
    void askForGroupMode();

    // The spreadsheet import: the grid takes the workbook's rows, the header
    // row first (R rows: the header and R-1 persons), the group column
    // included even outside group mode. Widths and heights as after a load,
    // "保存" enabled, "共 R-1 行", the last row current. Texts GBK cannot
    // store stay visible and block the save until they are put right.
    void importRows(const TextRows &rows);
    // The spreadsheet export: every grid row, the header row first, with the
    // unsaved edits; the group column is always there (groupMode() says
    // whether it may leave the program).
    TextRows exportRows() const { return m_table.textRows(); }

    static QString closeQuestion();      // "是否保存所做的修改？"
    static QString underwayQuestion();   // the same, and what either answer does to the draw
    static QString deleteQuestion(int row);
    // The list was saved, but no new draw could be prepared.
    static QString unpreparedMessage(const QString &error);
    // The refusal naming the first cells GBK cannot store.
    static QString unstorableMessage(const std::vector<ParticipantTable::Cell> &cells);

signals:
    // A command or a load changed what the controls show.
    void changed();
    // True before the file work of a save and false after it.
    void working(bool on);

private:
    enum class Widths { AfterLoad, AfterClear };

    // The grid from the draw's list, "共 N 行", the last row current.
    void fillFromList();
    enum class Outcome { Failed, Unprepared, Done };
    // The three saves, the list read back, the round count and the plan.
    // Warns and answers true when a cell holds a text GBK cannot store.
    bool refusesUnstorable();
    Outcome commit();
    void setGroupMode(bool on);
    void notify();

    Draw &m_draw;
    OperatorPort &m_operator;
    ParticipantTable m_table;

    int m_key = KeyName;
    ShowFields m_show;
    bool m_saveEnabled = false;
    bool m_groupMode = false;
    int m_lines = 0;
    int m_currentRow = 0;
    Widths m_widths = Widths::AfterLoad;
};

} // namespace sorvix
