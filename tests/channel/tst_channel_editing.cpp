#include "ChannelTestData.h"
#include "channel/ChannelHistory.h"
#include "channel/ChannelListModel.h"
#include "channel/FavoriteListModel.h"

#include <QAbstractItemModelTester>
#include <QTest>

#include <functional>

namespace {

// A loaded model of `tv` TV and `radio` radio channels, saved, so it counts as unchanged.
struct Loaded : LoadedChannels {
    Loaded(int tv, int radio, bool noFavorites = true)
        : LoadedChannels(noFavorites ? withoutFavorites(sampleTables(tv, radio)) : sampleTables(tv, radio))
    {
    }
    QList<int> order() const
    {
        QList<int> o;
        for (const ChannelEntry &e : editing.list())
            o.append(e.ChannelIndex + 1);
        return o;
    }
};

using Edit = std::function<void(ChannelEditing &)>;

struct Recorded {
    ChannelSnapshot before;
    ChannelSnapshot after;
    QString what;
};

// The sample tables, loaded, with each step the editing rules announce.
struct Recording : LoadedChannels {
    QList<Recorded> steps;
    Recording() : LoadedChannels(sampleTables(12, 5))
    {
        QObject::connect(
            &editing, &ChannelEditing::edited, &editing,
            [this](const ChannelSnapshot &b, const ChannelSnapshot &a, const QString &what, const QString &) {
                steps.append({b, a, what});
            });
    }
    // The four files a save writes, in the order of writing.
    QList<QByteArray> savedFiles()
    {
        model.SaveChannelFiles();
        QList<QByteArray> files;
        for (const char *name : {"TV.dll", "Radio.dll", "Favorite.dll", "ROM_GetCH.dll"})
            files.append(contents(dir.filePath(QLatin1String(name))));
        return files;
    }
};

}  // namespace

