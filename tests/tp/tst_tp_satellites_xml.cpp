// TP tables to and from the satellites.xml of other satellite editors.
#include "support/ScanTablesXml.h"
#include "tp/SatellitesXml.h"

#include <QTest>

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
        QTest::addColumn<QStringList>("sat");  // SatName, Deg
        QTest::addColumn<QStringList>("tp");   // Freq, Polar, SR, FEC
        QTest::addColumn<int>("asAuto");

        QTest::newRow("east, H, 3/4") << "Astra 1KR" << 192 << 0 << 3 << QStringList{"Astra 1KR (0192)", "0192"}
                                      << QStringList{"11362", "0", "22000", "3"} << 0;
        QTest::newRow("west, V, 5/6") << "Thor" << -8 << 1 << 4 << QStringList{"Thor (3592)", "3592"}
                                      << QStringList{"11362", "1", "22000", "5"} << 0;
        QTest::newRow("circular left is H, 4/5")
            << "C" << 1300 << 2 << 8 << QStringList{"C (1300)", "1300"} << QStringList{"11362", "0", "22000", "4"} << 0;
        QTest::newRow("circular right is V, 8/9")
            << "C" << 5 << 3 << 6 << QStringList{"C (0005)", "0005"} << QStringList{"11362", "1", "22000", "8"} << 0;
        QTest::newRow("3/5 cannot be held")
            << "C" << 0 << 0 << 7 << QStringList{"C (0000)", "0000"} << QStringList{"11362", "0", "22000", "0"} << 1;
        QTest::newRow("9/10 cannot be held")
            << "C" << 0 << 0 << 9 << QStringList{"C (0000)", "0000"} << QStringList{"11362", "0", "22000", "0"} << 1;
        QTest::newRow("unknown code") << "C" << 0 << 0 << 15 << QStringList{"C (0000)", "0000"}
                                      << QStringList{"11362", "0", "22000", "0"} << 1;
        QTest::newRow("overlong name cut before the position")
            << "Intelsat 901 and a very long tail" << -180 << 0 << 0
            << QStringList{"Intelsat 901 and a very l (3420)", "3420"} << QStringList{"11362", "0", "22000", "0"} << 0;
        QTest::newRow("position already there")
            << "Hot Bird (0130)" << 130 << 0 << 1 << QStringList{"Hot Bird (0130)", "0130"}
            << QStringList{"11362", "0", "22000", "1"} << 0;
    }

    void mapping()
    {
        QFETCH(QString, name);
        QFETCH(int, position);
        QFETCH(int, polarization);
        QFETCH(int, fec);
        QFETCH(QStringList, sat);
        QFETCH(QStringList, tp);
        QFETCH(int, asAuto);
        const Result<QList<XmlSatellite>> read =
            readSatellitesXml(satXml(name, position, {{11362000, 22000000, polarization, fec}}));
        QVERIFY2(read.ok(), qPrintable(read.error()));
        TPTables tables;
        tables.SatData(3, 5).Diseqc = QStringLiteral("7");
        const XmlImportReport report = importSatellites(tables, 3, read.value(), {5});
        const SatRecord &got = tables.SatData(3, 5);
        QCOMPARE((QStringList{got.SatName, got.Deg}), sat);
        QCOMPARE(got.Diseqc, QStringLiteral("7"));
        QCOMPARE(got.TPCount, QStringLiteral("1"));
        const TPRecord &t = tables.TPData(3, 5, 0);
        QCOMPARE((QStringList{t.Freq, t.Polar, t.SR, t.FEC}), tp);
        QCOMPARE(report.fecsAsAuto, asAuto);
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
        QList<int> targets;
        for (int s = fromSlot; s < MaxSat; ++s)
            targets.append(s);
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
        const Result<QList<XmlSatellite>> read = readSatellitesXml(xml);
        QVERIFY(!read.ok());
        QCOMPARE(read.error(), error);
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
        QList<int> targets;
        for (int s = 3; s < 23; ++s)
            targets.append(s);
        TPTables first;
        for (int region = 0; region < RegionCount; ++region)
            importSatellites(first, region, read.value().mid(region * 20, 20), targets);
        const Result<QList<XmlSatellite>> back = readSatellitesXml(writeSatellitesXml(first));
        QVERIFY2(back.ok(), qPrintable(back.error()));
        QCOMPARE(back.value().size(), 80);
        TPTables second;
        for (int region = 0; region < RegionCount; ++region)
            importSatellites(second, region, back.value().mid(region * 20, 20), targets);
        QVERIFY(second.SatData == first.SatData);
        QVERIFY(second.TPData == first.TPData);
        QCOMPARE(second.SatCount, first.SatCount);
    }
};

QTEST_GUILESS_MAIN(TestTPSatellitesXml)
#include "tst_tp_satellites_xml.moc"
