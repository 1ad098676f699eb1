#pragma once

#include "common/Converters.h"
#include "common/ProgramDir.h"
#include "common/Result.h"
#include "tp/TPTables.h"

#include <QString>

// Converts a TP image with TPParse and reads the files it wrote into the stored
// tables. On failure the stored tables are as they were and the error says why;
// the working tables are never touched.
Status loadTPImage(const Converters &converters, const ProgramDir &dir, TPTables &tables, const QString &mdaFile);

// Reads a TP image through TPParse in a scratch directory, so an open
// editor's files stay as they are; the working tables are a copy of what was read.
Status readTPImage(const ProgramDir &dir, const QString &mdaFile, TPTables &tables);
// Makes `targetMda` from the working tables over `sourceMda` through TPCombine
// in a scratch directory; the target is replaced whole or not at all.
Status writeTPImage(const ProgramDir &dir, TPTables &tables, const QString &sourceMda, const QString &targetMda);
