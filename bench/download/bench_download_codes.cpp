// 50 codes fetched from the local satellite-data service, run as its own
// program on 127.0.0.1, with the downloader's stated timers.
#include "ScanTables.h"
#include "download/TPDownloader.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

#include <algorithm>
#include <cstdlib>

namespace {

// The package's scan tables when installed, else a generated folder of 50 positions.
QString scanTables(const QTemporaryDir &work)
{
    const QString installed = QStringLiteral("/usr/share/dvb/dvb-s");
    if (SdxCatalog(installed).size() >= 50)
        return installed;
    const QString folder = work.filePath(QStringLiteral("dvb-s"));
    QDir().mkpath(folder);
    for (int i = 0; i < 50; ++i) {
        QFile file(folder + QStringLiteral("/Sat-%1.0E").arg(i + 1));
        file.open(QIODevice::WriteOnly);
        for (int t = 0; t < 60; ++t)
            file.write(
                "[CHANNEL]\n\tDELIVERY_SYSTEM = DVBS\n\tFREQUENCY = " + QByteArray::number(10700000 + t * 19000) +
                "\n\tPOLARIZATION = HORIZONTAL\n\tSYMBOL_RATE = 27500000\n\tINNER_FEC = 3/4\n\n");
    }
    return folder;
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir work;
    const QString folder = scanTables(work);
    const QStringList codes = SdxCatalog(folder).keys().mid(0, 50);
    QProcess service;
    service.start(QStringLiteral(TARVIK_TOOLS_DIR "/sdx-service"),
                  {QStringLiteral("--port"), QStringLiteral("0"), QStringLiteral("--scan-tables"), folder});
    if (!service.waitForStarted() || !service.waitForReadyRead(10000))
        std::abort();
    const QString base = QString::fromLatin1(service.readLine()).section(u' ', 0, 0);

    TPDownloader downloader(ProgramDir(work.path()),
                            QList<MirrorAddress>(MirrorCount, ParseMirrorAddress(base).value()));
    QEventLoop loop;
    bool completed = false;
    QObject::connect(&downloader, &TPDownloader::ended, &loop, [&](bool whole) {
        completed = whole;
        loop.quit();
    });
    QTimer::singleShot(120000, &loop, &QEventLoop::quit);
    QElapsedTimer timer;
    timer.start();
    downloader.start(codes);
    loop.exec();
    if (!completed)
        std::abort();
    const double total = double(timer.nsecsElapsed()) / 1e6;
    const qsizetype stored = QDir(work.filePath(QStringLiteral("Temp"))).entryList(QDir::Files).size();
    QTextStream(stdout) << QStringLiteral("%1 codes from %2 (%3 stored): total %4 ms, %5 ms a code\n")
                               .arg(codes.size())
                               .arg(folder)
                               .arg(stored)
                               .arg(total, 0, 'f', 0)
                               .arg(total / double(codes.size()), 0, 'f', 1);
    service.kill();
    service.waitForFinished();
    return stored == codes.size() ? 0 : 1;
}
