// The real ChannelParse and ChannelCombine, run the way the tool runs them, in a
// temporary program directory.
#include "ChannelImage.h"
#include "ChannelTestData.h"
#include "common/Converters.h"
#include "support/TempProgramDir.h"

#include <QDir>
#include <QSet>
#include <QTest>

#include <algorithm>

namespace {

// A program directory with the two converters in it.
struct ProgramDirectory : TempProgramDir {
    ProgramDirectory() { stageConverters(path()); }
    ProgramDir programDir() const { return ProgramDir(path()); }
    Converters converters() const { return Converters(programDir()); }
    QStringList dataFiles() const
    {
        QStringList names = QDir(path()).entryList(QDir::Files);
        names.removeAll(QStringLiteral("ChannelParse"));
        names.removeAll(QStringLiteral("ChannelCombine"));
        names.sort();
        return names;
    }
};

QByteArray sample()
{
    return contents(QStringLiteral(TARVIK_STAGE_DIR "/samples/channels.bin"));
}

// An image of the test's own with the names that are hard to carry through the
// files: none, the single 0 of an emptied name, and bytes below 16, whose
// hexadecimal form reads two ways.
QByteArray awkwardImage()
{
    ChannelTables t = sampleTables(300, 40);
    const QByteArray names[] = {QByteArray(), QByteArray(1, '\0'), QByteArray("\x0A\x05Z", 3)};
    for (int i = 0; i < 3; ++i)
        nameRecord(t.Rom[7 + i], names[i]);
    const Result<QByteArray> image = ChannelImage::build(t);
    return image ? image.value() : QByteArray();
}

// Writes the image as ROM_GetCH.bin and parses it there, as the tool does after a download.
bool parseInto(const ProgramDirectory &dir, const QByteArray &image)
{
    const QString bin = dir.file(QStringLiteral("ROM_GetCH.bin"));
    return writeWholeFile(bin, image).ok() && dir.converters().channelParse(bin).succeeded();
}

#define CHECK_RUN(call)                                                                                                \
    do {                                                                                                               \
        const RunOutcome outcome = (call);                                                                             \
        QVERIFY2(outcome.succeeded(), qPrintable(outcome.describe(QStringLiteral("converter"))));                      \
    } while (false)

}  // namespace

