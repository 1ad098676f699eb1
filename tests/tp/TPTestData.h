#pragma once

#include "tp/TPTables.h"

#include <QByteArray>
#include <QString>

// Shared by the TP tests: tables and file texts to feed the readers.

// A "PreDefine.dll" text of `lines` lines "0|Sat r-s (0ddd)|0|0|0ddd", each
// ended by CR LF; `lastLineEnd` false leaves the last line open.
QByteArray preDefineLines(int lines, bool lastLineEnd = true);

// Stored tables that a save can write: 48 satellites a region with names,
// positions, parse options and a mix of TP counts (0, a few, MaxTP).
void fillSaveableTables(SatTable &sats, TPTable &tps, unsigned seed);

// True when the slots that the files carry are equal: satellites 0..47 and
// the TPs within each TPCount.
bool sameFileContent(const SatTable &a, const TPTable &at, const SatTable &b, const TPTable &bt,
                     QString *difference = nullptr);