class TestChannelEditing : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void move_data()
    {
        QTest::addColumn<QList<int>>("selectedRows");
        QTest::addColumn<int>("target");
        QTest::addColumn<QList<int>>("order");
        QTest::addColumn<QList<int>>("landedRows");
        QTest::newRow("2 and 4 onto 6") << QList<int>{2, 4} << 6 << QList<int>{1, 3, 5, 2, 4, 6, 7, 8, 9, 10}
                                        << QList<int>{4, 5};
        QTest::newRow("below the last") << QList<int>{2, 4} << 11 << QList<int>{1, 3, 5, 6, 7, 8, 9, 10, 2, 4}
                                        << QList<int>{9, 10};
        QTest::newRow("upwards") << QList<int>{7, 9} << 2 << QList<int>{1, 7, 9, 2, 3, 4, 5, 6, 8, 10}
                                 << QList<int>{2, 3};
        QTest::newRow("onto a moved row")
            << QList<int>{3, 4} << 4 << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10} << QList<int>{3, 4};
    }

    void move()
    {
        QFETCH(QList<int>, selectedRows);
        QFETCH(int, target);
        Loaded data(10, 2);
        QList<int> positions;
        for (const int r : selectedRows)
            positions.append(r - 1);
        QList<int> landed = data.editing.moveChannels(positions, target);
        for (int &p : landed)
            ++p;
        QTEST(data.order(), "order");
        QTEST(landed, "landedRows");
        QCOMPARE(data.model.ChannelDataUnchanged(), data.order() == range(1, 10));
    }

    void lockBits_data()
    {
        QTest::addColumn<int>("attribute");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("result");
        QTest::newRow("lock 1") << 1 << 1 << 17;
        QTest::newRow("unlock 272") << 272 << 0 << 0;
        QTest::newRow("unlock 17") << 17 << 0 << 1;
        QTest::newRow("other value") << 17 << 2 << 17;
    }

    void lockBits()
    {
        QFETCH(int, attribute);
        QFETCH(int, value);
        Loaded data(3, 0);
        data.model.tables().Channels[0][1].Attribute = qint16(attribute);
        data.model.SaveChannelFiles();
        data.editing.SaveLockBit(2, value);
        QTEST(int(data.editing.list()[1].Attribute), "result");
        QCOMPARE(data.editing.GetLockBit(2), qint16(data.editing.list()[1].Attribute & 16));
        QCOMPARE(data.model.ChannelDataUnchanged(), attribute == data.editing.list()[1].Attribute);
    }

    void favoriteLimitWithSeveralChannels()
    {
        Loaded data(60, 0);
        QCOMPARE(data.editing.setFavorite(2, range(0, 48), true), 0);
        QCOMPARE(data.editing.setFavorite(2, {50, 51, 52}, true), 2);
        QCOMPARE(groupNames(data.model.tables(), ChannelTV, 2).mid(48), QStringList({"CH 48", "CH 50"}));
        QVERIFY(data.editing.Favorite_Extant(51));
        QVERIFY(!data.editing.Favorite_Extant(52));
    }

    void favoriteAddAgainAndDelete()
    {
        Loaded data(5, 0);
        data.editing.setFavorite(1, {4, 0, 2}, true);
        data.model.SaveChannelFiles();
        QCOMPARE(data.editing.Favorite_ADD(1, 0), ChannelEditing::AddOutcome::Present);
        QVERIFY(data.model.ChannelDataUnchanged());
        QVERIFY(data.editing.Favorite_DEL(1, 0));
        QVERIFY(!data.editing.Favorite_DEL(1, 0));
        QCOMPARE(groupNames(data.model.tables(), ChannelTV, 1), QStringList({"CH 4", "CH 2"}));
    }

    void favoriteOrderSurvivesMoves()
    {
        Loaded data(10, 0);
        data.editing.setFavorite(0, {8, 1, 5}, true);  // in that order
        data.editing.moveChannels({1, 8}, 1);
        data.editing.moveChannels({5}, 11);
        QCOMPARE(groupNames(data.model.tables(), ChannelTV, 0), QStringList({"CH 8", "CH 1", "CH 5"}));
        const FavoriteGroup &g = data.model.tables().Favorites[0][0];
        for (int k = 0; k < g.Count; ++k)
            QCOMPARE(int(data.editing.list()[g.CHIndex[k]].FavoriteFlag[0]), 1);
    }

    void favoriteReorder()
    {
        Loaded data(6, 0);
        data.editing.setFavorite(3, {0, 1, 2, 3}, true);
        data.model.SaveChannelFiles();
        data.editing.setFavoriteTab(3);
        QCOMPARE(data.editing.moveFavorites(3, {0, 2}, 5), QList<int>({2, 3}));
        QCOMPARE(data.editing.favoriteViewPositions(), QList<int>({1, 3, 0, 2}));
        QVERIFY(!data.model.ChannelDataUnchanged());
        for (int p = 0; p < 4; ++p)
            QCOMPARE(int(data.editing.list()[p].FavoriteFlag[3]), 1);
    }

    void renameBytes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("latin-1") << QStringLiteral("Caf\u00e9 24") << true << QByteArray("Caf\xe9 24");
        QTest::newRow("empty") << QString() << true << QByteArray(1, '\0');
        QTest::newRow("bar") << QStringLiteral("A|B") << false << QByteArray("CH 1");
        QTest::newRow("byte 31") << QStringLiteral("A\x1f") << false << QByteArray("CH 1");
        QTest::newRow("space and tilde") << QStringLiteral(" ~") << true << QByteArray(" ~");
        QTest::newRow("outside latin-1") << QStringLiteral("\u20ac") << false << QByteArray("CH 1");
    }

    void renameBytes()
    {
        QFETCH(QString, text);
        Loaded data(3, 0);
        QTEST(data.editing.rename(1, text), "accepted");
        const RomChannel &r = data.model.tables().Rom[1];
        QTEST(r.NameBytes, "bytes");
        QCOMPARE(int(r.NameLast), int(r.NameBytes.size()) - 1);
        QFETCH(bool, accepted);
        QCOMPARE(data.model.ChannelDataUnchanged(), !accepted);
    }

    void typeSwitchWithEmptyLists()
    {
        Loaded none(0, 0);
        QVERIFY(!none.editing.switchType(ChannelTV));
        QVERIFY(!none.model.DataLoaded());
        Loaded radioOnly(0, 2);
        QVERIFY(radioOnly.editing.switchType(ChannelTV));
        QCOMPARE(radioOnly.editing.rowCount(), 0);
        QVERIFY(radioOnly.editing.switchType(ChannelRadio));
        QCOMPARE(radioOnly.editing.rowCount(), 2);
    }

    void listModels()
    {
        Loaded data(10, 3, false);
        ChannelListModel list(data.editing);
        FavoriteListModel favorites(data.editing);
        QAbstractItemModelTester listTester(&list);
        QAbstractItemModelTester favoriteTester(&favorites);
        QCOMPARE(list.index(0, 1).data().toString(), QStringLiteral("CH 0"));
        QCOMPARE(list.index(0, 2).data().toString(), QStringLiteral("*"));
        QCOMPARE(list.index(9, 3).data().toString(), QStringLiteral("*"));
        QCOMPARE(list.index(9, 4).data().toString(), QStringLiteral("9"));
        data.editing.setFavoriteTab(ChannelEditing::LockTab);
        QCOMPARE(favorites.rowCount(), 4);  // CH 0, 3, 6, 9 are locked
        data.editing.switchType(ChannelRadio);
        QCOMPARE(list.rowCount(), 3);
        QCOMPARE(list.index(0, 1).data().toString(), QStringLiteral("CH 10"));
    }

    void stepsRestoreExactTables_data()
    {
        QTest::addColumn<Edit>("edit");
        QTest::addColumn<QString>("what");
        QTest::newRow("rename") << Edit([](ChannelEditing &e) { e.rename(2, QStringLiteral("NEW")); }) << "Rename";
        QTest::newRow("empty name") << Edit([](ChannelEditing &e) { e.rename(0, QString()); }) << "Rename";
        QTest::newRow("lock") << Edit([](ChannelEditing &e) { e.setLocked({1, 2, 4}, true); }) << "Lock";
        QTest::newRow("unlock") << Edit([](ChannelEditing &e) { e.setLocked({0, 3}, false); }) << "Lock";
        QTest::newRow("favourite add") << Edit([](ChannelEditing &e) { e.setFavorite(1, {0, 2}, true); }) << "Favorite";
        QTest::newRow("favourite delete") << Edit([](ChannelEditing &e) {
            e.setFavorite(0, {11, 10}, false);
        }) << "Favorite";
        QTest::newRow("move") << Edit([](ChannelEditing &e) { e.moveChannels({9, 10, 11}, 1); }) << "Move";
        QTest::newRow("favourite move") << Edit([](ChannelEditing &e) {
            e.moveFavorites(5, {0, 1}, 9);
        }) << "Move favorites";
        QTest::newRow("A to Z") << Edit([](ChannelEditing &e) { e.sortByName(1); }) << "Sort";
        QTest::newRow("lock sort") << Edit([](ChannelEditing &e) { e.sortByLock(); }) << "Sort";
        QTest::newRow("favourite sort") << Edit([](ChannelEditing &e) { e.sortByFavorite(); }) << "Sort";
        QTest::newRow("radio list") << Edit([](ChannelEditing &e) {
            e.switchType(ChannelRadio);
            e.sortByName(-1);
        }) << "Sort";
    }

    void stepsRestoreExactTables()
    {
        QFETCH(Edit, edit);
        Recording data;
        const ChannelTables earlier = data.model.tables();
        const QList<QByteArray> earlierFiles = data.savedFiles();
        edit(data.editing);
        const ChannelTables later = data.model.tables();
        const QList<QByteArray> laterFiles = data.savedFiles();
        QVERIFY(later != earlier);
        QCOMPARE(data.steps.size(), 1);
        QTEST(data.steps[0].what, "what");

        data.editing.switchType(data.steps[0].before.type == ChannelTV ? ChannelRadio : ChannelTV);
        data.editing.restore(data.steps[0].before);
        QVERIFY(data.model.tables() == earlier);
        QCOMPARE(data.editing.CurrentType(), data.steps[0].before.type);
        QCOMPARE(data.savedFiles(), earlierFiles);
        data.editing.restore(data.steps[0].after);
        QVERIFY(data.model.tables() == later);
        QCOMPARE(data.savedFiles(), laterFiles);
        QCOMPARE(data.steps.size(), 1);  // restoring is not a step
    }

    void nestedAndEmptySteps()
    {
        Recording data;
        {
            ChannelEditing::EditStep outer(data.editing, QStringLiteral("Drop"));
            data.editing.setLocked({0}, true);
            data.editing.setFavorite(2, {0, 1}, true);
        }
        QCOMPARE(data.steps.size(), 1);
        QCOMPARE(data.steps[0].what, QStringLiteral("Drop"));
        // What changes nothing is no step: a channel already in the group, a lock already set.
        data.editing.setFavorite(2, {0}, true);
        data.editing.setLocked({0}, true);
        data.editing.sortByName(1);
        data.editing.sortByName(1);
        QCOMPARE(data.steps.size(), 2);
        // The sort flags come back with the step, so a header click after an undo
        // sorts as it would have before.
        QCOMPARE(data.steps[1].after.sortState, (SortFlags{true, false, false}));
        data.editing.restore(data.steps[1].before);
        QCOMPARE(data.editing.SortState(), (SortFlags{false, false, false}));
    }

    void restoreAfterSaveIsClean()
    {
        Recording data;
        data.editing.rename(1, QStringLiteral("A"));
        data.model.SaveChannelFiles();
        data.editing.sortByLock();
        QVERIFY(!data.model.ChannelDataUnchanged());
        data.editing.restore(data.steps.last().before);
        QVERIFY(data.model.ChannelDataUnchanged());
        data.editing.restore(data.steps.first().before);
        QVERIFY(!data.model.ChannelDataUnchanged());
    }

    void dropRoomForFavorites()
    {
        Recording data;  // TV group 0 holds 3 of the 12 channels: positions 11, 10, 9
        QCOMPARE(data.editing.favoriteAdditions(0, {9, 0, 0, 1, 99}), 2);
        QCOMPARE(data.editing.favoriteAdditions(0, {11, 10}), 0);
    }

    void historyWalksBackAndForth()
    {
        Recording data;
        QList<ChannelTables> states{data.model.tables()};
        QList<ChannelHistoryStep> history;
        QObject::connect(&data.editing, &ChannelEditing::edited, &data.editing,
                         [&](const ChannelSnapshot &before, const ChannelSnapshot &after) {
                             history.append(ChannelHistoryStep(before, after));
                             states.append(data.model.tables());
                         });
        data.editing.rename(3, QStringLiteral("THREE"));
        data.editing.sortByName(1);
        data.editing.rename(0, QStringLiteral("ZERO"));
        data.editing.setLocked({0, 5}, true);
        data.editing.switchType(ChannelRadio);
        data.editing.rename(1, QString());
        data.editing.moveChannels({0}, 4);
        QCOMPARE(history.size(), 6);
        for (qsizetype k = history.size() - 1; k >= 0; --k) {
            data.editing.restore(history[k].before(data.model.tables().Rom));
            QVERIFY2(data.model.tables() == states[k], qPrintable(QString::number(k)));
        }
        for (qsizetype k = 0; k < history.size(); ++k) {
            data.editing.restore(history[k].after(data.model.tables().Rom));
            QVERIFY2(data.model.tables() == states[k + 1], qPrintable(QString::number(k)));
        }

        // Typing merged into one step undoes to before its first key (the editor's
        // typing test); typing back to the old name merges into a step that changes nothing.
        const qsizetype run = history.size();
        const QString old = data.editing.channelName(2);
        data.editing.rename(2, QStringLiteral("X"));
        data.editing.rename(2, old);
        ChannelHistoryStep back = history[run];
        QVERIFY(!back.changesNothing());
        QVERIFY(back.mergeNext(history[run + 1]));
        QVERIFY(back.changesNothing());
    }
};

QTEST_GUILESS_MAIN(TestChannelEditing)
#include "tst_channel_editing.moc"
