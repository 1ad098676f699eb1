#include "link/TransferRate.h"

#include <algorithm>
#include <cmath>

void TransferRate::sample(qint64 done, qint64 total, qint64 ms)
{
    m_done = done;
    m_total = total;
    m_lastMs = ms;
    if (m_firstDone < 0 && done > 0) {
        m_firstDone = done;
        m_firstMs = ms;
    }
}

int TransferRate::percent() const
{
    if (m_total <= 0)
        return 0;
    return int(std::clamp(m_done * 100 / m_total, qint64(0), qint64(100)));
}

std::optional<double> TransferRate::bytesPerSecond() const
{
    const qint64 ms = m_lastMs - m_firstMs;
    if (m_firstDone < 0 || ms <= 0 || m_done <= m_firstDone)
        return std::nullopt;
    return double(m_done - m_firstDone) * 1000.0 / double(ms);
}

std::optional<qint64> TransferRate::secondsLeft() const
{
    const std::optional<double> rate = bytesPerSecond();
    if (!rate || m_total <= 0)
        return std::nullopt;
    return qint64(std::ceil(double(std::max(m_total - m_done, qint64(0))) / *rate));
}

QString TransferRate::text() const
{
    const std::optional<double> rate = bytesPerSecond();
    if (!rate)
        return {};
    QString line = QStringLiteral("%1 bytes/s").arg(qint64(std::llround(*rate)));
    if (const std::optional<qint64> left = secondsLeft())
        line += QStringLiteral(", %1 left").arg(durationText(*left));
    return line;
}

QString durationText(qint64 seconds)
{
    const qint64 s = std::max(seconds, qint64(0));
    const QString mmss = QStringLiteral("%1:%2").arg(s / 60 % 60).arg(s % 60, 2, 10, QLatin1Char('0'));
    if (s < 3600)
        return QStringLiteral("%1:%2").arg(s / 60).arg(s % 60, 2, 10, QLatin1Char('0'));
    return QStringLiteral("%1:%2").arg(s / 3600).arg(mmss.rightJustified(5, QLatin1Char('0')));
}
