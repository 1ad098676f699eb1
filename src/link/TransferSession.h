#pragma once

#include "link/ReceiverPort.h"
#include "link/TransferEngine.h"
#include "link/TransferRate.h"
#include "link/TransferRequest.h"

#include <QElapsedTimer>
#include <QObject>

#include <memory>

class QTimer;
class ReceiverLink;

// Timer intervals of a transfer; tests may shorten them.
struct TransferTimings {
    int watchdogFirstMs = 3000;  // Timer3 until the first notification
    int watchdogMs = 8000;       // Timer3 from then on
    int autoCloseMs = 500;       // Timer4 of the window
};

// One transfer without a window: the transfer port, the engine the request's
// mode asks for, their wiring, and the watchdog. The transfer window and the
// command line both run transfers through it.
class TransferSession : public QObject {
    Q_OBJECT
public:
    // Board lines and the port's state go to the link.
    TransferSession(ReceiverLink &link, TransferRequest request, const TransferTimings &timings = {},
                    QObject *parent = nullptr);
    ~TransferSession() override;

    // The port number (or the device set on the port), the line settings and
    // the flow control of the mode.
    Status connectPort();
    // Opens a closed transfer port and greets the receiver, or closes an open one.
    Status portOpen();
    // Stops a running transfer or acknowledges a finished one ("OK").
    void cancel();
    void stopWatchdog();

    const TransferRequest &request() const { return m_request; }
    // Whether "OK" closed it is known once cancel() has run.
    TransferOutcome outcome() const;

    ReceiverPort &port() { return m_port; }
    TransferEngine &engine() { return *m_engine; }
    const TransferRate &rate() const { return m_rate; }
    bool xonXoff() const;
    const QString &lastEvent() const { return m_lastEvent; }
    const QString &lastError() const { return m_lastError; }

Q_SIGNALS:
    void viewChanged();
    void ended(TransferEnd how);
    void fileError(const QString &description);
    void sizeError(const QString &text);

private:
    class PortWire;

    void onViewChanged();
    void onNotification();
    void onLineEvent(int code);
    void onPortLost(const QString &error);

    ReceiverLink &m_link;
    TransferRequest m_request;
    TransferTimings m_timings;
    ReceiverPort m_port;
    std::unique_ptr<PortWire> m_wire;
    std::unique_ptr<TransferEngine> m_engine;
    QTimer *m_watchdog = nullptr;
    QElapsedTimer m_clock;
    TransferRate m_rate;
    QString m_lastEvent;
    QString m_lastError;
    bool m_closedWithOk = false;
};
