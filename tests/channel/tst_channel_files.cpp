#include "ChannelTestData.h"
#include "channel/ChannelFiles.h"

#include <QBuffer>
#include <QTest>

namespace {

QByteArray twelveFields(const QByteArray &name)
{
    return name + "|1|2|3|4|5|6|7|8|9|10|11\r\n";
}

// What `reader` makes of a file holding `bytes`.
template <typename Reader>
auto readBytes(QByteArray bytes, Reader reader)
{
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return reader(buffer);
}

Status readFavorites(const QByteArray &bytes, ChannelTables &tables)
{
    return readBytes(
        bytes, [&tables](QIODevice &file) { return readFavoriteFile(file, QStringLiteral("Favorite.dll"), tables); });
}

// "index,attribute,extra;" per entry.
QString describe(const QList<ChannelEntry> &entries)
{
    QString text;
    for (const ChannelEntry &e : entries)
        text += QStringLiteral("%1,%2,%3;").arg(e.ChannelIndex).arg(e.Attribute).arg(e.Extra);
    return text;
}

const QByteArray kTwelveZeroLines = QByteArray(" 0 \r\n").repeated(12);

}  // namespace

class TestChannelFiles : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void romReader_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("records");
        QTest::addColumn<QByteArray>("name");  // of the last record
        QTest::addColumn<QString>("field11");  // its last field; fields 1 to 10 hold 1 to 10

        QTest::newRow("empty file") << QByteArray() << 0 << QByteArray() << QString();
        QTest::newRow("second line") << twelveFields("A") + twelveFields("Zwei") << 2 << QByteArray("Zwei") << "11";
        QTest::newRow("more than twelve fields keep the rest without bars")
            << QByteArray("N|1|2|3|4|5|6|7|8|9|10|11|x|y\r\n") << 1 << QByteArray("N") << "11xy";
        QTest::newRow("LF without CR is data, in the last field too")
            << QByteArray("N|1|2|3|4|5|6|7|8|9|10|1\n1\r\n") << 1 << QByteArray("N") << "1\n1";
        QTest::newRow("CR without LF vanishes") << twelveFields("N\rX") << 1 << QByteArray("NX") << "11";
        QTest::newRow("last line without CR LF loses its last field")
            << QByteArray("N|1|2|3|4|5|6|7|8|9|10|11") << 1 << QByteArray("N") << "";
        QTest::newRow("empty name") << twelveFields("") << 1 << QByteArray() << "11";
        QTest::newRow("raw bytes of any value")
            << twelveFields(QByteArray("\x00\xE9\xFF", 3)) << 1 << QByteArray("\x00\xE9\xFF", 3) << "11";
    }

    void romReader()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, records);
        const Result<QList<RomChannel>> rom =
            readBytes(file, [](QIODevice &f) { return readRomFile(f, QStringLiteral("ROM_GetCH.dll")); });
        QVERIFY(rom.ok());
        QCOMPARE(rom.value().size(), records);
        if (records == 0)
            return;
        const RomChannel &last = rom.value().last();
        QTEST(last.NameBytes, "name");
        QCOMPARE(last.Name, QString::fromLatin1(last.NameBytes));
        QCOMPARE(int(last.NameLast), int(last.NameBytes.size()) - 1);
        QCOMPARE(int(last.MyIndex), records - 1);
        for (int f = 0; f < 10; ++f)
            QCOMPARE(last.Fields[f], QString::number(f + 1));
        QTEST(last.Fields[10], "field11");
    }

    void romWriter()
    {
        const auto record = [](const QByteArray &name, int nameLast) {
            RomChannel r;
            r.NameBytes = name;
            r.NameLast = qint16(nameLast);
            for (int f = 0; f < 11; ++f)
                r.Fields[f] = QString::number(f + 1);
            return r;
        };
        const QList<RomChannel> rom{
            record(QByteArray("\x0A\x05", 2), 1),
            record(QByteArray(), 0),    // a rename to "" keeps NameLast 0 and no bytes
            record(QByteArray(), -1),   // an empty field 0 as read
            record("\xE9\x10\x0F", 2),  // hex digits of 16 and up, and one alone below it
        };

        QCOMPARE(romFileText(rom, NameForm::Hex), QByteArray("A5|1|2|3|4|5|6|7|8|9|10|11\r\n"
                                                             "0|1|2|3|4|5|6|7|8|9|10|11\r\n"
                                                             "|1|2|3|4|5|6|7|8|9|10|11\r\n"
                                                             "E910F|1|2|3|4|5|6|7|8|9|10|11\r\n"));
        static const char raw[] = "\x0A\x05|1|2|3|4|5|6|7|8|9|10|11\r\n"
                                  "\x00|1|2|3|4|5|6|7|8|9|10|11\r\n"
                                  "|1|2|3|4|5|6|7|8|9|10|11\r\n"
                                  "\xE9\x10\x0F|1|2|3|4|5|6|7|8|9|10|11\r\n";
        QCOMPARE(romFileText(rom, NameForm::Raw), QByteArray(raw, sizeof raw - 1));
    }

    void listReader_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("read");  // the entries as "index,attribute,extra;", or the error

        QTest::newRow("empty file") << QByteArray() << "";
        QTest::newRow("as written") << QByteArray("12,16, 0 \r\n3,0,-1 \r\n") << "12,16,0;3,0,-1;";
        QTest::newRow("spaces anywhere around numbers") << QByteArray(" 12 , 16 ,0\r\n") << "12,16,0;";
        QTest::newRow("numbers on separate lines") << QByteArray("1\r\n2\r\n3\r\n") << "1,2,3;";
        QTest::newRow("LF line ends, no final line end") << QByteArray("1,2,3\n4,5,6") << "1,2,3;4,5,6;";
        QTest::newRow("blank lines at the end") << QByteArray("1,2,3\r\n\r\n  \r\n") << "1,2,3;";
        QTest::newRow("16-bit extremes") << QByteArray("0,-32768,32767\r\n") << "0,-32768,32767;";
        QTest::newRow("not a number") << QByteArray("1,2,3\r\nx,1,1\r\n") << "TV.dll, line 2: \"x\" is not a number";
        QTest::newRow("number with trailing text")
            << QByteArray("1,2a,3\r\n") << "TV.dll, line 1: \"2a\" is not a number";
        QTest::newRow("empty number") << QByteArray("1,,3\r\n") << "TV.dll, line 1: a number is missing";
        QTest::newRow("entry cut short") << QByteArray("1,2")
                                         << "TV.dll, line 1: the file ends where a number is expected";
        QTest::newRow("out of 16-bit range, far")
            << QByteArray("1,2,-99999999999999999999\r\n")
            << "TV.dll, line 1: -99999999999999999999 is out of range (-32768 to 32767)";
        QTest::newRow("record that does not exist")
            << QByteArray("1,0,0\r\n100,0,0\r\n")
            << "TV.dll, line 2: channel record 100 does not exist (ROM_GetCH.dll holds 100)";
        QTest::newRow("negative record")
            << QByteArray("-1,0,0\r\n") << "TV.dll, line 1: channel record -1 does not exist (ROM_GetCH.dll holds 100)";
    }

    void listReader()
    {
        QFETCH(QByteArray, file);
        const Result<QList<ChannelEntry>> read =
            readBytes(file, [](QIODevice &f) { return readChannelListFile(f, QStringLiteral("TV.dll"), 100); });
        QTEST(read.ok() ? describe(read.value()) : read.error(), "read");
    }

    void listWriter()
    {
        QCOMPARE(channelListText({}), QByteArray());
        ChannelEntry a;
        a.ChannelIndex = 12;
        a.Attribute = 16;
        ChannelEntry b;
        b.ChannelIndex = 3;
        b.Extra = -1;
        // The reader's "as written" row reads this back.
        QCOMPARE(channelListText({a, b}), QByteArray("12,16, 0 \r\n3,0,-1 \r\n"));
    }

    void favoriteReader_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("error");

        const QByteArray radioZeros = QByteArray(" 0 \r\n").repeated(6);
        const QByteArray tvRest = QByteArray(" 0 \r\n").repeated(5);
        QTest::newRow("no favourites") << kTwelveZeroLines << "";
        QTest::newRow("group over 50")
            << " 51 \r\n" + QByteArray(" 0 \r\n").repeated(51) + tvRest + radioZeros
            << "Favorite.dll, line 1: favourite group F1 of the TV list holds 51 entries; at most 50 are allowed";
        QTest::newRow("negative count")
            << QByteArray(" 0 \r\n-1 \r\n")
            << "Favorite.dll, line 2: favourite group F2 of the TV list holds -1 entries; at most 50 are allowed";
        QTest::newRow("position past the list")
            << QByteArray(" 1 \r\n 4 \r\n") + tvRest + radioZeros
            << "Favorite.dll, line 2: favourite position 4 is not in the TV list (4 channels)";
        QTest::newRow("radio position past the list")
            << QByteArray(" 0 \r\n").repeated(6) + " 1 \r\n 2 \r\n" + tvRest
            << "Favorite.dll, line 8: favourite position 2 is not in the radio list (2 channels)";
        QTest::newRow("same channel twice")
            << QByteArray(" 2 \r\n 1 \r\n 1 \r\n") + tvRest + radioZeros
            << "Favorite.dll, line 3: favourite position 1 appears twice in group F1 of the TV list";
        QTest::newRow("ends early") << QByteArray(" 0 \r\n").repeated(11)
                                    << "Favorite.dll, line 12: the file ends where a number is expected";
        QTest::newRow("text after the last group") << kTwelveZeroLines + " 0 \r\n"
                                                   << "Favorite.dll, line 13: unexpected text after the twelfth group";
    }

    void favoriteReader()
    {
        QFETCH(QByteArray, file);
        ChannelTables tables = withoutFavorites(sampleTables(4, 2));
        const Status read = readFavorites(file, tables);
        QTEST(read.error(), "error");
    }

    void favoritesRoundTrip()
    {
        const ChannelTables written = sampleTables(4, 2);
        const QByteArray text = favoriteFileText(written);
        // TV groups hold 3, 4, 4, 4, 4, 4 entries from the end of the list; radio groups 2 each.
        QVERIFY(text.startsWith(" 3 \r\n 3 \r\n 2 \r\n 1 \r\n 4 \r\n 3 \r\n"));
        QCOMPARE(text.count("\r\n"), 12 + 3 + 5 * 4 + 6 * 2);

        ChannelTables read = withoutFavorites(written);
        // MyIndex is not stored; it comes back from the master record of each channel.
        std::swap(read.Rom[2].MyIndex, read.Rom[3].MyIndex);
        QVERIFY(readFavorites(text, read).ok());
        QCOMPARE(read.Channels, written.Channels);
        QCOMPARE(read.Favorites[ChannelTV][0].CHIndex, written.Favorites[ChannelTV][0].CHIndex);
        QCOMPARE(read.Favorites[ChannelTV][0].MyIndex[0], qint16(2));  // position 3: record 3, MyIndex now 2
        QCOMPARE(read.Favorites[ChannelTV][0].MyIndex[1], qint16(3));  // position 2: record 2, MyIndex now 3

        ChannelTables none;
        QCOMPARE(favoriteFileText(none), kTwelveZeroLines);
    }
};

QTEST_GUILESS_MAIN(TestChannelFiles)
#include "tst_channel_files.moc"
