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

TPRecord emptyTPRecord()
{
    return {QString(), QString(), QString(), QStringLiteral("0")};
}

QString satLimitMessage()
{
    return QStringLiteral("Maximum Satellite allowed is %1.").arg(MaxSat);
}
QString tpLimitMessage()
{
    return QStringLiteral("Maximum TP allowed is %1.").arg(MaxTP);
}

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

void TPTPExchange(TPTables &t, int region, int index1, int index2)
{
    for (int k = 0; k < MaxTP; ++k)
        std::swap(t.TPData(region, index1, k), t.TPData(region, index2, k));
}

void SatExchange(TPTables &t, int region, int index1, int index2)
{
    std::swap(t.SatData(region, index1), t.SatData(region, index2));
    TPTPExchange(t, region, index1, index2);
}

void deleteSatellite(TPTables &t, int region, int index)
{
    for (int i = index; i < t.SatCount[region] - 1; ++i)
        t.SatData(region, i) = t.SatData(region, i + 1);
    TPDel(t, region, index);
    --t.SatCount[region];
}

void insertSatellite(TPTables &t, const ValueLists &lists, int region, int index)
{
    ++t.SatCount[region];
    for (int i = t.SatCount[region] - 1; i > index; --i)
        t.SatData(region, i) = t.SatData(region, i - 1);
    t.SatData(region, index) = defaultSatRecord(lists);
    TPInsert(t, defaultTPRecord(lists), region, index);
}

void deleteTP(TPTables &t, int region, int sat, int index)
{
    SatRecord &rec = t.SatData(region, sat);
    const int count = tpCountOf(rec) - 1;
    rec.TPCount = QString::number(count);
    for (int i = index; i < count; ++i)
        t.TPData(region, sat, i) = t.TPData(region, sat, i + 1);
}

void insertTP(TPTables &t, int region, int sat, int index)
{
    SatRecord &rec = t.SatData(region, sat);
    const int count = tpCountOf(rec) + 1;
    rec.TPCount = QString::number(count);
    for (int i = count - 1; i > index; --i)
        t.TPData(region, sat, i) = t.TPData(region, sat, i - 1);
    t.TPData(region, sat, index) = emptyTPRecord();
}

void TPExchange(TPTables &t, int region, int sat, int index1, int index2)
{
    std::swap(t.TPData(region, sat, index1), t.TPData(region, sat, index2));
}
