#include "channel/FavoriteListModel.h"

#include "channel/ChannelEditing.h"
#include "channel/DragRows.h"

#include <QMimeData>

FavoriteListModel::FavoriteListModel(ChannelEditing &editing, QObject *parent)
    : RowDragModel(QStringLiteral("List3"), parent), m_editing(editing)
{
    connect(&editing, &ChannelEditing::favoritesChanged, this, &FavoriteListModel::rebuild);
    rebuild();
}

void FavoriteListModel::rebuild()
{
    beginResetModel();
    m_positions = m_editing.favoriteViewPositions();
    endResetModel();
}

int FavoriteListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_positions.size());
}

int FavoriteListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 2;
}

QVariant FavoriteListModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= m_positions.size())
        return {};
    if (index.column() == 0)
        return QString::number(index.row() + 1);
    return m_editing.channelName(m_positions[index.row()]);
}

QVariant FavoriteListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    return section == 0 ? QStringLiteral("No.") : QStringLiteral("Channel Name");
}

bool FavoriteListModel::dropMimeData(const QMimeData *data, Qt::DropAction, int row, int, const QModelIndex &parent)
{
    if (!m_editing.model().DataLoaded())
        return false;
    const QString source = dragSource(data);
    if (source == QLatin1String("List1")) {
        Q_EMIT channelsDropped();
    } else if (source == QLatin1String("List3") && m_editing.CurrentFavoriteTab() != ChannelEditing::LockTab) {
        const int target = dropTargetRow(row, parent.isValid() ? parent.row() : -1, rowCount());
        Q_EMIT entriesMoved(m_editing.moveFavorites(m_editing.CurrentFavoriteTab(), dragRows(data), target));
    }
    return false;
}
