// Moves, sorts, find, clipboards, drops and undoable table changes, on tables alone.
#include "TPTestData.h"

#include "common/LeadingNumber.h"
#include "common/ProgramDir.h"
#include "common/ValueLists.h"
#include "tp/SdxImport.h"
#include "tp/TPClipboard.h"
#include "tp/TPFind.h"
#include "tp/TPHistory.h"
#include "tp/TPListOps.h"
#include "tp/TPMoves.h"
#include "tp/TPSorts.h"

#include <QTemporaryDir>
#include <QTest>

class TestTPEditing : public QObject {
    Q_OBJECT
    const ValueLists lists = ValueLists::standard();

private Q_SLOTS:
    void moveWalk_data()
    {
        QTest::addColumn<bool>("down");
        QTest::addColumn<QList<int>>("marked");
        QTest::addColumn<QString>("order");
        QTest::addColumn<QList<int>>("after");
        QTest::newRow("1,2 down") << true << QList<int>{1, 2} << "1,4,2,3,5" << QList<int>{2, 3};
        QTest::newRow("3,4 down stays") << true << QList<int>{3, 4} << "1,2,3,4,5" << QList<int>{3, 4};
        QTest::newRow("0,1 up stays") << false << QList<int>{0, 1} << "1,2,3,4,5" << QList<int>{0, 1};
        QTest::newRow("1,3 up") << false << QList<int>{1, 3} << "2,1,4,3,5" << QList<int>{0, 2};
        QTest::newRow("0 and 4 down") << true << QList<int>{0, 4} << "2,1,3,4,5" << QList<int>{1, 4};
    }

    void moveWalk()
    {
        QFETCH(bool, down);
        QFETCH(QList<int>, marked);
        auto t = editTables(5);
        const QList<int> after = moveSatellites(*t, 0, marked, down);
        QTEST(after, "after");
        QStringList order;
        for (int s = 0; s < 5; ++s)
            order << QString::number(t->SatData(0, s).Diseqc.toInt() + 1);
        QTEST(order.join(QLatin1Char(',')), "order");
        // The TP blocks travel with their satellites.
        for (int s = 0; s < 5; ++s)
            QCOMPARE(t->TPData(0, s, 0).Freq, t->SatData(0, s).Diseqc + QStringLiteral("00"));

        QVERIFY(moveSatellites(*editTables(0), 0, {0}, down).isEmpty());
    }

    void tpMoveAndDropTakeWholeRecords()
    {
        auto t = editTables();
        const QList<int> after = moveTPs(*t, 0, 3, {0, 1}, true);  // record 3: four TPs
        QCOMPARE(after, (QList<int>{1, 2}));
        QCOMPARE(tpFreqs(*t, 3), QStringLiteral("302,300,301,303"));
        QCOMPARE(t->TPData(0, 3, 1).SR, QStringLiteral("27500"));
        dropTPs(*t, 0, 3, copyTPs(*t, lists, 0, 3, {0}), {0}, -1);
        QCOMPARE(tpFreqs(*t, 3), QStringLiteral("300,301,303,302"));
    }

    // The results of the plain exchange sort, which is not stable.
    void sortsAreTheExchangeSort()
    {
        auto t = editTables(6);
        const QStringList degs{"0300", "0300x", "0400", "  50", "abc", "0200"};  // the 300s come out swapped
        for (int s = 0; s < 6; ++s)
            t->SatData(0, s).Deg = degs[s];
        // A swap-by-swap sort of the real rows as reference.
        auto ref = std::make_unique<TPTables>(*t);
        for (int i = 0; i < 5; ++i)
            for (int j = i + 1; j < 6; ++j)
                if (LeadingNumber(ref->SatData(0, i).Deg) < LeadingNumber(ref->SatData(0, j).Deg))
                    SatExchange(*ref, 0, i, j);
        TPSortFlags flags;
        sortSatellites(*t, 0, SatSortKey::Deg, flags);
        QVERIFY(sameWorkingTables(*t, *ref));
    }

