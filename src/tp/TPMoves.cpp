#include "tp/TPMoves.h"

#include "tp/TPListOps.h"

QList<int> moveSatellites(TPTables &t, int region, const QList<int> &marked, bool down)
{
    return moveMarkedRows(t.SatCount[region], marked, down,
                          [&t, region](int i, int k) { SatExchange(t, region, i, k); });
}

QList<int> moveTPs(TPTables &t, int region, int sat, const QList<int> &marked, bool down)
{
    return moveMarkedRows(tpCountOf(t.SatData(region, sat)), marked, down,
                          [&t, region, sat](int i, int k) { TPExchange(t, region, sat, i, k); });
}
