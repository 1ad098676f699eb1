#pragma once

#include <QByteArray>
#include <QObject>
#include <QTimer>

class QIODevice;

// Cuts the bytes arriving on a device into ReceiverMessages: a message ends when
// `gapMs` pass after a read with nothing new. A receiver that never pauses gets
// its output handed on in pieces of at most kMaxMessage bytes, so neither the
// window nor memory suffers.
class MessageFramer : public QObject {
    Q_OBJECT
public:
    static constexpr int kGapMs = 20;
    static constexpr qsizetype kMaxMessage = 64 * 1024;

    explicit MessageFramer(QIODevice *device, QObject *parent = nullptr, int gapMs = kGapMs);

    // Forgets a message that is being gathered.
    void reset();

Q_SIGNALS:
    // The first bytes of a new message arrived (a receive notification).
    void notified();
    void messageReceived(const QByteArray &message);

private:
    void readWaiting();
    void onGap();

    QIODevice *m_device;
    QTimer m_gap;
    QByteArray m_message;
};
