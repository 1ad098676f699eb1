// The list operations, the save check, the change test and the import of
// downloaded satellite files, on tables alone.
#include "TPTestData.h"

#include "support/TempProgramDir.h"
#include "support/TestFiles.h"
#include "tp/SatListModel.h"
#include "tp/SdxImport.h"
#include "tp/TPDataCheck.h"
#include "tp/TPListModel.h"
#include "tp/TPListOps.h"

#include <QAbstractItemModelTester>
#include <QtTest>

#include <numeric>

namespace {

// A transponder line with its fields at their columns (from 1).
QByteArray line(const QByteArray &typeAndSystem, const QByteArray &freq, char polar, const QByteArray &sr,
                char fec = '2', const QByteArray &col56 = "00000001")
{
    QByteArray text(75, ' ');
    const auto put = [&text](int column, const QByteArray &field) { text.replace(column - 1, field.size(), field); };
    put(1, "0192 Test");
    put(29, typeAndSystem);
    put(35, freq);
    put(43, QByteArray(1, polar));
    put(56, col56);
    const qsizetype u = col56.count('_');
    put(70 - int(u), sr);
    text[74 - u] = fec;
    return text.left(75 - u) + "\r\n";
}

}  // namespace

class TestTPEditLogic : public QObject {
    Q_OBJECT
    const ValueLists lists = ValueLists::standard();

private Q_SLOTS:
    void modelsPassTheTester()
    {
        auto t = editTables();
        SatListModel sats(*t, lists);
        TPListModel tps(*t, lists);
        QAbstractItemModelTester satTester(&sats, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QAbstractItemModelTester tpTester(&tps, QAbstractItemModelTester::FailureReportingMode::QtTest);
        // Inserts and deletes renumber the "No" column, which the tester would
        // take for changed data; those are checked below.
        tps.setSatellite(0, 3);
        sats.exchange(0, 2);
        tps.exchange(0, 3);
        sats.setRegion(2);
        QCOMPARE(sats.rowCount(), 48);
    }

    void satelliteInsertNextDeleteAndLimit()
    {
        auto t = editTables();
        SatListModel sats(*t, lists);
        QCOMPARE(sats.insertBefore(4).refusal, QStringLiteral("Maximum Satellite allowed is 48."));
        QCOMPARE(sats.next(47).refusal, QStringLiteral("Maximum Satellite allowed is 48."));
        QCOMPARE(sats.next(9).select, 10);
        QCOMPARE(t->SatCount[0], 48);

        // Rows 2 and 6 go; each remaining satellite keeps its TPs.
        QCOMPARE(sats.deleteMarked({6, 2}).select, 2);
        QCOMPARE(sats.rowCount(), 46);
        QCOMPARE(satNames(*t).section(QLatin1Char(','), 0, 5), QStringLiteral("S0,S1,S3,S4,S5,S7"));
        QCOMPARE(tpFreqs(*t, 2), QStringLiteral("300,301,302,303"));
        QCOMPARE(tpFreqs(*t, 5), QStringLiteral("700,701,702,703"));
        QCOMPARE(tpFreqs(*t, 45), QStringLiteral("4700,4701,4702,4703"));

        // Insert before row 4: a default satellite with one default TP; the rest move down with their TPs.
        QCOMPARE(sats.insertBefore(4).select, 4);
        QCOMPARE(t->SatData(0, 4), (SatRecord{"0", "", "1", "0", "0000"}));
        QCOMPARE(t->TPData(0, 4, 0), (TPRecord{"00000", "0", "0000", "3"}));
        QCOMPARE(sats.index(4, SatListModel::ParseSort).data().toString(), QStringLiteral("All Parsing"));
        QCOMPARE(tpFreqs(*t, 5), QStringLiteral("500,501"));
        QCOMPARE(tpFreqs(*t, 46), QStringLiteral("4700,4701,4702,4703"));

        // Next on the last row appends the 48th satellite, then the limit holds.
        QCOMPARE(sats.next(46).select, 47);
        QCOMPARE(t->SatCount[0], 48);
        QCOMPARE(tpFreqs(*t, 47), QStringLiteral("00000"));
        QVERIFY(!sats.insertBefore(0).refusal.isEmpty());

        // Deleting the last rows selects the new last row; deleting all selects none.
        QCOMPARE(sats.deleteMarked({46, 47}).select, 45);
        QList<int> all(46);
        std::iota(all.begin(), all.end(), 0);
        QCOMPARE(sats.deleteMarked(all).select, -1);
        QCOMPARE(sats.next(-1).select, -1);
        QCOMPARE(sats.insertBefore(-1).select, 0);
    }

    void tpInsertNextDeleteAndLimit()
    {
        auto t = editTables();
        TPListModel tps(*t, lists);
        QCOMPARE(tps.insertBefore(0).select, -1);  // no satellite selected
        tps.setSatellite(0, 3);                    // four TPs
        QCOMPARE(tps.next(1).select, 2);
        QCOMPARE(tps.insertBefore(2).select, 2);
        QCOMPARE(t->SatData(0, 3).TPCount, QStringLiteral("5"));
        QCOMPARE(tpFreqs(*t, 3), QStringLiteral("300,301,,302,303"));
        QCOMPARE(tps.index(2, TPListModel::FEC).data().toString(), QStringLiteral("Auto"));
        QSignalSpy removed(&tps, &QAbstractItemModel::rowsRemoved);  // a view keeps its rows in step
        QCOMPARE(tps.deleteMarked({1, 3}).select, 1);
        QCOMPARE(removed.size(), 2);
        QCOMPARE(t->SatData(0, 3).TPCount, QStringLiteral("3"));
        QCOMPARE(tpFreqs(*t, 3), QStringLiteral("300,,303"));
        tps.exchange(0, 2);
        QCOMPARE(tpFreqs(*t, 3), QStringLiteral("303,,300"));

        while (tps.rowCount() < MaxTP)
            QVERIFY(tps.next(tps.rowCount() - 1).refusal.isEmpty());
        QCOMPARE(tps.next(MaxTP - 1).refusal, QStringLiteral("Maximum TP allowed is 109."));
        QCOMPARE(tps.insertBefore(0).refusal, QStringLiteral("Maximum TP allowed is 109."));
        // The neighbours' TPs are untouched by a full block.
        QCOMPARE(tpFreqs(*t, 4), QStringLiteral("400"));

        // Texts shown for stored values.
        t->TPData(0, 0, 0) = {"12000", "", "27500", "8"};
        tps.setSatellite(0, 0);
        QCOMPARE(tps.index(0, TPListModel::FEC).data().toString(), QStringLiteral("8/9"));
        QCOMPARE(tps.index(0, TPListModel::Polar).data().toString(), QString());
        t->SatData(0, 0).TPCount = QStringLiteral("5000");  // never reaches past the table
        tps.setSatellite(0, 0);
        QCOMPARE(tps.rowCount(), int(TPSlots));
    }

    void checkOrder_data()
    {
        QTest::addColumn<int>("fault");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("region");
        QTest::addColumn<int>("satRow");
        QTest::addColumn<int>("tpRow");
        QTest::addColumn<QString>("title");
        const QString invalid = QStringLiteral("Invalid data entered.  Delete invalid data entry.");
        QTest::newRow("47 satellites") << 0 << "Maximum Satellite allowed is 48." << 1 << 46 << -1 << "Save ERROR";
        QTest::newRow("empty Diseqc before a bad name") << 1 << invalid << 1 << 5 << -1 << "Save ERROR";
        QTest::newRow("no brackets")
            << 2
            << invalid + "\r\n\r\nEnclose the satellite degree with round brackets\r\n\r\nex :  Satellite Name (0000)"
            << 1 << 5 << -1 << "";
        QTest::newRow("too many TPs") << 3 << "Maximum TP allowed is 109." << -1 << -1 << -1 << "Save ERROR";
        QTest::newRow("empty frequency") << 4 << invalid << 1 << 5 << 0 << "Save ERROR";
        QTest::newRow("duplicate") << 5 << "Duplicated Satellite Found.  Use different name." << 3 << 1 << -1
                                   << "Sat Name ERROR!";
    }

    void checkOrder()
    {
        QFETCH(int, fault);
        auto t = editTables();
        QVERIFY(!TPDataCheck(*t));
        SatRecord &sat = t->SatData(1, 5);
        switch (fault) {
        case 0:
            t->SatCount[1] = 47;
            t->SatData(1, 5).Diseqc.clear();  // comes later
            break;
        case 1:
            sat.Diseqc.clear();
            sat.SatName = QStringLiteral("no brackets");
            break;
        case 2: sat.SatName = QStringLiteral("no brackets"); break;
        case 3: sat.TPCount = QStringLiteral("110"); break;
        case 4: t->TPData(1, 5, 0).Freq.clear(); break;
        case 5: t->SatData(3, 1).SatName = t->SatData(3, 9).SatName = QStringLiteral("Same (1)"); break;
        }
        const std::optional<CheckFault> found = TPDataCheck(*t);
        QVERIFY(found);
        QTEST(found->text, "text");
        QTEST(found->title, "title");
        QTEST(found->region, "region");
        QTEST(found->satRow, "satRow");
        QTEST(found->tpRow, "tpRow");
    }

    // Every region has the same names: only a repeat within a region is refused.
    void namesThatPass_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("other") << "The OTHER one";
        QTest::newRow("brackets reversed") << "Sat )0000(";
        QTest::newRow("differs in case") << "s0 (0000)";
    }

