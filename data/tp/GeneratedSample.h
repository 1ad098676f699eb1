#pragma once

#include "tp/TPTables.h"

// Fills the stored tables with 48 made-up satellites a region, always the same.
void FillGeneratedSample(TPTables &tables);