    // Each sort key toggles its direction and clears the others'.
    void sortDirections()
    {
        auto t = editTables(5);
        const QStringList list{"beta", "Zulu", "Alpha", "alpha", "Beta"};
        for (int s = 0; s < 5; ++s)
            t->SatData(0, s).SatName = list[s];
        TPSortFlags flags;
        sortSatellites(*t, 0, SatSortKey::Deg, flags);
        QCOMPARE(t->SatData(0, 0).Deg, QStringLiteral("0040"));  // largest first
        QVERIFY(flags.deg);
        sortSatellites(*t, 0, SatSortKey::Deg, flags);
        QCOMPARE(t->SatData(0, 0).Deg, QStringLiteral("0000"));
        QCOMPARE(satNames(*t), list.join(QLatin1Char(',')));
        sortSatellites(*t, 0, SatSortKey::SatName, flags);
        QCOMPARE(satNames(*t), QStringLiteral("Alpha,Beta,Zulu,alpha,beta"));  // by code: lower case after upper
        QVERIFY(!flags.deg);
        sortSatellites(*t, 0, SatSortKey::Deg, flags);  // descending again after the name sort
        QCOMPARE(t->SatData(0, 0).Deg, QStringLiteral("0040"));
        QCOMPARE(tpFreqs(*t, 0), QStringLiteral("400"));
        sortSatellites(*t, 0, SatSortKey::SatName, flags);
        QCOMPARE(satNames(*t), QStringLiteral("Alpha,Beta,Zulu,alpha,beta"));
        sortSatellites(*t, 0, SatSortKey::SatName, flags);
        QCOMPARE(satNames(*t), QStringLiteral("beta,alpha,Zulu,Beta,Alpha"));

        const QList<TPRecord> tps{
            {"12000", "1", "2000", "3"}, {"9000", "0", "30000", "1"}, {"11000", "1", "27500", "0"}};
        t->SatData(0, 0).TPCount = QStringLiteral("3");
        for (int k = 0; k < 3; ++k)
            t->TPData(0, 0, k) = tps[k];
        sortTPs(*t, 0, 0, TPSortKey::Freq, flags);
        QCOMPARE(tpFreqs(*t, 0), QStringLiteral("9000,11000,12000"));  // numerically, not by text
        sortTPs(*t, 0, 0, TPSortKey::Freq, flags);
        QCOMPARE(tpFreqs(*t, 0), QStringLiteral("12000,11000,9000"));
        sortTPs(*t, 0, 0, TPSortKey::Polar, flags);
        QCOMPARE(t->TPData(0, 0, 0).Polar, QStringLiteral("0"));
        QVERIFY(!flags.freq && flags.polar);
        sortTPs(*t, 0, 0, TPSortKey::SR, flags);
        QCOMPARE(tpFreqs(*t, 0), QStringLiteral("12000,11000,9000"));
        QVERIFY(!flags.polar && flags.sr);
    }

