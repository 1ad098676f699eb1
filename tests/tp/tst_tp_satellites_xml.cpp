// TP tables to and from the satellites.xml of other satellite editors, and
// the sample TP tables made from DVB-S scan tables.
#include "ScanSample.h"
#include "TPTestData.h"
#include "support/ScanTablesXml.h"
#include "support/TestFiles.h"
#include "tp/SatellitesXml.h"
#include "tp/TPDataCheck.h"

#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <numeric>

using Files = QList<std::pair<QString, int>>;
Q_DECLARE_METATYPE(Files)

namespace {

QByteArray satXml(const QString &name, int position, const QList<XmlTransponder> &tps)
{
    QByteArray xml = "<?xml version=\"1.0\"?>\n<satellites>\n <sat name=\"" + name.toUtf8() +
                     "\" flags=\"0\" position=\"" + QByteArray::number(position) + "\">\n";
    for (const XmlTransponder &tp : tps)
        xml += "  <transponder frequency=\"" + QByteArray::number(tp.frequency) + "\" symbol_rate=\"" +
               QByteArray::number(tp.symbolRate) + "\" polarization=\"" + QByteArray::number(tp.polarization) +
               "\" fec_inner=\"" + QByteArray::number(tp.fec) + "\"/>\n";
    return xml + " </sat>\n</satellites>\n";
}

QList<XmlSatellite> satellites(int count, int tps)
{
    QList<XmlSatellite> list;
    for (int s = 0; s < count; ++s) {
        XmlSatellite sat{QStringLiteral("Sat %1").arg(s), s * 10, {}};
        for (int t = 0; t < tps; ++t)
            sat.transponders.append({10700000 + t * 1000, 27500000, t % 2, 3});
        list.append(sat);
    }
    return list;
}

SampleSatellite satellite(const QString &name, int code, int tpCount)
{
    SampleSatellite sat{name, code, {}};
    for (int t = 0; t < tpCount; ++t)
        sat.tps.append({QString::number(10700 + t), QStringLiteral("0"), QStringLiteral("27500"), QStringLiteral("3")});
    return sat;
}

QStringList names(const TPTables &tables, int region)
{
    QStringList list;
    for (int s = 0; s < MaxSat; ++s)
        list.append(tables.SatDataStored(region, s).SatName);
    return list;
}

}  // namespace

