// tarvik-cli as a script runs it: the share of the line rate of a 262,144-byte
// upload through the simulator paced at 115200 baud, and the time from the
// program's start to its first byte on the port.
#include "support/PtyPair.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

const QString kCli = QStringLiteral(TARVIK_STAGE_DIR "/tarvik-cli");
const QString kSim = QStringLiteral(TARVIK_TOOLS_DIR "/receiver-sim");
constexpr qsizetype kImageSize = 262144;
constexpr double kBytesPerSecond = 115200.0 / 10.0;  // 8 data bits, start and stop

bool writeImage(const QString &path)
{
    QByteArray bytes(kImageSize, '\0');
    for (qsizetype i = 0; i < kImageSize; ++i)
        bytes[i] = char((i * 131 + i / 977) & 0xFF);
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == kImageSize;
}

struct UploadTimes {
    double successMs = -1;  // start of tarvik-cli until "SUCCESS" on its standard error
    double exitMs = -1;     // until it exited with 0
};

UploadTimes timedUpload(const QTemporaryDir &dir)
{
    const QString port = dir.filePath(QStringLiteral("pty"));
    QProcess sim;
    sim.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    sim.start(kSim, {QStringLiteral("--link"), port, QStringLiteral("--baud"), QStringLiteral("115200")});
    QDeadlineTimer ready(5000);
    while (!ready.hasExpired() && !QFileInfo::exists(port))
        QThread::msleep(5);

    UploadTimes t;
    QProcess cli;
    QByteArray err;
    QElapsedTimer clock;
    QObject::connect(&cli, &QProcess::readyReadStandardError, [&] {
        err += cli.readAllStandardError();
        if (t.successMs < 0 && err.contains("SUCCESS"))
            t.successMs = double(clock.nsecsElapsed()) / 1e6;
    });
    clock.start();
    cli.start(kCli, {QStringLiteral("upload"), QStringLiteral("--port"), port, QStringLiteral("--kind"),
                     QStringLiteral("Transponder"), QStringLiteral("--quiet"), dir.filePath(QStringLiteral("tp.MDA"))});
    const bool done = cli.waitForFinished(120000);
    err += cli.readAllStandardError();
    if (t.successMs < 0 && err.contains("SUCCESS"))
        t.successMs = double(clock.nsecsElapsed()) / 1e6;
    if (done && cli.exitStatus() == QProcess::NormalExit && cli.exitCode() == 0)
        t.exitMs = double(clock.nsecsElapsed()) / 1e6;
    else
        std::fprintf(stderr, "bench_cli: the upload failed:\n%s", err.constData());
    sim.terminate();
    sim.waitForFinished(3000);
    return t;
}

// One start of an upload against a bare terminal that never answers: the ms
// until the first byte arrived, or a negative number.
double firstByteMs(const QTemporaryDir &dir)
{
    PtyPair pty;
    if (!pty.ok())
        return -1;
    QProcess cli;
    QElapsedTimer clock;
    clock.start();
    cli.start(kCli, {QStringLiteral("upload"), QStringLiteral("--port"), pty.slaveName(), QStringLiteral("--kind"),
                     QStringLiteral("Transponder"), QStringLiteral("--quiet"), dir.filePath(QStringLiteral("tp.MDA"))});
    double ms = -1;
    QDeadlineTimer limit(5000);
    while (ms < 0 && !limit.hasExpired()) {
        if (!pty.receive().isEmpty())
            ms = double(clock.nsecsElapsed()) / 1e6;
        else
            QThread::usleep(200);
    }
    cli.kill();
    cli.waitForFinished(3000);
    return ms;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    if (!writeImage(dir.filePath(QStringLiteral("tp.MDA"))))
        return 1;

    std::vector<double> starts;
    for (int i = 0; i < 21; ++i) {
        const double ms = firstByteMs(dir);
        if (ms < 0) {
            std::fprintf(stderr, "bench_cli: no byte reached the port\n");
            return 1;
        }
        starts.push_back(ms);
    }
    std::printf("tarvik-cli start to first byte on the port: median %.1f ms, slowest %.1f ms (21 starts)\n",
                median(starts), *std::max_element(starts.begin(), starts.end()));

    const UploadTimes t = timedUpload(dir);
    if (t.successMs < 0 || t.exitMs < 0)
        return 1;
    const double boundMs = double(kImageSize) / kBytesPerSecond * 1000.0;
    std::printf("tarvik-cli Transponder upload at 115200 baud: %.0f ms to \"SUCCESS\", %.0f ms to exit; "
                "line-rate bound %.0f ms; %.1f %% of line rate (%.1f %% counting to exit)\n",
                t.successMs, t.exitMs, boundMs, boundMs / t.successMs * 100.0, boundMs / t.exitMs * 100.0);
    return 0;
}
