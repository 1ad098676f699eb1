#include "SimLine.h"

#include <QList>

#include <cerrno>
#include <poll.h>
#include <thread>
#include <unistd.h>

volatile int g_simStop = 0;

namespace {
constexpr int kRestartQuietMs = 300;
constexpr int kPollMs = 100;
}  // namespace

SimLine::SimLine(int fd, int baud, int gapMs) : m_fd(fd), m_bytesPerSecond(baud > 0 ? baud / 10.0 : 0), m_gapMs(gapMs)
{
}

void SimLine::waitUntil(SimClock::time_point t)
{
    while (SimClock::now() < t) {
        if (g_simStop)
            throw SimStop{};
        std::this_thread::sleep_until(std::min(t, SimClock::now() + std::chrono::milliseconds(kPollMs)));
    }
}

void SimLine::pause(int ms)
{
    waitUntil(SimClock::now() + std::chrono::milliseconds(ms));
}

void SimLine::writeAll(const char *data, qsizetype size)
{
    while (size > 0) {
        if (g_simStop)
            throw SimStop{};
        const ssize_t n = ::write(m_fd, data, size_t(size));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            if (errno == EAGAIN) {
                pollfd p{m_fd, POLLOUT, 0};
                ::poll(&p, 1, kPollMs);
                continue;
            }
            throw SimStop{};
        }
        data += n;
        size -= n;
    }
}

void SimLine::sendRaw(const QByteArray &bytes)
{
    // What came before this send answered an earlier message, not this one.
    while (fill(0)) {
    }
    if (m_bytesPerSecond <= 0) {
        writeAll(bytes.constData(), bytes.size());
        m_lastSendEnd = SimClock::now();
        m_heardSinceSend = false;
        return;
    }
    // Small slices at their due time: no pause inside a message is long
    // enough to be taken for its end.
    const auto start = std::max(SimClock::now(), m_lastSendEnd);
    const qsizetype slice = std::max<qsizetype>(1, qsizetype(m_bytesPerSecond / 500));
    for (qsizetype done = 0; done < bytes.size(); done += slice) {
        const qsizetype n = std::min(slice, bytes.size() - done);
        writeAll(bytes.constData() + done, n);
        const auto due = start + std::chrono::duration_cast<SimClock::duration>(
                                     std::chrono::duration<double>((done + n) / m_bytesPerSecond));
        waitUntil(due);
    }
    m_lastSendEnd = SimClock::now();
    m_heardSinceSend = false;
}

void SimLine::sendMessage(const QByteArray &message)
{
    // Once the far side has answered, it has cut off our last message already;
    // only two messages in a row need the pause between them.
    if (!m_heardSinceSend)
        waitUntil(m_lastSendEnd + std::chrono::milliseconds(m_gapMs));
    sendRaw(message);
}

bool SimLine::fill(int timeoutMs)
{
    if (g_simStop)
        throw SimStop{};
    pollfd p{m_fd, POLLIN, 0};
    const int r = ::poll(&p, 1, timeoutMs);
    if (r == 0 || (r < 0 && errno == EINTR))
        return false;
    char chunk[4096];
    const ssize_t n = ::read(m_fd, chunk, sizeof chunk);
    if (n < 0 && (errno == EAGAIN || errno == EINTR))
        return false;
    if (n <= 0) {
        // The far side closed the device; it may open it again.
        std::this_thread::sleep_for(std::chrono::milliseconds(kPollMs));
        return false;
    }
    const auto now = SimClock::now();
    if (m_buffer.isEmpty())
        m_firstByte = now;
    m_buffer.append(chunk, n);
    m_heardSinceSend = true;
    if (m_bytesPerSecond > 0) {
        const auto wire =
            std::chrono::duration_cast<SimClock::duration>(std::chrono::duration<double>(n / m_bytesPerSecond));
        m_inputDone = std::max(m_inputDone, now) + wire;
    } else {
        m_inputDone = now;
    }
    return true;
}

QByteArray SimLine::readExact(qsizetype count)
{
    auto quietSince = SimClock::now();
    while (m_buffer.size() < count) {
        if (fill(kPollMs)) {
            quietSince = SimClock::now();
            continue;
        }
        if (m_buffer.startsWith("C0FF") && m_buffer.size() == 4 &&
            SimClock::now() - quietSince > std::chrono::milliseconds(kRestartQuietMs)) {
            m_buffer.clear();
            throw SimRestart{};
        }
    }
    QByteArray bytes = m_buffer.left(count);
    m_buffer.remove(0, count);
    // Bytes take their time on a real wire.
    waitUntil(m_inputDone);
    return bytes;
}

QByteArray SimLine::readWord(const QList<QByteArray> &words)
{
    const bool restartable = !words.contains(QByteArrayLiteral("C0FF"));
    for (;;) {
        qsizetype best = -1;
        QByteArray found;
        auto consider = [&](const QByteArray &w) {
            const qsizetype at = m_buffer.indexOf(w);
            if (at >= 0 && (best < 0 || at < best)) {
                best = at;
                found = w;
            }
        };
        for (const QByteArray &w : words)
            consider(w);
        if (restartable)
            consider(QByteArrayLiteral("C0FF"));
        if (best >= 0) {
            m_buffer.remove(0, best + found.size());
            if (restartable && found == "C0FF")
                throw SimRestart{};
            waitUntil(m_inputDone);
            return found;
        }
        // Keep a possible word start at the end of the buffer.
        if (m_buffer.size() > 3)
            m_buffer.remove(0, m_buffer.size() - 3);
        fill(kPollMs);
    }
}

void SimLine::drop()
{
    while (fill(0)) {
    }
    m_buffer.clear();
}

void SimLine::mute()
{
    for (;;) {
        m_buffer.clear();
        readWord({});
    }
}

void SimLine::hangUp()
{
    ::close(m_fd);
    m_fd = -1;
}
