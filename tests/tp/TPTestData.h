#pragma once

#include "tp/TPTables.h"

#include <QByteArray>
#include <QString>

#include <memory>

// Shared by the TP tests: tables and file texts to feed the readers.

// A "PreDefine.dll" text of `lines` lines "0|Sat r-s (0ddd)|0|0|0ddd", each
// ended by CR LF; `lastLineEnd` false leaves the last line open.
QByteArray preDefineLines(int lines, bool lastLineEnd = true);

// Stored tables that a save can write: 48 satellites a region with names,
// positions, parse options and a mix of TP counts (0, a few, MaxTP).
void fillSaveableTables(SatTable &sats, TPTable &tps, unsigned seed);

// Where the slots that the files carry differ (satellites 0..47 and the TPs
// within each TPCount); empty when they are equal.
QString fileContentDifference(const SatTable &a, const TPTable &at, const SatTable &b, const TPTable &bt);

// Working tables for the editing logic, stored alike: satellite s of every
// region is "S<s> (<deg>)" at position deg = s * 10, with Diseqc s, ParseSort
// s % 5 and s % 4 + 1 TPs "<s>0<k>"; `count` satellites a region.
std::unique_ptr<TPTables> editTables(int count = MaxSat);

// The first words of the names of a region's satellites, comma-separated.
QString satNames(const TPTables &t, int region = 0);

// The frequencies of a satellite's TPs, comma-separated.
QString tpFreqs(const TPTables &t, int sat, int region = 0);

// The working tables and satellite counts are alike.
inline bool sameWorkingTables(const TPTables &a, const TPTables &b)
{
    return a.SatData == b.SatData && a.TPData == b.TPData && a.SatCount == b.SatCount;
}
