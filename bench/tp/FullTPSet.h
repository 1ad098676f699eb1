#pragma once

#include "tp/TPTables.h"

#include <QElapsedTimer>
#include <QTextStream>

#include <algorithm>
#include <functional>
#include <vector>

// Every region full: 192 satellites with 109 TPs each, 20,928 TPs.
inline void fillFullTPSet(TPTables &tables)
{
    for (int r = 0; r < RegionCount; ++r) {
        for (int s = 0; s < MaxSat; ++s) {
            const QString deg = QString::number(100 + s * 7).rightJustified(4, QLatin1Char('0'));
            tables.SatDataStored(r, s) = {QString::number(s % 4), QStringLiteral("Satellite %1 (%2)").arg(s).arg(deg),
                                          QString::number(MaxTP), QString::number(s % 5), deg};
            for (int t = 0; t < MaxTP; ++t)
                tables.TPDataStored(r, s, t) = {QString::number(10700 + t * 18), QString::number(t % 2),
                                                QString::number(22000 + t * 50), QString::number(t % 9)};
        }
    }
}

// Runs `work` `runs` times and prints the median and the slowest time.
inline void measure(const QString &what, int runs, const std::function<void()> &work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    QTextStream(stdout) << QStringLiteral("%1: median %2 ms, slowest %3 ms (%4 runs)\n")
                               .arg(what, -34)
                               .arg(times[times.size() / 2], 0, 'f', 2)
                               .arg(times.back(), 0, 'f', 2)
                               .arg(runs);
}
