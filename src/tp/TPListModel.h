#pragma once

#include "common/ValueLists.h"
#include "tp/ListEdit.h"
#include "tp/TPTables.h"

#include <QAbstractTableModel>

// The TP list: a view of the TPs of one satellite. Rows are counted from 0,
// -1 for none.
class TPListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { No, Freq, Polar, SR, FEC, ColumnCount };

    TPListModel(TPTables &tables, const ValueLists &lists, QObject *parent = nullptr);

    static QStringList polarItems();  // "H", "V"

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;  // rows can be dragged

    // The satellite record of `region` whose TPs are shown; -1 shows none.
    void setSatellite(int region, int sat);

    ListEdit insertBefore(int selected);
    ListEdit next(int selected);
    ListEdit deleteMarked(const QList<int> &rows);
    void exchange(int index1, int index2);
    void setField(int row, Column column, const QString &text);

private:
    TPTables &m_tables;
    const ValueLists &m_lists;
    int m_region = 0;
    int m_sat = -1;
};