    void namesThatPass()
    {
        QFETCH(QString, name);
        auto t = editTables();
        t->SatData(0, 3).SatName = name;
        QVERIFY(!TPDataCheck(*t));
    }

    void unchanged()
    {
        auto t = editTables();
        QVERIFY(TPDataUnchanged(*t));
        t->TPData(2, 3, 7).Freq = QStringLiteral("999");  // beyond the TP count
        QVERIFY(TPDataUnchanged(*t));
        t->TPData(2, 3, 3).Freq = QStringLiteral("999");
        QVERIFY(!TPDataUnchanged(*t));
        t->copyStoredToWorking();
        t->SatCount[3] = 47;  // the last satellite is outside the compared range
        QVERIFY(TPDataUnchanged(*t));
        t->SatData(3, 0).Deg = QStringLiteral("1");
        QVERIFY(!TPDataUnchanged(*t));
    }

    // The import of downloaded satellite files: column rules, the repeated
    // transponder, the parse options, the cap and the file of a position.
    void columns_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<TPRecord>("record");
        const TPRecord ku{"11362", "0", "22000", "2"};  // the Ku line below, horizontal
        const QByteArray kuLine = line("TMPG2", "11362", '1', "22000");
        QTest::newRow("Ku, horizontal 1") << kuLine << ku;
        QTest::newRow("leading 0 dropped")
            << line("TMPG2", "03840", '1', "27500") << TPRecord{"3840", "0", "27500", "2"};
        QTest::newRow("3 is horizontal") << line("TMPG2", "11362", '3', "22000") << ku;
        QTest::newRow("2 is vertical") << line("TMPG2", "11362", '2', "22000") << TPRecord{"11362", "1", "22000", "2"};
        QTest::newRow("blank is vertical")
            << line("TMPG2", "11362", ' ', "22000") << TPRecord{"11362", "1", "22000", "2"};
        QTest::newRow("symbol rate leading 0")
            << line("TMPG2", "11362", '1', "06111") << TPRecord{"11362", "0", "6111", "2"};
        QTest::newRow("FEC _ is 3") << line("TMPG2", "11362", '1', "22000", '_')
                                    << TPRecord{"11362", "0", "22000", "3"};
        QTest::newRow("three underscores shift")
            << line("TMPG2", "11362", '1', "27500", '5', "12___345") << TPRecord{"11362", "0", "27500", "5"};
        QTest::newRow("one underscore, leading 0")
            << line("TMPG2", "11362", '1', "02750", '7', "1234567_") << TPRecord{"11362", "0", "2750", "7"};
        QTest::newRow("NTSC") << line("TNTSC", "11362", '1', "22000") << ku;
        QTest::newRow("____ with type _") << line("_____", "11362", '1', "22000") << ku;
        QTest::newRow("other system") << line("TDVB2", "11362", '1', "22000") << TPRecord();
        QTest::newRow("other type") << line("XMPG2", "11362", '1', "22000") << TPRecord();
        QTest::newRow("frequency 0") << line("TMPG2", "00000", '1', "22000") << TPRecord();
        QTest::newRow("symbol rate 0") << line("TMPG2", "11362", '1', "00000") << TPRecord();
        QTest::newRow("short line") << QByteArray("0192 Test                   TMPG2 11362\r\n") << TPRecord();
        QTest::newRow("no line end") << kuLine.chopped(2) << ku;
    }

    void columns()
    {
        QFETCH(QByteArray, text);
        QFETCH(TPRecord, record);
        TPTable tps;
        QCOMPARE(ReadSdxTransponders("header line\r\n" + text, "All Parsing", tps, 2, 5), record == TPRecord() ? 0 : 1);
        QCOMPARE(tps(2, 5, 0), record);
    }

    // A repeated transponder counts once; no more than 109 are read.
    void repeatedTranspondersAndTheCap()
    {
        const QByteArray a = line("TMPG2", "11362", '1', "22000");
        const QByteArray b = line("TMPG2", "11538", '2', "22000");
        TPTable tps;
        QCOMPARE(ReadSdxTransponders(a + a + "not a transponder\r\n" + a, "All Parsing", tps, 0, 0), 1);
        QCOMPARE(ReadSdxTransponders(a + b + a, "All Parsing", tps, 0, 0), 3);
        QCOMPARE(tps(0, 0, 2), tps(0, 0, 0));
        // Only frequency, polarisation and symbol rate decide; a new FEC alone is a repeat.
        QCOMPARE(ReadSdxTransponders(a + line("TMPG2", "11362", '1', "22000", '5'), "All Parsing", tps, 0, 0), 1);

        QByteArray many;
        for (int i = 0; i < 150; ++i)
            many += line("TMPG2", QByteArray::number(10700 + i), '1', "22000");
        QCOMPARE(ReadSdxTransponders(many, "All Parsing", tps, 3, 48), 109);
        QCOMPARE(tps(3, 48, 108).Freq, QStringLiteral("10808"));
        QCOMPARE(tps(3, 48, 109), TPRecord());  // the spare slot is never written
    }

    void parseOptions_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QStringList>("freqs");
        QTest::newRow("All Parsing") << "All Parsing" << QStringList{"3840", "11362", "11538", "4000", "12100"};
        QTest::newRow("unknown text keeps all") << "Other" << QStringList{"3840", "11362", "11538", "4000", "12100"};
        QTest::newRow("Vertical") << "Vertical" << QStringList{"11538", "4000"};
        QTest::newRow("Horizontal") << "Horizontal" << QStringList{"3840", "11362", "12100"};
        QTest::newRow("C-Band") << "C-Band" << QStringList{"3840", "4000"};
        QTest::newRow("Ku-Band") << "Ku-Band" << QStringList{"11362", "11538", "12100"};
    }

    void parseOptions()
    {
        QFETCH(QString, option);
        QFETCH(QStringList, freqs);
        const QByteArray text = line("TMPG2", "03840", '1', "27500") + line("TMPG2", "11362", '3', "22000") +
                                line("TMPG2", "11538", '2', "22000") + line("TMPG2", "04000", '4', "27500") +
                                line("TMPG2", "12100", '1', "27500");
        TPTable tps;
        const int n = ReadSdxTransponders(text, option, tps, 1, 47);
        QStringList got;
        for (int i = 0; i < n; ++i)
            got.append(tps(1, 47, i).Freq);
        QCOMPARE(got, freqs);
    }

    void fileOfAPosition_data()
    {
        QTest::addColumn<QString>("deg");
        QTest::addColumn<QString>("name");
        QTest::newRow("three digits") << QStringLiteral("192") << "0192.sdx";
        QTest::newRow("four digits") << QStringLiteral("3300") << "3300.sdx";
        QTest::newRow("empty") << QString() << "";
        QTest::newRow("a path") << QStringLiteral("../x") << "";
    }

    void fileOfAPosition()
    {
        QFETCH(QString, deg);
        QTEST(SdxFileName(deg), "name");
    }

    void importSatellite()
    {
        TempProgramDir dir;
        QDir().mkpath(dir.file("Temp"));
        auto tables = std::make_unique<TPTables>();
        const TPRecord defaultTP{"00000", "0", "0000", "3"};
        SatRecord &sat = tables->SatData(1, 3);
        sat.Deg = "192";
        sat.TPCount = "7";
        QVERIFY(!ImportSatellite(ProgramDir(dir.path()), *tables, 1, 3, "All Parsing", defaultTP));
        QCOMPARE(sat.TPCount, QStringLiteral("1"));
        QCOMPARE(tables->TPData(1, 3, 0), defaultTP);

        const QByteArray text = line("TMPG2", "11362", '1', "22000") + line("TMPG2", "11538", '2', "22000");
        QVERIFY(writeWholeFile(dir.file("Temp/0192.sdx"), text).ok());
        QVERIFY(ImportSatellite(ProgramDir(dir.path()), *tables, 1, 3, "All Parsing", defaultTP));
        QCOMPARE(sat.TPCount, QStringLiteral("2"));
        QCOMPARE(tables->TPData(1, 3, 1), (TPRecord{"11538", "1", "22000", "2"}));
        // Nothing kept: one transponder of frequency "0000".
        QVERIFY(ImportSatellite(ProgramDir(dir.path()), *tables, 1, 3, "C-Band", defaultTP));
        QCOMPARE(sat.TPCount, QStringLiteral("1"));
        QCOMPARE(tables->TPData(1, 3, 0), (TPRecord{"0000", "0", "0000", "3"}));
    }
};

QTEST_GUILESS_MAIN(TestTPEditLogic)
#include "tst_tp_edit_logic.moc"
