#pragma once

#include "settings/participantlist.h"
#include "sheets/textrows.h"

#include <QAbstractTableModel>
#include <QString>
#include <array>
#include <vector>

namespace sorvix {

// One row of the list editor's grid: the five fields as GBK bytes.
using GridRow = std::array<QByteArray, ColumnCount>;
// The grid's rows with the header row first, as ParticipantList::save takes them.
using GridRows = std::vector<GridRow>;

// The list editor's grid over the participant list's GBK bytes. The grid's
// header row is the table's horizontal header; each person is one table row.
// Column 0 ("序号") is the person's position, never stored; columns 1..5 are
// name, mobile, identity number, work number and group. Cells hold the bytes
// of the list (shared, not copied) until the operator edits them.
//
// A text the operator types is kept as GBK. One with a character GBK cannot
// store (an emoji, a rare character from an input method) is kept as typed,
// so it can be shown, named to the operator and put right; the editor refuses
// to save while such a cell is left. A line break typed or pasted into a cell
// becomes a blank: the column files have no way to hold one.
class ParticipantTable : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum { NumberColumn = 0, GroupColumn = 5, GridColumns = 6 };

    // A cell of the grid: row 0 is the header row, rows 1..N the persons;
    // column 1..5.
    struct Cell
    {
        int row = 0;
        int column = 0;
    };

    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // The list's header line and persons. The group header shows "分组".
    void setList(const ParticipantList &list);
    // Rows of texts, the header row first (an import). With no row at all the
    // header stays and no person is left.
    void setTextRows(const TextRows &rows);
    // Header "姓名" ... "分组" and one empty person.
    void clearToOneEmptyRow();

    int personCount() const { return int(m_rows.size()); }
    // An empty person at 0-based position `position` (personCount() appends).
    void insertPerson(int position);
    void removePerson(int position);
    // Every group cell empty and the group header "分组" again.
    void clearGroups();
    // The group column takes typing only while it is shown.
    void setGroupEditable(bool editable) { m_groupEditable = editable; }

    // The text of a cell as the grid shows it (row 0: the header).
    QString text(int row, int column) const;
    // The rows for the column files, header first.
    GridRows rows() const;
    // The rows as texts, header first, for an export.
    TextRows textRows() const;
    // Cells GBK cannot store, in grid order, at most `limit`.
    std::vector<Cell> unstorableCells(int limit) const;

    // The grid's caption of a column 1..5: "姓名" ... "分组".
    static QString columnCaption(int column);

signals:
    // The operator changed a cell's text.
    void cellEdited();

private:
    struct Row
    {
        GridRow fields;
        // Bit c: fields[c] holds UTF-8 of a text GBK cannot store.
        quint8 unstorable = 0;
    };

    // Stores a text typed or imported into a field.
    static void store(Row &row, int field, QString text);
    static QString shown(const Row &row, int field);

    Row m_header;
    std::vector<Row> m_rows;
    bool m_groupEditable = false;
};

} // namespace sorvix
