#pragma once

#include <QAbstractTableModel>

// A table whose selected rows can be dragged, carrying the name of their list
// ("List1", "List3") and their rows. Drags copy: the view never removes rows
// itself, the drop handler changes the model.
class RowDragModel : public QAbstractTableModel {
    Q_OBJECT
public:
    RowDragModel(QString listName, QObject *parent) : QAbstractTableModel(parent), m_listName(std::move(listName)) {}

    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QStringList mimeTypes() const override;
    QMimeData *mimeData(const QModelIndexList &indexes) const override;
    Qt::DropActions supportedDropActions() const override { return Qt::CopyAction; }
    Qt::DropActions supportedDragActions() const override { return Qt::CopyAction; }

private:
    QString m_listName;
};
