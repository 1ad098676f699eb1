#include "cli/PortChoice.h"

#include "link/ReceiverLink.h"

#include <QRegularExpression>

PortChoice portChoice(const QString &text)
{
    static const QRegularExpression com(QStringLiteral("^[Cc][Oo][Mm]([0-9]+)$"));
    if (const QRegularExpressionMatch m = com.match(text); m.hasMatch())
        return {m.captured(1).toInt(), {}};
    return {0, text};
}

void choosePort(ReceiverLink &link, ReceiverPort &port, const PortChoice &choice)
{
    if (choice.number > 0)
        link.setSelectedPort(choice.number);
    else
        port.setDevicePath(choice.device);
}

QString portName(const QString &given, const ReceiverPort &port)
{
    return port.device() == given ? given : QStringLiteral("%1 (%2)").arg(given, port.device());
}
