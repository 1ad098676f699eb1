#pragma once

#include "common/Result.h"

#include <QByteArray>
#include <QObject>
#include <QString>

// Where a transfer engine sends its bytes: the transfer port, or a recorder in tests.
class TransferWire {
public:
    virtual ~TransferWire() = default;
    virtual Status write(const QByteArray &bytes) = 0;
    virtual void clearTransmit() = 0;
};

// What the transfer window shows.
struct TransferView {
    int progressMax = 100;
    int progressValue = 0;
    QString percentText = QStringLiteral("Signal Waiting......");  // lblPer
    QString statusText;                                            // lblStatus
    QString buttonText = QStringLiteral("Cancel");                 // cmdCancel
};

enum class TransferEnd {
    Completed,  // "OK": the window closes itself shortly
    Failed,     // "Error": the window stays until the button is pressed
    Refused,    // the file was refused before any data: the window closes at once
    Received,   // a download is complete: convert it, then close as Completed
};

// Why a transfer did not succeed. The first cause seen counts: a receiver
// error word that the watchdog later ends is still a receiver error.
enum class TransferFault {
    None,
    Refused,         // the file does not fit its kind
    FileError,       // the file could not be opened, read or written
    SendError,       // the port took the bytes but could not send them
    ReceiverError,   // an error word, or an end before the whole image
    TimedOut,        // the watchdog: nothing received for six ticks
    ChecksumFailed,  // a packet or the whole-image check disagreed
    PortLost,        // the port could not be opened or went away
    Cancelled,
};

// The state and endings both transfer kinds share: the port flag, the watchdog,
// and the ways a transfer is closed. The protocols live in the subclasses and
// are driven by whole ReceiverMessages.
class TransferEngine : public QObject {
    Q_OBJECT
public:
    explicit TransferEngine(TransferWire &wire, QObject *parent = nullptr);

    virtual void handleMessage(const QByteArray &message) = 0;

    // The port was opened (or failed to open) at the start of the transfer.
    virtual void portOpened(bool ok);
    // The port went away during the transfer; the watchdog reports it.
    void portLost() { m_portOk = false; }
    // A receive notification: the first bytes of a message arrived.
    void notified() { m_watchdogTicks = 0; }
    // Six ticks without a notification, at any stage, end the transfer.
    void watchdogTick();
    // Bytes already handed over could not be written: the transfer cannot go on.
    void sendFailed(const QString &error);
    // The button: stops a running transfer, or acknowledges a finished one.
    // True when it acknowledged success ("OK").
    bool cancelClicked();

    const TransferView &view() const { return m_view; }
    TransferFault fault() const { return m_fault; }
    // Payload bytes moved so far, and the whole amount expected (0 while unknown).
    virtual qint64 bytesDone() const = 0;
    virtual qint64 bytesTotal() const = 0;
    bool stopped() const { return m_stop; }
    bool hasEnded() const { return m_ended; }
    int watchdogTicks() const { return m_watchdogTicks; }

    void FILEclose();
    void FILEclose_error(int flag);
    void FILEclose_error2();

Q_SIGNALS:
    void boardLine(const QString &text);  // ends with CR LF
    void viewChanged();
    void ended(TransferEnd how);
    // A message box with the exclamation icon (file or send error).
    void fileError(const QString &description);

protected:
    virtual void closeFile() {}
    // The error ending of the stage the transfer is in.
    virtual void closeWithError() { FILEclose_error(1); }
    // The receiver's whole-image byte disagrees with `ours` ("the file 3A").
    void finalCheckFailed(quint8 received, const QString &ours);
    Status send(const QByteArray &bytes) { return m_wire.write(bytes); }
    void board(const QString &line) { Q_EMIT boardLine(line + QStringLiteral("\r\n")); }
    void noteFault(TransferFault fault)
    {
        if (m_fault == TransferFault::None)
            m_fault = fault;
    }
    void clearFault() { m_fault = TransferFault::None; }
    void setPercentText(const QString &text);
    void setProgress(int value, int maximum);
    void setProgressValue(int value);
    void setStatusText(const QString &text);
    void setButtonText(const QString &text);
    // Closes the file and stops sending; what every ending starts with.
    void stopTransfer();
    void finish(TransferEnd how);
    // Stops, shows the closing texts, and ends the transfer.
    void closeWith(const QString &percentText, const QString &buttonText, TransferEnd how);

    int m_watchdogTicks = 0;  // since the last notification
    bool m_stop = false;

private:
    TransferWire &m_wire;
    TransferView m_view;
    bool m_portOk = true;
    bool m_ended = false;
    TransferFault m_fault = TransferFault::None;
};
