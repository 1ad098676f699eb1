// Loading a TP image: the parser first, then the files it wrote; a failure at
// either step keeps the stored tables.
#include "TPTestData.h"
#include "common/Converters.h"
#include "support/TempProgramDir.h"
#include "tp/TPFiles.h"
#include "tp/TPImageLoad.h"

#include <QDir>
#include <QTest>

#include <memory>

namespace {

// The TPParse stand-in hands over the files a save left in "stash".
const QByteArray kParser = "cp \"$1\"/stash/* \"$1\"/\n";

struct Setup {
    TempProgramDir dir;
    std::unique_ptr<TPTables> image = std::make_unique<TPTables>();
    std::unique_ptr<TPTables> tables = std::make_unique<TPTables>();

    explicit Setup(const QByteArray &parser)
    {
        if (!parser.isEmpty())
            dir.script(QStringLiteral("TPParse"), parser);
        QDir(dir.path()).mkdir(QStringLiteral("stash"));
        fillSaveableTables(image->SatDataStored, image->TPDataStored, 1);
        QVERIFY(TPSaveAll(ProgramDir(dir.file(QStringLiteral("stash"))), *image).ok());
        fillSaveableTables(tables->SatDataStored, tables->TPDataStored, 2);
        tables->copyStoredToWorking();
        tables->SatData(0, 0).SatName = QStringLiteral("Edited");
    }

    Status load() const
    {
        const ProgramDir programDir(dir.path());
        return loadTPImage(Converters(programDir), programDir, *tables, dir.file(QStringLiteral("Sat.MDA")));
    }
};

}  // namespace

class TestTPImageLoad : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void loadsWhatTheParserWrote()
    {
        Setup s(kParser);
        const Status loaded = s.load();
        QVERIFY2(loaded.ok(), qPrintable(loaded.error()));
        QString difference;
        QVERIFY2(sameFileContent(s.tables->SatDataStored, s.tables->TPDataStored, s.image->SatDataStored,
                                 s.image->TPDataStored, &difference),
                 qPrintable(difference));
        QCOMPARE(s.tables->SatData(0, 0).SatName, QStringLiteral("Edited"));  // the caller takes them over
    }

    void failureKeepsTheStoredTables_data()
    {
        QTest::addColumn<QByteArray>("parser");
        QTest::addColumn<QString>("error");  // its start; %1 is the program directory
        QTest::newRow("parser fails") << QByteArray("echo 'TPParse: not a TP image' >&2\nexit 1\n")
                                      << "TPParse failed with exit code 1.\nTPParse: not a TP image";
        QTest::newRow("parser missing") << QByteArray() << "TPParse could not be started";
        QTest::newRow("parser writes nothing")
            << QByteArray("exit 0\n") << "Cannot read PreDefine.dll: there is no such file in %1.";
        QTest::newRow("parser writes a short file") << kParser + "printf '0|A|0|0|0000\\r\\n' > \"$1\"/Predefine.dll\n"
                                                    << "Cannot read Predefine.dll: it holds 1 lines instead of 192.";
    }

    void failureKeepsTheStoredTables()
    {
        QFETCH(QByteArray, parser);
        QFETCH(QString, error);
        Setup s(parser);
        const SatTable sats = s.tables->SatDataStored;
        const TPTable tps = s.tables->TPDataStored;
        const Status loaded = s.load();
        QVERIFY(!loaded.ok());
        error.replace(QStringLiteral("%1"), s.dir.path());
        QVERIFY2(loaded.error().startsWith(error), qPrintable(loaded.error()));
        QVERIFY(s.tables->SatDataStored == sats);
        QVERIFY(s.tables->TPDataStored == tps);
        QCOMPARE(s.tables->SatData(0, 0).SatName, QStringLiteral("Edited"));
    }
};

QTEST_GUILESS_MAIN(TestTPImageLoad)
#include "tst_tp_image_load.moc"
