#include "link/ReceiverPort.h"

#include <QDir>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <poll.h>
#endif

namespace {

struct LineSettings {
    qint32 baud = 0;
    QSerialPort::Parity parity = QSerialPort::NoParity;
    QSerialPort::DataBits dataBits = QSerialPort::Data8;
    QSerialPort::StopBits stopBits = QSerialPort::OneStop;
};

Result<LineSettings> parseSettings(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char(','));
    const auto invalid = Status::failure(QStringLiteral("Invalid port settings \"%1\"").arg(text));
    if (parts.size() != 4)
        return invalid;
    LineSettings s;
    bool ok = false;
    s.baud = parts[0].trimmed().toInt(&ok);
    if (!ok || s.baud <= 0)
        return invalid;
    const QString parity = parts[1].trimmed().toUpper();
    if (parity == QLatin1String("N"))
        s.parity = QSerialPort::NoParity;
    else if (parity == QLatin1String("E"))
        s.parity = QSerialPort::EvenParity;
    else if (parity == QLatin1String("O"))
        s.parity = QSerialPort::OddParity;
    else if (parity == QLatin1String("M"))
        s.parity = QSerialPort::MarkParity;
    else if (parity == QLatin1String("S"))
        s.parity = QSerialPort::SpaceParity;
    else
        return invalid;
    const int bits = parts[2].trimmed().toInt(&ok);
    if (!ok || bits < 5 || bits > 8)
        return invalid;
    s.dataBits = static_cast<QSerialPort::DataBits>(bits);
    const QString stop = parts[3].trimmed();
    if (stop == QLatin1String("1"))
        s.stopBits = QSerialPort::OneStop;
    else if (stop == QLatin1String("1.5"))
        s.stopBits = QSerialPort::OneAndHalfStop;
    else if (stop == QLatin1String("2"))
        s.stopBits = QSerialPort::TwoStop;
    else
        return invalid;
    return s;
}

}  // namespace

ReceiverPort::ReceiverPort(ProgramDir dir, QObject *parent, int gapMs)
    : QObject(parent), m_dir(std::move(dir)), m_framer(&m_serial, this, gapMs)
{
    m_serial.setPortName(deviceName(m_dir, m_portNumber));
    connect(&m_framer, &MessageFramer::notified, this, &ReceiverPort::notified);
    connect(&m_framer, &MessageFramer::messageReceived, this, &ReceiverPort::messageReceived);
    connect(&m_serial, &QSerialPort::errorOccurred, this, &ReceiverPort::onError);
}

QString ReceiverPort::deviceName(const ProgramDir &dir, int portNumber)
{
#ifdef Q_OS_WIN
    Q_UNUSED(dir);
    return QStringLiteral("COM%1").arg(portNumber);
#else
    // A link to an unplugged adapter still names the port: opening it then
    // reports the missing device instead of quietly taking another port.
    const QString path = dir.filePath(QStringLiteral("Com%1").arg(portNumber));
    if (const QFileInfo entry(path); entry.exists() || entry.isSymLink())
        return path;
    return QStringLiteral("/dev/ttyS%1").arg(portNumber - 1);
#endif
}

void ReceiverPort::setDevicePath(const QString &path)
{
    m_devicePath = path;
    m_serial.setPortName(device());
}

QString ReceiverPort::device() const
{
    return m_devicePath.isEmpty() ? deviceName(m_dir, m_portNumber) : m_devicePath;
}

Status ReceiverPort::setPortNumber(int portNumber)
{
    if (portNumber < kFirstPort || portNumber > kFirstPort + kPortCount - 1)
        return Status::failure(QStringLiteral("Invalid port number %1").arg(portNumber));
    if (portNumber == m_portNumber)
        return Status::success();
    const bool wasOpen = m_serial.isOpen();
    if (wasOpen)
        m_serial.close();
    m_portNumber = portNumber;
    m_serial.setPortName(device());
    return wasOpen ? openDevice() : Status::success();
}

Status ReceiverPort::applySettings(const QString &settings)
{
    const Result<LineSettings> parsed = parseSettings(settings);
    if (!parsed)
        return parsed.status();
    const LineSettings &s = parsed.value();
    if (!m_serial.setBaudRate(s.baud) || !m_serial.setParity(s.parity) || !m_serial.setDataBits(s.dataBits) ||
        !m_serial.setStopBits(s.stopBits))
        return Status::failure(m_serial.errorString());
    m_settings = settings;
    return Status::success();
}

