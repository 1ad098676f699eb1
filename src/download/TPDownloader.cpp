#include "download/TPDownloader.h"

#include "download/CodeRanges.h"
#include "download/ReplyHeader.h"

#include <QDir>
#include <QUrl>

#include <algorithm>

namespace {

const QString CRLF = QStringLiteral("\r\n");

// A code names a file in "Temp" only when it holds no separator and is no dot name.
bool namesPlainFile(const QString &code)
{
    return !code.isEmpty() && !code.contains(u'/') && !code.contains(u'\\') && code != u'.' &&
           code != QLatin1String("..") && !code.contains(QChar(0));
}

}  // namespace

TPDownloader::TPDownloader(const ProgramDir &dir, QList<MirrorAddress> mirrors, DownloadTiming timing, QObject *parent)
    : QObject(parent), m_dir(dir), m_mirrors(std::move(mirrors)), m_timing(timing)
{
    m_timer1.setInterval(m_timing.receiveMs);
    m_timer3.setInterval(m_timing.tickMs);
    // The socket keeps no more than this while nothing is taken from it.
    m_socket.setReadBufferSize(FlushSize);
    connect(&m_timer1, &QTimer::timeout, this, &TPDownloader::receiveTick);
    connect(&m_timer3, &QTimer::timeout, this, &TPDownloader::timeoutTick);
    connect(&m_socket, &QTcpSocket::connected, this, &TPDownloader::onConnected);
    connect(&m_socket, &QTcpSocket::readyRead, this, &TPDownloader::onReadyRead);
    connect(&m_socket, &QTcpSocket::errorOccurred, this, &TPDownloader::onSocketError);
    connect(&m_socket, &QTcpSocket::disconnected, this, [this] {
        onReadyRead();
        m_closed = true;
    });
}

TPDownloader::~TPDownloader()
{
    m_socket.disconnect(this);
    m_socket.abort();
}

QString TPDownloader::addressOf(const QString &code) const
{
    const int mirror = MirrorFor(CodeValue(code));
    if (mirror < 1 || mirror > m_mirrors.size())
        return {};
    return m_mirrors[mirror - 1].base + code + QStringLiteral(".sdx");
}

QByteArray TPDownloader::requestFor(const QString &address, const QString &hostPort)
{
    // Blanks and other bytes a request line cannot carry are escaped; a plain code is sent as it is.
    const QByteArray target = QUrl::toPercentEncoding(address, "/:_.-~%");
    return "GET " + target + " HTTP/1.1\r\nHost: " + hostPort.toLatin1() +
           "\r\nConnection: close\r\nAccept: */*\r\n\r\n";
}

void TPDownloader::start(const QStringList &codes)
{
    if (m_running)
        return;
    m_codes = codes;
    m_index = -1;
    ++m_run;
    m_running = true;
    QDir().mkpath(m_dir.filePath(QStringLiteral("Temp")));
    Q_EMIT overall(0, int(m_codes.size()));
    Q_EMIT message(QStringLiteral("TP Down Start!") + CRLF);
    nextCode();
}

void TPDownloader::cancel()
{
    if (!m_running)
        return;
    m_running = false;
    m_timer1.stop();
    m_timer3.stop();
    m_socket.abort();
    m_file.reset();  // an unfinished reply leaves nothing behind
    m_phase = Phase::Idle;
    endRun(false);
}

void TPDownloader::nextCode()
{
    ++m_step;
    while (m_running) {
        ++m_index;
        if (m_index >= m_codes.size()) {
            endRun(true);
            return;
        }
        const int maximum = int(m_codes.size());
        Q_EMIT status(QStringLiteral("TP Download   %1%").arg(int(double(m_index) / maximum * 100)));
        Q_EMIT overall(int(m_index), maximum);
        const QString code = m_codes[m_index];
        const int mirror = MirrorFor(CodeValue(code));
        if (mirror == 0)
            continue;
        m_fileName = code + QStringLiteral(".sdx");
        if (!namesPlainFile(code)) {
            Q_EMIT message(QStringLiteral("%1 cannot be stored in Temp: the code is no plain file name.").arg(code) +
                           CRLF);
            continue;
        }
        if (mirror > m_mirrors.size())
            continue;
        Q_EMIT fileShown(QDir(m_dir.path()).filePath(QStringLiteral("Temp/") + code));
        Q_EMIT fileProgress(0, 100);
        connectTo(m_mirrors[mirror - 1]);
        return;
    }
}

