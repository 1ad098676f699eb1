#include "link/ui/SerialInit.h"

#include "link/ReceiverLink.h"

void SerialInit(ReceiverLink &link, QWidget *over, int mode, const QString &kind, const TransferTimings &timings)
{
    // Both ports use the same line.
    if (link.monitorMode())
        link.portOpen(false);
    link.hSerialMode = mode;
    link.hDataMode = kind;

    frmProgress1 window(link, timings, over);
    window.RS232_Connect();
    window.portOpen();
    if (over)
        window.placeOver(over);
    window.exec();

    if (window.port().isOpen())
        window.portOpen();
    if (link.monitorMode())
        link.portOpen(true);
}
