#include "ChannelTestData.h"
#include "channel/ChannelListModel.h"
#include "channel/FavoriteListModel.h"

#include <QAbstractItemModelTester>
#include <QTest>

class TestChannelEditing : public QObject {
    Q_OBJECT
private slots:
    void move_data();
    void move();
    void lockBits_data();
    void lockBits();
    void favoriteLimitWithSeveralChannels();
    void favoriteAddAgainAndDelete();
    void favoriteOrderSurvivesMoves();
    void favoriteReorder();
    void renameBytes_data();
    void renameBytes();
    void typeSwitchWithEmptyLists();
    void listModels();
};

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

QList<int> range(int from, int to)
{
    QList<int> r;
    for (int i = from; i <= to; ++i)
        r.append(i);
    return r;
}

}  // namespace

void TestChannelEditing::move_data()
{
    QTest::addColumn<QList<int>>("selectedRows");
    QTest::addColumn<int>("target");
    QTest::addColumn<QList<int>>("order");
    QTest::addColumn<QList<int>>("landedRows");
    QTest::newRow("2 and 4 onto 6") << QList<int>{2, 4} << 6 << QList<int>{1, 3, 5, 2, 4, 6, 7, 8, 9, 10}
                                    << QList<int>{4, 5};
    QTest::newRow("below the last") << QList<int>{2, 4} << 11 << QList<int>{1, 3, 5, 6, 7, 8, 9, 10, 2, 4}
                                    << QList<int>{9, 10};
    QTest::newRow("upwards") << QList<int>{7, 9} << 2 << QList<int>{1, 7, 9, 2, 3, 4, 5, 6, 8, 10} << QList<int>{2, 3};
    QTest::newRow("onto a moved row") << QList<int>{3, 4} << 4 << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}
                                      << QList<int>{3, 4};
}

void TestChannelEditing::move()
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

void TestChannelEditing::lockBits_data()
{
    QTest::addColumn<int>("attribute");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("result");
    QTest::newRow("lock 1") << 1 << 1 << 17;
    QTest::newRow("unlock 272") << 272 << 0 << 0;
    QTest::newRow("unlock 17") << 17 << 0 << 1;
    QTest::newRow("other value") << 17 << 2 << 17;
}

void TestChannelEditing::lockBits()
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

void TestChannelEditing::favoriteLimitWithSeveralChannels()
{
    Loaded data(60, 0);
    QCOMPARE(data.editing.setFavorite(2, range(0, 48), true), 0);
    QCOMPARE(data.editing.setFavorite(2, {50, 51, 52}, true), 2);
    const FavoriteGroup &g = data.model.tables().Favorites[0][2];
    QCOMPARE(int(g.Count), 50);
    QCOMPARE(int(g.CHIndex[49]), 50);
    QVERIFY(data.editing.Favorite_Extant(51));
    QVERIFY(!data.editing.Favorite_Extant(52));
    QVERIFY(!data.model.ChannelDataUnchanged());
}

void TestChannelEditing::favoriteAddAgainAndDelete()
{
    Loaded data(5, 0);
    data.editing.setFavorite(1, {4, 0, 2}, true);
    data.model.SaveChannelFiles();
    QCOMPARE(data.editing.Favorite_ADD(1, 0), ChannelEditing::AddOutcome::Present);
    QVERIFY(data.model.ChannelDataUnchanged());
    QVERIFY(data.editing.Favorite_DEL(1, 0));
    QVERIFY(!data.editing.Favorite_DEL(1, 0));
    const FavoriteGroup &g = data.model.tables().Favorites[0][1];
    QCOMPARE(int(g.Count), 2);
    QCOMPARE(QList<int>({g.CHIndex[0], g.CHIndex[1]}), QList<int>({4, 2}));
    QVERIFY(!data.model.ChannelDataUnchanged());
}

void TestChannelEditing::favoriteOrderSurvivesMoves()
{
    Loaded data(10, 0);
    data.editing.setFavorite(0, {8, 1, 5}, true);  // channels 9, 2, 6 in that order
    data.editing.moveChannels({1, 8}, 1);
    data.editing.moveChannels({5}, 11);
    const FavoriteGroup &g = data.model.tables().Favorites[0][0];
    QList<int> channels;
    for (int k = 0; k < g.Count; ++k)
        channels.append(data.editing.list()[g.CHIndex[k]].ChannelIndex + 1);
    QCOMPARE(channels, QList<int>({9, 2, 6}));
    for (int k = 0; k < g.Count; ++k)
        QCOMPARE(int(data.editing.list()[g.CHIndex[k]].FavoriteFlag[0]), 1);
}

void TestChannelEditing::favoriteReorder()
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

void TestChannelEditing::renameBytes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("latin-1") << QStringLiteral("Caf\u00e9 24") << true << QByteArray("Caf\xe9 24");
    QTest::newRow("empty") << QString() << true << QByteArray(1, '\0');
    QTest::newRow("bar") << QStringLiteral("A|B") << false << QByteArray("CH 1");
    QTest::newRow("line feed") << QStringLiteral("A\nB") << false << QByteArray("CH 1");
    QTest::newRow("carriage return") << QStringLiteral("A\rB") << false << QByteArray("CH 1");
    QTest::newRow("byte 31") << QStringLiteral("A\x1f") << false << QByteArray("CH 1");
    QTest::newRow("space and tilde") << QStringLiteral(" ~") << true << QByteArray(" ~");
    QTest::newRow("outside latin-1") << QStringLiteral("\u20ac") << false << QByteArray("CH 1");
}

void TestChannelEditing::renameBytes()
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

void TestChannelEditing::typeSwitchWithEmptyLists()
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

void TestChannelEditing::listModels()
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

QTEST_GUILESS_MAIN(TestChannelEditing)
#include "tst_channel_editing.moc"
