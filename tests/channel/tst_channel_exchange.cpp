// Channel lists to and from a spreadsheet file, and the order of a reference list.
#include "ChannelTestData.h"
#include "channel/ChannelArrange.h"
#include "channel/ChannelCsv.h"
#include "channel/ChannelOrder.h"
#include "channel/CsvText.h"

#include <QTest>

#include <algorithm>

namespace {

// TV channels of the given names, then two radio channels; no locks, no favourites.
ChannelTables named(const QStringList &tv)
{
    ChannelTables t = withoutFavorites(namedTables(tv, 2));
    for (auto &list : t.Channels)
        for (ChannelEntry &e : list)
            e.Attribute = 1;
    return t;
}

// Puts the channels at `positions` of the list into favourite group g, in that order.
void setGroup(ChannelTables &t, int type, int g, const QList<int> &positions)
{
    for (const int p : positions)
        t.Channels[type][p].FavoriteFlag[g] = 1;
    t.Favorites[type][g].Count = qint16(positions.size());
    std::copy(positions.begin(), positions.end(), t.Favorites[type][g].CHIndex.begin());
}

QStringList names(const ChannelTables &t, int type = ChannelTV)
{
    QStringList out;
    for (const ChannelEntry &e : t.Channels[type])
        out.append(t.Rom[e.ChannelIndex].Name);
    return out;
}

QStringList lockedNames(const ChannelTables &t, int type = ChannelTV)
{
    QStringList out;
    for (const ChannelEntry &e : t.Channels[type])
        if (e.Attribute & LockBit)
            out.append(t.Rom[e.ChannelIndex].Name);
    return out;
}

// The exported file with line `line` (1-based) replaced; lines past the end are appended.
QByteArray withLine(const QByteArray &csv, int line, const QByteArray &text)
{
    QList<QByteArray> lines = csv.split('\n');
    lines.removeLast();  // after the last CR LF
    while (lines.size() < line)
        lines.append(QByteArray());
    lines[line - 1] = text + '\r';
    return lines.join('\n') + '\n';
}

// "One", "Two", "Three", then "C0", "C1" and on: n names.
QStringList tvNames(int n)
{
    QStringList tv{"One", "Two", "Three"};
    for (int i = 0; tv.size() < n; ++i)
        tv.append(QStringLiteral("C%1").arg(i));
    return tv.mid(0, n);
}

}  // namespace

