#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <cstdio>

class TransferRate;

// Progress of several ports: on a terminal one line a port, rewritten in place
// below whatever else is printed; otherwise plain lines, each with its port in
// front, one each tenth of the way.
class LineProgress {
public:
    LineProgress(std::FILE *out, bool terminal, const QStringList &ports);

    // `rate` is null while no transfer runs on the port.
    void update(qsizetype index, const TransferRate *rate, const QString &state);
    // Draws the lines again when something changed (terminal only).
    void redraw();
    // Prints text above the progress lines, which stay in place below it.
    void printAbove(std::FILE *stream, const QString &text);
    // Leaves the lines as they are, with the cursor below them.
    void finish();
    bool terminal() const { return m_terminal; }

private:
    struct Line {
        QString port;
        QString text;
        int lastTenth = -1;
    };
    void erase();
    void draw();

    std::FILE *m_out;
    bool m_terminal;
    bool m_drawn = false;
    bool m_dirty = false;
    qsizetype m_portWidth = 0;
    QList<Line> m_lines;
};
