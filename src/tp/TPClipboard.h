#pragma once

#include "common/ValueLists.h"
#include "tp/ListEdit.h"
#include "tp/TPTables.h"

#include <QList>
#include <QStringList>

// The editor's two clipboards and the drag-and-drop move built on them, on
// the region given. Rows are counted from 0.

// A copied satellite: the five column texts of its row and its TPs as stored.
struct SatClipEntry {
    QStringList columns;  // "No", "Deg", "Sat Name", "ParseSort", "Diseqc Code"
    QList<TPRecord> tps;

    bool operator==(const SatClipEntry &) const = default;
};
using SatClipboard = QList<SatClipEntry>;
// A copied TP: the four column texts "Freq", "Polar", "S/R", "FEC".
using TPClipboard = QList<QStringList>;

SatClipboard copySatellites(const TPTables &t, const ValueLists &lists, int region, const QList<int> &rows);
TPClipboard copyTPs(const TPTables &t, const ValueLists &lists, int region, int sat, const QList<int> &rows);

// Inserts the entries at `row` (-1 for none, and an empty list, paste at 0).
// A paste beyond the limit is refused and changes nothing. Selects the first
// pasted row.
ListEdit pasteSatellites(TPTables &t, const ValueLists &lists, int region, const SatClipboard &clip, int row);
ListEdit pasteTPs(TPTables &t, int region, int sat, const TPClipboard &clip, int row);

// The stored values of the column texts.
QString parseSortOfText(const QString &text, const ValueLists &lists);
QString polarOfText(const QString &text);
QString fecOfText(const QString &text);

// Where a drop lands once the dragged rows are gone: the row under the
// pointer (-1 for none, which means after the last row), less one for each
// dragged row above it.
int dropTarget(int rowUnderPointer, int rowCount, const QList<int> &dragged);

// A drop inside one list: the dragged rows are deleted and the clipboard,
// copied at the start of the drag, is pasted at the target.
ListEdit dropSatellites(TPTables &t, const ValueLists &lists, int region, const SatClipboard &clip,
                        const QList<int> &dragged, int rowUnderPointer);
ListEdit dropTPs(TPTables &t, int region, int sat, const TPClipboard &clip, const QList<int> &dragged,
                 int rowUnderPointer);
