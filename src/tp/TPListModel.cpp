#include "tp/TPListModel.h"

#include "tp/TPFieldText.h"
#include "tp/TPListOps.h"

#include <algorithm>

TPListModel::TPListModel(TPTables &tables, const ValueLists &lists, QObject *parent)
    : QAbstractTableModel(parent), m_tables(tables), m_lists(lists)
{
}

QStringList TPListModel::polarItems()
{
    return {QStringLiteral("H"), QStringLiteral("V")};
}

int TPListModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid() || m_sat < 0)
        return 0;
    return tpCountOf(m_tables.SatData(m_region, m_sat));
}

int TPListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant TPListModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid())
        return {};
    const TPRecord &tp = m_tables.TPData(m_region, m_sat, index.row());
    switch (index.column()) {
    case No: return QString::number(index.row() + 1);
    case Freq: return tp.Freq;
    case Polar: return polarItems().value(decimalValue(tp.Polar).value_or(-1));
    case SR: return tp.SR;
    case FEC: return m_lists.fecList.value(decimalValue(tp.FEC).value_or(-1));
    default: return {};
    }
}

QVariant TPListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    static const char *const names[] = {"No", "Freq", "Polar", "S/R", "FEC"};
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= ColumnCount)
        return {};
    return QString::fromLatin1(names[section]);
}

void TPListModel::setSatellite(int region, int sat)
{
    beginResetModel();
    m_region = region;
    m_sat = sat;
    endResetModel();
}

ListEdit TPListModel::insertBefore(int selected)
{
    if (m_sat < 0)
        return {};
    if (rowCount() >= MaxTP)
        return {-1, tpLimitMessage()};
    const int at = rowCount() > 0 && selected >= 0 ? selected : 0;
    beginInsertRows({}, at, at);
    insertTP(m_tables, m_region, m_sat, at);
    endInsertRows();
    return {at, {}};
}

ListEdit TPListModel::next(int selected)
{
    const int n = rowCount();
    if (n == 0)
        return {};
    if (selected < n - 1)
        return {selected + 1, {}};
    if (n >= MaxTP)
        return {-1, tpLimitMessage()};
    beginInsertRows({}, n, n);
    insertTP(m_tables, m_region, m_sat, n);
    endInsertRows();
    return {n, {}};
}

ListEdit TPListModel::deleteMarked(const QList<int> &rows)
{
    int lowest = -1;
    for (const int row : rowsFromLast(rows)) {
        if (row < 0 || row >= rowCount())
            continue;
        beginRemoveRows({}, row, row);
        deleteTP(m_tables, m_region, m_sat, row);
        endRemoveRows();
        lowest = row;
    }
    return {lowest >= 0 ? rowAfterDelete(lowest, rowCount()) : -1, {}};
}

void TPListModel::exchange(int index1, int index2)
{
    TPExchange(m_tables, m_region, m_sat, index1, index2);
    Q_EMIT dataChanged(index(std::min(index1, index2), 0), index(std::max(index1, index2), ColumnCount - 1));
}

void TPListModel::setField(int row, Column column, const QString &text)
{
    if (row < 0 || row >= rowCount())
        return;
    TPRecord &tp = m_tables.TPData(m_region, m_sat, row);
    switch (column) {
    case Freq: tp.Freq = text; break;
    case Polar: tp.Polar = text; break;
    case SR: tp.SR = text; break;
    case FEC: tp.FEC = text; break;
    default: return;
    }
    Q_EMIT dataChanged(index(row, column), index(row, column));
}

Qt::ItemFlags TPListModel::flags(const QModelIndex &index) const
{
    const Qt::ItemFlags base = QAbstractTableModel::flags(index);
    return index.isValid() ? base | Qt::ItemIsDragEnabled : base;
}
