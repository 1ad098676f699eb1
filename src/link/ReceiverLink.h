#pragma once

#include "common/ProgramDir.h"
#include "link/ReceiverPort.h"
#include "link/TransferRequest.h"

#include <QObject>
#include <QString>

// Program-wide link state: the port chosen in the port box, the monitor port and
// monitor mode, and SelectedFile. Windows show what it reports: board lines, the
// transfer port's state for the lamps, and how each transfer ended.
class ReceiverLink : public QObject {
    Q_OBJECT
public:
    explicit ReceiverLink(ProgramDir dir, QObject *parent = nullptr);

    const ProgramDir &programDir() const { return m_dir; }

    // The port box position plus 1; 1 when nothing is selected.
    int selectedPort() const { return m_selectedPort; }
    void setSelectedPort(int portNumber) { m_selectedPort = portNumber; }

    // Monitor mode: the message board is shown and the monitor port is open.
    bool monitorMode() const { return m_monitorMode; }
    void setMonitorMode(bool on) { m_monitorMode = on; }

    ReceiverPort &monitorPort() { return m_monitor; }
    // Applies the selected port and the line settings to the monitor port.
    Status RS232_Connect();
    // Opens or closes the monitor port; a failure goes to the board.
    void portOpen(bool ee);

    // The image being edited or last chosen for a transfer; editors start from it.
    QString selectedFile;

    void appendMessage(const QString &text) { Q_EMIT messageAppended(text); }
    void setTransferPortOpen(bool open) { Q_EMIT transferPortStateChanged(open); }
    void reportTransfer(const TransferOutcome &outcome) { Q_EMIT transferEnded(outcome); }

    // The receiver's text as the board shows it: 8-bit characters, and the byte
    // pair 10, 13 turned into 13, 10.
    static QString monitorText(const QByteArray &message);

Q_SIGNALS:
    void messageAppended(const QString &text);
    void transferPortStateChanged(bool open);
    // After the transfer window has closed and the monitor port is back.
    void transferEnded(const TransferOutcome &outcome);

private:
    ProgramDir m_dir;
    ReceiverPort m_monitor;
    int m_selectedPort = ReceiverPort::kFirstPort;
    bool m_monitorMode = false;
};
