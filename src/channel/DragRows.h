#pragma once

#include <QList>
#include <QModelIndexList>
#include <QString>

class QMimeData;

// What a drag between the editor's lists carries: the text naming the list it
// came from ("List1" or "List3") and the dragged rows, 0-based, top to bottom.
QMimeData *dragRowsData(const QString &source, const QModelIndexList &indexes);
QString dragSource(const QMimeData *data);
QList<int> dragRows(const QMimeData *data);
// The 1-based row a drop lands before: the row under the point, or the row
// count + 1 below the last row.
int dropTargetRow(int row, int parentRow, int rowCount);