    void findOrder()
    {
        auto t = editTables();
        t->SatData(1, 7).SatName = QStringLiteral("My ASTRA 1");
        t->SatData(0, 2).SatName = QStringLiteral("astra 2");
        t->SatData(2, 3).Deg = QStringLiteral("0192");
        t->SatData(2, 9).Deg = QStringLiteral("1900");
        const auto find = [&t](SatFindQuery q, int region, int afterSat) {
            const auto hit = findSatellite(*t, q, region, afterSat);
            return hit ? QStringLiteral("%1/%2").arg(hit->region).arg(hit->slot) : QStringLiteral("none");
        };
        QCOMPARE(find({"Astra", "", false}, 0, 2), QStringLiteral("1/7"));  // after the selected satellite
        QCOMPARE(find({"Astra", "", false}, 1, 7), QStringLiteral("0/2"));  // wraps round
        QCOMPARE(find({"", "19", false}, 2, -1), QStringLiteral("2/3"));
        QCOMPARE(find({"", "19", false}, 2, 3), QStringLiteral("2/9"));
        QCOMPARE(find({"", "19", false}, 3, MaxSat - 1), QStringLiteral("0/19"));  // "0190"
        QCOMPARE(find({"S1", "", false}, 3, MaxSat - 1), QStringLiteral("0/1"));   // on from region 0 slot 0
        QCOMPARE(find({"astra", "0020", true}, 3, -1), QStringLiteral("0/2"));
        QCOMPARE(find({"astra", "0070", false}, 0, -1), QStringLiteral("0/2"));
        QCOMPARE(find({"nothing", "", false}, 1, 4), QStringLiteral("none"));
        QCOMPARE(find({"", "", false}, 0, -1), QStringLiteral("none"));
        t->SatCount[0] = 1;  // slots past the count are not searched
        QCOMPARE(find({"astra 2", "", false}, 0, -1), QStringLiteral("none"));
        // The only satellite that matches is found again by the second pass.
        QCOMPARE(find({"MY AS", "", false}, 1, 7), QStringLiteral("1/7"));
        const auto hit = findSatellite(*t, {"tra", "", false}, 1, -1);
        QCOMPARE(hit->nameAt, 5);
    }

    void copyAndPasteSatellites()
    {
        auto t = editTables(6);
        const SatClipboard clip = copySatellites(*t, lists, 0, {3, 1});
        QCOMPARE(clip.size(), 2);
        QCOMPARE(clip[0].columns, (QStringList{"2", "0010", "S1 (0010)", "Vertical", "1"}));
        QCOMPARE(clip[1].tps.size(), 4);
        t->SatData(0, 1).SatName = QStringLiteral("changed after the copy");
        QCOMPARE(pasteSatellites(*t, lists, 0, clip, 0).select, 0);
        QCOMPARE(satNames(*t), QStringLiteral("S1,S3,S0,changed,S2,S3,S4,S5"));
        QCOMPARE(tpFreqs(*t, 0), QStringLiteral("100,101"));
        QCOMPARE(tpFreqs(*t, 1), QStringLiteral("300,301,302,303"));
        QCOMPARE(tpFreqs(*t, 7), QStringLiteral("500,501"));
        QCOMPARE(t->SatData(0, 0), (SatRecord{"1", "S1 (0010)", "2", "1", "0010"}));

        // A ParseSort text that is none of the five gives an empty ParseSort.
        SatClipboard odd = clip;
        odd[0].columns[3] = QString();
        pasteSatellites(*t, lists, 0, odd.mid(0, 1), 8);
        QCOMPARE(t->SatData(0, 8).ParseSort, QString());
        QCOMPARE(t->SatCount[0], 9);
    }

    void pasteLimits()
    {
        auto t = editTables(47);
        const TPTables before = *t;
        const SatClipboard two = copySatellites(*t, lists, 0, {0, 1});
        const ListEdit refused = pasteSatellites(*t, lists, 0, two, 2);
        QCOMPARE(refused.refusal, QStringLiteral("Maximum Satellite allowed is 48."));
        QVERIFY(sameWorkingTables(*t, before));
        QVERIFY(pasteSatellites(*t, lists, 0, two.mid(0, 1), 2).refusal.isEmpty());
        QCOMPARE(t->SatCount[0], 48);
        QVERIFY(pasteSatellites(*t, lists, 0, {}, 2).refusal.isEmpty());  // an empty clipboard still counts nothing

        t->SatData(0, 0).TPCount = QStringLiteral("108");
        const TPClipboard tps = copyTPs(*t, lists, 0, 1, {0, 1});
        const TPTables full = *t;
        QCOMPARE(pasteTPs(*t, 0, 0, tps, 0).refusal, QStringLiteral("Maximum TP allowed is 109."));
        QVERIFY(sameWorkingTables(*t, full));
        QVERIFY(pasteTPs(*t, 0, 0, tps.mid(0, 1), 0).refusal.isEmpty());
        QCOMPARE(t->SatData(0, 0).TPCount, QStringLiteral("109"));
    }