void TPDownloader::connectTo(const MirrorAddress &mirror)
{
    m_queue = std::make_unique<StrQueue>();
    m_buffer = QByteArray(BufferSize, '\0');
    m_bufferFill = m_nextChunk = m_slotOffset = 0;
    m_contentLength = m_headerSize = m_placed = m_written = m_received = 0;
    m_readLimit = BufferSize;
    m_ticks = 0;
    m_closed = false;
    m_file.reset();
    m_hostPort = mirror.hostPort;
    m_phase = Phase::Connecting;
    m_socket.abort();
    // The time-out counts from the attempt, so a host that never answers ends too.
    m_timer3.start();
    m_socket.connectToHost(mirror.host, mirror.port);
}

void TPDownloader::onConnected()
{
    if (m_phase != Phase::Connecting)
        return;
    m_phase = Phase::Header;
    m_timer1.start();
    m_socket.write(requestFor(addressOf(m_codes[m_index]), m_hostPort));
}

void TPDownloader::onReadyRead()
{
    if (!m_queue || (m_phase != Phase::Header && m_phase != Phase::Body))
        return;
    // Bytes past the reply are left in the socket, and no more of a header is taken
    // than the buffer holds: what is queued stays bounded whatever the server sends.
    const qint64 take = std::min(m_readLimit - m_received, m_socket.bytesAvailable());
    if (take <= 0)
        return;
    const QByteArray bytes = m_socket.read(take);
    m_received += bytes.size();
    m_queue->AddItem(bytes, false);
}

void TPDownloader::onSocketError(QAbstractSocket::SocketError error)
{
    if (m_phase == Phase::Idle)
        return;
    if (error == QAbstractSocket::RemoteHostClosedError && m_phase != Phase::Connecting) {
        onReadyRead();
        m_closed = true;  // the receive timer decides whether the reply was whole
        return;
    }
    giveUp(QStringLiteral("%1 not fetched from %2: %3.").arg(m_fileName, m_hostPort, m_socket.errorString()));
}

void TPDownloader::moveIntoBuffer(qint32 limit)
{
    // Moves queued bytes into the buffer up to `limit`, splitting a slot rather than
    // copying past the buffer.
    const qint32 latest = m_queue->GetCurrentIdx();
    while (m_bufferFill < limit && m_nextChunk <= latest) {
        const QByteArray &slot = m_queue->slot(m_nextChunk);
        const qint32 take = std::min<qint32>(qint32(slot.size()) - m_slotOffset, limit - m_bufferFill);
        std::copy_n(slot.constData() + m_slotOffset, take, m_buffer.data() + m_bufferFill);
        m_bufferFill += take;
        m_slotOffset += take;
        if (m_slotOffset >= slot.size()) {
            m_queue->ClearQ(m_nextChunk);
            ++m_nextChunk;
            m_slotOffset = 0;
        }
    }
}

bool TPDownloader::gatherHeader()
{
    if (m_queue->TotalBytes() < 8 && !m_closed)
        return false;
    moveIntoBuffer(BufferSize);
    const std::optional<ReplyHeader> header = ReadReplyHeader(QByteArrayView(m_buffer.constData(), m_bufferFill));
    if (!header) {
        if (m_bufferFill >= BufferSize)
            giveUp(QStringLiteral("%1: the reply header from %2 does not end.").arg(m_fileName, m_hostPort));
        else if (m_closed)
            giveUp(QStringLiteral("%1: %2 closed the connection before the reply header ended.")
                       .arg(m_fileName, m_hostPort));
        return false;
    }
    // A chunked body would be stored with its framing.
    if (!header->hasLength || !header->success() || header->transferCoded) {
        Q_EMIT message(m_fileName + QStringLiteral(" Not existed.") + CRLF);
        m_phase = Phase::Idle;
        finishFile();
        return false;
    }
    if (header->contentLength > MaxBody) {
        Q_EMIT message(QStringLiteral("%1 refused: the reply announces %2 bytes, more than the limit of %3.")
                           .arg(m_fileName)
                           .arg(header->contentLength)
                           .arg(MaxBody) +
                       CRLF);
        m_phase = Phase::Idle;
        finishFile();
        return false;
    }
    m_headerSize = header->size;
    m_contentLength = header->contentLength;
    // The body bytes gathered so far go to the front; bytes past the body are not kept.
    const qint32 body = qint32(std::min<qint64>(m_bufferFill - m_headerSize, m_contentLength));
    std::copy_n(m_buffer.constData() + m_headerSize, body, m_buffer.data());
    m_bufferFill = body;
    m_placed = body;
    m_file = std::make_unique<QSaveFile>(m_dir.filePath(QStringLiteral("Temp")) + QDir::separator() + m_fileName);
    // Unbuffered, so a failed write shows at once with its reason, not in a flush at commit.
    if (!m_file->open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        giveUp(QStringLiteral("%1 cannot be written: %2.").arg(m_fileName, m_file->errorString()));
        return false;
    }
    m_phase = Phase::Body;
    m_readLimit = m_headerSize + m_contentLength;
    updateBar();
    return true;
}

