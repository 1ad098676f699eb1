// Loading and saving the five TP files in a program directory.
#include "TPTestData.h"

#include "tp/TPFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

void put(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    QFile file(dir.filePath(name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QStringList files(const QTemporaryDir &dir)
{
    QStringList names = QDir(dir.path()).entryList(QDir::Files);
    names.sort(Qt::CaseSensitive);
    return names;
}

QByteArray get(const QTemporaryDir &dir, const QString &name)
{
    QFile file(dir.filePath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// Writes a consistent set of files with one TP per satellite.
void putOneTPEach(const QTemporaryDir &dir, const QString &preDefineName = QStringLiteral("PreDefine.dll"))
{
    QByteArray satellites;
    for (int i = 0; i < RegionCount * MaxSat; ++i)
        satellites += "0|Sat " + QByteArray::number(i) + " (0192)|1|0|0192\r\n";
    put(dir, preDefineName, satellites);
    for (int r = 0; r < RegionCount; ++r) {
        QByteArray tps;
        for (int s = 0; s < MaxSat; ++s)
            tps += QByteArray::number(10000 + r * 100 + s) + ",0,27500,3\r\n";
        put(dir, RegionFileName(r), tps);
    }
}

}  // namespace

class TestTPDir : public QObject {
    Q_OBJECT

private slots:
    void saveThenLoad()
    {
        QTemporaryDir dir;
        auto tables = std::make_unique<TPTables>();
        fillSaveableTables(tables->SatDataStored, tables->TPDataStored, 3);
        const Status saved = TPSaveAll(ProgramDir(dir.path()), *tables);
        QVERIFY2(saved.ok(), qPrintable(saved.error()));
        QCOMPARE(files(dir),
                 (QStringList{"Parse_AM.dll", "Parse_AS.dll", "Parse_AT.dll", "Parse_EU.dll", "Predefine.dll"}));

        auto loaded = std::make_unique<TPTables>();
        loaded->SatDataStored(0, 0).SatName = QStringLiteral("replaced by the load");
        const Status status = TPLoadAll(ProgramDir(dir.path()), *loaded);
        QVERIFY2(status.ok(), qPrintable(status.error()));
        QString difference;
        QVERIFY2(sameFileContent(tables->SatDataStored, tables->TPDataStored, loaded->SatDataStored,
                                 loaded->TPDataStored, &difference),
                 qPrintable(difference));

        loaded->copyStoredToWorking();
        QCOMPARE(loaded->SatCount, (std::array<qint16, 4>{48, 48, 48, 48}));
        QCOMPARE(loaded->SatData, loaded->SatDataStored);
    }

    void missingRegionFile()
    {
        QTemporaryDir dir;
        putOneTPEach(dir);
        QVERIFY(QFile::remove(dir.filePath(QStringLiteral("Parse_AS.dll"))));
        auto tables = std::make_unique<TPTables>();
        const Status status = TPLoadAll(ProgramDir(dir.path()), *tables);
        QVERIFY(!status.ok());
        QVERIFY2(status.error().startsWith(QStringLiteral("Cannot read Parse_AS.dll: there is no such file in ")),
                 qPrintable(status.error()));
        QCOMPARE(tables->TPDataStored(0, 47, 0).Freq, QStringLiteral("10047"));
        for (int r = 1; r < RegionCount; ++r)
            QCOMPARE(tables->TPDataStored(r, 0, 0), TPRecord());
        QCOMPARE(tables->SatDataStored(3, 47).SatName, QStringLiteral("Sat 191 (0192)"));
    }

    void missingSatelliteFile()
    {
        QTemporaryDir dir;
        putOneTPEach(dir);
        QVERIFY(QFile::remove(dir.filePath(QStringLiteral("PreDefine.dll"))));
        auto tables = std::make_unique<TPTables>();
        const Status status = TPLoadAll(ProgramDir(dir.path()), *tables);
        QVERIFY(status.error().startsWith(QStringLiteral("Cannot read PreDefine.dll: there is no such file in ")));
        QCOMPARE(tables->SatDataStored, SatTable());
        QCOMPARE(tables->TPDataStored, TPTable());
    }

    void namesInAnyCase()
    {
        QTemporaryDir dir;
        putOneTPEach(dir, QStringLiteral("PREDEFINE.DLL"));
        QVERIFY(
            QFile::rename(dir.filePath(QStringLiteral("Parse_EU.dll")), dir.filePath(QStringLiteral("parse_eu.DLL"))));
        auto tables = std::make_unique<TPTables>();
        const Status status = TPLoadAll(ProgramDir(dir.path()), *tables);
        QVERIFY2(status.ok(), qPrintable(status.error()));
        QCOMPARE(tables->TPDataStored(3, 5, 0).Freq, QStringLiteral("10305"));

        // The save replaces each file under its existing spelling: no second file appears.
        tables->SatDataStored(0, 0).Diseqc = QStringLiteral("7");
        QVERIFY(TPSaveAll(ProgramDir(dir.path()), *tables).ok());
        QCOMPARE(files(dir),
                 (QStringList{"PREDEFINE.DLL", "Parse_AM.dll", "Parse_AS.dll", "Parse_AT.dll", "parse_eu.DLL"}));
        QVERIFY(get(dir, QStringLiteral("PREDEFINE.DLL")).startsWith("7|Sat 0 (0192)|1|0|0192\r\n"));
    }

    void saveReplacesTheFileThatIsRead()
    {
        QTemporaryDir dir;
        putOneTPEach(dir);
        put(dir, QStringLiteral("Predefine.dll"), QByteArray("stale"));  // a second spelling lying about
        auto tables = std::make_unique<TPTables>();
        QVERIFY(TPLoadAll(ProgramDir(dir.path()), *tables).ok());
        tables->SatDataStored(2, 0).SatName = QStringLiteral("Saved (0192)");
        QVERIFY(TPSaveAll(ProgramDir(dir.path()), *tables).ok());
        QVERIFY(TPLoadAll(ProgramDir(dir.path()), *tables).ok());
        QCOMPARE(tables->SatDataStored(2, 0).SatName, QStringLiteral("Saved (0192)"));
    }

    void fileThatCannotBeWrittenStopsTheSave()
    {
        QTemporaryDir dir;
        putOneTPEach(dir);
        auto tables = std::make_unique<TPTables>();
        QVERIFY(TPLoadAll(ProgramDir(dir.path()), *tables).ok());
        // A directory in the way of a region file: its replacement cannot be put in place.
        QVERIFY(QFile::remove(dir.filePath(QStringLiteral("Parse_AT.dll"))));
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("Parse_AT.dll")));
        const QByteArray europeBefore = get(dir, QStringLiteral("Parse_EU.dll"));
        tables->TPDataStored(3, 0, 0).Freq = QStringLiteral("12345");
        const Status status = TPSaveAll(ProgramDir(dir.path()), *tables);
        QVERIFY(!status.ok());
        QVERIFY2(status.error().contains(QStringLiteral("Parse_AT.dll")), qPrintable(status.error()));
        QCOMPARE(get(dir, QStringLiteral("Parse_EU.dll")), europeBefore);
    }

    void unstorableFieldWritesNothing()
    {
        QTemporaryDir dir;
        putOneTPEach(dir);
        auto tables = std::make_unique<TPTables>();
        QVERIFY(TPLoadAll(ProgramDir(dir.path()), *tables).ok());
        const QByteArray satellitesBefore = get(dir, QStringLiteral("PreDefine.dll"));
        tables->SatDataStored(0, 0).SatName = QStringLiteral("Renamed (0192)");
        tables->TPDataStored(3, 47, 0).SR = QStringLiteral("1,2");
        const Status status = TPSaveAll(ProgramDir(dir.path()), *tables);
        QCOMPARE(status.error(), QStringLiteral("Cannot write Parse_EU.dll: the SR of TP 1 of satellite 48 in region "
                                                "EU holds a comma."));
        QCOMPARE(get(dir, QStringLiteral("PreDefine.dll")), satellitesBefore);
    }

    void barInASatelliteFieldWritesNothing_data()
    {
        QTest::addColumn<bool>("fileBefore");
        QTest::newRow("over an existing file") << true;
        QTest::newRow("in an empty folder") << false;
    }
    void barInASatelliteFieldWritesNothing()
    {
        QFETCH(bool, fileBefore);
        QTemporaryDir dir;
        if (fileBefore)
            putOneTPEach(dir);
        auto tables = std::make_unique<TPTables>();
        fillSaveableTables(tables->SatDataStored, tables->TPDataStored, 1);
        const QStringList before = files(dir);
        const QByteArray satellitesBefore = get(dir, QStringLiteral("PreDefine.dll"));
        tables->SatDataStored(1, 4).SatName = QStringLiteral("Hot|Bird (0130)");
        const Status status = PreDefineWrite(ProgramDir(dir.path()), tables->SatDataStored);
        QCOMPARE(status.error(), QStringLiteral("Cannot write Predefine.dll: the SatName of satellite 5 in region "
                                                "AS holds a \"|\"."));
        QCOMPARE(files(dir), before);
        QCOMPARE(get(dir, QStringLiteral("PreDefine.dll")), satellitesBefore);
    }
};

QTEST_GUILESS_MAIN(TestTPDir)

#include "tst_tp_dir.moc"
