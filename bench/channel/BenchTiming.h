#pragma once

#include <QElapsedTimer>
#include <QList>

#include <algorithm>
#include <cstdio>
#include <functional>

// Runs `step` `rounds` times and prints the median and the slowest run in ms.
inline void measure(const char *what, int rounds, const std::function<bool()> &step)
{
    QList<double> times;
    for (int i = 0; i < rounds; ++i) {
        QElapsedTimer timer;
        timer.start();
        if (!step()) {
            std::printf("%-44s FAILED\n", what);
            return;
        }
        times.append(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    std::printf("%-44s median %7.2f ms   max %7.2f ms   (%d runs)\n", what, times[times.size() / 2], times.last(),
                rounds);
}
