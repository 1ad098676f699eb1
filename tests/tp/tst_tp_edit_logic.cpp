// The list operations, the save check and the change test, on tables alone.
#include "tp/SatListModel.h"
#include "tp/TPDataCheck.h"
#include "tp/TPListModel.h"
#include "tp/TPListOps.h"

#include <QAbstractItemModelTester>
#include <QTest>

#include <memory>

namespace {

// Full, saveable tables: satellite s of region r is named "Sat r-s (0s)" and
// has s % 5 + 1 TPs whose frequency names their satellite and place.
std::unique_ptr<TPTables> fullTables()
{
    auto t = std::make_unique<TPTables>();
    for (int r = 0; r < RegionCount; ++r) {
        for (int s = 0; s < MaxSat; ++s) {
            const int n = s % 5 + 1;
            t->SatDataStored(r, s) = {QStringLiteral("1"), QStringLiteral("Sat %1-%2 (0%2)").arg(r).arg(s),
                                      QString::number(n), QStringLiteral("0"),
                                      QStringLiteral("%1").arg(s, 4, 10, QLatin1Char('0'))};
            for (int k = 0; k < n; ++k)
                t->TPDataStored(r, s, k) = {QString::number(s * 100 + k), QStringLiteral("1"), QStringLiteral("27500"),
                                            QStringLiteral("3")};
        }
    }
    t->copyStoredToWorking();
    return t;
}

QString freqs(const TPTables &t, int sat, int region = 0)
{
    QStringList out;
    for (int k = 0; k < tpCountOf(t.SatData(region, sat)); ++k)
        out << t.TPData(region, sat, k).Freq;
    return out.join(QLatin1Char(','));
}

}  // namespace

