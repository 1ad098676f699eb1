#include "RecordingWire.h"
#include "support/TransferHarness.h"

#include <QDir>
#include <QElapsedTimer>
#include <QSettings>
#include <QTest>

#include <memory>

namespace {
constexpr int kImageSize = 64 * 4096;
}

// Channel downloads through the real transfer window and port, with the
// receiver simulator serving an image on the far side of a pseudo-terminal.
class TestLinkDownloadTransfer : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QCoreApplication::setApplicationName(QStringLiteral("TarvikDownloadTest")); }

    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_served = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid() && m_served->isValid());
        m_link = std::make_unique<ReceiverLink>(ProgramDir(m_dir->path()));
        m_imageBytes = patternBytes(kImageSize, 17);
        QVERIFY(writeWholeFile(servedImage(), m_imageBytes).ok());
    }

    void cleanup()
    {
        m_sim.reset();
        m_link.reset();
        m_dir.reset();
        m_served.reset();
    }

    void completeDownload_data()
    {
        QTest::addColumn<QStringList>("faults");
        QTest::newRow("plain") << QStringList();
        // Garbage where a packet number belongs is not a number: it changes nothing.
        QTest::newRow("garbage before packet 2") << QStringList{"--garbage", "2"};
    }

    void completeDownload()
    {
        QFETCH(QStringList, faults);
        // A longer earlier file is replaced, not appended to.
        QVERIFY(writeWholeFile(target(), QByteArray(kImageSize + 5000, 'o')).ok());
        writeConverter(0);
        QVERIFY(startSim(faults));
        const TransferRecord r = download([](const TransferRecord &) { return false; });
        QVERIFY2(!r.timedOut, qPrintable(m_sim->log()));
        QCOMPARE(r.outcome.hSerialMode(), 10);
        QCOMPARE(r.percent, QString("Channel Upload Success"));
        QVERIFY(!r.rates.isEmpty());
        QCOMPARE(r.rate, QString());
        QCOMPARE(r.button, QString("OK"));
        QCOMPARE(r.progressValue, 70);
        QCOMPARE(r.progressMax, 70);
        QVERIFY(r.boxes.isEmpty());
        QCOMPARE(contents(target()), m_imageBytes);
        QCOMPARE(
            contents(m_dir->filePath("parse-args.txt")),
            (QDir::toNativeSeparators(target()) + "\n" + QDir::toNativeSeparators(m_dir->path()) + "\n").toLocal8Bit());
        QCOMPARE(leftovers(), QStringList());

        QSettings store(QCoreApplication::organizationName(), QCoreApplication::applicationName());
        QCOMPARE(store.value("Properties/Handshaking").toInt(), 0);
    }

    void converterFailure()
    {
        writeConverter(3);
        QVERIFY(startSim());
        const TransferRecord r = download([](const TransferRecord &rec) { return rec.button == "Error"; });
        QVERIFY(!r.timedOut);
        QCOMPARE(r.boxes, QStringList{"TarvikDownloadTest|ChannelParse failed with exit code 3.\nno channels"});
        // The image itself arrived whole and is kept; nothing opens on it.
        QCOMPARE(contents(target()), m_imageBytes);
        QCOMPARE(r.percent, QString("Channel Upload Success"));
        QCOMPARE(r.outcome.hSerialMode(), 1);
    }

    void failedDownloadsKeepTheEarlierFile_data()
    {
        QTest::addColumn<QStringList>("faults");
        QTest::addColumn<QString>("percent");
        QTest::addColumn<QString>("button");
        const QString erro = "Error !!! Please turn off the On the receiver to reset. ";
        // The second half of a split packet is not a number; the receiver then
        // gets the first half's checksum and reports the mismatch.
        QTest::newRow("packet 5 split by a pause") << QStringList{"--split", "5"} << erro << "Cancel";
        QTest::newRow("early END at packet 3") << QStringList{"--early-end", "3"} << "Channel Upload Fail"
                                               << "Cancel";
        // All data came, but the final byte does not confirm it: the end comes at once.
        QTest::newRow("wrong final byte") << QStringList{"--wrong-final"} << "Transfer Error"
                                          << "Error";
        QTest::newRow("hang-up after packet 4") << QStringList{"--hangup-after", "4"} << " Port Error.."
                                                << "Error";
    }

    void failedDownloadsKeepTheEarlierFile()
    {
        QFETCH(QStringList, faults);
        QFETCH(QString, percent);
        QFETCH(QString, button);
        QVERIFY(writeWholeFile(target(), "earlier channel data").ok());
        writeConverter(0);
        QVERIFY(startSim(faults));
        QElapsedTimer steady;
        const TransferRecord r = download(
            [&](const TransferRecord &rec) {
                if (rec.percent != percent || rec.button != button) {
                    steady.invalidate();
                    return false;
                }
                if (!steady.isValid())
                    steady.start();
                return steady.elapsed() > 400;
            },
            quickWatchdog());
        QVERIFY2(!r.timedOut, qPrintable(r.percent + "|" + r.button + "|" + m_sim->log()));
        QCOMPARE(r.outcome.hSerialMode(), 1);
        QCOMPARE(contents(target()), QByteArray("earlier channel data"));
        QVERIFY(!QFile::exists(m_dir->filePath("parse-args.txt")));
        QCOMPARE(leftovers(), QStringList());
    }

private:
    QString servedImage() const { return m_served->filePath(QStringLiteral("served.bin")); }
    QString target() const { return m_dir->filePath(QStringLiteral("ROM_GetCH.bin")); }
    void writeConverter(int exitCode)
    {
        const QString script = m_dir->filePath(QStringLiteral("ChannelParse"));
        writeWholeFile(script, QStringLiteral("#!/bin/sh\nprintf '%s\\n' \"$@\" > \"%1\"\n%2exit %3\n")
                                   .arg(m_dir->filePath("parse-args.txt"),
                                        exitCode ? QStringLiteral("echo no channels >&2\n") : QString())
                                   .arg(exitCode)
                                   .toLatin1());
        QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    bool startSim(const QStringList &faults = {})
    {
        m_sim = std::make_unique<SimProcess>(m_dir->path(), QStringList{"--image", servedImage()} + faults);
        return m_sim->started();
    }
    TransferRecord download(const std::function<bool(const TransferRecord &)> &press, const TransferTimings &t = {})
    {
        return runTransfer(*m_link, TransferRequest::download(target()), t, press, 20000);
    }
    // Program directory entries other than the ones a test puts there.
    QStringList leftovers() const
    {
        QStringList names = QDir(m_dir->path()).entryList(QDir::Files | QDir::System | QDir::Hidden);
        for (const char *known : {"ROM_GetCH.bin", "ChannelParse", "parse-args.txt", "Com1"})
            names.removeAll(QString::fromLatin1(known));
        return names;
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QTemporaryDir> m_served;
    std::unique_ptr<ReceiverLink> m_link;
    std::unique_ptr<SimProcess> m_sim;
    QByteArray m_imageBytes;
};

QTEST_MAIN(TestLinkDownloadTransfer)
#include "tst_link_download_transfer.moc"
