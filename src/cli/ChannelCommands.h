#pragma once

#include "common/ProgramDir.h"

#include <QStringList>

// tarvik-cli channels export|import|order: `args` are the words after
// "channels". The images go through the converters in `dir`; nothing is
// written unless the whole input was good, and an output image is replaced
// whole or not at all.
int runChannelCommand(const ProgramDir &dir, const QStringList &args, bool takeFlags);
