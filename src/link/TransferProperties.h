#pragma once

#include <QString>

// After the transfer port is configured, its settings are written to the
// per-user settings store, section "Properties". They are never read back.
void writeTransferProperties(const QString &settings, int portNumber, bool xonXoff);
