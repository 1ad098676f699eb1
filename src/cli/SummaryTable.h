#pragma once

#include "cli/TransferRecord.h"

// The table printed when a line run ends: one row a transfer.
QString summaryTable(const QList<TransferRecord> &records, bool units);
