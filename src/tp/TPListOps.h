#pragma once

#include "common/ValueLists.h"
#include "tp/TPTables.h"

#include <QString>

// The table operations behind the satellite and TP lists. Satellite rows are
// numbered from 1, records and TPs from 0, as the lists show them.

// The value of TPCount, clamped to the TP slots, so a bad count never reaches
// past the table; 0 when it is not a number.
int tpCountOf(const SatRecord &sat);

SatRecord defaultSatRecord(const ValueLists &lists);
TPRecord defaultTPRecord(const ValueLists &lists);
TPRecord emptyTPRecord();  // a new TP: empty fields, FEC "Auto"

QString satLimitMessage(); // "Maximum Satellite allowed is 48."
QString tpLimitMessage();  // "Maximum TP allowed is 109."

// Moves the TP blocks of `region` down onto record `index` (after the records moved).
void TPDel(TPTables &t, int region, int index);
// Moves the TP blocks up from record `index`; record `index` gets one TP `tp`.
void TPInsert(TPTables &t, const TPRecord &tp, int region, int index);
void TPTPExchange(TPTables &t, int index1, int index2);
void SatExchange(TPTables &t, int row1, int row2);
void SatDel(TPTables &t, int row);
// A default satellite with one default TP at `row`; the caller checked the limit.
void satInsert(TPTables &t, const ValueLists &lists, int row);

void TPItemDel(TPTables &t, int sat, int row);
void tpInsert(TPTables &t, int sat, int row);
void TPExchange(TPTables &t, int sat, int index1, int index2);