class TestTPSatellitesXml : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void mapping_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("polarization");
        QTest::addColumn<int>("fec");
        QTest::addColumn<QString>("satName");  // ends in the Deg field in brackets
        QTest::addColumn<int>("polar");
        QTest::addColumn<int>("tpFec");
        QTest::newRow("east, H, 3/4") << "Astra 1KR" << 192 << 0 << 3 << "Astra 1KR (0192)" << 0 << 3;
        QTest::newRow("west, V, 5/6") << "Thor" << -8 << 1 << 4 << "Thor (3592)" << 1 << 5;
        QTest::newRow("circular left is H, 4/5") << "C" << 1300 << 2 << 8 << "C (1300)" << 0 << 4;
        QTest::newRow("circular right is V, 8/9") << "C" << 5 << 3 << 6 << "C (0005)" << 1 << 8;
        QTest::newRow("3/5 cannot be held") << "C" << 0 << 0 << 7 << "C (0000)" << 0 << 0;
        QTest::newRow("9/10 cannot be held") << "C" << 0 << 0 << 9 << "C (0000)" << 0 << 0;
        QTest::newRow("unknown code") << "C" << 0 << 0 << 15 << "C (0000)" << 0 << 0;
        QTest::newRow("overlong name cut before the position")
            << "Intelsat 901 and a very long tail" << -180 << 0 << 0 << "Intelsat 901 and a very l (3420)" << 0 << 0;
        QTest::newRow("position already there") << "Hot Bird (0130)" << 130 << 0 << 1 << "Hot Bird (0130)" << 0 << 1;
    }

    void mapping()
    {
        QFETCH(QString, name);
        QFETCH(int, position);
        QFETCH(int, polarization);
        QFETCH(int, fec);
        QFETCH(QString, satName);
        QFETCH(int, polar);
        QFETCH(int, tpFec);
        const Result<QList<XmlSatellite>> read =
            readSatellitesXml(satXml(name, position, {{11362000, 22000000, polarization, fec}}));
        QVERIFY2(read.ok(), qPrintable(read.error()));
        TPTables tables;
        tables.SatData(3, 5).Diseqc = QStringLiteral("7");
        const XmlImportReport report = importSatellites(tables, 3, read.value(), {5});
        const SatRecord &got = tables.SatData(3, 5);
        QCOMPARE((QStringList{got.Diseqc, got.SatName, got.TPCount, got.Deg}),
                 (QStringList{"7", satName, "1", satName.right(5).left(4)}));
        QCOMPARE(tables.TPData(3, 5, 0), (TPRecord{"11362", QString::number(polar), "22000", QString::number(tpFec)}));
        QCOMPARE(report.fecsAsAuto, fec != 0 && tpFec == 0 ? 1 : 0);  // a FEC given that cannot be held
    }

    void limits_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("tps");
        QTest::addColumn<int>("fromSlot");
        QTest::addColumn<QString>("report");

        QTest::newRow("110 TPs") << 1 << 110 << 0 << "Took 1 satellites. 1 TPs past 109 a satellite were left out.";
        QTest::newRow("50 satellites from the top")
            << 50 << 1 << 0 << "Took 48 satellites. 2 satellites did not fit and were left out.";
        QTest::newRow("10 from row 41") << 10 << 1 << 40
                                        << "Took 8 satellites. 2 satellites did not fit and were left out.";
    }

    void limits()
    {
        QFETCH(int, count);
        QFETCH(int, tps);
        QFETCH(int, fromSlot);
        QFETCH(QString, report);
        TPTables tables;
        QList<int> targets(MaxSat - fromSlot);
        std::iota(targets.begin(), targets.end(), fromSlot);
        QCOMPARE(importSatellites(tables, 0, satellites(count, tps), targets).text(), report);
        QCOMPARE(tables.SatData(0, MaxSat).SatName, QString());  // the spare slot stays spare
        QCOMPARE(tables.SatData(0, fromSlot).TPCount, QString::number(qMin(tps, 109)));
    }

    void malformed_data()
    {
        QTest::addColumn<QByteArray>("xml");
        QTest::addColumn<QString>("error");

        QTest::newRow("not closed") << QByteArray("<satellites>\n<sat name=\"a\" position=\"1\">\n</satellites>\n")
                                    << "line 3: Opening and ending tag mismatch.";
        QTest::newRow("another document")
            << QByteArray("<?xml version=\"1.0\"?>\n<cables/>\n") << "line 2: <satellites> expected, not <cables>";
        QTest::newRow("position not a number")
            << QByteArray("<satellites>\n<sat name=\"a\" position=\"19.2E\"/>\n</satellites>")
            << "line 2: <sat> needs a position from -1799 to 1800";
        QTest::newRow("transponder without a rate")
            << QByteArray("<satellites>\n<sat name=\"a\" position=\"1\">\n"
                          "<transponder frequency=\"11362000\" polarization=\"0\"/>\n</sat>\n</satellites>")
            << "line 3: <transponder> needs a frequency, symbol_rate and polarization 0 to 3";
        QTest::newRow("empty") << QByteArray() << "line 1: Premature end of document.";
    }

    void malformed()
    {
        QFETCH(QByteArray, xml);
        QFETCH(QString, error);
        QCOMPARE(readSatellitesXml(xml).error(), error);
    }

    void exportThenImportGivesTheSameTables()
    {
        const QByteArray scanned = satellitesXmlFromScanTables();
        if (scanned.isEmpty())
            QSKIP("no DVB-S scan tables in /usr/share/dvb/dvb-s (Debian's dtv-scan-tables)");
        const Result<QList<XmlSatellite>> read = readSatellitesXml(scanned);
        QVERIFY2(read.ok(), qPrintable(read.error()));
        QVERIFY(read.value().size() >= 4 * 20);
        // Twenty satellites a region, in slots 3 to 22.
        QList<int> targets(20);
        std::iota(targets.begin(), targets.end(), 3);
        TPTables first;
        for (int region = 0; region < RegionCount; ++region)
            importSatellites(first, region, read.value().mid(region * 20, 20), targets);
        const Result<QList<XmlSatellite>> back = readSatellitesXml(writeSatellitesXml(first));
        QVERIFY2(back.ok(), qPrintable(back.error()));
        QCOMPARE(back.value().size(), 80);
        TPTables second;
        for (int region = 0; region < RegionCount; ++region)
            importSatellites(second, region, back.value().mid(region * 20, 20), targets);
        QVERIFY(sameWorkingTables(second, first));
    }

    // The sample TP tables made from DVB-S scan tables: names, the transponders
    // the receiver can take, and the placement into the four regions.
    void positionName_data()
    {
        QTest::addColumn<Files>("files");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("name");
        QTest::newRow("one file") << Files{{"Astra-2E-28.5E", 15}} << 285 << "Astra 2E 28.5E";
        QTest::newRow("the words all share")
            << Files{{"Astra-19.2E", 0}, {"Astra-1KR-19.2E", 7}, {"Astra-1L-19.2E", 13}} << 192 << "Astra 19.2E";
        QTest::newRow("nothing shared: the richest")
            << Files{{"Ciel-2-129.0W", 144}, {"Galaxy27-129.0W", 1}} << 2310 << "Ciel 2 129.0W";
        QTest::newRow("C band table") << Files{{"AMC10_C-135.0W", 2}} << 2250 << "AMC10 135.0W";
        QTest::newRow("underscore before the position") << Files{{"Eutelsat5_5.0W", 22}} << 3550 << "Eutelsat5 5.0W";
        QTest::newRow("position written from the code") << Files{{"EutelsatW2-16E", 56}} << 160 << "EutelsatW2 16.0E";
        QTest::newRow("west, near 0") << Files{{"Thor-5-0.8W", 10}, {"Thor-6-0.8W", 11}} << 3592 << "Thor 0.8W";
    }
    void positionName()
    {
        QFETCH(Files, files);
        QFETCH(int, code);
        QTEST(PositionName(files, code), "name");
    }

    void receiverTP_data()
    {
        QTest::addColumn<QString>("record");  // empty: not taken
        QTest::addColumn<bool>("dvbS2");
        QTest::addColumn<int>("freq");
        QTest::addColumn<char>("polar");
        QTest::addColumn<int>("sr");
        QTest::addColumn<QString>("fec");
        QTest::newRow("horizontal, 2/3") << "11362,0,22000,2" << false << 11362 << 'H' << 22000 << "2/3";
        QTest::newRow("vertical, 8/9") << "12551,1,27500,8" << false << 12551 << 'V' << 27500 << "8/9";
        QTest::newRow("left circular as H") << "3840,0,6111,0" << false << 3840 << 'L' << 6111 << "AUTO";
        QTest::newRow("right circular as V") << "12224,1,20000,5" << false << 12224 << 'R' << 20000 << "5/6";
        QTest::newRow("9/10 is not listed: Auto") << "11000,0,30000,0" << false << 11000 << 'H' << 30000 << "9/10";
        QTest::newRow("no FEC given: Auto") << "11000,0,30000,0" << false << 11000 << 'H' << 30000 << "";
        QTest::newRow("DVB-S2") << "" << true << 11362 << 'H' << 22000 << "2/3";
        QTest::newRow("symbol rate too wide") << "" << false << 12384 << 'L' << 201500 << "2/3";
        QTest::newRow("no frequency") << "" << false << 0 << 'H' << 27500 << "3/4";
        QTest::newRow("Ka band fits") << "21750,1,99999,3" << false << 21750 << 'V' << 99999 << "3/4";
    }
    void receiverTP()
    {
        QFETCH(bool, dvbS2);
        QFETCH(int, freq);
        QFETCH(char, polar);
        QFETCH(int, sr);
        QFETCH(QString, fec);
        QFETCH(QString, record);
        const std::optional<TPRecord> tp = ReceiverTP({dvbS2, freq, polar, sr, fec});
        const QString got = tp ? QStringList{tp->Freq, tp->Polar, tp->SR, tp->FEC}.join(u',') : QString();
        QCOMPARE(got, record);
    }

    // Two files of one position merge; a repeated TP counts once; a file with
    // only DVB-S2 adds nothing, and a position with nothing else is left out.
    void folderIsMergedByPosition()
    {
        QTemporaryDir dir;
        const auto put = [&dir](const char *name, const QByteArray &text) {
            QVERIFY(writeWholeFile(dir.filePath(QLatin1String(name)), text).ok());
        };
        const QByteArray a =
            "[CHANNEL]\n\tDELIVERY_SYSTEM = DVBS\n\tFREQUENCY = 12692000\n\tPOLARIZATION = HORIZONTAL\n"
            "\tSYMBOL_RATE = 22000000\n\tINNER_FEC = 5/6\n";
        const QByteArray b = "[channel 11362000]\n\tDELIVERY_SYSTEM = DVBS\n\tFREQUENCY = 11362000\n"
                             "\tPOLARIZATION = VERTICAL\n\tSYMBOL_RATE = 22000000\n\tINNER_FEC = 2/3\n";
        const QByteArray s2 =
            "[CHANNEL]\n\tDELIVERY_SYSTEM = DVBS2\n\tFREQUENCY = 11000000\n\tPOLARIZATION = VERTICAL\n"
            "\tSYMBOL_RATE = 27500000\n";
        put("Astra-19.2E", s2);
        put("Astra-1KR-19.2E", a + b);
        put("Astra-1L-19.2E", a);
        put("Hispasat-30.0W", s2);
        put("README", a);
        const QList<SampleSatellite> sats = ScanSatellites(dir.path());
        QCOMPARE(sats.size(), 1);
        QCOMPARE(sats[0].name, QStringLiteral("Astra 19.2E"));
        QCOMPARE(sats[0].code, 192);
        QCOMPARE(sats[0].tps, (QList<TPRecord>{{"11362", "1", "22000", "2"}, {"12692", "0", "22000", "5"}}));
    }

    void placement()
    {
        QList<SampleSatellite> sats{satellite("Hotbird 13.0E", 130, 3),
                                    satellite("Hispasat 30.0W", 3300, 2),
                                    satellite("Galaxy 28 89.0W", 2710, 4),
                                    satellite("Intelsat 18 180.0E", 1800, 1),
                                    satellite("Far Asia 120.0E", 1200, 1),
                                    satellite("Rich 3 22.0E", 220, 109),
                                    satellite("With a very long name of its own", 1600, 2)};
        for (int i = 0; i < MaxSat; ++i)  // Asia proper, enough to fill it
            sats.append(satellite(QStringLiteral("Asia %1").arg(i), 500 + i, 2 + i % 3));
        auto tables = std::make_unique<TPTables>();
        PlaceSatellites(sats, *tables);

        // Europe west to east across 0 degrees, then the slots a technician leaves.
        QCOMPARE(names(*tables, 3).first(4),
                 (QStringList{"Hispasat 30.0W (3300)", "Hotbird 13.0E (0130)", "Rich 3 22.0E (0220)", "other 1"}));
        QCOMPARE(names(*tables, 3).last(), QStringLiteral("other 45"));
        QCOMPARE(tables->SatDataStored(3, 3), (SatRecord{"0", "other 1", "0", "0", "0000"}));
        QCOMPARE(tables->SatDataStored(3, 1), (SatRecord{"0", "Hotbird 13.0E (0130)", "3", "0", "0130"}));
        QCOMPARE(tables->SatDataStored(3, 2).TPCount, QStringLiteral("109"));
        QCOMPARE(tables->TPDataStored(3, 1, 2), (TPRecord{"10702", "0", "27500", "3"}));

        // Asia keeps the 48 with the most TPs; the overlap satellite with one TP
        // goes on to Atlantic, which also takes 150 to 199.9 degrees east.
        QVERIFY(!names(*tables, 1).contains(QStringLiteral("Far Asia 120.0E (1200)")));
        QVERIFY(!names(*tables, 1).join(u' ').contains(QStringLiteral("other")));
        QCOMPARE(names(*tables, 2).first(4), (QStringList{"Far Asia 120.0E (1200)", "With a very long name of (1600)",
                                                          "Intelsat 18 180.0E (1800)", "other 1"}));
        QCOMPARE(names(*tables, 0).first(2), (QStringList{"Galaxy 28 89.0W (2710)", "other 1"}));

        tables->copyStoredToWorking();
        const std::optional<CheckFault> fault = TPDataCheck(*tables);
        QVERIFY2(!fault, fault ? qPrintable(fault->text) : "");
    }
};

QTEST_GUILESS_MAIN(TestTPSatellitesXml)
#include "tst_tp_satellites_xml.moc"