class TestChannelConverters : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void sampleLooksLikeAReceiversList()
    {
        ProgramDirectory dir;
        QVERIFY(parseInto(dir, sample()));
        ChannelModel model(dir.programDir());
        QVERIFY(model.LoadChannelFiles().ok());
        const ChannelTables &t = model.tables();

        QSet<QByteArray> names;
        for (const RomChannel &record : t.Rom) {
            QVERIFY2(!record.NameBytes.isEmpty(), qPrintable(QString::number(record.MyIndex)));
            QVERIFY2(
                std::all_of(record.NameBytes.cbegin(), record.NameBytes.cend(), [](char c) { return quint8(c) >= 32; }),
                record.NameBytes.toHex().constData());
            names.insert(record.NameBytes);
        }
        QCOMPARE(names.size(), t.Rom.size());
        for (int type = 0; type < ChannelTypeCount; ++type) {
            QVERIFY(t.Channels[type].size() >= 100);
            const auto locked = std::count_if(t.Channels[type].cbegin(), t.Channels[type].cend(),
                                              [](const ChannelEntry &e) { return (e.Attribute & LockBit) != 0; });
            QVERIFY(locked > 0 && locked < t.Channels[type].size() / 10);
            for (const FavoriteGroup &group : t.Favorites[type])
                QVERIFY(group.Count >= 3 && group.Count <= 12);
        }
    }

    void imageAndEditsSurviveCombineAndParse()
    {
        const QByteArray image = awkwardImage();
        ProgramDirectory dir;
        const QString bin = dir.file(QStringLiteral("ROM_GetCH.bin"));
        QVERIFY(parseInto(dir, image));
        ChannelModel model(dir.programDir());
        const Status loaded = model.LoadChannelFiles();
        QVERIFY2(loaded.ok(), qPrintable(loaded.error()));
        QCOMPARE(model.tables().Rom[9].NameBytes, QByteArray("\x0A\x05Z", 3));

        // Saved unedited, the image comes back as it was: by Save As into a new
        // target, and by Save, where source and target are the same file.
        QVERIFY(model.SaveChannelFiles().ok());
        const QString saveAs = dir.file(QStringLiteral("copy.bin"));
        CHECK_RUN(dir.converters().channelCombine(bin, saveAs));
        QVERIFY(contents(saveAs) == image);
        CHECK_RUN(dir.converters().channelCombine(bin, bin));
        QVERIFY(contents(bin) == image);

        // What the editor does: renames (one to an empty name), a lock, a move, a favourite removed.
        ChannelEditing editing(model);
        editing.switchType(ChannelTV);
        QVERIFY(editing.rename(3, QStringLiteral("Neues Öl-Program")));
        QVERIFY(editing.rename(4, QString()));
        editing.setLocked({10}, true);
        const FavoriteGroup &f6 = model.tables().Favorites[ChannelTV][5];
        editing.setFavorite(5, {f6.CHIndex[f6.Count - 1]}, false);
        editing.switchType(ChannelRadio);
        editing.moveChannels({0}, 7);
        QVERIFY(model.SaveChannelFiles().ok());

        const QString edited = dir.file(QStringLiteral("edited.bin"));
        CHECK_RUN(dir.converters().channelCombine(bin, edited));

        // Parsing the new image gives the files that were saved, names raw.
        ProgramDirectory expected;
        QVERIFY(writeChannelFiles(expected.programDir(), model.tables(), NameForm::Raw).ok());
        ProgramDirectory parsed;
        CHECK_RUN(parsed.converters().channelParse(edited));
        QCOMPARE(parsed.dataFiles(), expected.dataFiles());
        for (const QString &name : expected.dataFiles())
            QVERIFY2(contents(parsed.file(name)) == contents(expected.file(name)), qPrintable(name));
    }

    void refusals_data()
    {
        QTest::addColumn<QString>("image");    // "missing", "short", "marked", "sample"
        QTest::addColumn<int>("records");      // files to put in the directory first; 0: none
        QTest::addColumn<QString>("message");  // from the program it names; %1: the image's path, %2: the directory

        QTest::newRow("parse, missing image") << "missing" << 0 << "ChannelParse: %1 does not exist";
        QTest::newRow("parse, wrong size")
            << "short" << 0 << "ChannelParse: %1 is 262000 bytes long; a channel image is exactly 262144 bytes";
        QTest::newRow("parse, not a channel image")
            << "marked" << 0 << "ChannelParse: %1: this is not a channel image (no channel image mark at its start)";
        QTest::newRow("combine, missing source") << "missing" << 10 << "ChannelCombine: %1 does not exist";
        // Both read their image alike: the wrong size is refused by the same code for either.
        QTest::newRow("combine, missing files") << "sample" << 0 << "ChannelCombine: ROM_GetCH.dll is missing in %2";
        QTest::newRow("combine, more than fits")
            << "sample" << 5001
            << "ChannelCombine: ROM_GetCH.dll holds 5001 channel records; a channel image holds at most 5000";
    }

    void refusals()
    {
        QFETCH(QString, image);
        QFETCH(int, records);
        QFETCH(QString, message);
        ProgramDirectory dir;
        const QString input = dir.file(QStringLiteral("input.bin"));
        QByteArray bytes = sample();
        if (image == QLatin1String("short"))
            bytes.chop(144);
        if (image == QLatin1String("marked"))
            bytes[0] = 'X';
        if (image != QLatin1String("missing"))
            QVERIFY(writeWholeFile(input, bytes).ok());
        if (records > 0)
            QVERIFY(writeChannelFiles(dir.programDir(), sampleTables(records - 1, 0, 1), NameForm::Hex).ok());
        const QString target = dir.file(QStringLiteral("target.bin"));
        QVERIFY(writeWholeFile(target, "old").ok());
        const QStringList before = dir.dataFiles();

        const RunOutcome run = message.startsWith(QLatin1String("ChannelParse"))
                                   ? dir.converters().channelParse(input)
                                   : dir.converters().channelCombine(input, target);
        QCOMPARE(run.exitCode, 1);
        message.replace(QLatin1String("%1"), QDir::toNativeSeparators(input));
        message.replace(QLatin1String("%2"), dir.programDir().path());
        QCOMPARE(QString::fromLocal8Bit(run.standardError), message + QLatin1Char('\n'));
        QCOMPARE(dir.dataFiles(), before);
        QCOMPARE(contents(target), QByteArray("old"));
    }
};

QTEST_GUILESS_MAIN(TestChannelConverters)
#include "tst_channel_converters.moc"
