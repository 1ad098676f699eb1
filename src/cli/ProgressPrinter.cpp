#include "cli/ProgressPrinter.h"

#include <cmath>

QString progressLine(const TransferRate &rate)
{
    QString line = rate.total() > 0
                       ? QStringLiteral("%1/%2 bytes  %3 %").arg(rate.done()).arg(rate.total()).arg(rate.percent())
                       : QStringLiteral("%1 bytes").arg(rate.done());
    if (const auto speed = rate.bytesPerSecond())
        line += QStringLiteral("  %1 bytes/s").arg(qint64(std::llround(*speed)));
    if (const auto left = rate.secondsLeft())
        line += QStringLiteral("  %1 left").arg(durationText(*left));
    return line;
}

void ProgressPrinter::show(const TransferRate &rate)
{
    if (rate.done() <= 0)
        return;
    if (m_terminal) {
        std::fprintf(m_out, "\r%-70s", qPrintable(progressLine(rate)));
        std::fflush(m_out);
        m_open = true;
        return;
    }
    const int tenth = rate.percent() / 10;
    if (tenth == m_lastTenth)
        return;
    m_lastTenth = tenth;
    std::fprintf(m_out, "%s\n", qPrintable(progressLine(rate)));
    std::fflush(m_out);
}

void ProgressPrinter::finish()
{
    if (m_open)
        std::fputc('\n', m_out);
    m_open = false;
}
