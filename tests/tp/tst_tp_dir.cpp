// Loading and saving the five TP files in a program directory, and loading a
// TP image: the parser first, then the files it wrote.
#include "TPTestData.h"
#include "common/Converters.h"
#include "support/TempProgramDir.h"
#include "support/TestFiles.h"
#include "tp/TPFiles.h"
#include "tp/TPImageLoad.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <memory>

namespace {

QStringList files(const QString &dir)
{
    QStringList names = QDir(dir).entryList(QDir::Files);
    names.sort(Qt::CaseSensitive);
    return names;
}

// Writes a consistent set of files with one TP per satellite.
void putOneTPEach(const TempProgramDir &dir, const QString &preDefineName = QStringLiteral("PreDefine.dll"))
{
    QByteArray satellites;
    for (int i = 0; i < RegionCount * MaxSat; ++i)
        satellites += "0|Sat " + QByteArray::number(i) + " (0192)|1|0|0192\r\n";
    QVERIFY(writeWholeFile(dir.file(preDefineName), satellites).ok());
    for (int r = 0; r < RegionCount; ++r) {
        QByteArray tps;
        for (int s = 0; s < MaxSat; ++s)
            tps += QByteArray::number(10000 + r * 100 + s) + ",0,27500,3\r\n";
        QVERIFY(writeWholeFile(dir.file(RegionFileName(r)), tps).ok());
    }
}

Status loadAll(const TempProgramDir &dir, TPTables &tables)
{
    return TPLoadAll(ProgramDir(dir.path()), tables);
}

// The TPParse stand-in hands over the files a save left in "stash".
const QByteArray kParser = "cp \"$1\"/stash/* \"$1\"/\n";

}  // namespace

