// The downloader against the local satellite-data service on 127.0.0.1: its
// server class in-process, and the program itself serving scan tables.
#include "ScanTables.h"
#include "SdxServer.h"
#include "download/TPDownloader.h"
#include "support/TempProgramDir.h"
#include "support/TestFiles.h"
#include "tp/SdxImport.h"

#include <QtTest>

namespace {

const QByteArray kBody = "SDX 0192 test\r\n" + QByteArray("0192 line of the satellite file\r\n").repeated(40);
const QByteArray kOld = "the older good file\r\n";

struct Run {
    QStringList log;
    QStringList status;
    bool completed = false;
};

struct Fixture {
    Fixture() : server({{QStringLiteral("0192"), kBody}, {QStringLiteral("0130"), kBody}})
    {
        QVERIFY(server.listen());
        QDir().mkpath(dir.file("Temp"));
    }

    QList<MirrorAddress> mirrors(const QString &base = {}) const
    {
        const QString address = base.isEmpty() ? server.baseAddress() : base;
        return QList<MirrorAddress>(9, ParseMirrorAddress(address).value());
    }

    Run run(const QStringList &codes, DownloadTiming timing = {100, 100, 30}, const QString &base = {},
            const std::function<void(TPDownloader &)> &during = {})
    {
        TPDownloader downloader(ProgramDir(dir.path()), mirrors(base), timing);
        Run run;
        QObject::connect(&downloader, &TPDownloader::message, &downloader,
                         [&run](const QString &text) { run.log.append(text); });
        QObject::connect(&downloader, &TPDownloader::status, &downloader,
                         [&run](const QString &text) { run.status.append(text); });
        QSignalSpy ended(&downloader, &TPDownloader::ended);
        downloader.start(codes);
        if (during)
            during(downloader);
        if (ended.isEmpty())
            ended.wait(20000);
        run.completed = !ended.isEmpty() && ended.first().first().toBool();
        return run;
    }

    QByteArray stored(const QString &code) const { return contents(dir.file("Temp/" + code + ".sdx")); }

    void putOld(const QString &code) const { QVERIFY(writeWholeFile(dir.file("Temp/" + code + ".sdx"), kOld).ok()); }

    QStringList tempEntries() const { return QDir(dir.file("Temp")).entryList(QDir::Files | QDir::Hidden); }

    TempProgramDir dir;
    SdxServer server;
};

const QByteArray kAstra =
    "# Astra\n[CHANNEL]\n\tDELIVERY_SYSTEM = DVBS\n\tFREQUENCY = 11362000\n\tPOLARIZATION = HORIZONTAL\n"
    "\tSYMBOL_RATE = 22000000\n\tINNER_FEC = 2/3\n\tMODULATION = QPSK\n\n"
    "[CHANNEL]\n\tDELIVERY_SYSTEM = DVBS2\n\tFREQUENCY = 12551500\n\tPOLARIZATION = VERTICAL\n"
    "\tSYMBOL_RATE = 22000000\n\tINNER_FEC = 9/10\n\n"
    "[CHANNEL]\n\tDELIVERY_SYSTEM = DVBS\n\tFREQUENCY = 3840000\n\tPOLARIZATION = LEFT\n"
    "\tSYMBOL_RATE = 6111000\n\tINNER_FEC = AUTO\n";

// A scan table folder of the test's own: two files of 19.2E (one repeating a
// transponder), one of 30.0W and one without a position.
void writeScanTables(const TempProgramDir &dir)
{
    QDir().mkpath(dir.file("dvb-s"));
    const auto put = [&dir](const QString &name, const QByteArray &text) {
        QVERIFY(writeWholeFile(dir.file("dvb-s/" + name), text).ok());
    };
    put("Astra-19.2E", kAstra);
    put("Astra-1KR-19.2E", kAstra.left(kAstra.indexOf("\n\n")));
    put("Hispasat-30.0W", kAstra.left(kAstra.indexOf("\n\n")));
    put("README", "no position\n");
}

}  // namespace

