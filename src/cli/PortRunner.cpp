#include "cli/PortRunner.h"

#include "cli/ExitCodes.h"
#include "cli/PortChoice.h"
#include "link/ReceiverLink.h"

#include <QFileInfo>
#include <QTimer>

PortRunner::PortRunner(const ProgramDir &dir, QString port, TransferRequest request, const TransferTimings &timings,
                       bool loop, QObject *parent)
    : QObject(parent), m_port(std::move(port)), m_request(std::move(request)), m_timings(timings), m_loop(loop),
      m_link(std::make_unique<ReceiverLink>(dir))
{
    connect(m_link.get(), &ReceiverLink::messageAppended, this, &PortRunner::onBoard);
}

PortRunner::~PortRunner()
{
    closeSession();
}

const TransferRate *PortRunner::rate() const
{
    return m_session && m_phase == Phase::Running ? &m_session->rate() : nullptr;
}

void PortRunner::start()
{
    startUnit();
}

void PortRunner::startUnit()
{
    m_heard = false;
    m_sessionDone = false;
    m_lastMessage.clear();
    m_file = m_request.file;
    m_file.replace(QLatin1String("{unit}"), QString::number(m_unit));
    m_fileSha256 = m_request.mode == TransferMode::Upload ? fileSha256(m_file) : QByteArray();
    TransferRequest request = m_request;
    request.file = m_file;
    m_session = std::make_unique<TransferSession>(*m_link, request, m_timings);
    TransferSession &s = *m_session;
    choosePort(*m_link, s.port(), portChoice(m_port));
    connect(&s, &TransferSession::viewChanged, this, &PortRunner::progressed);
    connect(&s, &TransferSession::sizeError, this, [this](const QString &text) { onBoard(text + "\r\n"); });
    connect(&s, &TransferSession::fileError, this,
            [this](const QString &text) { onBoard(QStringLiteral("%1: %2\r\n").arg(m_file, text)); });
    connect(&s, &TransferSession::ended, this, &PortRunner::onEnded);
    connect(&s.port(), &ReceiverPort::messageReceived, this, &PortRunner::onMessage);

    m_start = QDateTime::currentDateTimeUtc();
    m_clock.start();
    m_phase = Phase::Waiting;
    Status opened = s.connectPort();
    if (opened)
        opened = s.portOpen();
    if (!opened) {
        m_sessionDone = true;
        s.stopWatchdog();
        onBoard(QStringLiteral("cannot open port %1: %2\r\n").arg(portName(m_port, s.port()), opened.error()));
        Q_EMIT transferEnded(record(false, TransferFault::PortLost, ExitCode::PortError));
        afterSession(false);
        return;
    }
    Q_EMIT progressed();
}

void PortRunner::onMessage()
{
    if (m_heard)
        return;
    // The transfer starts with the receiver's first word, not with the wait for it.
    m_heard = true;
    m_start = QDateTime::currentDateTimeUtc();
    m_clock.start();
    m_phase = Phase::Running;
    Q_EMIT progressed();
}

void PortRunner::onBoard(const QString &text)
{
    if (!text.trimmed().isEmpty())
        m_lastMessage = text.trimmed();
    Q_EMIT boardText(text);
}

void PortRunner::onEnded(TransferEnd how)
{
    // A port error ends the transfer again on every watchdog tick.
    if (m_sessionDone)
        return;
    m_sessionDone = true;
    m_session->stopWatchdog();
    const bool ok = how == TransferEnd::Completed || how == TransferEnd::Received;
    const TransferFault fault = m_session->engine().fault();
    if (!ok && m_loop && !m_heard && fault == TransferFault::TimedOut) {
        // No receiver on the line yet: greet again, unless asked to stop.
        afterSession(!m_draining);
        return;
    }
    Q_EMIT transferEnded(record(ok, fault, ok ? ExitCode::Success : exitCodeFor(fault)));
    if (m_loop && !m_draining)
        ++m_unit;
    afterSession(m_loop && !m_draining);
}

void PortRunner::drain()
{
    m_draining = true;
    if (m_phase == Phase::Waiting && m_loop) {
        m_sessionDone = true;
        if (m_session)
            m_session->cancel();
        afterSession(false);
    }
}

void PortRunner::cancel(int exitCode)
{
    m_draining = true;
    if (!m_session || m_sessionDone)
        return;
    m_sessionDone = true;
    m_session->cancel();
    // Nobody on the line in station mode: nothing was transferred.
    if (!m_loop || m_heard)
        Q_EMIT transferEnded(record(false, TransferFault::Cancelled, exitCode));
    afterSession(false);
}

void PortRunner::closeSession()
{
    if (!m_session)
        return;
    m_session->stopWatchdog();
    if (m_session->port().isOpen())
        m_session->portOpen();
}

void PortRunner::afterSession(bool nextUnit)
{
    m_phase = Phase::Between;
    Q_EMIT progressed();
    // The session and its port may be inside their own signals here.
    QTimer::singleShot(0, this, [this, nextUnit] {
        closeSession();
        m_session.reset();
        if (nextUnit && !m_draining)
            startUnit();
        else
            finish();
    });
}

void PortRunner::finish()
{
    if (m_phase == Phase::Finished)
        return;
    m_phase = Phase::Finished;
    Q_EMIT progressed();
    Q_EMIT finished();
}

TransferRecord PortRunner::record(bool ok, TransferFault fault, int exitCode) const
{
    TransferRecord r;
    r.port = m_port;
    if (m_session) {
        // Through the program directory's ComN entry or a link, to the device itself.
        const QString device = m_session->port().device();
        const QString canonical = QFileInfo(device).canonicalFilePath();
        r.device = canonical.isEmpty() ? device : canonical;
    }
    r.unit = m_unit;
    r.mode = m_request.mode;
    r.kind = m_request.kind;
    r.file = QFileInfo(m_file).absoluteFilePath();
    r.bytes = m_session ? m_session->engine().bytesDone() : 0;
    r.start = m_start;
    r.end = QDateTime::currentDateTimeUtc();
    r.elapsedMs = m_clock.elapsed();
    r.ok = ok;
    r.fault = ok ? TransferFault::None : fault;
    r.exitCode = ok ? ExitCode::Success : exitCode;
    r.lastMessage = m_lastMessage;
    if (m_request.mode == TransferMode::Download) {
        r.fileSha256 = fileSha256(m_file);
        if (ok)
            r.receivedSha256 = r.fileSha256;
    } else {
        r.fileSha256 = m_fileSha256;
    }
    return r;
}
