#include "editors/participanttable.h"

#include "base/gbk.h"

#include <QBrush>
#include <QColor>

namespace sorvix {

namespace {

const QByteArray GroupHeader = gbk::fromUtf8("分组");

} // namespace

QString ParticipantTable::columnCaption(int column)
{
    return column == NumberColumn ? QStringLiteral("序号") : gbk::decode(ParticipantList::columnCaption(column - 1));
}

int ParticipantTable::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int ParticipantTable::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : GridColumns;
}

QString ParticipantTable::shown(const Row &row, int field)
{
    const QByteArray &bytes = row.fields[size_t(field)];
    return row.unstorable & (1u << field) ? QString::fromUtf8(bytes) : gbk::decode(bytes);
}

void ParticipantTable::store(Row &row, int field, QString text)
{
    if (text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n'))) {
        text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
        text.replace(QLatin1Char('\r'), QLatin1Char(' '));
        text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    }
    const quint8 bit = quint8(1u << field);
    if (std::optional<QByteArray> bytes = gbk::encodeExactly(text)) {
        row.fields[size_t(field)] = std::move(*bytes);
        row.unstorable &= quint8(~bit);
    } else {
        row.fields[size_t(field)] = text.toUtf8();
        row.unstorable |= bit;
    }
}

QVariant ParticipantTable::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= int(m_rows.size()))
        return {};
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        if (column == NumberColumn)
            return QString::number(index.row() + 1);
        return shown(m_rows[size_t(index.row())], column - 1);
    case Qt::TextAlignmentRole:
        if (column == NumberColumn)
            return int(Qt::AlignCenter);
        return {};
    case Qt::BackgroundRole:
        // The number column is fixed, like the header row.
        if (column == NumberColumn)
            return QBrush(QColor(236, 236, 236));
        return {};
    default:
        return {};
    }
}

bool ParticipantTable::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !index.isValid() || index.column() == NumberColumn
        || index.row() >= int(m_rows.size()))
        return false;
    Row &row = m_rows[size_t(index.row())];
    const int field = index.column() - 1;
    const QString text = value.toString();
    if (text == shown(row, field))
        return true;
    store(row, field, text);
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    emit cellEdited();
    return true;
}

Qt::ItemFlags ParticipantTable::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() != NumberColumn && (index.column() != GroupColumn || m_groupEditable))
        f |= Qt::ItemIsEditable;
    return f;
}

QVariant ParticipantTable::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return QString::number(section + 1);
    if (section == NumberColumn)
        return QStringLiteral("序号");
    if (section > 0 && section < GridColumns)
        return shown(m_header, section - 1);
    return {};
}

void ParticipantTable::setList(const ParticipantList &list)
{
    beginResetModel();
    const int n = list.count();
    for (int c = 0; c < ColumnCount; ++c)
        m_header.fields[size_t(c)] = list.columns[size_t(c)].value(0);
    m_header.fields[ColGroup] = GroupHeader;
    m_header.unstorable = 0;
    std::vector<Row> rows(size_t(n > 0 ? n : 0));
    for (int i = 0; i < n; ++i) {
        GridRow &fields = rows[size_t(i)].fields;
        for (int c = 0; c < ColumnCount; ++c)
            fields[size_t(c)] = list.field(c, i);
    }
    m_rows = std::move(rows);
    endResetModel();
}

void ParticipantTable::setTextRows(const TextRows &rows)
{
    beginResetModel();
    if (!rows.empty()) {
        for (int c = 0; c < ColumnCount; ++c)
            store(m_header, c, rows.front()[size_t(c)]);
    }
    store(m_header, ColGroup, QStringLiteral("分组"));
    std::vector<Row> people(rows.empty() ? 0 : rows.size() - 1);
    for (size_t i = 1; i < rows.size(); ++i)
        for (int c = 0; c < ColumnCount; ++c)
            store(people[i - 1], c, rows[i][size_t(c)]);
    m_rows = std::move(people);
    endResetModel();
}

void ParticipantTable::clearToOneEmptyRow()
{
    beginResetModel();
    for (int c = 0; c < ColumnCount; ++c)
        m_header.fields[size_t(c)] = ParticipantList::columnCaption(c);
    m_header.unstorable = 0;
    m_rows.assign(1, Row());
    endResetModel();
}

void ParticipantTable::insertPerson(int position)
{
    position = qBound(0, position, int(m_rows.size()));
    beginInsertRows({}, position, position);
    m_rows.insert(m_rows.begin() + position, Row());
    endInsertRows();
}

void ParticipantTable::removePerson(int position)
{
    if (position < 0 || position >= int(m_rows.size()))
        return;
    beginRemoveRows({}, position, position);
    m_rows.erase(m_rows.begin() + position);
    endRemoveRows();
}

void ParticipantTable::clearGroups()
{
    for (Row &row : m_rows) {
        row.fields[ColGroup].clear();
        row.unstorable &= quint8(~(1u << ColGroup));
    }
    m_header.fields[ColGroup] = GroupHeader;
    m_header.unstorable &= quint8(~(1u << ColGroup));
    if (!m_rows.empty())
        emit dataChanged(index(0, GroupColumn), index(int(m_rows.size()) - 1, GroupColumn));
    emit headerDataChanged(Qt::Horizontal, GroupColumn, GroupColumn);
}

QString ParticipantTable::text(int row, int column) const
{
    if (column < 1 || column >= GridColumns || row < 0 || row > int(m_rows.size()))
        return {};
    return shown(row == 0 ? m_header : m_rows[size_t(row - 1)], column - 1);
}

GridRows ParticipantTable::rows() const
{
    GridRows result;
    result.reserve(m_rows.size() + 1);
    result.push_back(m_header.fields);
    for (const Row &row : m_rows)
        result.push_back(row.fields);
    return result;
}

TextRows ParticipantTable::textRows() const
{
    TextRows result;
    result.reserve(m_rows.size() + 1);
    const auto texts = [](const Row &row) {
        TextRow t;
        for (int c = 0; c < ColumnCount; ++c)
            t[size_t(c)] = shown(row, c);
        return t;
    };
    result.push_back(texts(m_header));
    for (const Row &row : m_rows)
        result.push_back(texts(row));
    return result;
}

std::vector<ParticipantTable::Cell> ParticipantTable::unstorableCells(int limit) const
{
    std::vector<Cell> cells;
    const auto collect = [&](const Row &row, int gridRow) {
        for (int c = 0; c < ColumnCount && int(cells.size()) < limit; ++c)
            if (row.unstorable & (1u << c))
                cells.push_back({gridRow, c + 1});
    };
    collect(m_header, 0);
    for (size_t i = 0; i < m_rows.size() && int(cells.size()) < limit; ++i)
        if (m_rows[i].unstorable)
            collect(m_rows[i], int(i) + 1);
    return cells;
}

} // namespace sorvix