    void tpTextsTurnBackIntoValues()
    {
        auto t = editTables();
        const TPClipboard clip{{"12000", "V", "27500", "3/4"}, {"1", "x", "2", "Auto"}, {"3", "H", "4", ""}};
        QCOMPARE(pasteTPs(*t, 0, 1, clip, 1).select, 1);  // record 1: two TPs
        QCOMPARE(tpFreqs(*t, 1), QStringLiteral("100,12000,1,3,101"));
        QCOMPARE(t->TPData(0, 1, 1), (TPRecord{"12000", "1", "27500", "3"}));
        QCOMPARE(t->TPData(0, 1, 2), (TPRecord{"1", "", "2", "0"}));
        QCOMPARE(t->TPData(0, 1, 3), (TPRecord{"3", "0", "4", ""}));
        QCOMPARE(copyTPs(*t, lists, 0, 1, {1}), (TPClipboard{{"12000", "V", "27500", "3/4"}}));
    }

    void drops_data()
    {
        QTest::addColumn<QList<int>>("dragged");
        QTest::addColumn<int>("under");
        QTest::addColumn<QString>("order");
        QTest::addColumn<int>("select");
        QTest::newRow("0,1 onto 4") << QList<int>{0, 1} << 4 << "S2,S3,S0,S1,S4,S5" << 2;
        QTest::newRow("below the last row") << QList<int>{1, 2} << -1 << "S0,S3,S4,S5,S1,S2" << 4;
        QTest::newRow("onto itself") << QList<int>{3} << 3 << "S0,S1,S2,S3,S4,S5" << 3;
        QTest::newRow("4 onto 0") << QList<int>{4} << 0 << "S4,S0,S1,S2,S3,S5" << 0;
    }

    void drops()
    {
        QFETCH(QList<int>, dragged);
        QFETCH(int, under);
        auto t = editTables(6);
        const ListEdit edit = dropSatellites(*t, lists, 0, copySatellites(*t, lists, 0, dragged), dragged, under);
        QTEST(satNames(*t), "order");
        QTEST(edit.select, "select");
        for (int s = 0; s < 6; ++s)
            QCOMPARE(tpFreqs(*t, s).section(QLatin1Char(','), 0, 0), t->SatData(0, s).Diseqc + QStringLiteral("00"));
    }

    // The operations change the region they are given, whichever region is shown.
    void operationsKeepToTheirRegion()
    {
        auto t = editTables(6);
        t->CurRegion = 1;
        const TPTables before = *t;
        moveSatellites(*t, 3, {0}, true);
        pasteSatellites(*t, lists, 3, copySatellites(*t, lists, 3, {2}), 0);
        deleteTP(*t, 3, 3, 0);
        QCOMPARE(satNames(*t, 3), QStringLiteral("S2,S1,S0,S2,S3,S4,S5"));
        QCOMPARE(tpFreqs(*t, 3, 3), QStringLiteral("201,202"));
        QCOMPARE(t->CurRegion, 1);
        for (int r = 0; r < 3; ++r) {
            QCOMPARE(t->SatCount[r], before.SatCount[r]);
            for (int s = 0; s < SatSlots; ++s) {
                QVERIFY(t->SatData(r, s) == before.SatData(r, s));
                for (int k = 0; k < TPSlots; ++k)
                    QVERIFY(t->TPData(r, s, k) == before.TPData(r, s, k));
            }
        }
    }

    // Every kind of change undone gives back exactly the earlier tables, and
    // redone exactly the later ones.
    void undoRedoExact_data()
    {
        QTest::addColumn<int>("kind");
        const char *const kinds[] = {"typing", "insert",   "delete",    "move",   "sort",       "paste",
                                     "drop",   "tp paste", "tp delete", "import", "all regions"};
        for (int i = 0; i < int(std::size(kinds)); ++i)
            QTest::newRow(kinds[i]) << i;
    }

