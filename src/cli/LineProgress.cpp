#include "cli/LineProgress.h"

#include "cli/ProgressPrinter.h"

#include <algorithm>
#include <sys/ioctl.h>

LineProgress::LineProgress(std::FILE *out, bool terminal, const QStringList &ports) : m_out(out), m_terminal(terminal)
{
    for (const QString &port : ports) {
        m_lines.append({port, {}, -1});
        m_portWidth = std::max(m_portWidth, port.size());
    }
}

void LineProgress::update(qsizetype index, const TransferRate *rate, const QString &state)
{
    Line &line = m_lines[index];
    const QString progress = rate && rate->done() > 0 ? progressLine(*rate) : QString();
    if (m_terminal) {
        // The state first: a narrow terminal cuts the end of the line.
        const QString text = progress.isEmpty() ? state : QStringLiteral("%1  %2").arg(state, progress);
        m_dirty = m_dirty || text != line.text;
        line.text = text;
        return;
    }
    if (!rate) {
        line.lastTenth = -1;
        return;
    }
    if (progress.isEmpty())
        return;
    const int tenth = rate->percent() / 10;
    if (tenth == line.lastTenth)
        return;
    line.lastTenth = tenth;
    std::fprintf(m_out, "%s: %s\n", qPrintable(line.port), qPrintable(progress));
    std::fflush(m_out);
}

void LineProgress::erase()
{
    if (m_drawn && !m_lines.isEmpty())
        std::fprintf(m_out, "\x1b[%dA\x1b[J", int(m_lines.size()));
    m_drawn = false;
}

void LineProgress::draw()
{
    // A line that wrapped would take two rows, and moving up over the block
    // would then miss its top.
    winsize size{};
    const int columns = ::ioctl(fileno(m_out), TIOCGWINSZ, &size) == 0 && size.ws_col > 0 ? size.ws_col : 80;
    for (const Line &line : m_lines) {
        const QString text = QStringLiteral("%1  %2").arg(line.port.leftJustified(m_portWidth), line.text);
        std::fprintf(m_out, "\r\x1b[2K%s\n", qPrintable(text.left(columns - 1)));
    }
    std::fflush(m_out);
    m_drawn = true;
    m_dirty = false;
}

void LineProgress::redraw()
{
    if (!m_terminal || (m_drawn && !m_dirty))
        return;
    erase();
    draw();
}

void LineProgress::printAbove(std::FILE *stream, const QString &text)
{
    if (m_terminal) {
        erase();
        std::fflush(m_out);
    }
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
    if (m_terminal)
        draw();
}

void LineProgress::finish()
{
    if (m_terminal && m_dirty)
        redraw();
}
