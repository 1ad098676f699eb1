#include "tp/TPListOps.h"

#include "tp/TPFieldText.h"

#include <algorithm>
#include <utility>

int tpCountOf(const SatRecord &sat)
{
    return std::clamp(decimalValue(sat.TPCount).value_or(0), 0, int(TPSlots));
}

SatRecord defaultSatRecord(const ValueLists &lists)
{
    const QStringList &d = lists.defaultSat;
    return {d.value(0), d.value(1), d.value(2), d.value(3), d.value(4)};
}

TPRecord defaultTPRecord(const ValueLists &lists)
{
    const QStringList &d = lists.defaultTP;
    return {d.value(0), d.value(1), d.value(2), d.value(3)};
}

TPRecord emptyTPRecord() { return {QString(), QString(), QString(), QStringLiteral("0")}; }

QString satLimitMessage() { return QStringLiteral("Maximum Satellite allowed is %1.").arg(MaxSat); }
QString tpLimitMessage() { return QStringLiteral("Maximum TP allowed is %1.").arg(MaxTP); }

void TPDel(TPTables &t, int region, int index)
{
    if (index < 0)
        return;
    for (int s = index; s < t.SatCount[region] && s + 1 < SatSlots; ++s) {
        const int n = tpCountOf(t.SatData(region, s));
        for (int tp = 0; tp < n; ++tp)
            t.TPData(region, s, tp) = t.TPData(region, s + 1, tp);
    }
}

void TPInsert(TPTables &t, const TPRecord &tp, int region, int index)
{
    for (int s = std::min<int>(t.SatCount[region], SatSlots) - 1; s > index; --s) {
        const int n = tpCountOf(t.SatData(region, s));
        for (int k = 0; k < n; ++k)
            t.TPData(region, s, k) = t.TPData(region, s - 1, k);
    }
    t.SatData(region, index).TPCount = QStringLiteral("1");
    t.TPData(region, index, 0) = tp;
}

void TPTPExchange(TPTables &t, int index1, int index2)
{
    for (int k = 0; k < MaxTP; ++k)
        std::swap(t.TPData(t.CurRegion, index1, k), t.TPData(t.CurRegion, index2, k));
}

void SatExchange(TPTables &t, int row1, int row2)
{
    std::swap(t.SatData(t.CurRegion, row1 - 1), t.SatData(t.CurRegion, row2 - 1));
    TPTPExchange(t, row1 - 1, row2 - 1);
}

void SatDel(TPTables &t, int row)
{
    const int r = t.CurRegion;
    for (int i = row - 1; i < t.SatCount[r] - 1; ++i)
        t.SatData(r, i) = t.SatData(r, i + 1);
    TPDel(t, r, row - 1);
    --t.SatCount[r];
}

void satInsert(TPTables &t, const ValueLists &lists, int row)
{
    const int r = t.CurRegion;
    ++t.SatCount[r];
    for (int i = t.SatCount[r] - 1; i >= row; --i)
        t.SatData(r, i) = t.SatData(r, i - 1);
    t.SatData(r, row - 1) = defaultSatRecord(lists);
    TPInsert(t, defaultTPRecord(lists), r, row - 1);
}

void TPItemDel(TPTables &t, int sat, int row)
{
    SatRecord &rec = t.SatData(t.CurRegion, sat);
    const int count = tpCountOf(rec) - 1;
    rec.TPCount = QString::number(count);
    for (int i = row - 1; i < count; ++i)
        t.TPData(t.CurRegion, sat, i) = t.TPData(t.CurRegion, sat, i + 1);
}

void tpInsert(TPTables &t, int sat, int row)
{
    SatRecord &rec = t.SatData(t.CurRegion, sat);
    const int count = tpCountOf(rec) + 1;
    rec.TPCount = QString::number(count);
    for (int i = count - 1; i >= row; --i)
        t.TPData(t.CurRegion, sat, i) = t.TPData(t.CurRegion, sat, i - 1);
    t.TPData(t.CurRegion, sat, row - 1) = emptyTPRecord();
}

void TPExchange(TPTables &t, int sat, int index1, int index2)
{
    std::swap(t.TPData(t.CurRegion, sat, index1), t.TPData(t.CurRegion, sat, index2));
}
