#pragma once

#include "tp/TPTables.h"

#include <QString>

#include <optional>

// The satellite search of the find dialog, across all four regions.
struct SatFindQuery {
    QString name;       // contained in SatName, letter case ignored
    QString deg;        // contained in Deg
    bool both = false;  // "AND": both must match; otherwise either
};

struct SatFindHit {
    int region = 0;
    int slot = 0;
    int nameAt = -1;  // where the name text was found in SatName, -1 for no name match
    int degAt = -1;
};

// Searches from the satellite after slot `afterSat` (-1 starts at slot 0) of
// `startRegion` to the end of region 3, then regions 0 to the start region
// whole. Nothing is searched when both texts are empty.
std::optional<SatFindHit> findSatellite(const TPTables &t, const SatFindQuery &query, int startRegion, int afterSat);
