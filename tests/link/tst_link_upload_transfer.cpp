#include "RecordingWire.h"
#include "support/TransferHarness.h"

#include "common/TextServices.h"

#include <QApplication>
#include <QRegularExpression>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>

#include <memory>

// Uploads through the real transfer window and a real serial port, with the
// receiver simulator on the far side of a pseudo-terminal.
class TestLinkUploadTransfer : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QCoreApplication::setApplicationName(QStringLiteral("TarvikUploadTest")); }

    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_link = std::make_unique<ReceiverLink>(ProgramDir(m_dir->path()));
        m_board.clear();
        m_lamps.clear();
        connect(m_link.get(), &ReceiverLink::messageAppended, this, [this](const QString &t) { m_board += t; });
        connect(m_link.get(), &ReceiverLink::transferPortStateChanged, this, [this](bool open) { m_lamps << open; });
    }

    void cleanup()
    {
        m_sim.reset();
        m_link.reset();
        m_dir.reset();
    }

    void completeUpload_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("fileSize");
        QTest::addColumn<int>("imageSize");
        QTest::addColumn<QStringList>("faults");
        QTest::addColumn<QString>("boardText");
        QTest::newRow("loader, exact size")
            << "STB_Loader" << 65536 << 65536 << QStringList() << "START BOOT STB LOADER DATA SENDING\r\n";
        QTest::newRow("default osd, short file padded")
            << "Default_OSD" << 100000 << 327680 << QStringList() << "START Default OSD DATA SENDING\r\n";
        QTest::newRow("default osd, long file cut")
            << "Default_OSD" << 400000 << 327680 << QStringList()
            << "START Default OSD DATA SENDING\r\nOnly the first 329000 of the file's 400000 bytes are sent.\r\n";
        QTest::newRow("mpeg, garbage ignored")
            << "MPEG" << 49152 << 49152 << QStringList{"--garbage", "3"} << "START MPEG DATA SENDING\r\n";
    }

    void completeUpload()
    {
        QFETCH(QString, kind);
        QFETCH(int, fileSize);
        QFETCH(int, imageSize);
        QFETCH(QStringList, faults);
        QFETCH(QString, boardText);
        const QByteArray file = patternBytes(fileSize);
        QVERIFY(writeWholeFile(imagePath(), file).ok());
        QVERIFY(startSim(faults));

        const TransferRecord r = upload(kind);
        QVERIFY2(!r.timedOut, qPrintable(m_sim->log()));
        QCOMPARE(r.outcome.hSerialMode(), 10);
        QCOMPARE(r.percent, QString("              transfer completed"));
        QCOMPARE(r.button, QString("OK"));
        QCOMPARE(r.progressValue, r.progressMax);
        QVERIFY(r.boxes.isEmpty());
        QCOMPARE(r.label1, ShortenPathCaption(imagePath()));
        // The speed line shows while packets flow and is gone once the verdict is in.
        QVERIFY(!r.rates.isEmpty());
        static const QRegularExpression rateLine(QStringLiteral("^[0-9]+ bytes/s, [0-9]+:[0-5][0-9] left$"));
        for (const QString &rate : r.rates)
            QVERIFY2(rateLine.match(rate).hasMatch(), qPrintable(rate));
        QCOMPARE(r.rate, QString());
        QCOMPARE(m_board,
                 "KELDO ZAVO STB CONNECTED\r\n" + boardText + "Please wait, WRITING DATA...\r\nSUCCESS\r\n \r\n");
        QCOMPARE(m_lamps, (QList<bool>{true, false}));

        QByteArray expected = file.left(imageSize);
        expected += QByteArray(imageSize - expected.size(), '\0');
        QCOMPARE(contents(receivedPath()), expected);

        QSettings store(QCoreApplication::organizationName(), QCoreApplication::applicationName());
        store.beginGroup("Properties");
        QCOMPARE(store.value("Settings").toString(), QString("115200,N,8,1"));
        QCOMPARE(store.value("CommPort").toInt(), 1);
        QCOMPARE(store.value("Handshaking").toInt(), 1);
        QCOMPARE(store.value("Echo").toBool(), true);
    }

    void finalByteThatXonXoffWouldSwallow_data()
    {
        QTest::addColumn<int>("total");
        QTest::newRow("XON 0x11") << 0x11;
        QTest::newRow("XOFF 0x13") << 0x13;
        QTest::newRow("0x311 ends in XON") << 0x311;
    }

    void finalByteThatXonXoffWouldSwallow()
    {
        QFETCH(int, total);
        QByteArray file(49152, '\0');
        for (int i = 0, left = total; left > 0; ++i, left -= 0xFF)
            file[i * 100] = char(std::min(left, 0xFF));
        QVERIFY(writeWholeFile(imagePath(), file).ok());
        QVERIFY(startSim());
        const TransferRecord r = upload("MPEG", {}, nullptr, 8000);
        QVERIFY2(!r.timedOut, qPrintable(m_sim->log()));
        QCOMPARE(r.outcome.hSerialMode(), 10);
        QCOMPARE(r.percent, QString("              transfer completed"));
        QCOMPARE(contents(receivedPath()), file);
    }

    void monitorPortClosedDuringTransfer()
    {
        QVERIFY(writeWholeFile(imagePath(), patternBytes(49152)).ok());
        QVERIFY(startSim());
        m_link->setMonitorMode(true);
        QVERIFY(m_link->RS232_Connect());
        m_link->portOpen(true);
        QVERIFY(m_link->monitorPort().isOpen());
        const TransferRecord r = upload("MPEG");
        QVERIFY(!r.timedOut);
        QVERIFY(!r.monitorOpenDuring);
        QCOMPARE(r.outcome.hSerialMode(), 10);
        QVERIFY(m_link->monitorPort().isOpen());
        m_link->portOpen(false);
    }

    void earlyEndKeepsTheWindowOpen()
    {
        QVERIFY(writeWholeFile(imagePath(), patternBytes(65536)).ok());
        QVERIFY(startSim({"--early-end", "3"}));
        QElapsedTimer sinceError;
        // The window must still be open well after the auto-close delay.
        const TransferRecord r = upload("STB_Loader", {}, [&](const TransferRecord &rec) {
            if (rec.button != "Error")
                return false;
            if (!sinceError.isValid())
                sinceError.start();
            return sinceError.elapsed() > 800;
        });
        QVERIFY(!r.timedOut);
        QVERIFY(m_board.endsWith("FAIL\r\n \r\n"));
        QCOMPARE(r.percent, QString("                   Transfer Error"));
        QCOMPARE(r.outcome.hSerialMode(), 2);
    }

    void failuresWaitForTheUser_data()
    {
        QTest::addColumn<QStringList>("faults");  // empty: no receiver, Com1 is no port
        QTest::addColumn<QString>("boardLine");
        QTest::addColumn<QString>("percent");
        const QString silence = "Error !!! Please turn OFF then ON the receiver to reset. \r\n";
        const QString portError = "Port  error... \r\n";
        QTest::newRow("wrong checksum at packet 2")
            << QStringList{"--wrong-checksum", "2"} << silence << "Transfer Error";
        QTest::newRow("stall after packet 4") << QStringList{"--stall-after", "4"} << silence << "Transfer Error";
        QTest::newRow("silent receiver") << QStringList{"--silent"} << silence << "Transfer Error";
        QTest::newRow("wrong final byte") << QStringList{"--wrong-final"} << "Final check failed"
                                          << "Transfer Error";
        QTest::newRow("hang-up") << QStringList{"--hangup-after", "2"} << portError << "Port Error..";
        QTest::newRow("no port") << QStringList{} << portError << "Port Error..";
    }

    void failuresWaitForTheUser()
    {
        // No resend and no retry, but no endless wait either: the transfer ends
        // by itself with an error, and the user only acknowledges it.
        QFETCH(QStringList, faults);
        QFETCH(QString, boardLine);
        QFETCH(QString, percent);
        QVERIFY(writeWholeFile(imagePath(), patternBytes(49152)).ok());
        if (faults.isEmpty())
            QVERIFY(writeWholeFile(path("Com1"), "not a port").ok());
        else
            QVERIFY(startSim(faults));
        const TransferRecord r =
            upload("MPEG", quickWatchdog(), [](const TransferRecord &rec) { return rec.button == "Error"; });
        QVERIFY2(!r.timedOut, qPrintable(m_board));
        QCOMPARE(r.button, QString("Error"));
        QCOMPARE(r.percent.trimmed(), percent);
        QVERIFY2(m_board.contains(boardLine), qPrintable(m_board));
        QVERIFY(!m_board.contains("SUCCESS"));
        QCOMPARE(m_lamps.value(m_lamps.size() - 1, true), false);
        QCOMPARE(r.outcome.hSerialMode(), 2);
    }

    void placedOverTheMainWindow()
    {
        QVERIFY(writeWholeFile(imagePath(), patternBytes(65536)).ok());
        QVERIFY(startSim({"--silent"}));
        QWidget main;
        main.setGeometry(100, 80, 900, 600);
        main.show();
        const TransferRecord r = runTransfer(
            *m_link, TransferRequest::upload(imagePath(), "STB_Loader"), {},
            [](const TransferRecord &rec) { return rec.geometry.isValid(); }, 5000, &main);
        QVERIFY(!r.timedOut);
        const QRect m = main.frameGeometry();
        // Centred across, with its top edge at the main window's vertical middle.
        QCOMPARE(r.geometry.left(), m.left() + (m.width() - r.geometry.width()) / 2);
        QCOMPARE(r.geometry.top(), m.top() + m.height() / 2);
    }

    void wrongFileSizeClosesAtOnce()
    {
        QVERIFY(writeWholeFile(imagePath(), patternBytes(262145)).ok());
        QVERIFY(startSim());
        const TransferRecord r = upload("Transponder");
        QVERIFY(!r.timedOut);
        QCOMPARE(r.boxes,
                 QStringList{
                     "File Size error|File size not matched!! Transponder has to 262144 byte but your file is 262145"});
        QCOMPARE(r.outcome.hSerialMode(), 2);
        QVERIFY(!QFile::exists(receivedPath()));
    }

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }
    QString imagePath() const { return path(QStringLiteral("image.bin")); }
    QString receivedPath() const { return path(QStringLiteral("received.bin")); }
    bool startSim(const QStringList &faults = {})
    {
        m_sim = std::make_unique<SimProcess>(m_dir->path(), QStringList{"--out", receivedPath()} + faults);
        return m_sim->started();
    }
    TransferRecord upload(const QString &kind, const TransferTimings &t = {},
                          const std::function<bool(const TransferRecord &)> &press = nullptr, int limitMs = 20000)
    {
        return runTransfer(
            *m_link, TransferRequest::upload(imagePath(), kind), t,
            press ? press : [](const TransferRecord &) { return false; }, limitMs);
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ReceiverLink> m_link;
    std::unique_ptr<SimProcess> m_sim;
    QString m_board;
    QList<bool> m_lamps;
};

QTEST_MAIN(TestLinkUploadTransfer)
#include "tst_link_upload_transfer.moc"
