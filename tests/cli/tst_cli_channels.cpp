// tarvik-cli channels: the real executable and the real converters.
#include "ChannelImage.h"
#include "CliProcess.h"
#include "support/SampleTables.h"
#include "support/TestFiles.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

QStringList tvNames(const QString &image)
{
    const Result<QByteArray> bytes = readWholeFile(image);
    const Result<ChannelTables> t = bytes ? ChannelImage::parse(bytes.value()) : bytes.status();
    QStringList names;
    if (!t)
        return {QStringLiteral("unreadable: ") + t.error()};
    for (const ChannelEntry &e : t.value().Channels[ChannelTV])
        names.append(QString::fromLatin1(t.value().Rom[e.ChannelIndex].NameBytes));
    return names;
}

}  // namespace

class TestCliChannels : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_image = file("channels.bin");
        QVERIFY(writeWholeFile(m_image, ChannelImage::build(sampleTables(4, 2)).value()).ok());
    }

    void exportThenImport()
    {
        const CliRun exported = runCli({"channels", "export", m_image, file("list.csv")});
        QCOMPARE(exported.exitCode, 0);
        QByteArray csv = contents(file("list.csv"));
        QVERIFY(csv.startsWith("type,position,name,lock,F1,F2,F3,F4,F5,F6,orig_type,orig_position,orig_name\r\n"
                               "TV,1,CH 0,1,,4,4,4,4,4,TV,1,CH 0\r\n"));

        // Unchanged, the image comes back as it was.
        QCOMPARE(runCli({"channels", "import", m_image, file("list.csv"), file("same.bin")}).exitCode, 0);
        QCOMPARE(contents(file("same.bin")), contents(m_image));

        csv.replace("TV,1,CH 0,1,,4,4,4,4,4,TV,1,CH 0\r\n", "");
        csv.replace("TV,3,CH 2,", "TV,3,\"Caf\xC3\xA9, 2\",");
        QVERIFY(writeWholeFile(file("list.csv"), csv).ok());
        const CliRun imported = runCli({"channels", "import", m_image, file("list.csv"), file("out.bin")});
        QCOMPARE(imported.exitCode, 0);
        QCOMPARE(tvNames(file("out.bin")), (QStringList{"CH 1", QString::fromLatin1("Caf\xE9, 2"), "CH 3", "CH 0"}));
    }

    void badImportWritesNothing()
    {
        QVERIFY(writeWholeFile(file("list.csv"), "type,position,name,lock,F1,F2,F3,F4,F5,F6,orig_type,orig_position,"
                                                 "orig_name\r\nTV,1,CH 9,0,,,,,,,TV,1,CH 9\r\n")
                    .ok());
        QVERIFY(writeWholeFile(file("out.bin"), "old").ok());
        const CliRun run = runCli({"channels", "import", m_image, file("list.csv"), file("out.bin")});
        QCOMPARE(run.exitCode, 3);
        QCOMPARE(run.err, file("list.csv").prepend("tarvik-cli: ") +
                              " was not imported:\nline 2: unknown channel: TV 1 \"CH 9\"\n");
        QCOMPARE(contents(file("out.bin")), QByteArray("old"));
        const CliRun missing = runCli({"channels", "import", file("none.bin"), file("list.csv"), file("out.bin")});
        QCOMPARE(missing.exitCode, 3);
        QCOMPARE(contents(file("out.bin")), QByteArray("old"));
    }

    void orderLikeACsv()
    {
        QVERIFY(writeWholeFile(file("ref.csv"),
                               "type,position,name,lock,F1,F2,F3,F4,F5,F6,orig_type,orig_position,"
                               "orig_name\r\nTV,1,ch 3 ,0,,,,,,,TV,1,x\r\nTV,2,CH 1,0,,,,,,,TV,2,x\r\n")
                    .ok());
        const CliRun run = runCli({"channels", "order", m_image, file("ref.csv"), file("out.bin")});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, QStringLiteral("Matched 2 of 6 channels.\nNot in the reference:\nTV: CH 0\nTV: CH 2\n"
                                         "Radio: CH 4\nRadio: CH 5\n"));
        QCOMPARE(tvNames(file("out.bin")), (QStringList{"CH 3", "CH 1", "CH 0", "CH 2"}));
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_image;
    QString file(const char *name) const { return m_dir->filePath(QLatin1String(name)); }
};

QTEST_GUILESS_MAIN(TestCliChannels)
#include "tst_cli_channels.moc"
