// tarvik-cli on a production line: one port, then eight at once in one
// process, each a 262,144-byte upload through the simulator paced at 115200
// baud. Prints each port's share of the line rate (from its report line), the
// program's CPU time over the eight-port run and its peak resident size.
#include <QCoreApplication>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <vector>

extern char **environ;

namespace {

const QString kCli = QStringLiteral(TARVIK_STAGE_DIR "/tarvik-cli");
const QString kSim = QStringLiteral(TARVIK_TOOLS_DIR "/receiver-sim");
constexpr qsizetype kImageSize = 262144;
constexpr double kBytesPerSecond = 115200.0 / 10.0;  // 8 data bits, start and stop

struct RunFigures {
    bool ok = false;
    std::vector<double> shares;  // percent of the line rate, one a port
    double wallSeconds = 0;
    double cpuSeconds = 0;  // user and system
    double peakRssMb = 0;
};

// Runs tarvik-cli as a child of its own, for its resource use.
bool spawnAndWait(const QStringList &args, RunFigures &f)
{
    std::vector<QByteArray> bytes{QFile::encodeName(kCli)};
    for (const QString &a : args)
        bytes.push_back(a.toLocal8Bit());
    std::vector<char *> argv;
    for (QByteArray &b : bytes)
        argv.push_back(b.data());
    argv.push_back(nullptr);
    QElapsedTimer clock;
    clock.start();
    // Its summary and the receiver's texts are not figures.
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&quiet, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &quiet, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&quiet);
    if (spawned != 0)
        return false;
    int status = 0;
    rusage use{};
    if (wait4(pid, &status, 0, &use) != pid)
        return false;
    f.wallSeconds = double(clock.nsecsElapsed()) / 1e9;
    f.cpuSeconds =
        double(use.ru_utime.tv_sec + use.ru_stime.tv_sec) + double(use.ru_utime.tv_usec + use.ru_stime.tv_usec) / 1e6;
    f.peakRssMb = double(use.ru_maxrss) / 1024.0;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

RunFigures runLine(const QTemporaryDir &dir, int ports)
{
    RunFigures f;
    const QString report = dir.filePath(QStringLiteral("report-%1.jsonl").arg(ports));
    QStringList simArgs{QStringLiteral("--baud"), QStringLiteral("115200"), QStringLiteral("--out"),
                        dir.filePath(QStringLiteral("rx-{link}.bin"))};
    QStringList cliArgs{QStringLiteral("upload"),  QStringLiteral("--kind"),   QStringLiteral("Transponder"),
                        QStringLiteral("--quiet"), QStringLiteral("--report"), report};
    for (int n = 1; n <= ports; ++n) {
        const QString port = dir.filePath(QStringLiteral("p%1").arg(n));
        simArgs << QStringLiteral("--link") << port;
        cliArgs << QStringLiteral("--port") << port;
    }
    cliArgs << dir.filePath(QStringLiteral("tp.MDA"));
    QProcess sim;
    sim.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    sim.start(kSim, simArgs);
    QDeadlineTimer ready(5000);
    while (!ready.hasExpired() && !QFileInfo::exists(dir.filePath(QStringLiteral("p%1").arg(ports))))
        QThread::msleep(5);
    if (!spawnAndWait(cliArgs, f)) {
        std::fprintf(stderr, "bench_cli_lines: the %d-port run failed\n", ports);
        return f;
    }
    sim.terminate();
    sim.waitForFinished(3000);

    QFile lines(report);
    if (!lines.open(QIODevice::ReadOnly))
        return f;
    while (!lines.atEnd()) {
        const QJsonObject o = QJsonDocument::fromJson(lines.readLine()).object();
        const double seconds =
            double(QDateTime::fromString(o[QStringLiteral("start")].toString(), Qt::ISODateWithMs)
                       .msecsTo(QDateTime::fromString(o[QStringLiteral("end")].toString(), Qt::ISODateWithMs))) /
            1000.0;
        f.shares.push_back(double(kImageSize) / kBytesPerSecond / seconds * 100.0);
    }
    f.ok = int(f.shares.size()) == ports;
    return f;
}

}  // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    QFile image(dir.filePath(QStringLiteral("tp.MDA")));
    QByteArray bytes(kImageSize, '\0');
    for (qsizetype i = 0; i < kImageSize; ++i)
        bytes[i] = char((i * 131 + i / 977) & 0xFF);
    if (!image.open(QIODevice::WriteOnly) || image.write(bytes) != kImageSize)
        return 1;
    image.close();

    const RunFigures one = runLine(dir, 1);
    const RunFigures eight = runLine(dir, 8);
    if (!one.ok || !eight.ok)
        return 1;
    std::printf("one port: %.1f %% of line rate (greeting to \"END \"), CPU %.2f s, peak RSS %.1f MB\n", one.shares[0],
                one.cpuSeconds, one.peakRssMb);
    double worst = 0;
    std::printf("eight ports:");
    for (const double share : eight.shares) {
        std::printf(" %.1f", share);
        worst = std::max(worst, one.shares[0] - share);
    }
    std::printf(" %% of line rate; largest shortfall against one port %.1f points\n", worst);
    std::printf("eight ports: CPU %.2f s over %.1f s (%.1f %% of one core), peak RSS %.1f MB\n", eight.cpuSeconds,
                eight.wallSeconds, eight.cpuSeconds / eight.wallSeconds * 100.0, eight.peakRssMb);
    return 0;
}
