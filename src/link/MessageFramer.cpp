#include "link/MessageFramer.h"

#include <QIODevice>

MessageFramer::MessageFramer(QIODevice *device, QObject *parent, int gapMs) : QObject(parent), m_device(device)
{
    m_gap.setSingleShot(true);
    m_gap.setTimerType(Qt::PreciseTimer);
    m_gap.setInterval(gapMs);
    connect(&m_gap, &QTimer::timeout, this, &MessageFramer::onGap);
    connect(m_device, &QIODevice::readyRead, this, &MessageFramer::readWaiting);
}

void MessageFramer::reset()
{
    m_gap.stop();
    m_message.clear();
}

void MessageFramer::readWaiting()
{
    const QByteArray chunk = m_device->readAll();
    if (chunk.isEmpty())
        return;
    if (m_message.isEmpty() && !m_gap.isActive())
        Q_EMIT notified();
    m_message += chunk;
    while (m_message.size() >= kMaxMessage) {
        const QByteArray piece = m_message.left(kMaxMessage);
        m_message.remove(0, kMaxMessage);
        Q_EMIT messageReceived(piece);
    }
    m_gap.start();
}

void MessageFramer::onGap()
{
    // Bytes that came while the timer ran are part of this message.
    if (m_device->bytesAvailable() > 0) {
        readWaiting();
        return;
    }
    if (m_message.isEmpty())
        return;
    const QByteArray message = std::move(m_message);
    m_message.clear();
    Q_EMIT messageReceived(message);
}
