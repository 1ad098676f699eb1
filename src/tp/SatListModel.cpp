#include "tp/SatListModel.h"

#include "tp/TPFieldText.h"
#include "tp/TPListOps.h"

#include <algorithm>

SatListModel::SatListModel(TPTables &tables, const ValueLists &lists, QObject *parent)
    : QAbstractTableModel(parent), m_tables(tables), m_lists(lists), m_region(tables.CurRegion)
{
}

int SatListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : std::clamp<int>(m_tables.SatCount[m_region], 0, SatSlots);
}

int SatListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant SatListModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid())
        return {};
    const SatRecord &sat = m_tables.SatData(m_region, index.row());
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
    m_region = region;
    endResetModel();
}

ListEdit SatListModel::insertBefore(int selected)
{
    if (m_tables.SatCount[m_region] >= MaxSat)
        return {-1, satLimitMessage()};
    const int at = rowCount() > 0 && selected >= 0 ? selected : 0;
    beginInsertRows({}, at, at);
    insertSatellite(m_tables, m_lists, m_region, at);
    endInsertRows();
    return {at, {}};
}

ListEdit SatListModel::next(int selected)
{
    const int n = rowCount();
    if (n == 0)
        return {};
    if (selected < n - 1)
        return {selected + 1, {}};
    if (m_tables.SatCount[m_region] >= MaxSat)
        return {-1, satLimitMessage()};
    beginInsertRows({}, n, n);
    insertSatellite(m_tables, m_lists, m_region, n);
    endInsertRows();
    return {n, {}};
}

ListEdit SatListModel::deleteMarked(const QList<int> &rows)
{
    int lowest = -1;
    for (const int row : rowsFromLast(rows)) {
        if (row < 0 || row >= rowCount())
            continue;
        beginRemoveRows({}, row, row);
        deleteSatellite(m_tables, m_region, row);
        endRemoveRows();
        lowest = row;
    }
    return {lowest >= 0 ? rowAfterDelete(lowest, rowCount()) : -1, {}};
}

void SatListModel::exchange(int row1, int row2)
{
    SatExchange(m_tables, m_region, row1, row2);
    Q_EMIT dataChanged(index(std::min(row1, row2), 0), index(std::max(row1, row2), ColumnCount - 1));
}

void SatListModel::setField(int row, Column column, const QString &text)
{
    if (row < 0 || row >= rowCount())
        return;
    SatRecord &sat = m_tables.SatData(m_region, row);
    switch (column) {
    case Deg: sat.Deg = text; break;
    case SatName: sat.SatName = text; break;
    case ParseSort: sat.ParseSort = text; break;
    case Diseqc: sat.Diseqc = text; break;
    default: return;
    }
    Q_EMIT dataChanged(index(row, column), index(row, column));
}

Qt::ItemFlags SatListModel::flags(const QModelIndex &index) const
{
    const Qt::ItemFlags base = QAbstractTableModel::flags(index);
    return index.isValid() ? base | Qt::ItemIsDragEnabled : base;
}
