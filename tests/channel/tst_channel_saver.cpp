#include "ChannelTestData.h"
#include "channel/ChannelSaver.h"
#include "support/TempProgramDir.h"

#include <QDir>
#include <QTest>

class TestChannelSaver : public QObject {
    Q_OBJECT
private slots:
    void savesAndKeepsOneBackup();
    void newTargetNeedsNoBackup();
    void failureKeepsTheEditsUnsaved_data();
    void failureKeepsTheEditsUnsaved();
};

namespace {

// Logs each run and writes the target, as the real combiner would.
const QByteArray kCombiner = "echo \"$1 -> $2\" >> \"$3/runs.log\"\nprintf 'combined' > \"$2\"\n";

struct Setup {
    TempProgramDir dir;
    ChannelModel model{ProgramDir(dir.path())};
    ChannelSaver saver{Converters(ProgramDir(dir.path()))};
    QString image = dir.file(QStringLiteral("CH.bin"));

    explicit Setup(const QByteArray &combiner = kCombiner)
    {
        dir.script(QStringLiteral("ChannelCombine"), combiner);
        writeWholeFile(image, "original");
        model.tables() = sampleTables(3, 2);
    }
};

}  // namespace

void TestChannelSaver::savesAndKeepsOneBackup()
{
    Setup s;
    QVERIFY(!s.model.ChannelDataUnchanged());
    const Result<QString> first = s.saver.save(s.model, s.image, s.image);
    QVERIFY2(first.ok(), qPrintable(first.error()));
    QCOMPARE(first.value(), QStringLiteral("Kept the old channel data as %1.bak\r\n").arg(s.image));
    QCOMPARE(contents(s.image + QStringLiteral(".bak")), QByteArray("original"));
    QCOMPARE(contents(s.image), QByteArray("combined"));
    QVERIFY(s.model.ChannelDataUnchanged());
    for (const char *name : {"TV.dll", "Radio.dll", "Favorite.dll", "ROM_GetCH.dll"})
        QVERIFY2(s.dir.has(QLatin1String(name)), name);

    // The copy is of the data before the session's first save; later saves keep it.
    s.model.tables().Rom[0].Name = QStringLiteral("Renamed");
    const Result<QString> second = s.saver.save(s.model, s.image, s.image);
    QVERIFY2(second.ok(), qPrintable(second.error()));
    QCOMPARE(second.value(), QString());
    QCOMPARE(contents(s.image + QStringLiteral(".bak")), QByteArray("original"));
    QCOMPARE(contents(s.dir.file(QStringLiteral("runs.log"))).count('\n'), 2);
}

void TestChannelSaver::newTargetNeedsNoBackup()
{
    Setup s;
    const QString target = s.dir.file(QStringLiteral("New.bin"));
    const Result<QString> saved = s.saver.save(s.model, s.image, target);
    QVERIFY2(saved.ok(), qPrintable(saved.error()));
    QCOMPARE(saved.value(), QString());
    QVERIFY(!QFile::exists(target + QStringLiteral(".bak")));
    const QString run = s.image + QStringLiteral(" -> ") + target + QLatin1Char('\n');
    QCOMPARE(contents(s.dir.file(QStringLiteral("runs.log"))), run.toUtf8());
}

void TestChannelSaver::failureKeepsTheEditsUnsaved_data()
{
    QTest::addColumn<QByteArray>("combiner");
    QTest::addColumn<bool>("blockBackup");
    QTest::addColumn<QString>("error");  // its start; %1 is the image
    QTest::newRow("combiner fails") << QByteArray("echo 'ChannelCombine: no room' >&2\nexit 3\n") << false
                                    << "ChannelCombine failed with exit code 3.\nChannelCombine: no room";
    QTest::newRow("combiner crashes") << QByteArray("kill -SEGV $$\n") << false << "ChannelCombine crashed.";
    // The old image is the only good copy of the user's data: without a backup nothing replaces it.
    QTest::newRow("backup cannot be made") << kCombiner << true << "Cannot write %1.bak: ";
}

void TestChannelSaver::failureKeepsTheEditsUnsaved()
{
    QFETCH(QByteArray, combiner);
    QFETCH(bool, blockBackup);
    QFETCH(QString, error);
    Setup s(combiner);
    if (blockBackup)
        QVERIFY(QDir(s.dir.path()).mkpath(QStringLiteral("CH.bin.bak/blocked")));
    const Result<QString> saved = s.saver.save(s.model, s.image, s.image);
    QVERIFY(!saved.ok());
    error.replace(QStringLiteral("%1"), QDir::toNativeSeparators(s.image));
    QVERIFY2(saved.error().startsWith(error), qPrintable(saved.error()));
    QVERIFY(!s.model.ChannelDataUnchanged());
    QVERIFY(!s.dir.has(QStringLiteral("runs.log")));  // the stand-ins that fail log nothing
    QCOMPARE(contents(s.image), QByteArray("original"));

    if (blockBackup) {
        // A failed copy does not count as kept: once it can be made, the next save makes it.
        QVERIFY(QDir(s.image + QStringLiteral(".bak")).removeRecursively());
        const Result<QString> retried = s.saver.save(s.model, s.image, s.image);
        QVERIFY2(retried.ok(), qPrintable(retried.error()));
        QCOMPARE(retried.value(), QStringLiteral("Kept the old channel data as %1.bak\r\n").arg(s.image));
        QCOMPARE(contents(s.image + QStringLiteral(".bak")), QByteArray("original"));
        QVERIFY(s.model.ChannelDataUnchanged());
    }
}

QTEST_GUILESS_MAIN(TestChannelSaver)
#include "tst_channel_saver.moc"
