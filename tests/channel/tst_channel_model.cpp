#include "ChannelTestData.h"
#include "channel/ChannelImageLoad.h"
#include "channel/ChannelSaver.h"
#include "support/TempProgramDir.h"

#include <QDir>
#include <QTest>

#include <functional>

namespace {

void put(const QString &dir, const QString &name, const QByteArray &bytes)
{
    QVERIFY(writeWholeFile(dir + QLatin1Char('/') + name, bytes).ok());
}

// A small valid set of files: two records, one TV channel, one radio channel.
void putValidFiles(const QString &dir)
{
    put(dir, QStringLiteral("ROM_GetCH.dll"), "Eins|1|2|3|4|5|6|7|8|9|10|11\r\nZwei|1|2|3|4|5|6|7|8|9|10|11\r\n");
    put(dir, QStringLiteral("TV.dll"), "0,16, 0 \r\n");
    put(dir, QStringLiteral("Radio.dll"), "1,0,-1 \r\n");
    put(dir, QStringLiteral("Favorite.dll"), " 1 \r\n 0 \r\n" + QByteArray(" 0 \r\n").repeated(11));
}

// Logs each run and writes the target, as the real combiner would.
const QByteArray kCombiner = "echo \"$1 -> $2\" >> \"$3/runs.log\"\nprintf 'combined' > \"$2\"\n";

// A model with edits to save, an image and a stand-in combiner.
struct Saving {
    TempProgramDir dir;
    ChannelModel model{ProgramDir(dir.path())};
    ChannelSaver saver{Converters(ProgramDir(dir.path()))};
    QString image = dir.file(QStringLiteral("CH.bin"));
    explicit Saving(const QByteArray &combiner = kCombiner)
    {
        dir.script(QStringLiteral("ChannelCombine"), combiner);
        writeWholeFile(image, "original");
        model.tables() = sampleTables(3, 2);
    }
    // What a save of the image into `target` reports, or why it failed.
    QString save(const QString &target)
    {
        const Result<QString> saved = saver.save(model, image, target);
        return saved ? saved.value() : QStringLiteral("failed: ") + saved.error();
    }
    QString keptReport() const { return QStringLiteral("Kept the old channel data as %1.bak\r\n").arg(image); }
};

}  // namespace

using Change = std::function<void(ChannelTables &)>;
Q_DECLARE_METATYPE(Change)

