#include "tp/TPListModel.h"

#include "tp/TPFieldText.h"
#include "tp/TPListOps.h"

#include <algorithm>

TPListModel::TPListModel(TPTables &tables, const ValueLists &lists, QObject *parent)
    : QAbstractTableModel(parent), m_tables(tables), m_lists(lists)
{
}

QStringList TPListModel::polarItems() { return {QStringLiteral("H"), QStringLiteral("V")}; }

int TPListModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid() || m_satRow < 1)
        return 0;
    return tpCountOf(m_tables.SatData(m_tables.CurRegion, m_satRow - 1));
}

int TPListModel::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant TPListModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid())
        return {};
    const TPRecord &tp = m_tables.TPData(m_tables.CurRegion, m_satRow - 1, index.row());
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

void TPListModel::setSatellite(int satRow)
{
    beginResetModel();
    m_satRow = satRow;
    endResetModel();
}

ListEdit TPListModel::insertBefore(int selectedRow)
{
    if (m_satRow < 1)
        return {};
    if (rowCount() >= MaxTP)
        return {0, tpLimitMessage()};
    const int p = rowCount() > 0 && selectedRow > 0 ? selectedRow : 1;
    beginInsertRows({}, p - 1, p - 1);
    tpInsert(m_tables, m_satRow - 1, p);
    endInsertRows();
    return {p, {}};
}

ListEdit TPListModel::next(int selectedRow)
{
    const int n = rowCount();
    if (n == 0)
        return {};
    if (selectedRow < n)
        return {selectedRow + 1, {}};
    if (n >= MaxTP)
        return {0, tpLimitMessage()};
    beginInsertRows({}, n, n);
    tpInsert(m_tables, m_satRow - 1, n + 1);
    endInsertRows();
    return {n + 1, {}};
}

ListEdit TPListModel::deleteMarked(const QList<int> &rows)
{
    int lowest = 0;
    for (const int row : rowsFromLast(rows)) {
        if (row < 1 || row > rowCount())
            continue;
        beginRemoveRows({}, row - 1, row - 1);
        TPItemDel(m_tables, m_satRow - 1, row);
        endRemoveRows();
        lowest = row;
    }
    return {lowest ? rowAfterDelete(lowest, rowCount()) : 0, {}};
}

void TPListModel::exchange(int index1, int index2)
{
    TPExchange(m_tables, m_satRow - 1, index1, index2);
    Q_EMIT dataChanged(index(std::min(index1, index2), 0), index(std::max(index1, index2), ColumnCount - 1));
}

void TPListModel::setField(int row, Column column, const QString &text)
{
    if (row < 1 || row > rowCount())
        return;
    TPRecord &tp = m_tables.TPData(m_tables.CurRegion, m_satRow - 1, row - 1);
    switch (column) {
    case Freq: tp.Freq = text; break;
    case Polar: tp.Polar = text; break;
    case SR: tp.SR = text; break;
    case FEC: tp.FEC = text; break;
    default: return;
    }
    Q_EMIT dataChanged(index(row - 1, column), index(row - 1, column));
}

Qt::ItemFlags TPListModel::flags(const QModelIndex &index) const
{
    const Qt::ItemFlags base = QAbstractTableModel::flags(index);
    return index.isValid() ? base | Qt::ItemIsDragEnabled : base;
}
