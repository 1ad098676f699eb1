#pragma once

#include "common/ProgramDir.h"
#include "common/Result.h"
#include "tp/TPTables.h"

// The intermediate TP files in the program directory: "PreDefine.dll" with
// the satellites (PreDefineFile.h) and one file of TPs a region (RegionFile.h).

// Reading and writing them, names matched without regard to case; a failed
// read names the file and the reason, and keeps what it read. Writers
// replace the file atomically, keeping an existing spelling of its name.
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
