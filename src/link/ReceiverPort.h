#pragma once

#include "common/ProgramDir.h"
#include "common/Result.h"
#include "link/MessageFramer.h"

#include <QObject>
#include <QSerialPort>

// One serial port to the receiver ("Com1".."Com4"), with its line settings and
// its incoming bytes cut into ReceiverMessages. The monitor and the transfer
// each own one.
class ReceiverPort : public QObject {
    Q_OBJECT
public:
    static constexpr int kFirstPort = 1;
    static constexpr int kPortCount = 4;
    static inline const QString kSettings = QStringLiteral("115200,N,8,1");

    explicit ReceiverPort(ProgramDir dir, QObject *parent = nullptr, int gapMs = MessageFramer::kGapMs);

    // The device for "ComN": COMN on Windows; elsewhere an entry named ComN in
    // the program directory (usually a link to /dev/ttyUSB0), else /dev/ttyS(N-1).
    static QString deviceName(const ProgramDir &dir, int portNumber);

    int portNumber() const { return m_portNumber; }
    // A device given by path (such as /dev/ttyUSB0) instead of "ComN"; empty
    // returns to the port number.
    void setDevicePath(const QString &path);
    // The device the port opens now.
    QString device() const;
    // Switches to another port; an open port is closed and opened on the new one.
    Status setPortNumber(int portNumber);
    // Applies a settings text such as "115200,N,8,1".
    Status applySettings(const QString &settings = kSettings);
    // RS232_Connect: the port number, then the line settings.
    Status configure(int portNumber);
    void setFlowControl(QSerialPort::FlowControl flow);
    QSerialPort::FlowControl flowControl() const { return m_serial.flowControl(); }

    bool isOpen() const { return m_serial.isOpen(); }
    // Clears what was received, then opens or closes the port if its state differs.
    Status setOpen(bool open);

    qint64 write(const QByteArray &bytes);
    void clearTransmit();
    void clearReceive();

    QSerialPort &serial() { return m_serial; }
    MessageFramer &framer() { return m_framer; }

Q_SIGNALS:
    void notified();
    void messageReceived(const QByteArray &message);
    // A line event or error code (1001 break, 1004 framing, 1009 parity, ...).
    void lineEvent(int code);
    // The device went away or reads fail (unplugged, hung up); the port is closed.
    void lost(const QString &error);
    // Bytes already accepted by write() could not be sent.
    void writeFailed(const QString &error);

private:
    void onError(QSerialPort::SerialPortError error);
    bool hungUp();
    Status openDevice();

    ProgramDir m_dir;
    QSerialPort m_serial;
    MessageFramer m_framer;
    int m_portNumber = kFirstPort;
    QString m_devicePath;
    QString m_settings = kSettings;
};

// The text recorded for a line event or error code of the transfer port.
QString lineEventText(int code);
bool lineEventIsError(int code);
