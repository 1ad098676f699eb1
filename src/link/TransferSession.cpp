#include "link/TransferSession.h"

#include "link/DownloadEngine.h"
#include "link/ReceiverLink.h"
#include "link/UploadEngine.h"

#include <QTimer>

// The engine's bytes go to the transfer port.
class TransferSession::PortWire : public TransferWire {
public:
    explicit PortWire(ReceiverPort &port) : m_port(port) {}
    Status write(const QByteArray &bytes) override
    {
        if (m_port.write(bytes) != bytes.size()) {
            const QString error = m_port.isOpen() ? m_port.serial().errorString() : QStringLiteral("Port is closed");
            return Status::failure(error);
        }
        // Hand the bytes to the driver now rather than on the next pass of
        // the event loop; this never blocks.
        m_port.serial().flush();
        return Status::success();
    }
    void clearTransmit() override { m_port.clearTransmit(); }

private:
    ReceiverPort &m_port;
};

TransferSession::TransferSession(ReceiverLink &link, TransferRequest request, const TransferTimings &timings,
                                 QObject *parent)
    : QObject(parent), m_link(link), m_request(std::move(request)), m_timings(timings), m_port(link.programDir(), this),
      m_wire(std::make_unique<PortWire>(m_port))
{
    m_watchdog = new QTimer(this);
    m_watchdog->setObjectName(QStringLiteral("Timer3"));

    if (m_request.mode == TransferMode::Download) {
        m_engine = std::make_unique<DownloadEngine>(*m_wire, m_request.file);
    } else {
        auto upload = std::make_unique<UploadEngine>(*m_wire, m_request.file, m_request.kind);
        // Under XON/XOFF the driver would swallow a final byte of 0x11 or 0x13.
        connect(upload.get(), &UploadEngine::finalByteAwaited, this,
                [this] { m_port.setFlowControl(QSerialPort::NoFlowControl); });
        connect(upload.get(), &UploadEngine::sizeError, this, &TransferSession::sizeError);
        m_engine = std::move(upload);
    }
    connect(m_engine.get(), &TransferEngine::boardLine, &m_link, &ReceiverLink::appendMessage);
    connect(m_engine.get(), &TransferEngine::viewChanged, this, &TransferSession::onViewChanged);
    connect(m_engine.get(), &TransferEngine::ended, this, &TransferSession::ended);
    connect(m_engine.get(), &TransferEngine::fileError, this, &TransferSession::fileError);

    connect(&m_port, &ReceiverPort::notified, this, &TransferSession::onNotification);
    connect(&m_port, &ReceiverPort::messageReceived, m_engine.get(), &TransferEngine::handleMessage);
    connect(&m_port, &ReceiverPort::lineEvent, this, &TransferSession::onLineEvent);
    connect(&m_port, &ReceiverPort::lost, this, &TransferSession::onPortLost);
    connect(&m_port, &ReceiverPort::writeFailed, m_engine.get(), &TransferEngine::sendFailed);
    connect(m_watchdog, &QTimer::timeout, m_engine.get(), &TransferEngine::watchdogTick);

    m_clock.start();
    m_watchdog->start(m_timings.watchdogFirstMs);
}

TransferSession::~TransferSession()
{
    // Engines hold the wire, which refers to the port: they go first.
    m_engine.reset();
}

bool TransferSession::xonXoff() const
{
    return m_request.mode == TransferMode::Upload;
}

Status TransferSession::connectPort()
{
    if (Status s = m_port.configure(m_link.selectedPort()); !s)
        return s;
    m_port.setFlowControl(xonXoff() ? QSerialPort::SoftwareControl : QSerialPort::NoFlowControl);
    return Status::success();
}

Status TransferSession::portOpen()
{
    const Status s = m_port.setOpen(!m_port.isOpen());
    m_engine->portOpened(s.ok());
    m_link.setTransferPortOpen(m_port.isOpen());
    if (m_port.isOpen())
        m_port.write(QByteArrayLiteral("C0FF"));
    return s;
}

void TransferSession::cancel()
{
    m_closedWithOk = m_engine->cancelClicked();
    stopWatchdog();
    if (auto *download = qobject_cast<DownloadEngine *>(m_engine.get()))
        download->discardTemporary();
}

TransferOutcome TransferSession::outcome() const
{
    return {m_request.mode, m_closedWithOk, m_engine->fault()};
}

void TransferSession::stopWatchdog()
{
    m_watchdog->stop();
}

void TransferSession::onViewChanged()
{
    m_rate.sample(m_engine->bytesDone(), m_engine->bytesTotal(), m_clock.elapsed());
    Q_EMIT viewChanged();
}

void TransferSession::onNotification()
{
    m_watchdog->start(m_timings.watchdogMs);
    m_engine->notified();
}

void TransferSession::onLineEvent(int code)
{
    m_watchdog->start(m_timings.watchdogMs);
    (lineEventIsError(code) ? m_lastError : m_lastEvent) = lineEventText(code);
}

void TransferSession::onPortLost(const QString &error)
{
    m_link.appendMessage(error + QStringLiteral("\r\n"));
    m_link.setTransferPortOpen(false);
    m_engine->portLost();
}
