#pragma once

#include "tp/TPTables.h"

// The sorts of the satellite and TP lists on the working tables.

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

// Sorts the satellites of `region`; the TP blocks go with them.
void sortSatellites(TPTables &t, int region, SatSortKey key, TPSortFlags &flags);
// Sorts the TPs of satellite record `sat` of `region`.
void sortTPs(TPTables &t, int region, int sat, TPSortKey key, TPSortFlags &flags);
