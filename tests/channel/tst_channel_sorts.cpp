#include "ChannelTestData.h"
#include "channel/ChannelFind.h"
#include "channel/ChannelSorts.h"
#include "common/ExchangeSort.h"

#include <QRandomGenerator>
#include <QTest>

#include <algorithm>

namespace {

// A loaded model whose TV list holds channels of the given names, in order.
struct Named : LoadedChannels {
    explicit Named(const QStringList &names, int radio = 0)
        : LoadedChannels(withoutFavorites(namedTables(names, radio)))
    {
    }
};

// The name sort swap by swap, on the names themselves: compare every i with every
// later j, exchange when the comparison answers the direction. Answers where
// each entry came from.
QList<int> referenceExchangeSort(const QStringList &names, int direction)
{
    QList<int> order;
    for (qsizetype i = 0; i < names.size(); ++i)
        order.append(int(i));
    for (qsizetype i = 0; i < names.size(); ++i) {
        for (qsizetype j = i + 1; j < names.size(); ++j) {
            const int c = names[order[i]].toUpper().compare(names[order[j]].toUpper());
            if ((c > 0 ? 1 : c < 0 ? -1 : 0) == direction)
                order.swapItemsAt(i, j);
        }
    }
    return order;
}

// a A to Z, z Z to A, l lock sort, f favourite sort, t type switch to radio
void step(ChannelEditing &editing, char s)
{
    switch (s) {
    case 'a': editing.sortByName(1); break;
    case 'z': editing.sortByName(-1); break;
    case 'l': editing.sortByLock(); break;
    case 'f': editing.sortByFavorite(); break;
    case 't': editing.switchType(ChannelRadio); break;
    default: break;
    }
}

}  // namespace

