#pragma once

#include "link/ui/frmProgress1.h"

#include <QString>

class QWidget;
class ReceiverLink;

// Starts a transfer and returns when the transfer window has closed: mode 2
// uploads link.selectedFile as `kind`, mode 1 downloads the channel data into
// it (kind empty). The monitor port is closed meanwhile and reopened after.
// Afterwards link.hSerialMode is 10 when the window closed with "OK".
void SerialInit(ReceiverLink &link, QWidget *over, int mode, const QString &kind,
                const TransferTimings &timings = {});