class TestDownloadDownloader : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void replies_data()
    {
        QTest::addColumn<int>("fault");
        QTest::addColumn<int>("firstPiece");
        QTest::addColumn<int>("pieceSize");
        QTest::addColumn<QString>("line");  // the log line between start and end of a reply not stored
        const QString none = QStringLiteral("0192.sdx Not existed.\r\n");
        const QString timedOut =
            QStringLiteral("0192.sdx timed out at 127.0.0.1:%1 after 1 s; nothing was stored.\r\n");
        QTest::newRow("one chunk") << int(SdxFault::None) << 0 << 0 << QString();
        QTest::newRow("many chunks") << int(SdxFault::None) << 0 << 40 << QString();
        QTest::newRow("header split before 8 bytes") << int(SdxFault::None) << 5 << 11 << QString();
        QTest::newRow("header split across its blank line") << int(SdxFault::None) << 60 << 25 << QString();
        QTest::newRow("no Content-Length") << int(SdxFault::NoLength) << 0 << 0 << none;
        QTest::newRow("404 with a length") << int(SdxFault::NotFound) << 0 << 0 << none;
        QTest::newRow("500 with a body") << int(SdxFault::ServerError) << 0 << 0 << none;
        QTest::newRow("truncated body") << int(SdxFault::Truncated) << 0 << 0
                                        << QStringLiteral(
                                               "0192.sdx incomplete: 127.0.0.1:%1 closed the connection after "
                                               "%2 of %3 bytes.\r\n");
        QTest::newRow("slow beyond the limit") << int(SdxFault::Slow) << 0 << 0 << timedOut;
        QTest::newRow("stall") << int(SdxFault::Stall) << 0 << 0 << timedOut;
        QTest::newRow("dropped at once") << int(SdxFault::Refused) << 0 << 0
                                         << QStringLiteral("0192.sdx: 127.0.0.1:%1 closed the connection before the "
                                                           "reply header ended.\r\n");
        // The framing would end up in the file.
        QTest::newRow("chunked") << int(SdxFault::Chunked) << 0 << 0 << none;
        QTest::newRow("chunked with a length") << int(SdxFault::ChunkedLength) << 0 << 0 << none;
    }

    void replies()
    {
        QFETCH(int, fault);
        QFETCH(int, firstPiece);
        QFETCH(int, pieceSize);
        QFETCH(QString, line);
        Fixture f;
        f.putOld("0192");
        f.server.setFault("0192", SdxFault(fault));
        f.server.setDelivery({firstPiece, pieceSize, 2});
        const Run run = f.run({"0192", "0130"}, {20, 100, 10});
        QVERIFY(run.completed);
        QCOMPARE(f.stored("0192"), line.isEmpty() ? kBody : kOld);  // a failed reply leaves the older file as it was
        QCOMPARE(f.stored("0130"), kBody);                          // and the run goes on
        QStringList expected = {"TP Down Start!\r\n"};
        if (!line.isEmpty())
            expected.append(line.contains("%2")
                                ? line.arg(f.server.port()).arg(kBody.size() - kBody.size() / 2).arg(kBody.size())
                            : line.contains("%1") ? line.arg(f.server.port())
                                                  : line);
        expected.append("TP Down Complete\r\n\r\n");
        QCOMPARE(run.log, expected);
        QCOMPARE(f.tempEntries(), QStringList({"0130.sdx", "0192.sdx"}));  // no temporary left behind
    }

    void refusedConnection()
    {
        Fixture f;
        const quint16 port = f.server.port();
        f.server.close();
        const Run run = f.run({"0192"}, {20, 100, 50}, QStringLiteral("http://127.0.0.1:%1/_data/").arg(port));
        QVERIFY(run.completed);
        QCOMPARE(run.log.value(1),
                 QStringLiteral("0192.sdx not fetched from 127.0.0.1:%1: Connection refused.\r\n").arg(port));
        QVERIFY(f.tempEntries().isEmpty());
    }

    void bodyOverOneMebibyte()
    {
        Fixture f;
        const QByteArray big = patternBytes(3 * TPDownloader::BufferSize);
        f.server.setFile("0192", big);
        const Run run = f.run({"0192"}, {100, 1000, 60});
        QVERIFY(run.completed);
        QVERIFY(f.stored("0192") == big);
        f.server.setDelivery({0, 300000, 1});  // arriving in pieces across flushes
        QVERIFY(f.run({"0192"}, {5, 1000, 60}).completed);
        QVERIFY(f.stored("0192") == big);
    }

    void bodyLimit_data()
    {
        QTest::addColumn<QByteArray>("file");     // served with its length, unless empty
        QTest::addColumn<qint64>("floodLength");  // else: this length announced, filler sent without end
        QTest::addColumn<QString>("line");        // the refusal; the older file stays
        const QByteArray limit = QByteArray("0192 line of a large file\r\n").repeated(16 * 1024 * 1024 / 27 + 1);
        QTest::newRow("16 MiB is stored") << limit.left(16 * 1024 * 1024) << qint64(0) << QString();
        QTest::newRow("one byte more is refused")
            << limit.left(16 * 1024 * 1024 + 1) << qint64(0)
            << QStringLiteral(
                   "0192.sdx refused: the reply announces 16777217 bytes, more than the limit of 16777216.\r\n");
        QTest::newRow("a flood announcing 1 TiB")
            << QByteArray() << (qint64(1) << 40)
            << QStringLiteral("0192.sdx refused: the reply announces 1099511627776 bytes, more than the limit of "
                              "16777216.\r\n");
        QTest::newRow("a flood going on past its length") << QByteArray() << qint64(3000000) << QString();
    }

    void bodyLimit()
    {
        QFETCH(QByteArray, file);
        QFETCH(qint64, floodLength);
        QFETCH(QString, line);
        Fixture f;
        f.putOld("0192");
        if (file.isEmpty()) {
            f.server.setFault("0192", SdxFault::Flood);
            f.server.setFloodLength(floodLength);
        } else {
            f.server.setFile("0192", file);
        }
        const Run run = f.run({"0192", "0130"}, {20, 1000, 60});
        QVERIFY(run.completed);
        QStringList expected = {"TP Down Start!\r\n", "TP Down Complete\r\n\r\n"};
        if (!line.isEmpty())
            expected.insert(1, line);
        QCOMPARE(run.log, expected);
        const QByteArray stored = f.stored("0192");
        if (!line.isEmpty()) {
            QCOMPARE(stored, kOld);
        } else if (file.isEmpty()) {
            QCOMPARE(stored.size(), floodLength);
            QVERIFY(stored.startsWith("0192 filler line of a reply without end\r\n0192 filler"));
        } else {
            QVERIFY(stored == file);
        }
        QCOMPARE(f.stored("0130"), kBody);
        QCOMPARE(f.tempEntries(), QStringList({"0130.sdx", "0192.sdx"}));
    }

    // The request, the log and the percentages shown.
    void requestLogAndPercent()
    {
        Fixture f;
        const Run run = f.run({"0192", "0000", "", "Astra"});
        QCOMPARE(run.log,
                 QStringList({"TP Down Start!\r\n", "TP Down Complete\r\n\r\n"}));  // value 0: skipped silently
        const QString hostPort = QStringLiteral("127.0.0.1:%1").arg(f.server.port());
        QCOMPARE(f.server.requests(), QList<QByteArray>({"GET http://" + hostPort.toLatin1() +
                                                         "/_data/0192.sdx HTTP/1.1\r\nHost: " + hostPort.toLatin1() +
                                                         "\r\nConnection: close\r\nAccept: */*\r\n\r\n"}));
        QCOMPARE(run.status.last(), QStringLiteral("TP Down Complete"));

        const Run four = f.run({"0192", "0130", "0192", "0130"});
        QCOMPARE(four.status, QStringList({"TP Download   0%", "TP Download   25%", "TP Download   50%",
                                           "TP Download   75%", "TP Down Complete"}));
    }

    void cancelDuringTransfer()
    {
        Fixture f;
        f.putOld("0192");
        f.server.setFault("0192", SdxFault::Stall);
        const Run run = f.run({"0192", "0130"}, {20, 1000, 120}, {}, [&f](TPDownloader &downloader) {
            QTRY_COMPARE(f.server.requests().size(), 1);  // the stalled reply is under way
            downloader.cancel();
        });
        QVERIFY(!run.completed);
        QCOMPARE(run.log, QStringList({"TP Down Start!\r\n", "TP Down Stop\r\n\r\n"}));
        QCOMPARE(run.status.last(), QStringLiteral("TP Down Stop"));
        QCOMPARE(f.stored("0192"), kOld);
        QCOMPARE(f.stored("0130"), QByteArray("<missing>"));  // the run stopped before the next code
    }

    void codesThatNameNoPlainFile()
    {
        Fixture f;
        const Run run = f.run({"0192/../../x", "0192\\x"});
        QCOMPARE(run.log.mid(1, 2),
                 QStringList({"0192/../../x cannot be stored in Temp: the code is no plain file name.\r\n",
                              "0192\\x cannot be stored in Temp: the code is no plain file name.\r\n"}));
        QVERIFY(f.server.requests().isEmpty());
        QVERIFY(!QFile::exists(f.dir.file("x.sdx")));
    }

    void runAgainRightAfterCancel()
    {
        Fixture f;
        TPDownloader downloader(ProgramDir(f.dir.path()), f.mirrors(), {20, 1000, 120});
        QStringList log;
        connect(&downloader, &TPDownloader::message, this, [&log](const QString &text) { log.append(text); });
        QSignalSpy ended(&downloader, &TPDownloader::ended);
        f.server.setFault("0192", SdxFault::Stall);
        downloader.start({"0130", "0192", "0130"});
        QTRY_COMPARE(f.server.requests().size(), 2);  // the first code is done, the second stalls
        downloader.cancel();
        f.server.setFault("0192", SdxFault::None);
        downloader.start({"0192"});
        QTRY_COMPARE(ended.size(), 2);
        QCOMPARE(ended.at(1).first().toBool(), true);
        QCOMPARE(log.mid(2), QStringList({"TP Down Start!\r\n", "TP Down Complete\r\n\r\n"}));
        QCOMPARE(f.stored("0192"), kBody);
        QCOMPARE(log.value(1), QStringLiteral("TP Down Stop\r\n\r\n"));
        QCOMPARE(f.server.requests().size(), 3);  // the cancelled run fetched no more
    }

    // The service's own reading of scan tables, and the program serving them.
    void positionCode_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("code");
        QTest::newRow("east") << QStringLiteral("Astra-19.2E") << QStringLiteral("0192");
        QTest::newRow("east, three digits") << QStringLiteral("Intelsat-166.0E") << QStringLiteral("1660");
        QTest::newRow("west") << QStringLiteral("Hispasat-30.0W") << QStringLiteral("3300");
        QTest::newRow("west, near 0") << QStringLiteral("Thor-0.8W") << QStringLiteral("3592");
        QTest::newRow("underscore") << QStringLiteral("Eutelsat5_5.0W") << QStringLiteral("3550");
        QTest::newRow("no position") << QStringLiteral("README") << QString();
    }

    void positionCode()
    {
        QFETCH(QString, name);
        QTEST(PositionCode(name), "code");
    }

    void everySectionFormIsRead()
    {
        const QByteArray text = "# Table\n[channel 3496000]\n\tDELIVERY_SYSTEM = DVBS\n\tFREQUENCY = 3496000\n"
                                "\tPOLARIZATION = VERTICAL\n\tSYMBOL_RATE = 26583000\n\n"
                                "[Dish USA]\n\tDELIVERY_SYSTEM = DVBS\n\tFREQUENCY = 12224000\n"
                                "\tPOLARIZATION = LEFT\n\tSYMBOL_RATE = 20000000\n\tINNER_FEC = 5/6\n";
        QStringList read;  // system, frequency, polarisation, symbol rate, FEC
        for (const ScanTransponder &tp : ReadScanTable(text))
            read << QString::asprintf("%s %d %c %d %s", tp.dvbS2 ? "S2" : "S", tp.frequencyMHz, tp.polarisation,
                                      tp.symbolRateK, qPrintable(tp.fec));
        QCOMPARE(read, (QStringList{"S 3496 V 26583 ", "S 12224 L 20000 5/6"}));
    }

    void catalogReadsBackThroughTheImport()
    {
        TempProgramDir dir;
        writeScanTables(dir);
        const QMap<QString, QByteArray> catalog = SdxCatalog(dir.file("dvb-s"));
        QCOMPARE(catalog.keys(), QStringList({"0192", "3300"}));
        // Every line is one CR LF line; the title line is not taken for a transponder.
        TPTable tps;
        QCOMPARE(ReadSdxTransponders(catalog["0192"], "All Parsing", tps, 0, 0), 3);  // the repeat merged, sorted
        QCOMPARE(tps(0, 0, 0), (TPRecord{"3840", "0", "6111", "0"}));                 // C band, left circular, Auto
        QCOMPARE(tps(0, 0, 1), (TPRecord{"11362", "0", "22000", "2"}));               // horizontal, 2/3
        QCOMPARE(tps(0, 0, 2), (TPRecord{"12552", "1", "22000", "0"}));               // vertical, 9/10 is no choice
        QCOMPARE(ReadSdxTransponders(catalog["0192"], "Vertical", tps, 0, 0), 1);
        QCOMPARE(ReadSdxTransponders(catalog["0192"], "C-Band", tps, 0, 0), 1);
        QVERIFY(catalog["0192"].endsWith("\r\n"));
    }

    void theProgramServesAndFails()
    {
        Fixture f;
        const TempProgramDir &dir = f.dir;
        writeScanTables(dir);
        QProcess service;
        service.start(QStringLiteral(TARVIK_TOOLS_DIR "/sdx-service"),
                      {"--port", "0", "--scan-tables", dir.file("dvb-s"), "--fault", "404=3300"});
        QVERIFY(service.waitForStarted());
        QTRY_VERIFY(service.canReadLine());
        const QString line = QString::fromLatin1(service.readLine());
        QVERIFY2(line.endsWith(" (2 positions)\n"), qPrintable(line));
        const QString base = line.section(u' ', 0, 0);

        const Run run = f.run({"0192", "3300", "0130"}, {}, base);
        QCOMPARE(run.log, QStringList({"TP Down Start!\r\n", "3300.sdx Not existed.\r\n", "0130.sdx Not existed.\r\n",
                                       "TP Down Complete\r\n\r\n"}));
        QCOMPARE(f.stored("0192"), SdxCatalog(dir.file("dvb-s")).value("0192"));

        service.kill();
        service.waitForFinished();
        QProcess missing;
        missing.start(QStringLiteral(TARVIK_TOOLS_DIR "/sdx-service"),
                      {"--port", "0", "--scan-tables", dir.file("none")});
        QVERIFY(missing.waitForFinished());
        QCOMPARE(missing.exitCode(), 1);
        QCOMPARE(missing.readAllStandardError(), "sdx-service: no scan tables in " + dir.file("none").toLocal8Bit() +
                                                     " (Debian package dtv-scan-tables)\n");
    }
};

QTEST_GUILESS_MAIN(TestDownloadDownloader)
#include "tst_download_downloader.moc"