class TestTPEditLogic : public QObject {
    Q_OBJECT
private slots:
    void modelsPassTheTester()
    {
        auto t = fullTables();
        const ValueLists lists = ValueLists::standard();
        SatListModel sats(*t, lists);
        TPListModel tps(*t, lists);
        QAbstractItemModelTester satTester(&sats, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QAbstractItemModelTester tpTester(&tps, QAbstractItemModelTester::FailureReportingMode::QtTest);
        // Inserts and deletes renumber the "No" column, which the tester would
        // take for changed data; those are checked below.
        tps.setSatellite(0, 4);
        sats.exchange(0, 2);
        tps.exchange(0, 4);
        sats.setRegion(2);
        QCOMPARE(sats.rowCount(), 48);
    }

    void satelliteInsertNextDeleteAndLimit()
    {
        auto t = fullTables();
        const ValueLists lists = ValueLists::standard();
        SatListModel sats(*t, lists);
        QCOMPARE(sats.insertBefore(4).refusal, QStringLiteral("Maximum Satellite allowed is 48."));
        QCOMPARE(sats.next(47).refusal, QStringLiteral("Maximum Satellite allowed is 48."));
        QCOMPARE(sats.next(9).select, 10);
        QCOMPARE(t->SatCount[0], 48);

        // Rows 2 and 6 go; each remaining satellite keeps its TPs.
        QCOMPARE(sats.deleteMarked({6, 2}).select, 2);
        QCOMPARE(sats.rowCount(), 46);
        QCOMPARE(t->SatData(0, 2).SatName, QStringLiteral("Sat 0-3 (03)"));
        QCOMPARE(freqs(*t, 2), QStringLiteral("300,301,302,303"));
        QCOMPARE(t->SatData(0, 5).SatName, QStringLiteral("Sat 0-7 (07)"));
        QCOMPARE(freqs(*t, 5), QStringLiteral("700,701,702"));
        QCOMPARE(freqs(*t, 45), QStringLiteral("4700,4701,4702"));

        // Insert before row 4: a default satellite with one default TP; the rest move down with their TPs.
        QCOMPARE(sats.insertBefore(4).select, 4);
        const SatRecord inserted = t->SatData(0, 4);
        QCOMPARE(inserted, (SatRecord{"0", "", "1", "0", "0000"}));
        QCOMPARE(t->TPData(0, 4, 0), (TPRecord{"00000", "0", "0000", "3"}));
        QCOMPARE(sats.index(4, SatListModel::ParseSort).data().toString(), QStringLiteral("All Parsing"));
        QCOMPARE(freqs(*t, 5), QStringLiteral("500"));
        QCOMPARE(freqs(*t, 46), QStringLiteral("4700,4701,4702"));

        // Next on the last row appends the 48th satellite, then the limit holds.
        QCOMPARE(sats.next(46).select, 47);
        QCOMPARE(t->SatCount[0], 48);
        QCOMPARE(freqs(*t, 47), QStringLiteral("00000"));
        QVERIFY(!sats.insertBefore(0).refusal.isEmpty());

        // Deleting the last rows selects the new last row; deleting all selects none.
        QCOMPARE(sats.deleteMarked({46, 47}).select, 45);
        QList<int> all;
        for (int i = 0; i < 46; ++i)
            all << i;
        QCOMPARE(sats.deleteMarked(all).select, -1);
        QCOMPARE(sats.next(-1).select, -1);
        QCOMPARE(sats.insertBefore(-1).select, 0);
    }

    void satExchangeTakesTheTPs()
    {
        auto t = fullTables();
        const ValueLists lists = ValueLists::standard();
        SatListModel sats(*t, lists);
        sats.exchange(1, 4);
        QCOMPARE(t->SatData(0, 1).SatName, QStringLiteral("Sat 0-4 (04)"));
        QCOMPARE(freqs(*t, 1), QStringLiteral("400,401,402,403,404"));
        QCOMPARE(freqs(*t, 4), QStringLiteral("100,101"));
        QCOMPARE(sats.index(1, SatListModel::No).data().toString(), QStringLiteral("2"));
    }

    void tpInsertNextDeleteAndLimit()
    {
        auto t = fullTables();
        const ValueLists lists = ValueLists::standard();
        TPListModel tps(*t, lists);
        QCOMPARE(tps.insertBefore(0).select, -1);  // no satellite selected
        tps.setSatellite(0, 4);                    // five TPs
        QCOMPARE(tps.next(1).select, 2);
        QCOMPARE(tps.insertBefore(2).select, 2);
        QCOMPARE(t->SatData(0, 4).TPCount, QStringLiteral("6"));
        QCOMPARE(freqs(*t, 4), QStringLiteral("400,401,,402,403,404"));
        QCOMPARE(tps.index(2, TPListModel::FEC).data().toString(), QStringLiteral("Auto"));
        QCOMPARE(tps.deleteMarked({1, 3}).select, 1);
        QCOMPARE(t->SatData(0, 4).TPCount, QStringLiteral("4"));
        QCOMPARE(freqs(*t, 4), QStringLiteral("400,,403,404"));
        tps.exchange(0, 3);
        QCOMPARE(freqs(*t, 4), QStringLiteral("404,,403,400"));

        while (tps.rowCount() < MaxTP)
            QVERIFY(tps.next(tps.rowCount() - 1).refusal.isEmpty());
        QCOMPARE(tps.next(MaxTP - 1).refusal, QStringLiteral("Maximum TP allowed is 109."));
        QCOMPARE(tps.insertBefore(0).refusal, QStringLiteral("Maximum TP allowed is 109."));
        // The neighbours' TPs are untouched by a full block.
        QCOMPARE(freqs(*t, 5), QStringLiteral("500"));
    }

    void shownTexts()
    {
        auto t = fullTables();
        const ValueLists lists = ValueLists::standard();
        TPListModel tps(*t, lists);
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
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("region");
        QTest::addColumn<int>("satRow");
        QTest::addColumn<int>("tpRow");
        const QString invalid = QStringLiteral("Invalid data entered.  Delete invalid data entry.");
        QTest::newRow("47 satellites") << 0 << "Maximum Satellite allowed is 48."
                                       << "Save ERROR" << 1 << 46 << -1;
        QTest::newRow("empty Diseqc before a bad name") << 1 << invalid << "Save ERROR" << 1 << 5 << -1;
        QTest::newRow("no brackets")
            << 2
            << invalid + "\r\n\r\nEnclose the satellite degree with round brackets\r\n\r\nex :  Satellite Name (0000)"
            << "" << 1 << 5 << -1;
        QTest::newRow("too many TPs") << 3 << "Maximum TP allowed is 109."
                                      << "Save ERROR" << -1 << -1 << -1;
        QTest::newRow("empty frequency") << 4 << invalid << "Save ERROR" << 1 << 5 << 0;
        QTest::newRow("duplicate") << 5 << "Duplicated Satellite Found.  Use different name."
                                   << "Sat Name ERROR!" << 3 << 1 << -1;
    }

    void checkOrder()
    {
        QFETCH(int, fault);
        auto t = fullTables();
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

    void namesThatPass_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("other") << "The OTHER one";
        QTest::newRow("brackets reversed") << "Sat )0000(";
        QTest::newRow("differs in case") << "SAT 0-0 (00)";
    }

    void namesThatPass()
    {
        QFETCH(QString, name);
        auto t = fullTables();
        t->SatData(0, 3).SatName = name;
        t->SatData(2, 0).SatName = t->SatData(0, 0).SatName;  // the same name in two regions is fine
        QVERIFY(!TPDataCheck(*t));
    }

    void unchanged()
    {
        auto t = fullTables();
        QVERIFY(TPDataUnchanged(*t));
        t->TPData(2, 4, 7).Freq = QStringLiteral("999");  // beyond the TP count
        QVERIFY(TPDataUnchanged(*t));
        t->TPData(2, 4, 4).Freq = QStringLiteral("999");
        QVERIFY(!TPDataUnchanged(*t));
        t->copyStoredToWorking();
        t->SatCount[3] = 47;  // the last satellite is outside the compared range
        QVERIFY(TPDataUnchanged(*t));
        t->SatData(3, 0).Deg = QStringLiteral("1");
        QVERIFY(!TPDataUnchanged(*t));
    }
};

QTEST_GUILESS_MAIN(TestTPEditLogic)
#include "tst_tp_edit_logic.moc"
