#include "tp/TPFind.h"

#include <algorithm>

namespace {

std::optional<SatFindHit> test(const SatRecord &sat, const SatFindQuery &q, int region, int slot)
{
    SatFindHit hit{region, slot, -1, -1};
    if (!q.name.isEmpty())
        hit.nameAt = int(sat.SatName.toUpper().indexOf(q.name.toUpper()));
    if (!q.deg.isEmpty())
        hit.degAt = int(sat.Deg.toUpper().indexOf(q.deg.toUpper()));
    bool match = false;
    if (q.name.isEmpty())
        match = hit.degAt >= 0;
    else if (q.deg.isEmpty())
        match = hit.nameAt >= 0;
    else if (q.both)
        match = hit.nameAt >= 0 && hit.degAt >= 0;
    else
        match = hit.nameAt >= 0 || hit.degAt >= 0;
    return match ? std::optional(hit) : std::nullopt;
}

}  // namespace

std::optional<SatFindHit> findSatellite(const TPTables &t, const SatFindQuery &query, int startRegion, int afterSat)
{
    if (query.name.isEmpty() && query.deg.isEmpty())
        return std::nullopt;
    startRegion = std::clamp(startRegion, 0, RegionCount - 1);
    const auto count = [&t](int r) { return std::clamp<int>(t.SatCount[r], 0, SatSlots); };
    for (int r = startRegion; r < RegionCount; ++r)
        for (int s = r == startRegion ? std::max(afterSat + 1, 0) : 0; s < count(r); ++s)
            if (auto hit = test(t.SatData(r, s), query, r, s))
                return hit;
    for (int r = 0; r <= startRegion; ++r)
        for (int s = 0; s < count(r); ++s)
            if (auto hit = test(t.SatData(r, s), query, r, s))
                return hit;
    return std::nullopt;
}
