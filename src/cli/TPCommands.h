#pragma once

#include "common/ProgramDir.h"

#include <QStringList>

// What tp import takes: the region code (AM, AS, AT, EU), the satellites of
// the file by number ("1,3-5"; empty: all) and the first row to fill.
struct TPImportChoice {
    QString region;
    QString satellites;
    int fromRow = 1;
};

// tarvik-cli tp export|import: `args` are the words after "tp". The image goes
// through the converters in `dir`; an output image is replaced whole, and only
// when the input was good.
int runTPCommand(const ProgramDir &dir, const QStringList &args, const TPImportChoice &choice);
