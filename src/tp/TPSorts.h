#pragma once

#include "tp/TPTables.h"

#include <QList>

#include <utility>

// Reordering of the satellite and TP lists on the working tables. Rows are
// numbered from 1 as the lists show them.

// The direction flags of the five sorts: each sort reads its own flag, then
// inverts it and clears the other flags of the same list.
struct TPSortFlags {
    bool deg = false;
    bool name = false;
    bool freq = false;
    bool polar = false;
    bool sr = false;
};

enum class SatSortKey { Deg, SatName };
enum class TPSortKey { Freq, Polar, SR };

// Sorts the satellites of CurRegion; the TP blocks go with them.
void sortSatellites(TPTables &t, SatSortKey key, TPSortFlags &flags);
// Sorts the TPs of satellite record `sat` of CurRegion.
void sortTPs(TPTables &t, int sat, TPSortKey key, TPSortFlags &flags);

// The move walk: a block of marked rows moves by one row as a whole, a block
// that touches the end it moves towards stays. `exchange(i, k)` swaps rows i
// and k; returns the rows marked afterwards.
template <typename Exchange>
QList<int> moveMarkedRows(int rowCount, const QList<int> &marked, bool down, Exchange exchange)
{
    QList<bool> sel(rowCount + 2, false);
    for (const int row : marked)
        if (row >= 1 && row <= rowCount)
            sel[row] = true;
    const auto step = [&](int i, int k) {
        if (sel[i] && !sel[k]) {
            exchange(i, k);
            sel[i] = false;
            sel[k] = true;
        }
    };
    if (down) {
        for (int i = rowCount - 1; i >= 1; --i)
            step(i, i + 1);
    } else {
        for (int i = 2; i <= rowCount; ++i)
            step(i, i - 1);
    }
    QList<int> after;
    for (int row = 1; row <= rowCount; ++row)
        if (sel[row])
            after.append(row);
    return after;
}

QList<int> moveSatellites(TPTables &t, const QList<int> &marked, bool down);
QList<int> moveTPs(TPTables &t, int sat, const QList<int> &marked, bool down);
