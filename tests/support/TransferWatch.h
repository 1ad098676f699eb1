#pragma once

#include "link/ReceiverLink.h"

#include <QList>
#include <QObject>

// How each transfer run through a link ended, for windows that start
// transfers from their own commands.
class TransferWatch {
public:
    explicit TransferWatch(ReceiverLink &link)
    {
        QObject::connect(&link, &ReceiverLink::transferEnded, &m_context,
                         [this](const TransferOutcome &outcome) { modes << outcome.hSerialMode(); });
    }

    QList<int> modes;  // hSerialMode after each transfer, in order

private:
    QObject m_context;
};