void TPDownloader::receiveTick()
{
    if (m_phase == Phase::Header) {
        if (!gatherHeader())
            return;
    }
    if (m_phase != Phase::Body)
        return;
    onReadyRead();  // what the socket kept while the header was read
    if (!storeBody())
        return;
    if (m_closed && m_nextChunk > m_queue->GetCurrentIdx() && m_socket.bytesAvailable() == 0)
        giveUp(QStringLiteral("%1 incomplete: %2 closed the connection after %3 of %4 bytes.")
                   .arg(m_fileName, m_hostPort)
                   .arg(m_placed)
                   .arg(m_contentLength));
}

bool TPDownloader::storeBody()
{
    // Every whole buffer that is ready is written now, so the queue is empty after
    // each tick however fast the bytes come.
    for (;;) {
        moveIntoBuffer(qint32(std::min<qint64>(BufferSize, m_contentLength - m_written)));
        m_placed = m_written + m_bufferFill;
        if (m_placed >= m_contentLength || m_bufferFill < FlushSize)
            break;
        if (!flush())
            return false;
    }
    updateBar();
    if (m_placed < m_contentLength)
        return true;
    if (!flush())
        return false;
    if (!m_file->commit()) {
        giveUp(QStringLiteral("%1 cannot be written: %2.").arg(m_fileName, m_file->errorString()));
        return false;
    }
    m_file.reset();
    m_phase = Phase::Idle;
    finishFile();
    return false;
}

bool TPDownloader::flush()
{
    for (qint32 done = 0; done < m_bufferFill;) {
        // A short write is tried again, so that the system's reason for refusing the rest is known.
        const qint64 n = m_file->write(m_buffer.constData() + done, m_bufferFill - done);
        if (n <= 0) {
            giveUp(QStringLiteral("%1 cannot be written: %2.").arg(m_fileName, m_file->errorString()));
            return false;
        }
        done += qint32(n);
    }
    m_written += m_bufferFill;
    m_bufferFill = 0;
    return true;
}

void TPDownloader::updateBar()
{
    if (m_contentLength > 0 && double(m_placed) / double(m_contentLength) >= 0.05)
        Q_EMIT fileProgress(int(m_placed), int(m_contentLength));  // the body is at most MaxBody
}

void TPDownloader::timeoutTick()
{
    if (++m_ticks >= m_timing.limitTicks)
        giveUp(QStringLiteral("%1 timed out at %2 after %3 s; nothing was stored.")
                   .arg(m_fileName, m_hostPort)
                   .arg(double(m_ticks) * m_timing.tickMs / 1000));
}

void TPDownloader::giveUp(const QString &why)
{
    if (m_phase == Phase::Idle && !m_file)
        return;
    m_file.reset();  // the temporary goes; an older file stays as it was
    m_phase = Phase::Idle;
    Q_EMIT message(why + CRLF);
    finishFile();
}

void TPDownloader::finishFile()
{
    m_timer1.stop();
    m_timer3.stop();
    m_socket.abort();
    m_queue.reset();
    // Next code from the event loop, so the socket's own handlers have returned; a
    // run that has ended (or a newer one), or a file ended twice, is not moved on again.
    QTimer::singleShot(0, this, [this, run = m_run, step = m_step] {
        if (run == m_run && step == m_step)
            nextCode();
    });
}

void TPDownloader::endRun(bool completed)
{
    m_running = false;
    m_phase = Phase::Idle;
    if (completed) {
        Q_EMIT message(QStringLiteral("TP Down Complete") + CRLF + CRLF);
        Q_EMIT status(QStringLiteral("TP Down Complete"));
    } else {
        Q_EMIT status(QStringLiteral("TP Down Stop"));
        Q_EMIT message(QStringLiteral("TP Down Stop") + CRLF + CRLF);
    }
    Q_EMIT ended(completed);
}
