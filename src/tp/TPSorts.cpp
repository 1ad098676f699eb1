#include "tp/TPSorts.h"

#include "common/ExchangeSort.h"
#include "common/LeadingNumber.h"
#include "tp/TPFieldText.h"
#include "tp/TPListModel.h"
#include "tp/TPListOps.h"

#include <algorithm>
#include <vector>

namespace {

// Direction: `ascending` puts smaller keys first; equal keys never swap.
template <typename Key>
QList<int> orderBy(const QList<Key> &keys, bool ascending)
{
    if (ascending)
        return exchangeSortOrder(keys, [](const Key &a, const Key &b) { return b < a; });
    return exchangeSortOrder(keys, [](const Key &a, const Key &b) { return a < b; });
}

// Text keys compare by character code, as QString's operator< does.
QList<int> orderByText(const QStringList &keys, bool ascending)
{
    return orderBy<QString>(keys, ascending);
}

}  // namespace

void sortSatellites(TPTables &t, int region, SatSortKey key, TPSortFlags &flags)
{
    const int n = std::clamp<int>(t.SatCount[region], 0, SatSlots);
    QList<int> order;
    if (key == SatSortKey::Deg) {
        QList<double> keys;
        for (int s = 0; s < n; ++s)
            keys.append(LeadingNumber(t.SatData(region, s).Deg));
        order = orderBy(keys, flags.deg);  // clear: largest first
        flags.deg = !flags.deg;
        flags.name = false;
    } else {
        QStringList keys;
        for (int s = 0; s < n; ++s)
            keys.append(t.SatData(region, s).SatName);
        order = orderByText(keys, !flags.name);
        flags.name = !flags.name;
        flags.deg = false;
    }
    // The exchanges move whole records and TP slots 0..MaxTP-1; applying the
    // final order once gives the same tables.
    std::vector<SatRecord> sats(static_cast<std::size_t>(n));
    std::vector<TPRecord> tps(static_cast<std::size_t>(n) * MaxTP);
    for (int s = 0; s < n; ++s) {
        sats[std::size_t(s)] = t.SatData(region, order[s]);
        for (int k = 0; k < MaxTP; ++k)
            tps[std::size_t(s) * MaxTP + std::size_t(k)] = t.TPData(region, order[s], k);
    }
    for (int s = 0; s < n; ++s) {
        t.SatData(region, s) = std::move(sats[std::size_t(s)]);
        for (int k = 0; k < MaxTP; ++k)
            t.TPData(region, s, k) = std::move(tps[std::size_t(s) * MaxTP + std::size_t(k)]);
    }
}

void sortTPs(TPTables &t, int region, int sat, TPSortKey key, TPSortFlags &flags)
{
    const int n = tpCountOf(t.SatData(region, sat));
    QList<int> order;
    if (key == TPSortKey::Polar) {
        // The column text, "H" or "V".
        const QStringList items = TPListModel::polarItems();
        QStringList keys;
        for (int k = 0; k < n; ++k)
            keys.append(items.value(decimalValue(t.TPData(region, sat, k).Polar).value_or(-1)));
        order = orderByText(keys, !flags.polar);
        flags.polar = !flags.polar;
        flags.freq = flags.sr = false;
    } else {
        const bool freq = key == TPSortKey::Freq;
        QList<double> keys;
        for (int k = 0; k < n; ++k) {
            const TPRecord &tp = t.TPData(region, sat, k);
            keys.append(LeadingNumber(freq ? tp.Freq : tp.SR));
        }
        bool &flag = freq ? flags.freq : flags.sr;
        order = orderBy(keys, !flag);
        flag = !flag;
        (freq ? flags.sr : flags.freq) = false;
        flags.polar = false;
    }
    std::vector<TPRecord> tps(static_cast<std::size_t>(n));
    for (int k = 0; k < n; ++k)
        tps[std::size_t(k)] = t.TPData(region, sat, order[k]);
    for (int k = 0; k < n; ++k)
        t.TPData(region, sat, k) = std::move(tps[std::size_t(k)]);
}