class TestChannelSorts : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void nameSort_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<int>("direction");
        QTest::addColumn<QStringList>("sorted");
        const QStringList bAa{QStringLiteral("b"), QStringLiteral("A"), QStringLiteral("a")};
        QTest::newRow("A to Z of b, A, a") << bAa << 1 << QStringList{"A", "a", "b"};
        QTest::newRow("Z to A of b, A, a") << bAa << -1 << QStringList{"b", "A", "a"};
        QTest::newRow("binary after upper-casing")
            << QStringList{"_x", "Zed", "10", QStringLiteral("\u00e9t\u00e9"), "Ab"} << 1
            << QStringList{"10", "Ab", "Zed", "_x", QStringLiteral("\u00e9t\u00e9")};
        QTest::newRow("empty list") << QStringList{} << 1 << QStringList{};
    }

    void nameSort()
    {
        QFETCH(QStringList, names);
        QFETCH(int, direction);
        Named data(names);
        data.editing.sortByName(direction);
        QTEST(data.names(), "sorted");
    }

    void exchangeSortMatchesTheQuadraticSort()
    {
        QRandomGenerator random(20261207);
        const QStringList pieces{"a", "A", "b", "B", "ab", "AB", "\u00e0", "\u00c0", "", "1", " "};
        for (int round = 0; round < 300; ++round) {
            QStringList names;
            const int n = int(random.bounded(1, 40));
            for (int i = 0; i < n; ++i)
                names.append(pieces[random.bounded(int(pieces.size()))] + pieces[random.bounded(int(pieces.size()))]);
            const int direction = round % 2 ? -1 : 1;
            QList<QString> keys;
            for (const QString &name : names)
                keys.append(upperName(name));
            QCOMPARE(exchangeSortOrder(keys, direction), referenceExchangeSort(names, direction));
        }
    }

    // The flagged channels go to one end, each side keeping its order.
    void flagSortsPartitionStably()
    {
        QRandomGenerator random(4000);
        for (int round = 0; round < 100; ++round) {
            QList<ChannelEntry> list;
            for (int i = 0; i < int(random.bounded(0, 30)); ++i) {
                ChannelEntry e;
                e.ChannelIndex = qint16(i);
                e.Attribute = qint16(random.bounded(2) ? 17 : 1);
                list.append(e);
            }
            const bool last = round % 2;
            QList<ChannelEntry> expected = list;
            std::stable_partition(expected.begin(), expected.end(),
                                  [last](const ChannelEntry &e) { return isLocked(e) != last; });
            sortChannelsByFlag(list, isLocked, last);
            QCOMPARE(list, expected);
        }
    }

    void favoritesFollowSorts()
    {
        Named data({"d", "B", "a", "C", "e", "f"});
        data.editing.setFavorite(0, {4, 1}, true);     // e, B
        data.editing.setFavorite(2, {0, 4, 3}, true);  // d, e, C
        // Names of the entries, each marked when its channel is not flagged for the group.
        auto groupNames = [&data](int g) {
            const FavoriteGroup &fav = data.model.tables().Favorites[0][g];
            QStringList n;
            for (int k = 0; k < fav.Count; ++k) {
                const bool flagged = data.editing.list()[fav.CHIndex[k]].FavoriteFlag[g] == 1;
                n.append(data.editing.channelName(fav.CHIndex[k]) + (flagged ? "" : "?"));
            }
            return n;
        };
        for (const char sort : {'a', 'z', 'f', 'l'}) {
            step(data.editing, sort);
            QCOMPARE(groupNames(0), QStringList({"e", "B"}));
            QCOMPARE(groupNames(2), QStringList({"d", "e", "C"}));
        }
        data.editing.switchType(ChannelTV);
        data.editing.sortByFavorite();
        for (int p = 0; p < 4; ++p)
            QVERIFY(data.editing.Favorite_Extant(p + 1));
        QVERIFY(!data.editing.Favorite_Extant(5));
    }

    void sortFlags_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QList<bool>>("flags");
        QTest::newRow("A to Z") << "a" << QList<bool>{true, false, false};
        QTest::newRow("Z to A") << "az" << QList<bool>{false, false, false};
        QTest::newRow("lock toggles") << "l" << QList<bool>{false, true, false};
        QTest::newRow("lock twice") << "ll" << QList<bool>{false, false, false};
        QTest::newRow("lock clears name") << "al" << QList<bool>{false, true, false};
        QTest::newRow("name clears lock") << "la" << QList<bool>{true, false, false};
        QTest::newRow("favourite clears lock") << "lf" << QList<bool>{false, false, true};
        QTest::newRow("lock clears favourite") << "fl" << QList<bool>{false, true, false};
        QTest::newRow("type switch clears all") << "alft" << QList<bool>{false, false, false};
        QTest::newRow("type switch then favourite") << "ft f" << QList<bool>{false, false, true};
    }

    void sortFlags()
    {
        QFETCH(QString, steps);
        Named data({"x", "y", "z"}, 2);
        for (const QChar s : steps)
            step(data.editing, s.toLatin1());
        QFETCH(QList<bool>, flags);
        const SortFlags &state = data.editing.SortState();
        QCOMPARE(QList<bool>(state.begin(), state.end()), flags);
    }

    void planFind_data()
    {
        QTest::addColumn<bool>("tv");
        QTest::addColumn<bool>("radio");
        QTest::addColumn<int>("currentType");
        QTest::addColumn<QList<int>>("start");  // first, last, start type, start position; empty: no plan
        QTest::newRow("neither") << false << false << 0 << QList<int>{};
        QTest::newRow("both from TV") << true << true << 0 << QList<int>{0, 1, 0, 3};
        QTest::newRow("both from radio") << true << true << 1 << QList<int>{0, 1, 1, 3};
        QTest::newRow("TV shown") << true << false << 0 << QList<int>{0, 0, 0, 3};
        QTest::newRow("radio while TV shown") << false << true << 0 << QList<int>{1, 1, 1, 0};
        QTest::newRow("TV while radio shown") << true << false << 1 << QList<int>{0, 0, 0, 0};
    }

    void planFind()
    {
        QFETCH(bool, tv);
        QFETCH(bool, radio);
        QFETCH(int, currentType);
        const std::optional<FindStart> plan = ::planFind(tv, radio, currentType, 3);
        QTEST(plan ? QList<int>({plan->firstType, plan->lastType, plan->startType, plan->startPosition}) : QList<int>(),
              "start");
    }

    void findChannel_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<int>>("start");  // first, last, start type, start position
        QTest::addColumn<QList<int>>("hit");    // type, position, match start; empty: not found
        // TV: "BBC", "NEWS 24", "sky news"; radio: "Radio News", "Jazz"
        QTest::newRow("lower case finds upper") << "ews" << QList<int>{0, 0, 0, 0} << QList<int>{0, 1, 1};
        QTest::newRow("after the selected row") << "news" << QList<int>{0, 0, 0, 2} << QList<int>{0, 2, 4};
        QTest::newRow("wraps to the top") << "news" << QList<int>{0, 0, 0, 3} << QList<int>{0, 1, 0};
        QTest::newRow("only match is the selected row") << "bbc" << QList<int>{0, 0, 0, 1} << QList<int>{0, 0, 0};
        QTest::newRow("both types go on into radio") << "news" << QList<int>{0, 1, 0, 3} << QList<int>{1, 0, 6};
        QTest::newRow("radio wraps back to TV") << "news" << QList<int>{0, 1, 1, 1} << QList<int>{0, 1, 0};
        QTest::newRow("radio alone") << "a" << QList<int>{1, 1, 1, 0} << QList<int>{1, 0, 1};
        QTest::newRow("no match") << "cnn" << QList<int>{0, 1, 0, 0} << QList<int>{};
        QTest::newRow("empty text") << "" << QList<int>{0, 1, 0, 0} << QList<int>{};
    }

    void findChannel()
    {
        QFETCH(QString, text);
        QFETCH(QList<int>, start);
        Named data({"BBC", "NEWS 24", "sky news", "Radio News", "Jazz"}, 0);
        ChannelTables t = data.model.tables();
        t.Channels[ChannelRadio] = t.Channels[ChannelTV].mid(3);
        t.Channels[ChannelTV] = t.Channels[ChannelTV].mid(0, 3);
        const std::optional<FindHit> found = ::findChannel(t, text, {start[0], start[1], start[2], start[3]});
        const QList<int> got = found ? QList<int>{found->type, found->position, found->start} : QList<int>{};
        QTEST(got, "hit");
    }
};

QTEST_GUILESS_MAIN(TestChannelSorts)
#include "tst_channel_sorts.moc"
