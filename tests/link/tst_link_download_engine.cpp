#include "RecordingWire.h"
#include "link/DownloadEngine.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

constexpr int kPackets = 64;
constexpr int kPacketBytes = 4096;

struct Download {
    RecordingWire wire;
    QList<TransferEnd> ends;
    QStringList fileErrors;
    std::unique_ptr<DownloadEngine> engine;

    explicit Download(const QString &file) : engine(std::make_unique<DownloadEngine>(wire, file))
    {
        QObject::connect(engine.get(), &TransferEngine::ended, [this](TransferEnd e) { ends << e; });
        QObject::connect(engine.get(), &TransferEngine::fileError, [this](const QString &t) { fileErrors << t; });
        engine->portOpened(true);
    }
    void msg(const QByteArray &m) { engine->handleMessage(m); }
    QString percent() const { return engine->view().percentText; }

    void start()
    {
        msg("ZAVO");
        msg("STPG");
        msg("REDY");
        wire.writes.clear();
    }
    // Serves the packets of `image` up to the last one; returns the replies.
    QByteArrayList serve(const QByteArray &image)
    {
        for (int i = 0; i < kPackets; ++i) {
            msg(QString("%1").arg(i, 4, 10, QChar('0')).toLatin1());
            msg(image.mid(qsizetype(i) * kPacketBytes, kPacketBytes));
        }
        QByteArrayList replies = wire.writes;
        wire.writes.clear();
        return replies;
    }
};

}  // namespace