    void undoRedoExact()
    {
        QFETCH(int, kind);
        QTemporaryDir dir;
        const ProgramDir programDir(dir.path());
        auto t = editTables();
        // Leftovers beyond the TP counts must come back too.
        t->TPData(2, 5, 50) = {"left", "over", "", ""};
        const TPTables first = *t;
        QList<int> regions{2};
        if (kind == 10)
            regions = {0, 1, 2, 3};
        const TableChange::Before before(*t, regions);
        TPSortFlags flags;
        switch (kind) {
        case 0: t->SatData(2, 4).SatName = QStringLiteral("typed"); break;
        case 1:
            insertSatellite(*t, lists, 2, 0);
            --t->SatCount[2];
            break;
        case 2: deleteSatellite(*t, 2, 2); break;
        case 3: moveSatellites(*t, 2, {3, 4, 8}, false); break;
        case 4: sortSatellites(*t, 2, SatSortKey::Deg, flags); break;
        case 5:
            deleteSatellite(*t, 2, 0);
            deleteSatellite(*t, 2, 0);
            pasteSatellites(*t, lists, 2, copySatellites(*t, lists, 2, {6}), 1);
            break;
        case 6: dropSatellites(*t, lists, 2, copySatellites(*t, lists, 2, {0, 39}), {0, 39}, 19); break;
        case 7: pasteTPs(*t, 2, 6, copyTPs(*t, lists, 2, 7, {0, 2}), 0); break;
        case 8: deleteTP(*t, 2, 7, 1); break;
        case 9:
            ImportSatellite(programDir, *t, 2, 5, QStringLiteral("All Parsing"), {"00000", "0", "0000", "3"});
            break;
        case 10:
            for (int r = 0; r < RegionCount; ++r)
                ImportSatellite(programDir, *t, r, 0, QStringLiteral("All Parsing"), {"1", "0", "2", "3"});
            break;
        }
        const TableChange change(before, *t);
        QVERIFY(!change.isEmpty());
        const TPTables later = *t;
        change.undo(*t);
        QVERIFY(sameWorkingTables(*t, first));
        change.redo(*t);
        QVERIFY(sameWorkingTables(*t, later));
    }

    void changesAreSmallAndMerge()
    {
        auto t = editTables();
        const TableChange none(TableChange::Before(*t, {0, 1, 2, 3}), *t);
        QVERIFY(none.isEmpty());
        const TPTables first = *t;
        TableChange typing;
        for (const char *text : {"A", "AB", "ABC"}) {
            const TableChange::Before before(*t, {0});
            t->SatData(0, 9).SatName = QLatin1String(text);
            const TableChange step(before, *t);
            QVERIFY(step.byteSize() < 4000);  // one satellite, not the region
            if (typing.isEmpty())
                typing = step;
            else
                QVERIFY(typing.absorb(step));
        }
        const TableChange::Before before(*t, {0});
        t->SatData(0, 10).SatName = QStringLiteral("other row");
        QVERIFY(!TableChange(typing).absorb(TableChange(before, *t)));
        t->SatData(0, 10) = first.SatData(0, 10);
        QVERIFY(!typing.restoresItself());
        typing.undo(*t);
        QVERIFY(t->SatData == first.SatData);
        typing.redo(*t);
        QCOMPARE(t->SatData(0, 9).SatName, QStringLiteral("ABC"));
        const TableChange::Before typedBack(*t, {0});
        t->SatData(0, 9) = first.SatData(0, 9);
        QVERIFY(typing.absorb(TableChange(typedBack, *t)));
        QVERIFY(typing.restoresItself());
    }
};

QTEST_GUILESS_MAIN(TestTPEditing)
#include "tst_tp_editing.moc"
