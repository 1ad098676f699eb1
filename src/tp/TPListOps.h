#pragma once

#include "common/ValueLists.h"
#include "tp/TPTables.h"

#include <QString>

// The table operations behind the satellite and TP lists, on the region
// given. Satellite records and TPs are counted from 0.

// The value of TPCount, clamped to the TP slots, so a bad count never reaches
// past the table; 0 when it is not a number.
int tpCountOf(const SatRecord &sat);

SatRecord defaultSatRecord(const ValueLists &lists);
TPRecord defaultTPRecord(const ValueLists &lists);
TPRecord emptyTPRecord();  // a new TP: empty fields, FEC "Auto"

QString satLimitMessage();  // "Maximum Satellite allowed is 48."
QString tpLimitMessage();   // "Maximum TP allowed is 109."

// Moves the TP blocks of `region` down onto record `index` (after the records moved).
void TPDel(TPTables &t, int region, int index);
// Moves the TP blocks up from record `index`; record `index` gets one TP `tp`.
void TPInsert(TPTables &t, const TPRecord &tp, int region, int index);
// Swaps all TP slots of records `index1` and `index2`, whatever their counts.
void TPTPExchange(TPTables &t, int region, int index1, int index2);
// Swaps two satellite records with their TP blocks.
void SatExchange(TPTables &t, int region, int index1, int index2);
void deleteSatellite(TPTables &t, int region, int index);
// A default satellite with one default TP at `index`; the caller checked the limit.
void insertSatellite(TPTables &t, const ValueLists &lists, int region, int index);

void deleteTP(TPTables &t, int region, int sat, int index);
// An empty TP at `index`; the caller checked the limit.
void insertTP(TPTables &t, int region, int sat, int index);
void TPExchange(TPTables &t, int region, int sat, int index1, int index2);
