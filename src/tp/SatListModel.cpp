#include "tp/SatListModel.h"

#include "tp/TPFieldText.h"
#include "tp/TPListOps.h"

#include <algorithm>

QList<int> rowsFromLast(QList<int> marked)
{
    std::sort(marked.begin(), marked.end(), std::greater<>());
    marked.erase(std::unique(marked.begin(), marked.end()), marked.end());
    return marked;
}

int rowAfterDelete(int lowestDeleted, int remaining)
{
    if (lowestDeleted > remaining)
        return remaining;
    return remaining > 0 ? lowestDeleted : 0;
}

SatListModel::SatListModel(TPTables &tables, const ValueLists &lists, QObject *parent)
    : QAbstractTableModel(parent), m_tables(tables), m_lists(lists)
{
}

int SatListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : std::clamp<int>(m_tables.SatCount[m_tables.CurRegion], 0, SatSlots);
}

int SatListModel::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant SatListModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid())
        return {};
    const SatRecord &sat = m_tables.SatData(m_tables.CurRegion, index.row());
    switch (index.column()) {
    case No: return QString::number(index.row() + 1);
    case Deg: return sat.Deg;
    case SatName: return sat.SatName;
    case ParseSort: return m_lists.parseOptions.value(decimalValue(sat.ParseSort).value_or(-1));
    case Diseqc: return sat.Diseqc;
    default: return {};
    }
}

QVariant SatListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    static const char *const names[] = {"No", "Deg", "Sat Name", "ParseSort", "Diseqc Code"};
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= ColumnCount)
        return {};
    return QString::fromLatin1(names[section]);
}

void SatListModel::setRegion(int region)
{
    beginResetModel();
    m_tables.CurRegion = qint16(region);
    endResetModel();
}

ListEdit SatListModel::insertBefore(int selectedRow)
{
    if (m_tables.SatCount[m_tables.CurRegion] >= MaxSat)
        return {0, satLimitMessage()};
    const int p = rowCount() > 0 && selectedRow > 0 ? selectedRow : 1;
    beginInsertRows({}, p - 1, p - 1);
    satInsert(m_tables, m_lists, p);
    endInsertRows();
    return {p, {}};
}

ListEdit SatListModel::next(int selectedRow)
{
    const int n = rowCount();
    if (n == 0)
        return {};
    if (selectedRow < n)
        return {selectedRow + 1, {}};
    if (m_tables.SatCount[m_tables.CurRegion] >= MaxSat)
        return {0, satLimitMessage()};
    beginInsertRows({}, n, n);
    satInsert(m_tables, m_lists, n + 1);
    endInsertRows();
    return {n + 1, {}};
}

ListEdit SatListModel::deleteMarked(const QList<int> &rows)
{
    int lowest = 0;
    for (const int row : rowsFromLast(rows)) {
        if (row < 1 || row > rowCount())
            continue;
        beginRemoveRows({}, row - 1, row - 1);
        SatDel(m_tables, row);
        endRemoveRows();
        lowest = row;
    }
    return {lowest ? rowAfterDelete(lowest, rowCount()) : 0, {}};
}

void SatListModel::exchange(int row1, int row2)
{
    SatExchange(m_tables, row1, row2);
    const int top = std::min(row1, row2) - 1, bottom = std::max(row1, row2) - 1;
    Q_EMIT dataChanged(index(top, 0), index(bottom, ColumnCount - 1));
}

void SatListModel::setField(int row, Column column, const QString &text)
{
    if (row < 1 || row > rowCount())
        return;
    SatRecord &sat = m_tables.SatData(m_tables.CurRegion, row - 1);
    switch (column) {
    case Deg: sat.Deg = text; break;
    case SatName: sat.SatName = text; break;
    case ParseSort: sat.ParseSort = text; break;
    case Diseqc: sat.Diseqc = text; break;
    default: return;
    }
    Q_EMIT dataChanged(index(row - 1, column), index(row - 1, column));
}

Qt::ItemFlags SatListModel::flags(const QModelIndex &index) const
{
    const Qt::ItemFlags base = QAbstractTableModel::flags(index);
    return index.isValid() ? base | Qt::ItemIsDragEnabled : base;
}
