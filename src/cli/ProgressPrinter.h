#pragma once

#include "link/TransferRate.h"

#include <cstdio>

// The progress line: rewritten in place on a terminal, one plain line each
// tenth of the way otherwise.
class ProgressPrinter {
public:
    ProgressPrinter(std::FILE *out, bool terminal) : m_out(out), m_terminal(terminal) {}
    void show(const TransferRate &rate);
    // Ends a line left open on a terminal.
    void finish();

private:
    std::FILE *m_out;
    bool m_terminal;
    bool m_open = false;
    int m_lastTenth = -1;
};

// "73500/262144 bytes  28 %  11520 bytes/s  0:16 left"
QString progressLine(const TransferRate &rate);
