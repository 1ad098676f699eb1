// The TP image layout: what it keeps, what it refuses.
#include "TPTestData.h"

#include "TPImage.h"

#include <QTest>
#include <QtEndian>

namespace {

// One satellite per region with one TP; everything else empty with count 0.
void smallTables(SatTable &sats, TPTable &tps)
{
    for (int r = 0; r < RegionCount; ++r) {
        for (int s = 0; s < MaxSat; ++s)
            sats(r, s).TPCount = QStringLiteral("0");
    }
    sats(0, 0) = {"12", "Satellite Name (0192)", "1", "4", "192"};
    tps(0, 0, 0) = {"11778", "1", "27500", "3"};
    // 11 nibbles: the stream ends in the middle of a byte.
    sats(0, 1).TPCount = "1";
    tps(0, 1, 0) = {"384", "0", "27500", "3"};
}

QByteArray smallImage()
{
    SatTable sats;
    TPTable tps;
    smallTables(sats, tps);
    return combineTPImage(sats, tps).value();
}

}  // namespace

class TestTPImage : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void combineThenParse()
    {
        auto sats = std::make_unique<SatTable>();
        auto tps = std::make_unique<TPTable>();
        fillSaveableTables(*sats, *tps, 11);
        const Result<QByteArray> image = combineTPImage(*sats, *tps);
        QVERIFY2(image.ok(), qPrintable(image.error()));

        auto satsBack = std::make_unique<SatTable>();
        auto tpsBack = std::make_unique<TPTable>();
        const Status parsed = parseTPImage(image.value(), *satsBack, *tpsBack);
        QVERIFY2(parsed.ok(), qPrintable(parsed.error()));
        QCOMPARE(fileContentDifference(*sats, *tps, *satsBack, *tpsBack), QString());
        QCOMPARE(combineTPImage(*satsBack, *tpsBack).value(), image.value());
    }

    void knownBytes()
    {
        const QByteArray image = smallImage();
        QCOMPARE(image.left(16), QByteArray("TARVIKTP\x01\x00\x02\x00\x0c\x00\x00\x00", 16));
        QCOMPARE(image.mid(16, 52), QByteArray("\x01\x02"
                                               "12\0\0\0\0\0\0"
                                               "\x15Satellite Name (0192)\0\0\0\0\0\0\0\0\0\0\0"
                                               "\x01"
                                               "4\0"
                                               "\x03"
                                               "192\0"
                                               "\0",
                                               52));
        QCOMPARE(image.mid(16 + 52, 52), QByteArray("\x01", 1) + QByteArray(51, '\0'));
        QCOMPARE(image.mid(10000, 12), QByteArray("\x11\x77\x81\x27\x50\x03\x38\x4f\x02\x75\x00\x30", 12));
        QCOMPARE(image.mid(10012).count('\0'), 262144 - 10012);
    }

    // Field texts survive as typed, within the boxes' lengths.
    void fieldTexts_data()
    {
        QTest::addColumn<QStringList>("sat");  // Diseqc, SatName, TPCount, ParseSort, Deg
        QTest::addColumn<QStringList>("tp");   // Freq, Polar, SR, FEC
        QTest::newRow("leading zeros") << QStringList{"00000000", "Sat (0000)", "1", "00", "0000"}
                                       << QStringList{"03840", "0", "02963", "0"};
        QTest::newRow("short fields") << QStringList{"", "", "1", "", "1"} << QStringList{"1", "", "", ""};
        QTest::newRow("blanks") << QStringList{" ", "  Name  (1) ", "1", "0", " 19 "}
                                << QStringList{"1 2 3", " ", "  ", " "};
        QTest::newRow("other bytes") << QStringList{"1a", QString::fromUtf8("Hisp\u00e1sat \"\u00fe\" (0300)"), "1",
                                                    "8", "30E"}
                                     << QStringList{"\u00ff\t\x01z", "V", "S/R", "_"};
        QTest::newRow("longest") << QStringList{"12345678", QString(32, QLatin1Char('x')), "1", "08", "3592"}
                                 << QStringList{"12750", "1", "45000", "8"};
        QTest::newRow("quote inside") << QStringList{"0", "A \"B\" (1)", "1", "0", "1"}
                                      << QStringList{"1\"2", "0", "2", "3"};
    }
    void fieldTexts()
    {
        QFETCH(QStringList, sat);
        QFETCH(QStringList, tp);
        SatTable sats;
        TPTable tps;
        smallTables(sats, tps);
        sats(3, 47) = {sat[0], sat[1], sat[2], sat[3], sat[4]};
        tps(3, 47, 0) = {tp[0], tp[1], tp[2], tp[3]};
        const Result<QByteArray> image = combineTPImage(sats, tps);
        QVERIFY2(image.ok(), qPrintable(image.error()));
        SatTable satsBack;
        TPTable tpsBack;
        const Status parsed = parseTPImage(image.value(), satsBack, tpsBack);
        QVERIFY2(parsed.ok(), qPrintable(parsed.error()));
        const SatRecord &s = satsBack(3, 47);
        QCOMPARE((QStringList{s.Diseqc, s.SatName, s.TPCount, s.ParseSort, s.Deg}), sat);
        const TPRecord &t = tpsBack(3, 47, 0);
        QCOMPARE((QStringList{t.Freq, t.Polar, t.SR, t.FEC}), tp);
        QCOMPARE(tpsBack(0, 0, 0).Freq, QStringLiteral("11778"));
    }

    void refusedFields_data()
    {
        QTest::addColumn<int>("field");  // 0..4 satellite fields of EU 48, 5..8 its first TP's
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("error");
        const QString prefix = QStringLiteral("Cannot make the TP image: the ");
        QTest::newRow("name too long") << 1 << QString(33, QLatin1Char('x'))
                                       << prefix + "SatName of satellite 48 of region EU is longer than 32 characters.";
        QTest::newRow("position too long")
            << 4 << QStringLiteral("01920") << prefix + "Deg of satellite 48 of region EU is longer than 4 characters.";
        QTest::newRow("diseqc too long") << 0 << QStringLiteral("123456789")
                                         << prefix + "Diseqc of satellite 48 of region EU is longer than 8 characters.";
        QTest::newRow("parse option 9")
            << 3 << QStringLiteral("9")
            << prefix + "ParseSort of satellite 48 of region EU is not a parse option from 0 to 8.";
        QTest::newRow("pipe in a name") << 1 << QStringLiteral("A|B")
                                        << prefix + "SatName of satellite 48 of region EU holds a \"|\".";
        QTest::newRow("110 TPs") << 2 << QStringLiteral("110")
                                 << QStringLiteral(
                                        "Cannot make the TP image: satellite 48 of region EU has the TP count "
                                        "\"110\"; 0 to 109 fit.");
        QTest::newRow("empty count") << 2 << QString()
                                     << QStringLiteral("Cannot make the TP image: satellite 48 of region EU has the TP "
                                                       "count \"\"; 0 to 109 fit.");
        QTest::newRow("frequency too long")
            << 5 << QStringLiteral("123456")
            << prefix + "Freq of TP 1 of satellite 48 of region EU is longer than 5 characters.";
        QTest::newRow("FEC 10") << 8 << QStringLiteral("10")
                                << prefix + "FEC of TP 1 of satellite 48 of region EU is longer than 1 characters.";
        QTest::newRow("comma") << 7 << QStringLiteral("1,2")
                               << prefix + "SR of TP 1 of satellite 48 of region EU holds a comma.";
        QTest::newRow("wide character") << 6 << QStringLiteral("\u0416")
                                        << prefix + "Polar of TP 1 of satellite 48 of region EU holds a character that "
                                                    "single-byte text cannot hold.";
    }
    void refusedFields()
    {
        QFETCH(int, field);
        QFETCH(QString, text);
        QFETCH(QString, error);
        SatTable sats;
        TPTable tps;
        smallTables(sats, tps);
        SatRecord &sat = sats(3, 47);
        TPRecord &tp = tps(3, 47, 0);
        sat = {"0", "A (1)", "1", "0", "1"};
        tp = {"1", "0", "2", "3"};
        QString *const fields[] = {&sat.Diseqc, &sat.SatName, &sat.TPCount, &sat.ParseSort, &sat.Deg,
                                   &tp.Freq,    &tp.Polar,    &tp.SR,       &tp.FEC};
        *fields[field] = text;
        QCOMPARE(combineTPImage(sats, tps).error(), error);
    }

    void capacity()
    {
        auto sats = std::make_unique<SatTable>();
        auto tps = std::make_unique<TPTable>();
        const auto fill = [&sats, &tps](const TPRecord &tp) {
            for (int r = 0; r < RegionCount; ++r) {
                for (int s = 0; s < MaxSat; ++s) {
                    (*sats)(r, s) = {"1", "S (1)", "109", "0", "0192"};
                    for (int t = 0; t < MaxTP; ++t)
                        (*tps)(r, s, t) = tp;
                }
            }
        };
        // Every TP of a full set fits in its common form.
        fill({"3840", "1", "4340", "8"});
        const Result<QByteArray> full = combineTPImage(*sats, *tps);
        QVERIFY2(full.ok(), qPrintable(full.error()));
        QCOMPARE(qFromLittleEndian<quint16>(full.value().constData() + 10), quint16(20928));

        // Letters take three nibbles each: a full set of them does not fit, and says so.
        fill({"ABCDE", "1", "WXYZ", "8"});
        QCOMPARE(combineTPImage(*sats, *tps).error(),
                 QStringLiteral("Cannot make the TP image: the TPs need 313920 bytes, but only 252144 are free."));
    }

    // A valid image with one change that the combiner would never write.
    void refusedImages_data()
    {
        QTest::addColumn<int>("offset");  // -1: cut one byte off, -2: add one
        QTest::addColumn<char>("value");
        QTest::addColumn<QString>("error");
        QTest::newRow("short") << -1 << '\0' << "it is 262143 bytes long instead of 262144";
        QTest::newRow("long") << -2 << '\0' << "it is 262145 bytes long instead of 262144";
        QTest::newRow("name") << 0 << 'X' << "it does not begin with \"TARVIKTP\"";
        QTest::newRow("version") << 8 << '\x02' << "its layout version is 2, not 1";
        QTest::newRow("TP total") << 10 << '\x03' << "its header counts 3 TPs, its satellites 2";
        QTest::newRow("stream too short")
            << 12 << '\x07' << "the Freq of TP 1 of satellite 2 of region AM: the TP stream ends early";
        QTest::newRow("stream too long") << 12 << '\x0d' << "its TP stream is not 13 bytes long as its header says";
        QTest::newRow("stream past the end") << 14 << '\x7f' << "its TP stream of 8323084 bytes would run past the end";
        QTest::newRow("110 TPs") << 16 << '\x6e' << "satellite 1 of region AM has 110 TPs, more than 109";
        QTest::newRow("field length") << 17 << '\x09' << "the Diseqc of satellite 1 of region AM is 9 bytes long";
        QTest::newRow("stray byte in a field")
            << 20 << 'x' << "the Diseqc of satellite 1 of region AM is followed by stray bytes";
        QTest::newRow("line end in a name") << 27 << '\n' << "the SatName of satellite 1 of region AM holds a line end";
        QTest::newRow("record end") << 67 << '\x01'
                                    << "the record of satellite 1 of region AM does not end in a zero byte";
        QTest::newRow("unused code")
            << 10000 << '\xb1'
            << "the Freq of TP 1 of satellite 1 of region AM: the TP stream holds the unused code 11";
        QTest::newRow("digit in full") << 10000 << '\xe3'
                                       << "the Freq of TP 1 of satellite 1 of region AM: a digit or blank is written "
                                          "out in full";
        QTest::newRow("half byte after the stream")
            << 10011 << '\x31' << "the last half byte of its TP stream is not zero";
        QTest::newRow("byte after the stream")
            << 10012 << '\x01' << "the unused space after the TPs is not zero (byte 10012)";
        QTest::newRow("after the stream")
            << 262143 << '\x01' << "the unused space after the TPs is not zero (byte 262143)";
    }
    void refusedImages()
    {
        QFETCH(int, offset);
        QFETCH(char, value);
        QFETCH(QString, error);
        QByteArray image = smallImage();
        if (offset == -1)
            image.chop(1);
        else if (offset == -2)
            image.append('\0');
        else
            image[offset] = value;
        SatTable sats;
        TPTable tps;
        QCOMPARE(parseTPImage(image, sats, tps).error(), QStringLiteral("Not a TP image: ") + error + '.');
    }
};

QTEST_GUILESS_MAIN(TestTPImage)

#include "tst_tp_image.moc"
