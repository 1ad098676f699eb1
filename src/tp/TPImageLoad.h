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
