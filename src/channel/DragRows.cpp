#include "channel/DragRows.h"

#include <QMimeData>

#include <algorithm>

namespace {
const QString kRowsType = QStringLiteral("application/x-tarvik-rows");
}

QMimeData *dragRowsData(const QString &source, const QModelIndexList &indexes)
{
    QList<int> rows;
    for (const QModelIndex &index : indexes)
        rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    QStringList texts;
    for (const int r : rows)
        texts.append(QString::number(r));
    auto *data = new QMimeData;
    data->setText(source);
    data->setData(kRowsType, texts.join(QLatin1Char(',')).toLatin1());
    return data;
}

QString dragSource(const QMimeData *data)
{
    return data ? data->text() : QString();
}

QList<int> dragRows(const QMimeData *data)
{
    QList<int> rows;
    if (!data)
        return rows;
    const QList<QByteArray> parts = data->data(kRowsType).split(',');
    for (const QByteArray &part : parts) {
        bool ok = false;
        const int r = part.toInt(&ok);
        if (ok)
            rows.append(r);
    }
    return rows;
}

int dropTargetRow(int row, int parentRow, int rowCount)
{
    if (parentRow >= 0)
        return parentRow + 1;
    if (row >= 0 && row < rowCount)
        return row + 1;
    return rowCount + 1;
}
