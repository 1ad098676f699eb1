// The local satellite-data service: scan tables into satellite files that the
// import reads, and the program serving them on 127.0.0.1.
#include "ScanTables.h"
#include "download/TPDownloader.h"
#include "support/TempProgramDir.h"
#include "tp/SdxImport.h"

#include <QtTest>

namespace {

const QByteArray kAstra = R"(# Astra
[CHANNEL]
	DELIVERY_SYSTEM = DVBS
	FREQUENCY = 11362000
	POLARIZATION = HORIZONTAL
	SYMBOL_RATE = 22000000
	INNER_FEC = 2/3
	MODULATION = QPSK

[CHANNEL]
	DELIVERY_SYSTEM = DVBS2
	FREQUENCY = 12551500
	POLARIZATION = VERTICAL
	SYMBOL_RATE = 22000000
	INNER_FEC = 9/10

[CHANNEL]
	DELIVERY_SYSTEM = DVBS
	FREQUENCY = 3840000
	POLARIZATION = LEFT
	SYMBOL_RATE = 6111000
	INNER_FEC = AUTO
)";

// A scan table folder of the test's own: two files of 19.2E (one repeating a
// transponder), one of 30.0W and one without a position.
void writeScanTables(const TempProgramDir &dir)
{
    QDir().mkpath(dir.file("dvb-s"));
    const auto put = [&dir](const QString &name, const QByteArray &text) {
        QFile file(dir.file("dvb-s/" + name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(text);
    };
    put("Astra-19.2E", kAstra);
    put("Astra-1KR-19.2E", kAstra.left(kAstra.indexOf("\n\n")));
    put("Hispasat-30.0W", kAstra.left(kAstra.indexOf("\n\n")));
    put("README", "no position\n");
}

}  // namespace

class TestDownloadSdxService : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void positionCode_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("code");
        QTest::newRow("east") << "Astra-19.2E"
                              << "0192";
        QTest::newRow("east, three digits") << "Intelsat-166.0E"
                                            << "1660";
        QTest::newRow("west") << "Hispasat-30.0W"
                              << "3300";
        QTest::newRow("west, near 0") << "Thor-0.8W"
                                      << "3592";
        QTest::newRow("underscore") << "Eutelsat5_5.0W"
                                    << "3550";
        QTest::newRow("no position") << "README"
                                     << "";
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
        const QList<ScanTransponder> tps = ReadScanTable(text);
        QCOMPARE(tps.size(), 2);
        QCOMPARE(tps[0].frequencyMHz, 3496);
        QCOMPARE(tps[0].symbolRateK, 26583);
        QCOMPARE(tps[1].frequencyMHz, 12224);
        QCOMPARE(tps[1].polarisation, 'L');
        QCOMPARE(tps[1].fec, QStringLiteral("5/6"));
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
        TempProgramDir dir;
        writeScanTables(dir);
        QProcess service;
        service.start(QStringLiteral(TARVIK_TOOLS_DIR "/sdx-service"),
                      {"--port", "0", "--scan-tables", dir.file("dvb-s"), "--fault", "404=3300"});
        QVERIFY(service.waitForStarted());
        QTRY_VERIFY(service.canReadLine());
        const QString line = QString::fromLatin1(service.readLine());
        QVERIFY2(line.endsWith(" (2 positions)\n"), qPrintable(line));
        const QString base = line.section(u' ', 0, 0);

        TPDownloader downloader(ProgramDir(dir.path()), QList<MirrorAddress>(9, ParseMirrorAddress(base).value()));
        QStringList log;
        connect(&downloader, &TPDownloader::message, this, [&log](const QString &text) { log.append(text); });
        QSignalSpy ended(&downloader, &TPDownloader::ended);
        downloader.start({"0192", "3300", "0130"});
        QVERIFY(ended.wait(10000));
        QCOMPARE(log, QStringList({"TP Down Start!\r\n", "3300.sdx Not existed.\r\n", "0130.sdx Not existed.\r\n",
                                   "TP Down Complete\r\n\r\n"}));
        QFile stored(dir.file("Temp/0192.sdx"));
        QVERIFY(stored.open(QIODevice::ReadOnly));
        QCOMPARE(stored.readAll(), SdxCatalog(dir.file("dvb-s")).value("0192"));

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

QTEST_GUILESS_MAIN(TestDownloadSdxService)
#include "tst_download_sdx_service.moc"