class TestLinkDownloadEngine : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }

    void greetingAndTexts()
    {
        Download dl(target());
        QCOMPARE(dl.percent(), QString("Signal Waiting......"));
        dl.msg("ZAVO");
        QCOMPARE(dl.wire.takeAll(), QByteArray("NONO"));
        dl.msg("STPG");
        QCOMPARE(dl.wire.takeAll(), QByteArray("UPCH"));
        QCOMPARE(dl.percent(), QString("START CHANNEL DATA UPLOADING"));
        QCOMPARE(dl.engine->view().progressMax, 70);
        QCOMPARE(dl.engine->finalCheck(), QString("0"));
        dl.msg("REDY");
        QCOMPARE(dl.percent(), QString("Ready ok. go\r\n"));
        QVERIFY(dl.engine->readyReceived());
        QVERIFY(dl.wire.writes.isEmpty());
    }

    void completeDownloadReplacesTheFile()
    {
        // A longer earlier file must be replaced, never appended to.
        QVERIFY(writeWholeFile(target(), QByteArray(300000, 'o')).ok());
        const QByteArray image = patternBytes(kPackets * kPacketBytes, 11);
        Download dl(target());
        dl.start();
        const QByteArrayList replies = dl.serve(image);
        QCOMPARE(replies.size(), kPackets - 1);  // none for the last packet
        QCOMPARE(dl.percent(), QString("Please Wait..."));
        QVERIFY(dl.engine->downloadComplete());
        QCOMPARE(dl.engine->totalChecksum(), sumOf(image));
        QCOMPARE(dl.engine->finalCheck(), QString("%1").arg(sumOf(image) % 256, 2, 16, QChar('0')).toUpper());
        // Not yet confirmed: the old file stays.
        QCOMPARE(contents(target()).size(), 300000);

        dl.msg(QByteArray(1, char(sumOf(image) % 256)));
        QCOMPARE(dl.wire.takeAll(), QByteArray("END "));
        QCOMPARE(contents(target()), image);
        dl.msg("END ");
        QCOMPARE(dl.percent(), QString("Channel Upload Success"));
        QCOMPARE(dl.engine->view().buttonText, QString("OK"));
        QCOMPARE(dl.engine->view().progressValue, 70);
        QCOMPARE(dl.ends, QList<TransferEnd>{TransferEnd::Received});
        dl.engine.reset();
        QCOMPARE(entries(), QStringList{"ROM_GetCH.bin"});
    }

    void checksumRepliesAreFourDigits_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QByteArray>("reply");
        QTest::newRow("five-digit sum") << QByteArray(100, char(0xFF)) << QByteArray("5500");
        QTest::newRow("sum 7") << QByteArray("\x03\x04", 2) << QByteArray("0007");
        QTest::newRow("sum 0") << QByteArray(10, '\0') << QByteArray("0000");
        QTest::newRow("full 4096 bytes of 0xFF") << QByteArray(4096, char(0xFF)) << QByteArray("4480");
    }

    void checksumRepliesAreFourDigits()
    {
        QFETCH(QByteArray, data);
        QFETCH(QByteArray, reply);
        Download dl(target());
        dl.start();
        dl.wire.writes.clear();
        dl.msg("0000");
        dl.msg(data);
        QCOMPARE(dl.wire.takeAll(), reply);
        QVERIFY(!dl.engine->expectData());
        // The total keeps the full sums.
        QCOMPARE(dl.engine->totalChecksum(), sumOf(data));
    }

    void percentFollowsPacketNumbers_data()
    {
        QTest::addColumn<QByteArray>("number");
        QTest::addColumn<QString>("percent");
        QTest::addColumn<int>("progress");
        QTest::newRow("0") << QByteArray("0000") << "0 %" << 0;
        QTest::newRow("1") << QByteArray("0001") << "1 %" << 1;
        QTest::newRow("32") << QByteArray("0032") << "50 %" << 32;
        QTest::newRow("63") << QByteArray("0063") << "98 %" << 63;
        QTest::newRow("unpadded") << QByteArray("7") << "10 %" << 7;
    }

    void percentFollowsPacketNumbers()
    {
        QFETCH(QByteArray, number);
        QFETCH(QString, percent);
        QFETCH(int, progress);
        Download dl(target());
        dl.start();
        dl.msg(number);
        QCOMPARE(dl.percent(), percent);
        QCOMPARE(dl.engine->view().progressValue, progress);
        QVERIFY(dl.engine->expectData());
    }

    void wrongFinalByteLeavesTheFileAlone()
    {
        QVERIFY(writeWholeFile(target(), "earlier").ok());
        const QByteArray image = patternBytes(kPackets * kPacketBytes, 5);
        Download dl(target());
        dl.start();
        dl.serve(image);
        dl.msg(QByteArray(1, char((sumOf(image) + 1) % 256)));
        // The transfer ends by itself instead of waiting at "Please Wait...".
        QVERIFY(dl.wire.writes.isEmpty());
        QCOMPARE(dl.ends, QList<TransferEnd>{TransferEnd::Failed});
        QCOMPARE(dl.percent(), QString("Transfer Error"));
        QCOMPARE(dl.engine->view().buttonText, QString("Error"));
        QCOMPARE(contents(target()), QByteArray("earlier"));
        QCOMPARE(entries(), QStringList{"ROM_GetCH.bin"});
    }

    void secondRoundWritesItsOwnData()
    {
        const QByteArray first = patternBytes(kPackets * kPacketBytes, 3);
        const QByteArray second = patternBytes(kPackets * kPacketBytes, 4);
        Download dl(target());
        dl.start();
        dl.serve(first);
        dl.msg(QByteArray(1, char(sumOf(first) % 256)));
        QCOMPARE(dl.wire.takeAll(), QByteArray("END "));
        QCOMPARE(contents(target()), first);
        // The receiver starts over instead of answering "END ".
        dl.start();
        dl.serve(second);
        QCOMPARE(dl.engine->totalChecksum(), sumOf(second));
        dl.msg(QByteArray(1, char(sumOf(second) % 256)));
        QCOMPARE(dl.wire.takeAll(), QByteArray("END "));
        dl.msg("END ");
        QCOMPARE(dl.ends, QList<TransferEnd>{TransferEnd::Received});
        QCOMPARE(contents(target()), second);
    }

    void watchdogCatchesSilenceMidDownload()
    {
        Download dl(target());
        dl.engine->notified();
        dl.start();
        for (int i = 0; i < 10; ++i) {
            dl.engine->notified();
            dl.msg(QString("%1").arg(i, 4, 10, QChar('0')).toLatin1());
            dl.msg(QByteArray(kPacketBytes, 'x'));
        }
        for (int i = 0; i < 5; ++i)
            dl.engine->watchdogTick();
        QVERIFY(dl.ends.isEmpty());
        dl.engine->watchdogTick();
        QCOMPARE(dl.ends, QList<TransferEnd>{TransferEnd::Failed});
        QCOMPARE(dl.percent(), QString("Transfer Error"));
        QVERIFY(entries().isEmpty());
    }

    void temporaryFileRemovedWhenAbandoned()
    {
        const QByteArray image = patternBytes(kPackets * kPacketBytes, 9);
        {
            Download dl(target());
            dl.start();
            dl.serve(image);
            QVERIFY(dl.engine->downloadComplete());
        }
        QVERIFY(entries().isEmpty());
    }

    void packetNumberThatIsNotANumber()
    {
        Download dl(target());
        dl.start();
        dl.msg("0005");
        dl.msg(QByteArray(4096, 'a'));
        dl.wire.writes.clear();
        const QString before = dl.percent();
        // The second half of a split packet arrives where a number is expected.
        dl.msg(QByteArray(2048, 'b'));
        QCOMPARE(dl.percent(), before);
        QCOMPARE(dl.engine->packetNumber(), 5);
        QVERIFY(!dl.engine->expectData());
        QVERIFY(dl.wire.writes.isEmpty());
        dl.msg("12x4");
        QVERIFY(!dl.engine->expectData());
        dl.msg("0006");
        QVERIFY(dl.engine->expectData());
    }

    void receiverErrorAndSilence()
    {
        Download dl(target());
        dl.start();
        dl.msg("ERRO");
        QCOMPARE(dl.percent(), QString("Error !!! Please turn off the On the receiver to reset. "));
        QCOMPARE(dl.engine->view().buttonText, QString("Cancel"));
        QVERIFY(dl.ends.isEmpty());

        Download silent(target());
        for (int i = 0; i < 6; ++i)
            silent.engine->watchdogTick();
        QCOMPARE(silent.percent(), QString("Transfer Error"));
        QCOMPARE(silent.engine->view().buttonText, QString("Error"));
    }

    void unwritableTargetIsAnError()
    {
        Download dl(m_dir->filePath("no/such/folder/ROM_GetCH.bin"));
        dl.start();
        dl.serve(patternBytes(kPackets * kPacketBytes));
        QCOMPARE(dl.fileErrors.size(), 1);
        QCOMPARE(dl.percent(), QString("Transfer Error"));
        QCOMPARE(dl.ends, QList<TransferEnd>{TransferEnd::Failed});
    }

private:
    QString target() const { return m_dir->filePath("ROM_GetCH.bin"); }
    QStringList entries() const { return QDir(m_dir->path()).entryList(QDir::Files); }

    std::unique_ptr<QTemporaryDir> m_dir;
};

QTEST_GUILESS_MAIN(TestLinkDownloadEngine)
#include "tst_link_download_engine.moc"
