#include "link/ui/SerialInit.h"

#include "link/ReceiverLink.h"

TransferOutcome SerialInit(ReceiverLink &link, QWidget *over, const TransferRequest &request,
                           const TransferTimings &timings)
{
    // Both ports use the same line.
    if (link.monitorMode())
        link.portOpen(false);

    frmProgress1 window(link, request, timings, over);
    window.RS232_Connect();
    window.portOpen();
    if (over)
        window.placeOver(over);
    window.exec();

    if (window.port().isOpen())
        window.portOpen();
    if (link.monitorMode())
        link.portOpen(true);
    const TransferOutcome outcome = window.outcome();
    link.reportTransfer(outcome);
    return outcome;
}
