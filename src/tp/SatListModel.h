#pragma once

#include "common/ValueLists.h"
#include "tp/ListEdit.h"
#include "tp/TPTables.h"

#include <QAbstractTableModel>

// The satellite list: a view of SatData of one region, so rows and records
// never drift apart. Rows are counted from 0, -1 for none.
class SatListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { No, Deg, SatName, ParseSort, Diseqc, ColumnCount };

    SatListModel(TPTables &tables, const ValueLists &lists, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;  // rows can be dragged

    void setRegion(int region);  // also after the tables were replaced
    ListEdit insertBefore(int selected);
    ListEdit next(int selected);
    ListEdit deleteMarked(const QList<int> &rows);
    void exchange(int row1, int row2);
    void setField(int row, Column column, const QString &text);

private:
    TPTables &m_tables;
    const ValueLists &m_lists;
    int m_region = 0;
};
