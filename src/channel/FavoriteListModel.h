#pragma once

#include "channel/RowDragModel.h"

class ChannelEditing;

// The favourite view: the entries of the shown group in group order, or under
// the "Lock" tab the locked channels in list order; columns "No." and
// "Channel Name". Rows dragged out carry the text "List3".
class FavoriteListModel : public RowDragModel {
    Q_OBJECT
public:
    explicit FavoriteListModel(ChannelEditing &editing, QObject *parent = nullptr);

    // The channel positions the rows show.
    const QList<int> &positions() const { return m_positions; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    bool dropMimeData(const QMimeData *data, Qt::DropAction action, int row, int column,
                      const QModelIndex &parent) override;

Q_SIGNALS:
    // Channels of the channel list were dropped here: the window locks or adds them.
    void channelsDropped();
    // Entries were reordered; their new places, to select them.
    void entriesMoved(const QList<int> &rows);

private:
    void rebuild();

    ChannelEditing &m_editing;
    QList<int> m_positions;
};
