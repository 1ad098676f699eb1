#include "channel/ChannelListModel.h"

#include "channel/ChannelEditing.h"
#include "channel/DragRows.h"

#include <QMimeData>

ChannelListModel::ChannelListModel(ChannelEditing &editing, QObject *parent)
    : RowDragModel(QStringLiteral("List1"), parent), m_editing(editing)
{
    connect(&editing, &ChannelEditing::listReset, this, [this] {
        beginResetModel();
        endResetModel();
    });
    connect(&editing, &ChannelEditing::channelChanged, this,
            [this](int position) { Q_EMIT dataChanged(index(position, 0), index(position, ColumnCount - 1)); });
}

int ChannelListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_editing.rowCount();
}

int ChannelListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ChannelListModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= m_editing.rowCount())
        return {};
    const int row = index.row() + 1;
    const QString star = QStringLiteral("*");
    switch (index.column()) {
    case No: return QString::number(row);
    case ChannelName: return m_editing.channelName(index.row());
    case Lock: return m_editing.GetLockBit(row) == LockBit ? star : QString();
    case Favorite: return m_editing.Favorite_Extant(row) ? star : QString();
    case MyIndex: return QString::number(m_editing.myIndex(index.row()));
    default: return {};
    }
}

QVariant ChannelListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const QStringList titles{QStringLiteral("No."), QStringLiteral("Channel Name"), QStringLiteral("Lock"),
                                    QStringLiteral("Favorite"), QStringLiteral("MyIndex")};
    return titles.value(section);
}

bool ChannelListModel::dropMimeData(const QMimeData *data, Qt::DropAction, int row, int, const QModelIndex &parent)
{
    if (dragSource(data) != QLatin1String("List1") || !m_editing.model().DataLoaded())
        return false;
    const int target = dropTargetRow(row, parent.isValid() ? parent.row() : -1, m_editing.rowCount());
    const QList<int> landed = m_editing.moveChannels(dragRows(data), target);
    Q_EMIT channelsMoved(landed);
    return false;  // nothing for the view to remove
}
