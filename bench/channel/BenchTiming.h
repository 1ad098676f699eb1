#pragma once

#include <QElapsedTimer>
#include <QList>

#include <algorithm>
#include <cstdio>
#include <functional>

#ifdef Q_OS_UNIX
#include <sys/resource.h>
#endif

// CPU time of this process and of the children it has waited for, in ms: on a
// shared machine the wall time also counts waiting for the disk and for others.
inline double cpuMilliseconds()
{
#ifdef Q_OS_UNIX
    double total = 0;
    for (const int who : {RUSAGE_SELF, RUSAGE_CHILDREN}) {
        rusage usage{};
        getrusage(who, &usage);
        total += (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
                 (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
    }
    return total;
#else
    return 0;
#endif
}

// Runs `step` `rounds` times and prints the median and slowest wall time and
// the mean CPU time, in ms. `setup`, when given, runs untimed before each step.
inline void measure(const char *what, int rounds, const std::function<bool()> &step,
                    const std::function<void()> &setup = {})
{
    QList<double> times;
    const double cpuBefore = cpuMilliseconds();
    double cpuSetup = 0;
    for (int i = 0; i < rounds; ++i) {
        if (setup) {
            const double before = cpuMilliseconds();
            setup();
            cpuSetup += cpuMilliseconds() - before;
        }
        QElapsedTimer timer;
        timer.start();
        if (!step()) {
            std::printf("%-42s FAILED\n", what);
            return;
        }
        times.append(double(timer.nsecsElapsed()) / 1e6);
    }
    const double cpu = (cpuMilliseconds() - cpuBefore - cpuSetup) / rounds;
    std::sort(times.begin(), times.end());
    std::printf("%-42s wall median %6.1f ms, max %6.1f ms; cpu mean %6.1f ms (%d runs)\n", what,
                times[times.size() / 2], times.last(), cpu, rounds);
}
