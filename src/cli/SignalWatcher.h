#pragma once

#include <QObject>

class QSocketNotifier;

// SIGINT and SIGTERM through a self-pipe, so they are handled on the event
// loop where the port can be closed cleanly.
class SignalWatcher : public QObject {
    Q_OBJECT
public:
    explicit SignalWatcher(QObject *parent = nullptr);
    ~SignalWatcher() override;

Q_SIGNALS:
    void caught(int signalNumber);

private:
    QSocketNotifier *m_notifier = nullptr;
};