Status ReceiverPort::configure(int portNumber)
{
    if (Status s = setPortNumber(portNumber); !s)
        return s;
    return applySettings();
}

void ReceiverPort::setFlowControl(QSerialPort::FlowControl flow)
{
    m_serial.setFlowControl(flow);
}

Status ReceiverPort::setOpen(bool open)
{
    clearReceive();
    if (open == m_serial.isOpen())
        return Status::success();
    if (!open) {
        m_serial.close();
        m_framer.reset();
        return Status::success();
    }
    // The device behind "ComN" may have changed since the number was chosen.
    m_serial.setPortName(device());
    return openDevice();
}

Status ReceiverPort::openDevice()
{
    m_framer.reset();
    if (!m_serial.open(QIODevice::ReadWrite)) {
        const QString error = m_serial.errorString();
        m_serial.clearError();
        return Status::failure(error);
    }
    return Status::success();
}

qint64 ReceiverPort::write(const QByteArray &bytes)
{
    if (!m_serial.isOpen())
        return -1;
    return m_serial.write(bytes);
}

void ReceiverPort::clearTransmit()
{
    if (m_serial.isOpen())
        m_serial.clear(QSerialPort::Output);
}

void ReceiverPort::clearReceive()
{
    if (m_serial.isOpen()) {
        m_serial.clear(QSerialPort::Input);
        m_serial.readAll();  // what Qt had buffered already
    }
    m_framer.reset();
}

// A line whose far end hung up (a pseudo-terminal's master closed, a USB
// adapter pulled) reports read errors without end; it is gone all the same.
bool ReceiverPort::hungUp()
{
#ifdef Q_OS_UNIX
    if (!m_serial.isOpen())
        return false;
    pollfd p{static_cast<int>(m_serial.handle()), POLLIN, 0};
    return ::poll(&p, 1, 0) > 0 && (p.revents & (POLLHUP | POLLERR | POLLNVAL));
#else
    return false;
#endif
}

void ReceiverPort::onError(QSerialPort::SerialPortError error)
{
    const bool hangUp = error != QSerialPort::NoError && error != QSerialPort::ResourceError && hungUp();
    if (hangUp)
        error = QSerialPort::ResourceError;
    switch (error) {
    case QSerialPort::NoError:
    case QSerialPort::OpenError:
    case QSerialPort::DeviceNotFoundError:
    case QSerialPort::PermissionError: return;  // reported by setOpen()
    case QSerialPort::ResourceError:
    case QSerialPort::ReadError: {
        // A hung-up line keeps failing every read; staying open would spin.
        const QString text = hangUp ? QStringLiteral("The line hung up.") : m_serial.errorString();
        m_serial.clearError();
        if (m_serial.isOpen())
            m_serial.close();
        m_framer.reset();
        Q_EMIT lost(text);
        return;
    }
    case QSerialPort::WriteError: {
        const QString text = m_serial.errorString();
        m_serial.clearError();
        Q_EMIT writeFailed(text);
        return;
    }
    case QSerialPort::UnsupportedOperationError:
    case QSerialPort::TimeoutError:
    case QSerialPort::NotOpenError:
    case QSerialPort::UnknownError: break;
    }
    m_serial.clearError();
    Q_EMIT lineEvent(error == QSerialPort::TimeoutError ? 1002 : 0);
}

QString lineEventText(int code)
{
    switch (code) {
    case 3: return QStringLiteral("Change in CTS Detected");
    case 4: return QStringLiteral("Change in DSR Detected");
    case 5: return QStringLiteral("Change in CD Detected");
    case 6: return QStringLiteral("The Phone is Ringing");
    case 7: return QStringLiteral("End of File Detected");
    case 1001: return QStringLiteral("Break Received");
    case 1002: return QStringLiteral("CTS Timeout");
    case 1003: return QStringLiteral("DSR Timeout");
    case 1004: return QStringLiteral("Framing Error");
    case 1006: return QStringLiteral("Overrun Error");
    case 1007: return QStringLiteral("Carrier Detect Timeout");
    case 1008: return QStringLiteral("Receive Buffer Overflow");
    case 1009: return QStringLiteral("Parity Error");
    case 1010: return QStringLiteral("Transmit Buffer Full");
    case 1011: return QStringLiteral("Error retrieving DCB");
    default: return QStringLiteral("Unknown error or event");
    }
}

bool lineEventIsError(int code)
{
    return code < 3 || code > 7;
}
