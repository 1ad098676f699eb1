// Sorting and the history on a full TP set: the five sorts, undo and redo of
// a full-region step, and the memory that 100 steps keep.
#include "FullTPSet.h"

#include "common/ValueLists.h"
#include "tp/TPClipboard.h"
#include "tp/TPHistory.h"
#include "tp/TPListOps.h"
#include "tp/TPMoves.h"
#include "tp/TPSorts.h"

#include <QRandomGenerator>

#include <malloc.h>

#include <memory>

namespace {

// Frequencies and symbol rates in no order, so the sorts have work to do.
void scramble(TPTables &t, quint32 seed)
{
    QRandomGenerator random(seed);
    for (int r = 0; r < RegionCount; ++r)
        for (int s = 0; s < MaxSat; ++s) {
            t.SatData(r, s).Deg = QString::number(random.bounded(3600)).rightJustified(4, QLatin1Char('0'));
            for (int k = 0; k < MaxTP; ++k)
                t.TPData(r, s, k) = {QString::number(10700 + random.bounded(2000)), QString::number(random.bounded(2)),
                                     QString::number(2000 + random.bounded(28000)), QString::number(random.bounded(9))};
        }
}

double usedMB()
{
    return double(mallinfo2().uordblks) / (1024.0 * 1024.0);
}

// 100 steps of every kind on a full set, kept as the editor keeps them.
double historyMB(TPTables &t)
{
    const ValueLists lists = ValueLists::standard();
    TPSortFlags flags;
    std::vector<TableChange> steps;
    const double before = usedMB();
    for (int i = 0; i < 100; ++i) {
        const int r = i % RegionCount;
        const TableChange::Before old(t, {r});
        switch (i % 6) {
        case 0: t.SatData(r, i % MaxSat).SatName += QLatin1Char('x'); break;
        case 1: sortSatellites(t, r, SatSortKey::Deg, flags); break;
        case 2: moveSatellites(t, r, {0, 1, 2}, true); break;
        case 3: sortTPs(t, r, i % MaxSat, TPSortKey::SR, flags); break;
        case 4:
            deleteSatellite(t, r, 0);
            insertSatellite(t, lists, r, 0);
            break;
        case 5:
            pasteTPs(t, r, 5, copyTPs(t, lists, r, 5, {0}), 0);
            deleteTP(t, r, 5, 108);
            break;
        }
        steps.emplace_back(old, t);
    }
    return usedMB() - before;
}

}  // namespace

int main()
{
    auto tables = std::make_unique<TPTables>();
    fillFullTPSet(*tables);
    tables->copyStoredToWorking();
    scramble(*tables, 7);
    TPSortFlags flags;
    // Each run reverses the last order, as repeated clicks do.
    measure(QStringLiteral("sort 109 TPs by Freq"), 51, [&] { sortTPs(*tables, 0, 3, TPSortKey::Freq, flags); });
    measure(QStringLiteral("sort 109 TPs by Polar"), 51, [&] { sortTPs(*tables, 0, 4, TPSortKey::Polar, flags); });
    measure(QStringLiteral("sort 109 TPs by S/R"), 51, [&] { sortTPs(*tables, 0, 5, TPSortKey::SR, flags); });
    measure(QStringLiteral("Deg sort of 48 satellites"), 51,
            [&] { sortSatellites(*tables, 0, SatSortKey::Deg, flags); });
    measure(QStringLiteral("name sort of 48 satellites"), 51,
            [&] { sortSatellites(*tables, 0, SatSortKey::SatName, flags); });

    TableChange step;
    measure(QStringLiteral("record a Deg sort step"), 21, [&] {
        const TableChange::Before old(*tables, {0});
        sortSatellites(*tables, 0, SatSortKey::Deg, flags);
        step = TableChange(old, *tables);
    });
    measure(QStringLiteral("undo of a Deg sort step"), 21, [&] { step.undo(*tables); });
    measure(QStringLiteral("redo of a Deg sort step"), 21, [&] { step.redo(*tables); });

    auto regular = std::make_unique<TPTables>();
    fillFullTPSet(*regular);
    regular->copyStoredToWorking();
    const double regularMB = historyMB(*regular);
    auto mixed = std::make_unique<TPTables>();
    fillFullTPSet(*mixed);
    mixed->copyStoredToWorking();
    scramble(*mixed, 11);
    const double mixedMB = historyMB(*mixed);
    QTextStream(stdout) << QStringLiteral("100 undo steps, full set, regular values: %1 MB\n").arg(regularMB, 0, 'f', 2)
                        << QStringLiteral("100 undo steps, full set, random values:  %1 MB\n").arg(mixedMB, 0, 'f', 2);
    return 0;
}