class TestChannelModel : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void loadAndSave()
    {
        QTemporaryDir dir;
        putValidFiles(dir.path());
        // Files are found, and replaced, in any spelling of their names.
        QVERIFY(QFile::rename(dir.filePath(QStringLiteral("TV.dll")), dir.filePath(QStringLiteral("tv.DLL"))));
        ChannelModel model{ProgramDir(dir.path())};
        QVERIFY(!model.DataLoaded());
        const Status loaded = model.LoadChannelFiles();
        QVERIFY2(loaded.ok(), qPrintable(loaded.error()));
        QVERIFY(model.DataLoaded());
        QVERIFY(model.ChannelDataUnchanged());
        const ChannelTables &t = model.tables();
        // What is not written back; the saved files below show the rest was read.
        QCOMPARE(t.Channels[ChannelTV][0].FavoriteFlag[0], qint16(1));
        QCOMPARE(t.Favorites[ChannelTV][0].MyIndex[0], qint16(0));

        nameRecord(model.tables().Rom[0], "A");
        QVERIFY(!model.ChannelDataUnchanged());
        const Status saved = model.SaveChannelFiles();
        QVERIFY2(saved.ok(), qPrintable(saved.error()));
        QVERIFY(model.ChannelDataUnchanged());
        QCOMPARE(contents(dir.filePath(QStringLiteral("ROM_GetCH.dll"))),
                 QByteArray("41|1|2|3|4|5|6|7|8|9|10|11\r\n5A776569|1|2|3|4|5|6|7|8|9|10|11\r\n"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files, QDir::Name),
                 QStringList({"Favorite.dll", "ROM_GetCH.dll", "Radio.dll", "tv.DLL"}));
        QCOMPARE(contents(dir.filePath(QStringLiteral("tv.DLL"))), QByteArray("0,16, 0 \r\n"));
        QCOMPARE(contents(dir.filePath(QStringLiteral("Radio.dll"))), QByteArray("1,0,-1 \r\n"));
        QCOMPARE(contents(dir.filePath(QStringLiteral("Favorite.dll"))),
                 " 1 \r\n 0 \r\n" + QByteArray(" 0 \r\n").repeated(11));
    }

    void loadFailureLeavesModelEmpty_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("content");  // empty: the file is removed
        QTest::addColumn<QString>("error");

        QTest::newRow("missing channel file") << "Radio.dll" << QByteArray() << "Radio.dll is missing in %1";
        QTest::newRow("non-number") << "Radio.dll" << QByteArray("1,zero,0\r\n")
                                    << "Radio.dll, line 1: \"zero\" is not a number";
        QTest::newRow("master index that does not exist")
            << "TV.dll" << QByteArray("2,0,0\r\n")
            << "TV.dll, line 1: channel record 2 does not exist (ROM_GetCH.dll holds 2)";
    }

    void loadFailureLeavesModelEmpty()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, content);
        QFETCH(QString, error);
        QTemporaryDir dir;
        ChannelModel model{ProgramDir(dir.path())};
        putValidFiles(dir.path());  // a model that was loaded before ...
        QVERIFY(model.LoadChannelFiles().ok());
        if (content.isEmpty())
            QVERIFY(QFile::remove(dir.filePath(file)));
        else
            put(dir.path(), file, content);
        const Status loaded = model.LoadChannelFiles();  // ... is replaced by nothing
        QCOMPARE(loaded.error(),
                 error.contains(QLatin1String("%1")) ? error.arg(QDir::toNativeSeparators(dir.path())) : error);
        QVERIFY(!model.DataLoaded());
        QCOMPARE(model.tables(), ChannelTables());
        // Nothing to save: a save prompt must not write the empty model over the image.
        QVERIFY(model.ChannelDataUnchanged());
    }

    void unchanged_data()
    {
        QTest::addColumn<Change>("change");
        QTest::addColumn<bool>("unchanged");

        QTest::newRow("nothing") << Change([](ChannelTables &) {}) << true;
        QTest::newRow("favourite MyIndex")
            << Change([](ChannelTables &t) { t.Favorites[1][2].MyIndex[0] = 99; }) << true;
        QTest::newRow("CHIndex past Count")
            << Change([](ChannelTables &t) { t.Favorites[0][0].CHIndex[40] = 7; }) << true;
        QTest::newRow("master MyIndex") << Change([](ChannelTables &t) { t.Rom[0].MyIndex = 5; }) << true;
        QTest::newRow("name bytes without the name")
            << Change([](ChannelTables &t) { t.Rom[0].NameBytes = "x"; }) << true;
        QTest::newRow("a field") << Change([](ChannelTables &t) { t.Rom[0].Fields[3] = QStringLiteral("x"); }) << true;
        QTest::newRow("name case") << Change([](ChannelTables &t) { t.Rom[4].Name = t.Rom[4].Name.toLower(); })
                                   << false;
        QTest::newRow("lock") << Change([](ChannelTables &t) { t.Channels[1][0].Attribute ^= LockBit; }) << false;
        QTest::newRow("extra") << Change([](ChannelTables &t) { t.Channels[0][3].Extra = 1; }) << false;
        QTest::newRow("flag") << Change([](ChannelTables &t) { t.Channels[0][0].FavoriteFlag[5] = 1; }) << false;
        QTest::newRow("order") << Change([](ChannelTables &t) { t.Channels[0].swapItemsAt(0, 1); }) << false;
        QTest::newRow("entry removed") << Change([](ChannelTables &t) { t.Channels[1].removeLast(); }) << false;
        QTest::newRow("favourite order") << Change([](ChannelTables &t) {
            std::swap(t.Favorites[1][0].CHIndex[0], t.Favorites[1][0].CHIndex[1]);
        }) << false;
        QTest::newRow("favourite count") << Change([](ChannelTables &t) { --t.Favorites[0][5].Count; }) << false;
        QTest::newRow("master record added") << Change([](ChannelTables &t) { t.Rom.append(t.Rom[0]); }) << false;
    }

    void unchanged()
    {
        QFETCH(Change, change);
        QTemporaryDir dir;
        ChannelModel model{ProgramDir(dir.path())};
        model.tables() = sampleTables(10, 5);
        QVERIFY(model.SaveChannelFiles().ok());
        change(model.tables());
        QTEST(model.ChannelDataUnchanged(), "unchanged");
    }

    void unwritableFileStopsTheSave()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("RADIO.dll")));  // cannot be replaced by a file
        ChannelModel model{ProgramDir(dir.path())};
        model.tables() = sampleTables(2, 1);
        const Status saved = model.SaveChannelFiles();
        QVERIFY2(
            saved.error().startsWith(QStringLiteral("Cannot write %1: ")
                                         .arg(QDir::toNativeSeparators(dir.filePath(QStringLiteral("RADIO.dll"))))),
            qPrintable(saved.error()));
        QVERIFY(QFile::exists(dir.filePath(QStringLiteral("TV.dll"))));
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("Favorite.dll"))));  // nor any after it
        QVERIFY(!model.ChannelDataUnchanged());
    }

    void imageLoadConvertsFirst_data()
    {
        QTest::addColumn<QByteArray>("parser");  // the ChannelParse stand-in; none when empty
        QTest::addColumn<bool>("converted");
        QTest::addColumn<QString>("error");  // %1 is the program directory
        QTest::newRow("loads") << QByteArray("cp \"$2\"/stash/* \"$2\"/\n") << true << QString();
        QTest::newRow("parser fails") << QByteArray("echo 'ChannelParse: bad image' >&2\nexit 10\n") << false
                                      << "ChannelParse failed with exit code 10.\nChannelParse: bad image";
        QTest::newRow("parser writes nothing") << QByteArray("exit 0\n") << true << "ROM_GetCH.dll is missing in %1";
    }

    void imageLoadConvertsFirst()
    {
        QFETCH(QByteArray, parser);
        QFETCH(bool, converted);
        QFETCH(QString, error);
        TempProgramDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("stash")));
        putValidFiles(dir.file(QStringLiteral("stash")));
        dir.script(QStringLiteral("ChannelParse"), parser);
        ChannelModel model{ProgramDir(dir.path())};
        model.tables() = sampleTables(3, 2);  // unsaved edits of an earlier image

        const ChannelImageLoad loaded =
            loadChannelImage(Converters(ProgramDir(dir.path())), model, dir.file(QStringLiteral("CH.bin")));
        QCOMPARE(loaded.converted, converted);
        error.replace(QStringLiteral("%1"), QDir::toNativeSeparators(dir.path()));
        QCOMPARE(loaded.status.error(), error);
        if (loaded.status.ok())
            QCOMPARE(model.tables().Rom.size(), 2);
        else if (converted)
            QCOMPARE(model.tables(), ChannelTables());  // as a failed LoadChannelFiles leaves it
        else
            QCOMPARE(model.tables(), sampleTables(3, 2));  // nothing was converted: the edits stay
    }

    void savesAndKeepsOneBackupOfTheTarget()
    {
        Saving s;
        QVERIFY(!s.model.ChannelDataUnchanged());
        QCOMPARE(s.save(s.image), s.keptReport());
        QCOMPARE(contents(s.image + QStringLiteral(".bak")), QByteArray("original"));
        QCOMPARE(contents(s.image), QByteArray("combined"));
        QVERIFY(s.model.ChannelDataUnchanged());
        for (const char *name : {"TV.dll", "Radio.dll", "Favorite.dll", "ROM_GetCH.dll"})
            QVERIFY2(s.dir.has(QLatin1String(name)), name);

        // The copy is of the data before the session's first save; later saves keep it.
        s.model.tables().Rom[0].Name = QStringLiteral("Renamed");
        QCOMPARE(s.save(s.image), QString());
        QCOMPARE(contents(s.image + QStringLiteral(".bak")), QByteArray("original"));
        QCOMPARE(contents(s.dir.file(QStringLiteral("runs.log"))).count('\n'), 2);

        // A new target has nothing to keep.
        const QString target = s.dir.file(QStringLiteral("New.bin"));
        QCOMPARE(s.save(target), QString());
        QVERIFY(!QFile::exists(target + QStringLiteral(".bak")));
        QVERIFY(contents(s.dir.file(QStringLiteral("runs.log"))).endsWith((s.image + " -> " + target + '\n').toUtf8()));
    }

    void failureKeepsTheEditsUnsaved_data()
    {
        QTest::addColumn<QByteArray>("combiner");  // with the working one, the backup is blocked
        QTest::addColumn<QString>("error");        // its start; %1 is the image
        QTest::newRow("combiner fails") << QByteArray("echo 'ChannelCombine: no room' >&2\nexit 3\n")
                                        << "ChannelCombine failed with exit code 3.\nChannelCombine: no room";
        QTest::newRow("combiner crashes") << QByteArray("kill -SEGV $$\n") << "ChannelCombine crashed.";
        // The old image is the only good copy of the user's data: without a backup nothing replaces it.
        QTest::newRow("backup cannot be made") << kCombiner << "Cannot write %1.bak: ";
    }

    void failureKeepsTheEditsUnsaved()
    {
        QFETCH(QByteArray, combiner);
        QFETCH(QString, error);
        const bool blockBackup = combiner == kCombiner;
        Saving s(combiner);
        if (blockBackup)
            QVERIFY(QDir(s.dir.path()).mkpath(QStringLiteral("CH.bin.bak/blocked")));
        const QString saved = s.save(s.image);
        error.replace(QStringLiteral("%1"), QDir::toNativeSeparators(s.image));
        QVERIFY2(saved.startsWith(QStringLiteral("failed: ") + error), qPrintable(saved));
        QVERIFY(!s.model.ChannelDataUnchanged());
        QVERIFY(!s.dir.has(QStringLiteral("runs.log")));  // the stand-ins that fail log nothing
        QCOMPARE(contents(s.image), QByteArray("original"));

        // A failed copy does not count as kept: once it can be made, the next save makes it.
        // A copy made before a failed run is the user's to know of: the next good save names it.
        if (blockBackup)
            QVERIFY(QDir(s.image + QStringLiteral(".bak")).removeRecursively());
        else
            s.dir.script(QStringLiteral("ChannelCombine"), kCombiner);
        QCOMPARE(s.save(s.image), s.keptReport());
        QCOMPARE(contents(s.image + QStringLiteral(".bak")), QByteArray("original"));
        QVERIFY(s.model.ChannelDataUnchanged());
    }
};

QTEST_GUILESS_MAIN(TestChannelModel)
#include "tst_channel_model.moc"