class TestChannelExchange : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void readCsv_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QStringList>("rows");  // fields joined by "|", or "!line: error"

        QTest::newRow("plain, CR LF") << QByteArray("a,b\r\nc,d\r\n") << QStringList{"a|b", "c|d"};
        QTest::newRow("LF alone, no last line end") << QByteArray("a,b\nc,") << QStringList{"a|b", "c|"};
        QTest::newRow("byte order mark, empty lines")
            << QByteArray("\xEF\xBB\xBFx\r\n\r\n\ny\r\n") << QStringList{"x", "y"};
        QTest::newRow("quoted comma, doubled quote")
            << QByteArray("\"a,b\",\"say \"\"hi\"\"\"\r\n") << QStringList{"a,b|say \"hi\""};
        QTest::newRow("line break inside quotes")
            << QByteArray("\"a\r\nb\",c\r\nd\r\n") << QStringList{"a\r\nb|c", "d"};
        QTest::newRow("quote inside a plain field")
            << QByteArray("a\"b,c\r\nd\r\n") << QStringList{"!1: a quote inside an unquoted field", "d"};
        QTest::newRow("text after the closing quote")
            << QByteArray("x\r\n\"a\"b,c\r\nd\r\n") << QStringList{"x", "!2: text after a closing quote", "d"};
        QTest::newRow("quote never closed")
            << QByteArray("x\r\n\"a,b\r\nc\r\n") << QStringList{"x", "!2: a quoted field is not closed"};
    }

    void readCsv()
    {
        QFETCH(QByteArray, text);
        QFETCH(QStringList, rows);
        QStringList got;
        for (const CsvRow &row : ::readCsv(text))
            got.append(row.error.isEmpty() ? row.fields.join(QLatin1Char('|'))
                                           : QStringLiteral("!%1: %2").arg(row.line).arg(row.error));
        QCOMPARE(got, rows);
    }

    void exportText()
    {
        ChannelTables t = named({"Plain", "A, \"B\"", QString::fromLatin1("Caf\xE9"), " Pad"});
        t.Channels[ChannelTV][2].Attribute = 17;
        setGroup(t, ChannelTV, 0, {3, 1});
        t.Channels.back().resize(1);
        const QByteArray expected = kCsvHeader + "TV,1,Plain,0,,,,,,,TV,1,Plain\r\n"
                                                 "TV,2,\"A, \"\"B\"\"\",0,2,,,,,,TV,2,\"A, \"\"B\"\"\"\r\n"
                                                 "TV,3,Caf\xC3\xA9,1,,,,,,,TV,3,Caf\xC3\xA9\r\n"
                                                 "TV,4,\" Pad\",0,1,,,,,,TV,4,\" Pad\"\r\n"
                                                 "Radio,1,CH 4,0,,,,,,,Radio,1,CH 4\r\n";
        QCOMPARE(exportChannelCsv(t), expected);
    }

    void exportThenImportGivesTheSameTables()
    {
        ChannelTables t = sampleTables(120, 30);
        // Names the files can hold but the name box would not make: none, and a zero byte.
        nameRecord(t.Rom[5], QByteArray());
        nameRecord(t.Rom[6], QByteArray(1, '\0'));
        const QStringList awkward{"a,b", "say \"x\"", QString::fromLatin1("\xC4rger \xDF\xFF"), " lead", "trail "};
        for (int i = 0; i < 5; ++i)
            setChannelName(t.Rom[7 + i], awkward[i]);
        const Result<ChannelTables> back = importChannelCsv(t, exportChannelCsv(t));
        QVERIFY2(back.ok(), qPrintable(back.error()));
        QVERIFY(back.value() == t);
    }

    void editsInTheFileAreApplied()
    {
        ChannelTables t = named({"One", "Two", "Three", "Four", "Five"});
        setGroup(t, ChannelTV, 0, {0, 1});
        // Rows reordered, Three renamed and locked, Two out of F1 into F2 after
        // Five; Four left out.
        const QByteArray csv = kCsvHeader + "TV,1,Five,0,,1,,,,,TV,5,Five\r\n"
                                            "TV,2,Drei,1,,,,,,,TV,3,Three\r\n"
                                            "TV,3,One,0,1,,,,,,TV,1,One\r\n"
                                            "TV,4,Two,0,,2,,,,,TV,2,Two\r\n";
        const Result<ChannelTables> got = importChannelCsv(t, csv);
        QVERIFY2(got.ok(), qPrintable(got.error()));
        const ChannelTables &n = got.value();
        QCOMPARE(names(n), (QStringList{"Five", "Drei", "One", "Two", "Four"}));
        QCOMPARE(names(n, ChannelRadio), names(t, ChannelRadio));
        QCOMPARE(lockedNames(n), QStringList{"Drei"});
        QCOMPARE(groupNames(n, ChannelTV, 0), QStringList{"One"});
        QCOMPARE(groupNames(n, ChannelTV, 1), (QStringList{"Five", "Two"}));
        QCOMPARE(n.Channels[ChannelTV][3].FavoriteFlag, (std::array<qint16, 6>{0, 1, 0, 0, 0, 0}));
    }

    void badFiles_data()
    {
        QTest::addColumn<QByteArray>("csv");
        QTest::addColumn<QString>("error");

        const QByteArray good = exportChannelCsv(named(tvNames(3)));
        QTest::newRow("no header") << QByteArray("TV,1,One,0,,,,,,,TV,1,One\r\n")
                                   << "line 1: the header "
                                      "\"type,position,name,lock,F1,F2,F3,F4,F5,F6,orig_type,orig_position,orig_name\" "
                                      "is missing";
        QTest::newRow("every bad line named")
            << withLine(withLine(good, 2, "TV,1,One,0,,,,,,,TV,1,Eins"), 4, "TV,3,Three,yes,,,,,,,TV,3,Three")
            << "line 2: unknown channel: TV 1 \"Eins\"\nline 4: malformed: lock \"yes\" is neither 1 nor 0";
        QTest::newRow("given twice") << withLine(good, 4, "TV,3,One,0,,,,,,,TV,1,One")
                                     << "line 4: the channel is given twice (also on line 2)";
        QTest::newRow("name over 16") << withLine(good, 2, "TV,1,ABCDEFGHIJKLMNOPQ,0,,,,,,,TV,1,One")
                                      << "line 2: the name \"ABCDEFGHIJKLMNOPQ\" is over 16 characters";
        QTest::newRow("bar") << withLine(good, 3, "TV,2,a|b,0,,,,,,,TV,2,Two")
                             << "line 3: the name \"a|b\" holds a character outside ISO-8859-1, \"|\" or a control "
                                "character";
        QTest::newRow("fields missing") << withLine(good, 3, "TV,2,Two,0,,,,,,TV,2,Two")
                                        << "line 3: malformed: 12 fields, 13 expected";
        QTest::newRow("broken quote") << withLine(good, 3, "TV,2,Tw\"o,0,,,,,,,TV,2,Two")
                                      << "line 3: malformed: a quote inside an unquoted field";
        QTest::newRow("unknown type") << withLine(good, 3, "Sat,2,Two,0,,,,,,,TV,2,Two")
                                      << "line 3: malformed: the type is neither TV nor Radio";
        QTest::newRow("type changed") << withLine(good, 3, "Radio,2,Two,0,,,,,,,TV,2,Two")
                                      << "line 3: a channel cannot move between TV and Radio";
        QTest::newRow("favourite place") << withLine(good, 3, "TV,2,Two,0,,,x,,,,TV,2,Two")
                                         << "line 3: malformed: F3 \"x\" is not a place in the group";
        QTest::newRow("row number") << withLine(good, 3, "TV,2,Two,0,,,,,,,TV,-2,Two")
                                    << "line 3: malformed: orig_position \"-2\" is not a row number";

        // 52 channels in F1: the two beyond the 50th are named.
        QByteArray full = exportChannelCsv(named(tvNames(52)));
        full.replace(",0,,,,,,,TV,", ",0,1,,,,,,TV,");
        QTest::newRow("favourite group over 50")
            << full << "line 52: favourite group F1 of TV is over 50\nline 53: favourite group F1 of TV is over 50";
    }

    void badFiles()
    {
        QFETCH(QByteArray, csv);
        // A TV channel for each row but the header and the two radio rows; at least the good file's three.
        const ChannelTables t = named(tvNames(std::max(3, int(csv.count('\n')) - 3)));
        QTEST(importChannelCsv(t, csv).error(), "error");
    }

    void orderLike_data()
    {
        QTest::addColumn<QStringList>("current");
        QTest::addColumn<QStringList>("reference");
        QTest::addColumn<QStringList>("order");
        QTest::addColumn<QString>("report");

        QTest::newRow("matched first, the rest in their order")
            << QStringList{"A", "B", "C", "D", "E"} << QStringList{"D", "X", "B"}
            << QStringList{"D", "B", "A", "C", "E"}
            << "Matched 2 of 7 channels.\nNot in the reference:\nTV: A\nTV: C\nTV: E\nRadio: CH 5\nRadio: CH 6";
        QTest::newRow("case and surrounding spaces")
            << QStringList{"news 24", " Sport"} << QStringList{"SPORT ", "  News 24"}
            << QStringList{" Sport", "news 24"}
            << "Matched 2 of 4 channels.\nNot in the reference:\nRadio: CH 2\nRadio: CH 3";
        QTest::newRow("a repeated name matches in turn")
            << QStringList{"Dup", "A", "Dup"} << QStringList{"Dup", "A", "Dup", "Dup"} << QStringList{"Dup", "A", "Dup"}
            << "Matched 3 of 5 channels.\nNot in the reference:\nRadio: CH 3\nRadio: CH 4";
    }

    void orderLike()
    {
        QFETCH(QStringList, current);
        QFETCH(QStringList, reference);
        QFETCH(QStringList, order);
        QFETCH(QString, report);
        ChannelTables t = named(current);
        t.Channels[ChannelTV][0].Extra = 7;
        ChannelTables ref = named(reference);
        ref.Channels[ChannelRadio].clear();
        const OrderedChannels got = ::orderLike(t, referenceOf(ref), false);
        QCOMPARE(names(got.tables), order);
        // Of a repeated name the first goes first.
        QCOMPARE(got.tables.Channels[ChannelTV][order.indexOf(current[0])].Extra, qint16(7));
        QCOMPARE(got.report(), report);
    }

    void orderLikeTakesLocksAndFavorites()
    {
        ChannelTables t = named({"A", "B", "C"});
        t.Channels[ChannelTV][0].Attribute = 17;  // A locked, in F1
        setGroup(t, ChannelTV, 0, {0});
        ChannelTables reference = named({"c", "a"});
        reference.Channels[ChannelTV][0].Attribute = 17;  // C locked, C and A in F2 in that order
        setGroup(reference, ChannelTV, 1, {0, 1});

        const OrderedChannels kept = ::orderLike(t, referenceOf(reference), false);
        QCOMPARE(names(kept.tables), (QStringList{"C", "A", "B"}));
        QCOMPARE(lockedNames(kept.tables), QStringList{"A"});
        QCOMPARE(groupNames(kept.tables, ChannelTV, 0), QStringList{"A"});

        const OrderedChannels taken = ::orderLike(t, referenceOf(reference), true);
        QCOMPARE(lockedNames(taken.tables), QStringList{"C"});
        QCOMPARE(groupNames(taken.tables, ChannelTV, 0), QStringList{});
        QCOMPARE(groupNames(taken.tables, ChannelTV, 1), (QStringList{"C", "A"}));
        QCOMPARE(taken.tables.Channels[ChannelTV][0].FavoriteFlag, (std::array<qint16, 6>{0, 1, 0, 0, 0, 0}));

        // A reference given as an exported file orders the same way.
        const Result<QList<ReferenceChannel>> fromFile = referenceFromCsv(exportChannelCsv(reference));
        QVERIFY(fromFile.ok());
        QVERIFY(::orderLike(t, fromFile.value(), true).tables == taken.tables);
    }
};

QTEST_GUILESS_MAIN(TestChannelExchange)
#include "tst_channel_exchange.moc"
