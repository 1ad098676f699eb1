// The intermediate TP file formats, read from and written to memory.
#include "TPTestData.h"

#include "tp/PreDefineFile.h"
#include "tp/RegionFile.h"
#include "tp/TPFieldText.h"
#include "tp/TPFiles.h"

#include <QBuffer>
#include <QTest>

namespace {

Status readPreDefineText(const QByteArray &text, SatTable &table)
{
    QBuffer buffer;
    buffer.setData(text);
    buffer.open(QIODevice::ReadOnly);
    return readPreDefine(buffer, QStringLiteral("PreDefine.dll"), table);
}

// Satellites of region AS with the given TP counts; the rest have "0".
SatTable regionCounts(const QStringList &counts)
{
    SatTable sats;
    for (int s = 0; s < MaxSat; ++s)
        sats(1, s).TPCount = s < counts.size() ? counts[s] : QStringLiteral("0");
    return sats;
}

}  // namespace

class TestTPFiles : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void decimalValues_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("value");  // -1: not a number
        QTest::newRow("zero") << QStringLiteral("0") << 0;
        QTest::newRow("leading zeros") << QStringLiteral("0012") << 12;
        QTest::newRow("empty") << QString() << -1;
        QTest::newRow("sign") << QStringLiteral("-1") << -1;
        QTest::newRow("letter") << QStringLiteral("1a") << -1;
        QTest::newRow("huge stays large") << QStringLiteral("359255555555555555") << 1'000'000'000;
    }
    void decimalValues()
    {
        QFETCH(QString, text);
        QFETCH(int, value);
        QCOMPARE(decimalValue(text).value_or(-1), value);
    }

    void lineCount_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("count");
        QTest::newRow("empty") << QByteArray() << 1;
        QTest::newRow("one open line") << QByteArray("a") << 1;
        QTest::newRow("one line") << QByteArray("a\r\n") << 2;
        QTest::newRow("second line open") << QByteArray("a\r\nb") << 2;
        QTest::newRow("blank lines") << QByteArray("\r\n\r\n") << 3;
        QTest::newRow("lone LF") << QByteArray("a\nb\n") << 3;
        QTest::newRow("lone CR") << QByteArray("a\rb") << 2;
        QTest::newRow("CR CR LF") << QByteArray("\r\r\n") << 3;
        QTest::newRow("saturates") << QByteArray(40000, '\n') << 32767;
    }
    void lineCount()
    {
        QFETCH(QByteArray, text);
        QFETCH(int, count);
        QCOMPARE(LineCount(text), count);
    }

    // A whole file, or one line of it placed as satellite 6 of region AT.
    void preDefine_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QStringList>("fields");  // of satellite 6 of AT; empty: the file is refused
        QTest::addColumn<QString>("error");
        const auto withLine = [](const QByteArray &line) {
            QList<QByteArray> lines = preDefineLines(192).split('\n');
            lines[2 * MaxSat + 6] = line + '\r';
            return lines.join('\n');
        };
        const QStringList sat102{"0", "Sat 102 (0102)", "0", "0", "0102"};
        const QString cannot = QStringLiteral("Cannot read PreDefine.dll: ");
        QTest::newRow("192 lines") << preDefineLines(192) << sat102 << QString();
        QTest::newRow("191 lines") << preDefineLines(191) << QStringList()
                                   << cannot + "it holds 191 lines instead of 192.";
        QTest::newRow("193 lines") << preDefineLines(193) << QStringList()
                                   << cannot + "it holds 193 lines instead of 192.";
        QTest::newRow("192 lines, last open")
            << preDefineLines(192, false) << QStringList() << cannot + "it holds 191 lines instead of 192.";
        QTest::newRow("192 lines, then text") << preDefineLines(192) + "0|x|0|0|0" << sat102 << QString();
        QTest::newRow("empty") << QByteArray() << QStringList() << cannot + "it holds 0 lines instead of 192.";
        QTest::newRow("plain") << withLine("12|Satellite Name (0192)|109|4|0192")
                               << QStringList{"12", "Satellite Name (0192)", "109", "4", "0192"} << QString();
        QTest::newRow("parse option 8 stays")
            << withLine("0|A (1)|1|8|1") << QStringList{"0", "A (1)", "1", "8", "1"} << QString();
        QTest::newRow("parse option 9 is 0")
            << withLine("0|A (1)|1|9|1") << QStringList{"0", "A (1)", "1", "0", "1"} << QString();
        QTest::newRow("empty fields") << withLine("||||") << QStringList{"", "", "", "", ""} << QString();
        QTest::newRow("sixth part ignored")
            << withLine("0|A|B (0192)|2|1|0192") << QStringList{"0", "A", "B (0192)", "2", "1"} << QString();
        QTest::newRow("single-byte text")
            << withLine("0|Sat\xe9lite \xa7 (0130)|0|0|0130")
            << QStringList{"0", QString::fromUtf8("Satélite § (0130)"), "0", "0", "0130"} << QString();
        QTest::newRow("four parts") << withLine("0|A (1)|1|0") << QStringList()
                                    << QStringLiteral("Cannot read PreDefine.dll: line 103 has 4 \"|\"-separated "
                                                      "fields instead of 5.");
        QTest::newRow("parse option not a number")
            << withLine("0|A (1)|1|x|1") << QStringList()
            << QStringLiteral("Cannot read PreDefine.dll: line 103 has the parse option \"x\", which is not a number.");
    }
    void preDefine()
    {
        QFETCH(QByteArray, text);
        QFETCH(QStringList, fields);
        QFETCH(QString, error);
        SatTable table;
        table(0, 0).SatName = QStringLiteral("left over");
        const Status status = readPreDefineText(text, table);
        if (fields.isEmpty()) {
            QCOMPARE(status.error(), error);
            QCOMPARE(table, SatTable());
            return;
        }
        QVERIFY2(status.ok(), qPrintable(status.error()));
        const SatRecord &sat = table(2, 6);
        QCOMPARE((QStringList{sat.Diseqc, sat.SatName, sat.TPCount, sat.ParseSort, sat.Deg}), fields);
        QCOMPARE(table(0, 0).SatName, QStringLiteral("Sat 0 (0000)"));
        QCOMPARE(table(2, 7).SatName, QStringLiteral("Sat 103 (0103)"));
        QCOMPARE(table(3, 47), (SatRecord{"0", "Sat 191 (0191)", "0", "0", "0191"}));
    }

    // Region AS read with the TP counts of its first satellites.
    void regionFile_data()
    {
        QTest::addColumn<QStringList>("counts");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QStringList>("read");  // "sat/tp:Freq,Polar,SR,FEC" expected in the table
        QTest::addColumn<QString>("error");     // empty when the file is read completely
        const QString cannot = QStringLiteral("Cannot read Parse_AS.dll: ");
        const QString goesOn = cannot + "it goes on after the last TP that the TP counts in PreDefine.dll announce";
        QTest::newRow("exact") << QStringList{"2", "0", "1"}
                               << QByteArray("11778,1,27500,3\r\n3840,0,4340,7\r\n12603,0,22000,0\r\n")
                               << QStringList{"0/0:11778,1,27500,3", "0/1:3840,0,4340,7", "2/0:12603,0,22000,0"}
                               << QString();
        QTest::newRow("no TPs at all") << QStringList() << QByteArray() << QStringList() << QString();
        QTest::newRow("last line end missing")
            << QStringList{"1"} << QByteArray("11778,1,27500,3") << QStringList{"0/0:11778,1,27500,3"} << QString();
        QTest::newRow("quoted values") << QStringList{"1"} << QByteArray("\"11,7\",1,\"27500\"x,3\r\n")
                                       << QStringList{"0/0:11,7,1,27500,3"} << QString();
        QTest::newRow("values across lines") << QStringList{"1"} << QByteArray("11778\r\n1,27500\r\n3\r\n")
                                             << QStringList{"0/0:11778,1,27500,3"} << QString();
        QTest::newRow("one TP too many") << QStringList{"1", "1"} << QByteArray("1,0,2,3\r\n4,1,5,6\r\n7,0,8,1\r\n")
                                         << QStringList{"0/0:1,0,2,3", "1/0:4,1,5,6"} << goesOn + " (line 3).";
        QTest::newRow("blank line at the end")
            << QStringList{"1"} << QByteArray("1,0,2,3\r\n\r\n") << QStringList{"0/0:1,0,2,3"} << goesOn + " (line 2).";
        QTest::newRow("one TP short")
            << QStringList{"1", "2"} << QByteArray("1,0,2,3\r\n4,1,5,6\r\n")
            << QStringList{"0/0:1,0,2,3", "1/0:4,1,5,6"}
            << cannot + "it ends within TP 2 of satellite 2, but the TP counts in PreDefine.dll ask for more.";
        QTest::newRow("file ends within a TP")
            << QStringList{"1"} << QByteArray("1,0,2") << QStringList{"0/0:1,0,2,"}
            << cannot + "it ends within TP 1 of satellite 1, but the TP counts in PreDefine.dll ask for more.";
        QTest::newRow("final comma gives an empty value")
            << QStringList{"1"} << QByteArray("1,0,2,") << QStringList{"0/0:1,0,2,"} << QString();
        QTest::newRow("count not a number")
            << QStringList{"1", "two"} << QByteArray("1,0,2,3\r\n4,1,5,6\r\n") << QStringList{"0/0:1,0,2,3"}
            << cannot + "satellite 2 of region AS has the TP count \"two\" in PreDefine.dll, which is not a number.";
        QTest::newRow("empty count")
            << QStringList{""} << QByteArray() << QStringList()
            << cannot + "satellite 1 of region AS has the TP count \"\" in PreDefine.dll, which is not a number.";
        QTest::newRow("quote never closed") << QStringList{"1"} << QByteArray("1,0,\"2,3\r\n") << QStringList()
                                            << cannot + "a double quote on line 1 is never closed.";
        QByteArray many;  // 111 TPs for a satellite with 110 slots: the 110 are kept, then the read fails
        for (int t = 0; t < 111; ++t)
            many += QByteArray::number(10000 + t) + ",0,27500,3\r\n";
        QTest::newRow("beyond the slots")
            << QStringList{"111"} << many << QStringList{"0/109:10109,0,27500,3"}
            << cannot + "satellite 1 of region AS has the TP count 111, more than its 110 TP slots.";
    }

    void regionFile()
    {
        QFETCH(QStringList, counts);
        QFETCH(QByteArray, text);
        QFETCH(QStringList, read);
        QFETCH(QString, error);
        const SatTable sats = regionCounts(counts);
        TPTable tps;
        QBuffer buffer;
        buffer.setData(text);
        buffer.open(QIODevice::ReadOnly);
        const Status status = readRegionFile(buffer, QStringLiteral("Parse_AS.dll"), 1, sats, tps);
        QCOMPARE(status.error(), error);
        QCOMPARE(status.ok(), error.isEmpty());
        for (const QString &entry : read) {
            const int sat = entry.section(QLatin1Char('/'), 0, 0).toInt();
            const int tp = entry.section(QLatin1Char('/'), 1).section(QLatin1Char(':'), 0, 0).toInt();
            const TPRecord &rec = tps(1, sat, tp);
            QCOMPARE(rec.Freq + ',' + rec.Polar + ',' + rec.SR + ',' + rec.FEC, entry.section(QLatin1Char(':'), 1));
        }
    }

    void writtenTexts()
    {
        SatTable sats;
        TPTable tps;
        sats(0, 0) = {"12", "Satellite Name (2490)", "2", "4", "2490"};
        sats(0, 1) = {"0", "Empty (2500)", "0", "0", "192"};
        sats(0, 2).TPCount = "1";
        tps(0, 0, 0) = {"11778", "1", "27500", "3"};
        tps(0, 0, 1) = {"3840", "0", "4340", "8"};
        tps(0, 0, 2) = {"leftover", {}, {}, {}};  // beyond the count: never written
        tps(0, 2, 0) = {"12 34", "0", QStringLiteral("\xe9"), QString()};

        const Result<QByteArray> satellites = preDefineText(sats);
        QVERIFY(satellites.ok());
        // An empty count is written as none.
        QCOMPARE(satellites.value(), "12|Satellite Name (2490)|2|4|2490\r\n0|Empty (2500)|0|0|192\r\n||1||\r\n" +
                                         QByteArray("||0||\r\n").repeated(189));

        const Result<QByteArray> region = regionText(0, sats, tps);
        QVERIFY(region.ok());
        QCOMPARE(region.value(), QByteArray("11778,1,27500,3\r\n3840,0,4340,8\r\n12 34,0,\xe9,\r\n"));
        QCOMPARE(regionText(1, sats, tps).value(), QByteArray());
    }

    void unstorableFields_data()
    {
        QTest::addColumn<int>("field");  // 0..4 satellite fields of AT 3, 5..8 TP fields of its TP 1
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("error");
        const QString satellites = QStringLiteral("Cannot write Predefine.dll: the ");
        const QString tps = QStringLiteral("Cannot write Parse_AT.dll: the ");
        QTest::newRow("line end in a name")
            << 1 << QStringLiteral("A\r\nB") << satellites + "SatName of satellite 3 in region AT holds a line end.";
        QTest::newRow("wide character")
            << 4 << QStringLiteral("0\u20ac")
            << satellites + "Deg of satellite 3 in region AT holds a character that single-byte text cannot hold.";
        // The reader would split the line there and shift the fields after it.
        QTest::newRow("bar in a name") << 1 << QStringLiteral("A|B (0192)")
                                       << satellites + "SatName of satellite 3 in region AT holds a \"|\".";
        QTest::newRow("bar in a parse option")
            << 3 << QStringLiteral("|") << satellites + "ParseSort of satellite 3 in region AT holds a \"|\".";
        QTest::newRow("bar in a TP is only a character") << 6 << QStringLiteral("0|1") << QString();
        QTest::newRow("count not a number") << 2 << QStringLiteral("1x")
                                            << QStringLiteral("Cannot write Parse_AT.dll: satellite 3 of region AT has "
                                                              "the TP count \"1x\".");
        QTest::newRow("comma in a TP") << 5 << QStringLiteral("11,7")
                                       << tps + "Freq of TP 1 of satellite 3 in region AT holds a comma.";
        QTest::newRow("quote first") << 8 << QStringLiteral("\"3")
                                     << tps + "FEC of TP 1 of satellite 3 in region AT holds a leading double quote.";
    }

    void unstorableFields()
    {
        QFETCH(int, field);
        QFETCH(QString, text);
        QFETCH(QString, error);
        SatTable sats;
        TPTable tps;
        SatRecord &sat = sats(2, 2);
        sat = {"0", "A (1)", "1", "0", "1"};
        tps(2, 2, 0) = {"1", "0", "2", "3"};
        QString *const fields[] = {&sat.Diseqc,         &sat.SatName,     &sat.TPCount,
                                   &sat.ParseSort,      &sat.Deg,         &tps(2, 2, 0).Freq,
                                   &tps(2, 2, 0).Polar, &tps(2, 2, 0).SR, &tps(2, 2, 0).FEC};
        *fields[field] = text;
        const Result<QByteArray> satellites = preDefineText(sats);
        const Result<QByteArray> region = regionText(2, sats, tps);
        QCOMPARE(satellites.ok() ? region.error() : satellites.error(), error);
    }
};

QTEST_GUILESS_MAIN(TestTPFiles)

#include "tst_tp_files.moc"
