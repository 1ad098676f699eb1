#pragma once

#include "link/ui/frmProgress1.h"

class QWidget;
class ReceiverLink;

// Runs one transfer in the transfer window and returns when the window has
// closed. The monitor port is closed meanwhile and reopened after. The outcome
// is also reported through the link, for those that watch transfers.
TransferOutcome SerialInit(ReceiverLink &link, QWidget *over, const TransferRequest &request,
                           const TransferTimings &timings = {});
