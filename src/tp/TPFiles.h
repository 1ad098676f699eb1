#pragma once

#include "common/ProgramDir.h"
#include "common/Result.h"
#include "tp/TPTables.h"

#include <QByteArray>
#include <QIODevice>
#include <QString>

#include <optional>

// The intermediate TP files: "PreDefine.dll" holds the 4 x 48 satellites, one
// a line as Diseqc|SatName|TPCount|ParseSort|Deg; "Parse_AM.dll" .. "Parse_EU.dll"
// hold the TPs of one region each as Freq,Polar,SR,FEC lines, split between the
// satellites only by their TPCount. Text is ISO-8859-1 with CR LF line ends.
//
// Readers take a device and the file's name for their error texts; what they
// read before a failure stays in the table.

// The number of line ends in `text` plus one; CR LF, a lone CR and a lone LF
// each end a line. Saturates instead of wrapping round.
qint16 LineCount(const QByteArray &text);
qint16 LineCount(const QString &path); // 0 when the file cannot be read

// The value of a count or index field: decimal digits only. Values too large
// for any table come back as a large number rather than wrapping.
std::optional<int> decimalValue(const QString &text);

// Fills the table from "PreDefine.dll". A file that does not hold exactly
// 4 x MaxSat lines, or a line that cannot be taken, leaves the table empty.
Status readPreDefine(QIODevice &in, const QString &fileName, SatTable &stored);
// Fills region `region` of `tps` from its file, as the satellites' TPCount say.
Status readRegionFile(QIODevice &in, const QString &fileName, int region, const SatTable &sats, TPTable &tps);

// The file texts. A field that the reader could not give back as it stands
// (a line end, a comma in a TP field, a character beyond ISO-8859-1) fails.
Result<QByteArray> preDefineText(const SatTable &stored);
Result<QByteArray> regionText(int region, const SatTable &sats, const TPTable &tps);

// The same on the files in the program directory, names matched without
// regard to case. Writers replace the file atomically, keeping an existing
// spelling of its name.
Status PreDefineRead(const ProgramDir &dir, SatTable &stored);
Status ParseRead(const ProgramDir &dir, const SatTable &sats, TPTable &tps);
Status PreDefineWrite(const ProgramDir &dir, const SatTable &stored);
Status ParseWrite(const ProgramDir &dir, const SatTable &sats, const TPTable &tps);

// Empties the stored tables and fills them from the five files. On failure
// the tables keep what was read and the error names the file and the reason.
Status TPLoadAll(const ProgramDir &dir, TPTables &tables);
// Writes the five files from the stored tables. Every text is made before
// anything is written, and the first file that cannot be written stops it.
Status TPSaveAll(const ProgramDir &dir, const TPTables &tables);
