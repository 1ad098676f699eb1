#pragma once

#include "tp/TPTables.h"

#include <QList>

#include <algorithm>

// The move walk of the move buttons, on the region given. Rows are counted
// from 0.

// A block of marked rows moves by one row as a whole, a block that touches
// the end it moves towards stays. `exchange(i, k)` swaps rows i and k;
// returns the rows marked afterwards.
template <typename Exchange>
QList<int> moveMarkedRows(int rowCount, const QList<int> &marked, bool down, Exchange exchange)
{
    rowCount = std::max(rowCount, 0);
    QList<bool> sel(rowCount, false);
    for (const int row : marked)
        if (row >= 0 && row < rowCount)
            sel[row] = true;
    const auto step = [&](int i, int k) {
        if (sel[i] && !sel[k]) {
            exchange(i, k);
            sel[i] = false;
            sel[k] = true;
        }
    };
    if (down) {
        for (int i = rowCount - 2; i >= 0; --i)
            step(i, i + 1);
    } else {
        for (int i = 1; i < rowCount; ++i)
            step(i, i - 1);
    }
    QList<int> after;
    for (int row = 0; row < rowCount; ++row)
        if (sel[row])
            after.append(row);
    return after;
}

QList<int> moveSatellites(TPTables &t, int region, const QList<int> &marked, bool down);
QList<int> moveTPs(TPTables &t, int region, int sat, const QList<int> &marked, bool down);
