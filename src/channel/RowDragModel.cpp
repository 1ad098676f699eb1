#include "channel/RowDragModel.h"

#include "channel/DragRows.h"

Qt::ItemFlags RowDragModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::ItemIsDropEnabled;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled;
}

QStringList RowDragModel::mimeTypes() const
{
    return {QStringLiteral("text/plain"), QStringLiteral("application/x-tarvik-rows")};
}

QMimeData *RowDragModel::mimeData(const QModelIndexList &indexes) const
{
    return dragRowsData(m_listName, indexes);
}
