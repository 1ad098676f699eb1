// The import of downloaded satellite files: column rules, the repeated
// transponder, the parse options, the cap and the file of a position.
#include "support/TempProgramDir.h"
#include "tp/SdxImport.h"

#include <QtTest>

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

TPRecord tp(const char *freq, const char *polar, const char *sr, const char *fec)
{
    return {QLatin1String(freq), QLatin1String(polar), QLatin1String(sr), QLatin1String(fec)};
}

}  // namespace

class TestTPSdxImport : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void columns_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("count");
        QTest::addColumn<TPRecord>("record");
        QTest::newRow("Ku, horizontal 1")
            << line("TMPG2", "11362", '1', "22000") << 1 << tp("11362", "0", "22000", "2");
        QTest::newRow("leading 0 dropped")
            << line("TMPG2", "03840", '1', "27500") << 1 << tp("3840", "0", "27500", "2");
        QTest::newRow("3 is horizontal") << line("TMPG2", "11362", '3', "22000") << 1 << tp("11362", "0", "22000", "2");
        QTest::newRow("2 is vertical") << line("TMPG2", "11362", '2', "22000") << 1 << tp("11362", "1", "22000", "2");
        QTest::newRow("blank is vertical")
            << line("TMPG2", "11362", ' ', "22000") << 1 << tp("11362", "1", "22000", "2");
        QTest::newRow("symbol rate leading 0")
            << line("TMPG2", "11362", '1', "06111") << 1 << tp("11362", "0", "6111", "2");
        QTest::newRow("FEC _ is 3") << line("TMPG2", "11362", '1', "22000", '_') << 1 << tp("11362", "0", "22000", "3");
        QTest::newRow("three underscores shift")
            << line("TMPG2", "11362", '1', "27500", '5', "12___345") << 1 << tp("11362", "0", "27500", "5");
        QTest::newRow("one underscore, leading 0")
            << line("TMPG2", "11362", '1', "02750", '7', "1234567_") << 1 << tp("11362", "0", "2750", "7");
        QTest::newRow("NTSC") << line("TNTSC", "11362", '1', "22000") << 1 << tp("11362", "0", "22000", "2");
        QTest::newRow("____ with type _")
            << line("_____", "11362", '1', "22000") << 1 << tp("11362", "0", "22000", "2");
        QTest::newRow("other system") << line("TDVB2", "11362", '1', "22000") << 0 << TPRecord();
        QTest::newRow("other type") << line("XMPG2", "11362", '1', "22000") << 0 << TPRecord();
        QTest::newRow("frequency 0") << line("TMPG2", "00000", '1', "22000") << 0 << TPRecord();
        QTest::newRow("symbol rate 0") << line("TMPG2", "11362", '1', "00000") << 0 << TPRecord();
        QTest::newRow("short line") << QByteArray("0192 Test                   TMPG2 11362\r\n") << 0 << TPRecord();
        QTest::newRow("no line end") << line("TMPG2", "11362", '1', "22000").chopped(2) << 1
                                     << tp("11362", "0", "22000", "2");
    }

    void columns()
    {
        QFETCH(QByteArray, text);
        QFETCH(int, count);
        TPTable tps;
        QCOMPARE(ReadSdxTransponders("header line\r\n" + text, "All Parsing", tps, 2, 5), count);
        if (count)
            QTEST(tps(2, 5, 0), "record");
    }

    void repeatedTransponders()
    {
        const QByteArray a = line("TMPG2", "11362", '1', "22000");
        const QByteArray b = line("TMPG2", "11538", '2', "22000");
        TPTable tps;
        QCOMPARE(ReadSdxTransponders(a + a + "not a transponder\r\n" + a, "All Parsing", tps, 0, 0), 1);
        QCOMPARE(ReadSdxTransponders(a + b + a, "All Parsing", tps, 0, 0), 3);
        QCOMPARE(tps(0, 0, 2), tps(0, 0, 0));
        // Only frequency, polarisation and symbol rate decide; a new FEC alone is a repeat.
        QCOMPARE(ReadSdxTransponders(a + line("TMPG2", "11362", '1', "22000", '5'), "All Parsing", tps, 0, 0), 1);
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

    void cappedAtMaxTP()
    {
        QByteArray text;
        for (int i = 0; i < 150; ++i)
            text += line("TMPG2", QByteArray::number(10700 + i), '1', "22000");
        TPTable tps;
        QCOMPARE(ReadSdxTransponders(text, "All Parsing", tps, 3, 48), 109);
        QCOMPARE(tps(3, 48, 108).Freq, QStringLiteral("10808"));
        QCOMPARE(tps(3, 48, 109), TPRecord());  // the spare slot is never written
    }

    void fileOfAPosition_data()
    {
        QTest::addColumn<QString>("deg");
        QTest::addColumn<QString>("name");
        QTest::newRow("three digits") << QStringLiteral("192") << "0192.sdx";
        QTest::newRow("one digit") << QStringLiteral("1") << "0001.sdx";
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
        const TPRecord defaultTP = tp("00000", "0", "0000", "3");
        SatRecord &sat = tables->SatData(1, 3);
        sat.Deg = "192";
        sat.TPCount = "7";
        QVERIFY(!ImportSatellite(ProgramDir(dir.path()), *tables, 1, 3, "All Parsing", defaultTP));
        QCOMPARE(sat.TPCount, QStringLiteral("1"));
        QCOMPARE(tables->TPData(1, 3, 0), defaultTP);

        QFile file(dir.file("Temp/0192.sdx"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(line("TMPG2", "11362", '1', "22000") + line("TMPG2", "11538", '2', "22000"));
        file.close();
        QVERIFY(ImportSatellite(ProgramDir(dir.path()), *tables, 1, 3, "All Parsing", defaultTP));
        QCOMPARE(sat.TPCount, QStringLiteral("2"));
        QCOMPARE(tables->TPData(1, 3, 1), tp("11538", "1", "22000", "2"));
        // Nothing kept: one transponder of frequency "0000".
        QVERIFY(ImportSatellite(ProgramDir(dir.path()), *tables, 1, 3, "C-Band", defaultTP));
        QCOMPARE(sat.TPCount, QStringLiteral("1"));
        QCOMPARE(tables->TPData(1, 3, 0), tp("0000", "0", "0000", "3"));
    }
};

QTEST_GUILESS_MAIN(TestTPSdxImport)
#include "tst_tp_sdx_import.moc"
