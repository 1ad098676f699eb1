#pragma once

#include "common/Result.h"
#include "tp/TPTables.h"

#include <QByteArray>
#include <QIODevice>
#include <QString>

// "Parse_AM.dll" .. "Parse_EU.dll" hold the TPs of one region each as
// Freq,Polar,SR,FEC lines, split between the satellites only by their
// TPCount. Text is ISO-8859-1 with CR LF line ends.

// Fills region `region` of `tps` from its file, as the satellites' TPCount say;
// what was read before a failure stays in the table. `fileName` names the
// file in the error texts.
Status readRegionFile(QIODevice &in, const QString &fileName, int region, const SatTable &sats, TPTable &tps);

// The file text. A field that the reader could not give back as it stands
// (a line end, a comma, a leading double quote, a character beyond
// ISO-8859-1) fails.
Result<QByteArray> regionText(int region, const SatTable &sats, const TPTable &tps);
