#include "ChannelImage.h"
#include "ChannelTestData.h"

#include <QTest>
#include <QtEndian>

#include <functional>

using ImageChange = std::function<void(QByteArray &)>;
using TablesChange = std::function<void(ChannelTables &)>;
Q_DECLARE_METATYPE(ImageChange)
Q_DECLARE_METATYPE(TablesChange)

namespace {

void setU16(QByteArray &image, qsizetype at, int value)
{
    qToLittleEndian<quint16>(quint16(value), reinterpret_cast<uchar *>(image.data()) + at);
}

// Offsets written out, so a change of the layout shows up here.
constexpr qsizetype Record0 = 64;
constexpr qsizetype TVList = 200064;
constexpr qsizetype Favorites = 260064;

}  // namespace

class TestChannelImage : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void buildAndParseRoundTrip()
    {
        ChannelTables tables = sampleTables(40, 12, 3);
        nameRecord(tables.Rom[0], QByteArray("\x0A\x05\x00\xFF\n", 5));  // any byte but CR and "|"
        nameRecord(tables.Rom[1], "0123456789ABCDEF");
        nameRecord(tables.Rom[2], QByteArray());
        tables.Rom[3].Fields = {"0", "65535", "1", "2", "3", "4", "5", "6", "7", "8", "9"};
        tables.Channels[ChannelTV][1].Attribute = -1;
        tables.Channels[ChannelTV][1].Extra = -32768;

        const Result<QByteArray> image = ChannelImage::build(tables);
        QVERIFY2(image.ok(), qPrintable(image.error()));
        QCOMPARE(image.value().left(8), QByteArray("TVKCHAN1"));
        const Result<ChannelTables> parsed = ChannelImage::parse(image.value());
        QVERIFY2(parsed.ok(), qPrintable(parsed.error()));
        QCOMPARE(parsed.value(), tables);
        QCOMPARE(ChannelImage::build(parsed.value()).value(), image.value());

        const Result<ChannelTables> empty = ChannelImage::parse(ChannelImage::build(ChannelTables()).value());
        QVERIFY(empty.ok());
        QCOMPARE(empty.value(), ChannelTables());
    }

    void parseRefuses_data()
    {
        QTest::addColumn<ImageChange>("change");
        QTest::addColumn<QString>("error");

        QTest::newRow("one byte short") << ImageChange([](QByteArray &i) { i.chop(1); })
                                        << "the image is 262143 bytes long; a channel image is exactly 262144 bytes";
        QTest::newRow("no mark") << ImageChange([](QByteArray &i) { i[0] = 'X'; })
                                 << "this is not a channel image (no channel image mark at its start)";
        QTest::newRow("other version") << ImageChange([](QByteArray &i) { setU16(i, 8, 2); })
                                       << "channel image version 2 is not known";
        QTest::newRow("too many records") << ImageChange([](QByteArray &i) { setU16(i, 10, 5001); })
                                          << "the image claims 5001 channel records; at most 5000 fit";
        QTest::newRow("too many radio channels") << ImageChange([](QByteArray &i) { setU16(i, 14, 5001); })
                                                 << "the image claims 5001 radio channels; at most 5000 fit";
        QTest::newRow("header byte") << ImageChange([](QByteArray &i) { i[63] = 1; })
                                     << "the image header has unknown content";
        QTest::newRow("long name") << ImageChange([](QByteArray &i) { i[Record0] = 17; })
                                   << "channel record 0 has a name of 17 bytes; at most 16 fit";
        QTest::newRow("byte after the name")
            << ImageChange([](QByteArray &i) { i[Record0 + 17] = 1; }) << "channel record 0 has bytes after its name";
        QTest::newRow("CR in a name") << ImageChange([](QByteArray &i) { i[Record0 + 40 + 1] = '\r'; })
                                      << "the name of channel record 1 holds a CR or \"|\" byte";
        QTest::newRow("bar in a name") << ImageChange([](QByteArray &i) { i[Record0 + 1] = '|'; })
                                       << "the name of channel record 0 holds a CR or \"|\" byte";
        QTest::newRow("unused record") << ImageChange([](QByteArray &i) { i[Record0 + 40 * 10 + 20] = 1; })
                                       << "unused channel record 10 is not empty";
        QTest::newRow("record that does not exist") << ImageChange([](QByteArray &i) { setU16(i, TVList + 6, 10); })
                                                    << "TV list entry 1 names channel record 10, which does not exist";
        QTest::newRow("unused list entry")
            << ImageChange([](QByteArray &i) { i[TVList + 6 * 6 + 5] = 1; }) << "unused TV list entry 6 is not empty";
        QTest::newRow("group over 50") << ImageChange([](QByteArray &i) { setU16(i, Favorites + 102, 51); })
                                       << "favourite group F2 of the TV list claims 51 entries; at most 50 fit";
        QTest::newRow("favourite past the list")
            << ImageChange([](QByteArray &i) { setU16(i, Favorites + 102 * 6 + 2, 3); })
            << "favourite group F1 of the radio list names position 3, which is not in the list or is named twice";
        QTest::newRow("favourite twice") << ImageChange([](QByteArray &i) {
            setU16(i, Favorites + 4, 5);
        }) << "favourite group F1 of the TV list names position 5, which is not in the list or is named twice";
        QTest::newRow("unused favourite") << ImageChange([](QByteArray &i) { setU16(i, Favorites + 2 + 2 * 49, 1); })
                                          << "unused entries of favourite group F1 of the TV list are not empty";
        QTest::newRow("unused end") << ImageChange([](QByteArray &i) { i[262143] = 1; })
                                    << "the unused end of the image is not empty";
    }

    void parseRefuses()
    {
        QFETCH(ImageChange, change);
        QByteArray image = ChannelImage::build(sampleTables(6, 3, 1)).value();
        change(image);
        QTEST(ChannelImage::parse(image).error(), "error");
    }

    void buildRefuses_data()
    {
        QTest::addColumn<TablesChange>("change");
        QTest::addColumn<QString>("error");

        QTest::newRow("more records than fit")
            << TablesChange([](ChannelTables &t) { t = sampleTables(4000, 1000, 1); })
            << "ROM_GetCH.dll holds 5001 channel records; a channel image holds at most 5000";
        QTest::newRow("more channels than fit") << TablesChange([](ChannelTables &t) {
            t = sampleTables(1, 0);
            t.Channels[ChannelRadio].fill(t.Channels[ChannelTV][0], 5001);
        }) << "Radio.dll holds 5001 channels; a channel image holds at most 5000";
        QTest::newRow("17-byte name") << TablesChange([](ChannelTables &t) {
            t.Rom[2].NameBytes = QByteArray(17, 'x');
        }) << "ROM_GetCH.dll, line 3: the name is 17 bytes long; at most 16 fit in a channel image";
        QTest::newRow("bar in a name") << TablesChange([](ChannelTables &t) { t.Rom[0].NameBytes = "a|b"; })
                                       << "ROM_GetCH.dll, line 1: a channel name cannot hold a CR or \"|\" byte";
        QTest::newRow("leading zero") << TablesChange([](ChannelTables &t) {
            t.Rom[0].Fields[0] = QStringLiteral("007");
        }) << "ROM_GetCH.dll, line 1: field 1 is \"007\", not a number from 0 to 65535";
        QTest::newRow("negative field") << TablesChange([](ChannelTables &t) {
            t.Rom[0].Fields[10] = QStringLiteral("-1");
        }) << "ROM_GetCH.dll, line 1: field 11 is \"-1\", not a number from 0 to 65535";
        QTest::newRow("field over 16 bits")
            << TablesChange([](ChannelTables &t) { t.Rom[1].Fields[4] = QStringLiteral("65536"); })
            << "ROM_GetCH.dll, line 2: field 5 is \"65536\", not a number from 0 to 65535";
        QTest::newRow("empty field") << TablesChange([](ChannelTables &t) { t.Rom[1].Fields[4].clear(); })
                                     << "ROM_GetCH.dll, line 2: field 5 is \"\", not a number from 0 to 65535";
    }

    void buildRefuses()
    {
        QFETCH(TablesChange, change);
        ChannelTables tables = sampleTables(6, 3);
        change(tables);
        QTEST(ChannelImage::build(tables).error(), "error");
    }

    void hexNamesDecoded_data()
    {
        QTest::addColumn<QByteArray>("hex");
        QTest::addColumn<QByteArray>("source");  // the name of the same record in the source image
        QTest::addColumn<QByteArray>("bytes");

        QTest::newRow("typed name") << QByteArray("4142") << QByteArray("XY") << QByteArray("AB");
        QTest::newRow("unchanged name with bytes below 16")
            << QByteArray("A5") << QByteArray("\x0A\x05", 2) << QByteArray("\x0A\x05", 2);
        QTest::newRow("renamed name is read in pairs") << QByteArray("A5") << QByteArray("Q") << QByteArray("\xA5");
        QTest::newRow("renamed to empty") << QByteArray("0") << QByteArray("Q") << QByteArray(1, '\0');
        QTest::newRow("zeros stand alone") << QByteArray("410042") << QByteArray() << QByteArray("A\0\0B", 4);
        QTest::newRow("odd digit at the end") << QByteArray("4142F") << QByteArray() << QByteArray("AB\x0F");
        QTest::newRow("empty") << QByteArray() << QByteArray("Q") << QByteArray();
        QTest::newRow("lower case") << QByteArray("4a") << QByteArray() << QByteArray("J");
    }

    void hexNamesDecoded()
    {
        QFETCH(QByteArray, hex);
        QFETCH(QByteArray, source);
        QFETCH(QByteArray, bytes);
        QList<RomChannel> rom(1);
        rom[0].NameBytes = hex;
        QList<RomChannel> sourceRom(1);
        sourceRom[0].NameBytes = source;
        QVERIFY(ChannelImage::decodeHexNames(rom, sourceRom).ok());
        QCOMPARE(rom[0].NameBytes, bytes);
        QCOMPARE(rom[0].Name, QString::fromLatin1(bytes));
        QCOMPARE(int(rom[0].NameLast), bytes.size() - 1);

        rom[0].NameBytes = "41G2";
        QCOMPARE(ChannelImage::decodeHexNames(rom, {}).error(),
                 QStringLiteral("ROM_GetCH.dll, line 1: the name \"41G2\" is not hexadecimal"));
    }
};

QTEST_GUILESS_MAIN(TestChannelImage)
#include "tst_channel_image.moc"
