// Downloads whose file writes fail: this program runs itself again as a child
// under a file-size limit (RLIMIT_FSIZE, SIGXFSZ ignored, so a write past the
// limit fails with EFBIG); the server runs here, in the parent.
#include "SdxServer.h"
#include "download/TPDownloader.h"
#include "support/TempProgramDir.h"
#include "support/TestFiles.h"

#include <QtTest>

#include <csignal>
#include <cstdio>
#include <sys/resource.h>

namespace {

const QByteArray kSmall = "SDX 0130 test\r\n" + QByteArray("0130 line of the satellite file\r\n").repeated(20);
const QByteArray kOld = "the older good file\r\n";

// The child: argv = program, "--child", limit, program directory, base address, codes...
int runChild(int argc, char **argv)
{
    const rlim_t limit = rlim_t(QByteArray(argv[2]).toLongLong());
    const rlimit fsize{limit, limit};
    if (std::signal(SIGXFSZ, SIG_IGN) == SIG_ERR || setrlimit(RLIMIT_FSIZE, &fsize) != 0)
        return 5;
    QCoreApplication app(argc, argv);
    QStringList codes;
    for (int i = 5; i < argc; ++i)
        codes.append(QString::fromLatin1(argv[i]));
    TPDownloader downloader(ProgramDir(QString::fromLocal8Bit(argv[3])),
                            QList<MirrorAddress>(9, ParseMirrorAddress(QString::fromLatin1(argv[4])).value()),
                            {20, 100, 100});
    QObject::connect(&downloader, &TPDownloader::message, &app, [](const QString &text) {
        std::fputs(text.toLatin1().constData(), stdout);
        std::fflush(stdout);
    });
    QObject::connect(&downloader, &TPDownloader::ended, &app,
                     [](bool completed) { QCoreApplication::exit(completed ? 0 : 3); });
    QTimer::singleShot(30000, &app, [] { QCoreApplication::exit(4); });
    downloader.start(codes);
    return app.exec();
}

}  // namespace

class TestDownloadFsize : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void writeFailures_data()
    {
        QTest::addColumn<int>("limit");
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("pieceSize");  // 0: the whole reply at once
        QTest::newRow("a 1 MiB write fails within the body") << 512 * 1024 << 3 * 1024 * 1024 << 0;
        QTest::newRow("the second 1 MiB write fails") << 1536 * 1024 << 3 * 1024 * 1024 << 300000;
        QTest::newRow("the last write fails") << 512 * 1024 << 768 * 1024 << 0;
        QTest::newRow("the last write fails, body in pieces") << 512 * 1024 << 768 * 1024 << 100000;
    }

    void writeFailures()
    {
        QFETCH(int, limit);
        QFETCH(int, size);
        QFETCH(int, pieceSize);
        TempProgramDir dir;
        QDir().mkpath(dir.file("Temp"));
        QVERIFY(writeWholeFile(dir.file("Temp/0192.sdx"), kOld).ok());
        SdxServer server({{QStringLiteral("0192"), patternBytes(size)}, {QStringLiteral("0130"), kSmall}});
        QVERIFY(server.listen());
        server.setDelivery({pieceSize, pieceSize, 2});

        QProcess child;
        QSignalSpy finished(&child, &QProcess::finished);
        child.start(QCoreApplication::applicationFilePath(),
                    {"--child", QString::number(limit), dir.path(), server.baseAddress(), "0192", "0130", "0000"});
        QVERIFY(finished.wait(60000));
        QCOMPARE(child.exitStatus(), QProcess::NormalExit);  // no crash
        QCOMPARE(child.exitCode(), 0);
        QCOMPARE(QString::fromLatin1(child.readAllStandardOutput()),
                 QStringLiteral("TP Down Start!\r\n"
                                "0192.sdx cannot be written: File too large.\r\n"
                                "TP Down Complete\r\n\r\n"));
        QCOMPARE(server.requests().size(), 2);                // the next code was fetched
        QCOMPARE(contents(dir.file("Temp/0192.sdx")), kOld);  // nothing of the failed reply is stored
        QCOMPARE(contents(dir.file("Temp/0130.sdx")), kSmall);
        QCOMPARE(QDir(dir.file("Temp")).entryList(QDir::Files | QDir::Hidden), QStringList({"0130.sdx", "0192.sdx"}));
    }
};

int main(int argc, char **argv)
{
    if (argc >= 5 && qstrcmp(argv[1], "--child") == 0)
        return runChild(argc, argv);
    QCoreApplication app(argc, argv);
    TestDownloadFsize test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_download_fsize.moc"
