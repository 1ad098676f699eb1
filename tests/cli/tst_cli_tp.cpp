// tarvik-cli tp: satellites.xml to and from a TP image, through the real converters.
#include "CliProcess.h"
#include "common/ProgramDir.h"
#include "support/TestFiles.h"
#include "tp/SatellitesXml.h"
#include "tp/TPImageLoad.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kSample = QStringLiteral(TARVIK_STAGE_DIR "/samples/TP_Sample.MDA");

TPTables tablesOf(const QString &image)
{
    TPTables tables;
    const Status read = readTPImage(ProgramDir(QStringLiteral(TARVIK_STAGE_DIR)), image, tables);
    if (!read)
        qWarning("%s", qPrintable(read.error()));
    return tables;
}

}  // namespace

class TestCliTP : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void exportThenImport()
    {
        QCOMPARE(runCli({"tp", "export", kSample, file("all.xml")}).exitCode, 0);
        const Result<QList<XmlSatellite>> all = readSatellitesXml(contents(file("all.xml")));
        QVERIFY2(all.ok(), qPrintable(all.error()));
        const TPTables sample = tablesOf(kSample);
        QVERIFY(all.value().size() > 3);
        QCOMPARE(all.value().first().name, sample.SatData(0, 0).SatName);

        // The file's satellites 2 and 3 into Europe from row 47: one fits.
        const CliRun run = runCli({"tp", "import", "--region", "eu", "--sats", "2-3", "--from", "48", kSample,
                                   file("all.xml"), file("out.MDA")});
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(run.out.startsWith("Took 1 satellites. 1 satellites did not fit and were left out."),
                 qPrintable(run.out));
        const TPTables out = tablesOf(file("out.MDA"));
        QCOMPARE(out.SatData(3, 47).SatName, all.value()[1].name);
        QCOMPARE(out.SatData(3, 47).TPCount, QString::number(all.value()[1].transponders.size()));
        QCOMPARE(out.SatData(3, 46), sample.SatData(3, 46));
    }

    void refusedInputWritesNothing_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("error");

        QTest::newRow("malformed file") << QStringList{"--region", "AM", "bad.xml"} << 3
                                        << "bad.xml: line 3: Opening and ending tag mismatch.";
        QTest::newRow("no region") << QStringList{"good.xml"} << 2
                                   << "tp import needs --region AM, AS, AT or EU, and --from 1 to 48";
        QTest::newRow("no such satellite") << QStringList{"--region", "AS", "--sats", "1,2", "good.xml"} << 2
                                           << "--sats \"2\": satellites are numbered 1 to 1";
    }

    void refusedInputWritesNothing()
    {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QString, error);
        QVERIFY(writeWholeFile(file("bad.xml"), "<satellites>\n<sat position=\"1\">\n</satellites>\n").ok());
        QVERIFY(writeWholeFile(file("good.xml"), "<satellites><sat name=\"a\" position=\"1\"/></satellites>").ok());
        QVERIFY(writeWholeFile(file("old.MDA"), "old").ok());
        const QString xml = args.takeLast();
        const CliRun run =
            runCli(QStringList{"tp", "import"} + args + QStringList{kSample, file(qPrintable(xml)), file("old.MDA")});
        QCOMPARE(run.exitCode, exitCode);
        QCOMPARE(run.err, QStringLiteral("tarvik-cli: ") + error.replace(xml, file(qPrintable(xml))) + "\n");
        QCOMPARE(contents(file("old.MDA")), QByteArray("old"));
    }

private:
    QTemporaryDir m_dir;
    QString file(const char *name) const { return m_dir.filePath(QLatin1String(name)); }
};

QTEST_GUILESS_MAIN(TestCliTP)
#include "tst_cli_tp.moc"
