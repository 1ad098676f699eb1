#pragma once

#include "channel/RowDragModel.h"

class ChannelEditing;

// The channel list of the current type as a table: "No.", "Channel Name",
// "Lock", "Favorite", "MyIndex". Rows are read from the model, never copied.
// Rows dragged out carry the text "List1"; dropped back they move there.
class ChannelListModel : public RowDragModel {
    Q_OBJECT
public:
    enum Column { No, ChannelName, Lock, Favorite, MyIndex, ColumnCount };

    explicit ChannelListModel(ChannelEditing &editing, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    bool dropMimeData(const QMimeData *data, Qt::DropAction action, int row, int column,
                      const QModelIndex &parent) override;

Q_SIGNALS:
    // After a drop moved channels: their new positions, to select them.
    void channelsMoved(const QList<int> &positions);

private:
    ChannelEditing &m_editing;
};
