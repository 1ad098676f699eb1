#pragma once

#include "common/ValueLists.h"
#include "tp/ListEdit.h"
#include "tp/TPTables.h"

#include <QAbstractTableModel>

// The TP list: a view of the TPs of one satellite of the current region.
class TPListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { No, Freq, Polar, SR, FEC, ColumnCount };

    TPListModel(TPTables &tables, const ValueLists &lists, QObject *parent = nullptr);

    static QStringList polarItems(); // "H", "V"

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override; // rows can be dragged

    // The satellite row (from 1) whose TPs are shown; 0 shows none.
    void setSatellite(int satRow);
    int satellite() const { return m_satRow; }

    ListEdit insertBefore(int selectedRow);
    ListEdit next(int selectedRow);
    ListEdit deleteMarked(const QList<int> &rows);
    void exchange(int index1, int index2);  // TP indexes, from 0
    void setField(int row, Column column, const QString &text);

private:
    TPTables &m_tables;
    const ValueLists &m_lists;
    int m_satRow = 0;
};
