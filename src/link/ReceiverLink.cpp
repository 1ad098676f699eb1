#include "link/ReceiverLink.h"

ReceiverLink::ReceiverLink(ProgramDir dir, QObject *parent)
    : QObject(parent), m_dir(dir), m_monitor(std::move(dir), this)
{
    connect(&m_monitor, &ReceiverPort::messageReceived, this,
            [this](const QByteArray &message) { appendMessage(monitorText(message)); });
    connect(&m_monitor, &ReceiverPort::lost, this,
            [this](const QString &error) { appendMessage(error + QStringLiteral("\r\n")); });
}

Status ReceiverLink::RS232_Connect()
{
    return m_monitor.configure(m_selectedPort);
}

void ReceiverLink::portOpen(bool ee)
{
    if (Status s = m_monitor.setOpen(ee); !s)
        appendMessage(s.error() + QStringLiteral("\r\n"));
}

QString ReceiverLink::monitorText(const QByteArray &message)
{
    QByteArray bytes = message;
    bytes.replace("\n\r", "\r\n");
    return QString::fromLatin1(bytes);
}
