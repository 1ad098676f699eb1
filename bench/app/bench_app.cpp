// Figures of the application shell:
//  - start-up: process start to the main window shown, median of 10 runs;
//  - CPU time the tool spends while RunAndWait waits 2 s for a sleeping converter;
//  - CPU time of the idle main window over 10 s, monitor mode off.
#include "common/RunAndWait.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>

namespace {

QString stagedTool(const QTemporaryDir &dir)
{
    // A copy in a directory of its own, so no marker file or running instance interferes.
    const QString tool = dir.filePath(QStringLiteral("tarvik"));
    if (!QFile::exists(tool))
        QFile::copy(QStringLiteral(TARVIK_STAGE_DIR "/tarvik"), tool);
    return tool;
}

double startupMs(const QString &tool)
{
    QProcess process;
    QElapsedTimer clock;
    clock.start();
    process.start(tool, {QStringLiteral("--self-check")});
    while (process.waitForReadyRead(10000)) {
        if (process.canReadLine() && process.readLine().startsWith("shown-ms"))
            break;
    }
    const double ms = clock.nsecsElapsed() / 1e6;
    process.waitForFinished();
    return ms;
}

double cpuSeconds(const rusage &u)
{
    return u.ru_utime.tv_sec + u.ru_stime.tv_sec + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// utime + stime of a process, in seconds.
double processCpu(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray line = stat.readAll();
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    return (fields.value(11).toDouble() + fields.value(12).toDouble()) / double(sysconf(_SC_CLK_TCK));
}

}  // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir dir;
    const QString tool = stagedTool(dir);

    QList<double> runs;
    for (int i = 0; i < 10; ++i)
        runs << startupMs(tool);
    std::sort(runs.begin(), runs.end());
    std::printf("start-up to main window shown: median %.1f ms (min %.1f, max %.1f; goal < 300 ms)\n",
                (runs[4] + runs[5]) / 2, runs.first(), runs.last());

    const QString sleeper = dir.filePath(QStringLiteral("SlowConverter"));
    QFile script(sleeper);
    script.open(QIODevice::WriteOnly);
    script.write("#!/bin/sh\nsleep 2\n");
    script.close();
    script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
    rusage before{}, after{};
    getrusage(RUSAGE_SELF, &before);
    RunAndWait(sleeper, {});
    getrusage(RUSAGE_SELF, &after);
    std::printf("CPU used while RunAndWait waits 2 s: %.1f ms (goal < 50 ms)\n",
                (cpuSeconds(after) - cpuSeconds(before)) * 1000);

    QProcess idle;
    idle.start(tool);
    idle.waitForStarted();
    QThread::sleep(2);  // past start-up
    const double start = processCpu(idle.processId());
    QThread::sleep(10);
    const double end = processCpu(idle.processId());
    idle.kill();
    idle.waitForFinished();
    std::printf("idle main window CPU over 10 s: %.0f ms (goal: effectively zero)\n", (end - start) * 1000);
    return 0;
}