class TestTPDir : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void saveThenLoad()
    {
        TempProgramDir dir;
        auto tables = std::make_unique<TPTables>();
        fillSaveableTables(tables->SatDataStored, tables->TPDataStored, 3);
        const Status saved = TPSaveAll(ProgramDir(dir.path()), *tables);
        QVERIFY2(saved.ok(), qPrintable(saved.error()));
        QCOMPARE(files(dir.path()),
                 (QStringList{"Parse_AM.dll", "Parse_AS.dll", "Parse_AT.dll", "Parse_EU.dll", "Predefine.dll"}));

        auto loaded = std::make_unique<TPTables>();
        loaded->SatDataStored(0, 0).SatName = QStringLiteral("replaced by the load");
        const Status status = loadAll(dir, *loaded);
        QVERIFY2(status.ok(), qPrintable(status.error()));
        QCOMPARE(fileContentDifference(tables->SatDataStored, tables->TPDataStored, loaded->SatDataStored,
                                       loaded->TPDataStored),
                 QString());
        loaded->copyStoredToWorking();
        QCOMPARE(loaded->SatCount, (std::array<qint16, 4>{48, 48, 48, 48}));
    }

    void missingFile_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("regionsRead");  // the regions read before the missing file
        QTest::newRow("satellites") << "PreDefine.dll" << -1;
        QTest::newRow("region AS") << "Parse_AS.dll" << 1;
    }
    void missingFile()
    {
        QFETCH(QString, file);
        QFETCH(int, regionsRead);
        TempProgramDir dir;
        putOneTPEach(dir);
        QVERIFY(QFile::remove(dir.file(file)));
        auto tables = std::make_unique<TPTables>();
        const Status status = loadAll(dir, *tables);
        QVERIFY2(status.error().startsWith(QStringLiteral("Cannot read %1: there is no such file in ").arg(file)),
                 qPrintable(status.error()));
        if (regionsRead < 0)
            QCOMPARE(tables->SatDataStored, SatTable());
        else
            QCOMPARE(tables->SatDataStored(3, 47).SatName, QStringLiteral("Sat 191 (0192)"));
        for (int r = 0; r < RegionCount; ++r)
            QCOMPARE(tables->TPDataStored(r, 47, 0).Freq,
                     r < regionsRead ? QString::number(10000 + r * 100 + 47) : QString());
    }

    // Each file is read and replaced under the spelling it has; a second spelling lying about stays out.
    void namesInAnyCase()
    {
        TempProgramDir dir;
        putOneTPEach(dir, QStringLiteral("PREDEFINE.DLL"));
        QVERIFY(QFile::rename(dir.file(QStringLiteral("Parse_EU.dll")), dir.file(QStringLiteral("parse_eu.DLL"))));
        auto tables = std::make_unique<TPTables>();
        const Status status = loadAll(dir, *tables);
        QVERIFY2(status.ok(), qPrintable(status.error()));
        QCOMPARE(tables->TPDataStored(3, 5, 0).Freq, QStringLiteral("10305"));

        tables->SatDataStored(0, 0).Diseqc = QStringLiteral("7");
        QVERIFY(TPSaveAll(ProgramDir(dir.path()), *tables).ok());
        QCOMPARE(files(dir.path()),
                 (QStringList{"PREDEFINE.DLL", "Parse_AM.dll", "Parse_AS.dll", "Parse_AT.dll", "parse_eu.DLL"}));
        QVERIFY(contents(dir.file(QStringLiteral("PREDEFINE.DLL"))).startsWith("7|Sat 0 (0192)|1|0|0192\r\n"));
    }

    // A save replaces the file that is read; a file it cannot write stops it.
    void saveReplacesTheFilesThatAreRead()
    {
        TempProgramDir dir;
        putOneTPEach(dir);
        QVERIFY(writeWholeFile(dir.file(QStringLiteral("Predefine.dll")), "stale").ok());
        auto tables = std::make_unique<TPTables>();
        QVERIFY(loadAll(dir, *tables).ok());
        tables->SatDataStored(2, 0).SatName = QStringLiteral("Saved (0192)");
        QVERIFY(TPSaveAll(ProgramDir(dir.path()), *tables).ok());
        QVERIFY(loadAll(dir, *tables).ok());
        QCOMPARE(tables->SatDataStored(2, 0).SatName, QStringLiteral("Saved (0192)"));

        // A directory in the way of a region file: its replacement cannot be put in place.
        QVERIFY(QFile::remove(dir.file(QStringLiteral("Parse_AT.dll"))));
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("Parse_AT.dll")));
        const QByteArray europeBefore = contents(dir.file(QStringLiteral("Parse_EU.dll")));
        tables->TPDataStored(3, 0, 0).Freq = QStringLiteral("12345");
        const Status status = TPSaveAll(ProgramDir(dir.path()), *tables);
        QVERIFY2(status.error().contains(QStringLiteral("Parse_AT.dll")), qPrintable(status.error()));
        QCOMPARE(contents(dir.file(QStringLiteral("Parse_EU.dll"))), europeBefore);
    }

    // A field that cannot be stored fails the save before any file is written.
    void unstorableFieldWritesNothing_data()
    {
        QTest::addColumn<bool>("filesBefore");
        QTest::addColumn<bool>("inName");  // else in a TP
        QTest::addColumn<QString>("error");
        const QString bar =
            QStringLiteral("Cannot write Predefine.dll: the SatName of satellite 5 in region AS holds a \"|\".");
        QTest::newRow("bar in a name") << true << true << bar;
        QTest::newRow("bar in a name, in an empty folder") << false << true << bar;
        QTest::newRow("comma in a TP") << true << false
                                       << "Cannot write Parse_EU.dll: the SR of TP 1 of satellite 48 in region EU "
                                          "holds a comma.";
    }
    void unstorableFieldWritesNothing()
    {
        QFETCH(bool, filesBefore);
        QFETCH(bool, inName);
        QFETCH(QString, error);
        TempProgramDir dir;
        if (filesBefore)
            putOneTPEach(dir);
        auto tables = std::make_unique<TPTables>();
        fillSaveableTables(tables->SatDataStored, tables->TPDataStored, 1);
        const QStringList before = files(dir.path());
        const QByteArray satellitesBefore = contents(dir.file(QStringLiteral("PreDefine.dll")));
        if (inName)
            tables->SatDataStored(1, 4).SatName = QStringLiteral("Hot|Bird (0130)");
        else
            tables->TPDataStored(3, 47, 0).SR = QStringLiteral("1,2");
        QCOMPARE(TPSaveAll(ProgramDir(dir.path()), *tables).error(), error);
        QCOMPARE(files(dir.path()), before);
        QCOMPARE(contents(dir.file(QStringLiteral("PreDefine.dll"))), satellitesBefore);
    }

    // An image load takes what the parser wrote into the stored tables only;
    // a failure at either step keeps them.
    void imageLoad_data()
    {
        QTest::addColumn<QByteArray>("parser");
        QTest::addColumn<QString>("error");  // its start; %1 is the program directory
        QTest::newRow("loads") << kParser << QString();
        QTest::newRow("parser fails") << QByteArray("echo 'TPParse: not a TP image' >&2\nexit 1\n")
                                      << "TPParse failed with exit code 1.\nTPParse: not a TP image";
        QTest::newRow("parser missing") << QByteArray() << "TPParse could not be started";
        QTest::newRow("parser writes nothing")
            << QByteArray("exit 0\n") << "Cannot read PreDefine.dll: there is no such file in %1.";
        QTest::newRow("parser writes a short file") << kParser + "printf '0|A|0|0|0000\\r\\n' > \"$1\"/Predefine.dll\n"
                                                    << "Cannot read Predefine.dll: it holds 1 lines instead of 192.";
    }
    void imageLoad()
    {
        QFETCH(QByteArray, parser);
        QFETCH(QString, error);
        TempProgramDir dir;
        if (!parser.isEmpty())
            dir.script(QStringLiteral("TPParse"), parser);
        QDir(dir.path()).mkdir(QStringLiteral("stash"));
        auto image = std::make_unique<TPTables>();
        fillSaveableTables(image->SatDataStored, image->TPDataStored, 1);
        QVERIFY(TPSaveAll(ProgramDir(dir.file(QStringLiteral("stash"))), *image).ok());
        auto tables = std::make_unique<TPTables>();
        fillSaveableTables(tables->SatDataStored, tables->TPDataStored, 2);
        tables->copyStoredToWorking();
        tables->SatData(0, 0).SatName = QStringLiteral("Edited");
        const auto kept = std::make_unique<TPTables>(*tables);

        const ProgramDir programDir(dir.path());
        const Status loaded =
            loadTPImage(Converters(programDir), programDir, *tables, dir.file(QStringLiteral("Sat.MDA")));
        QCOMPARE(tables->SatData(0, 0).SatName, QStringLiteral("Edited"));  // the caller takes them over
        if (error.isEmpty()) {
            QVERIFY2(loaded.ok(), qPrintable(loaded.error()));
            QCOMPARE(fileContentDifference(tables->SatDataStored, tables->TPDataStored, image->SatDataStored,
                                           image->TPDataStored),
                     QString());
            return;
        }
        error.replace(QStringLiteral("%1"), dir.path());
        QVERIFY2(loaded.error().startsWith(error), qPrintable(loaded.error()));
        QVERIFY(tables->SatDataStored == kept->SatDataStored);
        QVERIFY(tables->TPDataStored == kept->TPDataStored);
    }
};

QTEST_GUILESS_MAIN(TestTPDir)

#include "tst_tp_dir.moc"
