#include "UploadFixture.h"

#include <QTemporaryDir>
#include <QTest>

#include <memory>

class TestLinkUploadEngine : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }

    void kindRequestAndLengthField_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("boardText");
        QTest::addColumn<QByteArray>("command");
        QTest::addColumn<int>("expectedSize");
        QTest::addColumn<QByteArray>("length");

        const auto len = [](char third) { return QByteArray("\x00\x00", 2) + third + QByteArray(1, '\0'); };
        QTest::newRow("loader") << "STB_Loader"
                                << "START BOOT STB LOADER DATA SENDING" << QByteArray("STLD") << 65536 << len(0x01);
        QTest::newRow("application") << "Application"
                                     << "START APPLICATION DATA SENDING" << QByteArray("STAP") << 1179648 << len(0x12);
        QTest::newRow("transponder") << "Transponder"
                                     << "START TRANSPONDER DATA SENDING" << QByteArray("STTP") << 262144 << len(0x04);
        QTest::newRow("channel") << "CH. Data"
                                 << "START CHANNEL DATA SENDING" << QByteArray("STCH") << 262144 << len(0x04);
        QTest::newRow("mpeg") << "MPEG"
                              << "START MPEG DATA SENDING" << QByteArray("MPEG") << 49152 << len(0x01);
        QTest::newRow("default osd") << "Default_OSD"
                                     << "START Default OSD DATA SENDING" << QByteArray("DBMP") << 327680 << len(0x05);
        QTest::newRow("2mb") << "2MB"
                             << "START 2MB DATA SENDING" << QByteArray("PGAL") << 2097152 << len(0x20);
        QTest::newRow("sosd") << "SOSD"
                              << "START SOSD DATA SENDING" << QByteArray("SOSD") << 1376256 << len(0x15);
        QTest::newRow("sad1") << "SAD1"
                              << "START SOSD DATA SENDING" << QByteArray("SAD1") << 786432 << len(0x0C);
        QTest::newRow("sad2") << "SAD2"
                              << "START SOSD DATA SENDING" << QByteArray("SAD2") << 786432 << len(0x0C);
        QTest::newRow("sch1") << "SCH1"
                              << "START SOSD DATA SENDING" << QByteArray("SCH1") << 786432 << len(0x0C);
        QTest::newRow("sch2") << "SCH2"
                              << "START SOSD DATA SENDING" << QByteArray("SCH2") << 786432 << len(0x0C);
        QTest::newRow("osd") << "OSD"
                             << "START OSD DATA SENDING" << QByteArray("DOSD") << 1376256 << len(0x15);
        QTest::newRow("subscription") << "SUBSCRIPTION"
                                      << "START SUBSCRIPTION DATA SENDING" << QByteArray("STSS") << 116 << QByteArray();
    }

    void kindRequestAndLengthField()
    {
        QFETCH(QString, kind);
        QFETCH(QString, boardText);
        QFETCH(QByteArray, command);
        QFETCH(int, expectedSize);
        QFETCH(QByteArray, length);

        Upload up(file(QByteArray(expectedSize, 'x')), kind);
        up.msg("ZAVO");
        QCOMPARE(up.wire.takeAll(), QByteArray("NONO"));
        QCOMPARE(up.board, QString("KELDO ZAVO STB CONNECTED\r\n"));
        up.board.clear();
        up.msg("STPG");
        QCOMPARE(up.board, boardText + "\r\n");
        QCOMPARE(up.wire.takeAll(), command);
        QCOMPARE(up.engine->expectedSize(), expectedSize);
        up.msg("REDY");
        QCOMPARE(up.wire.takeAll(), length);
        QVERIFY(up.sizeErrors.isEmpty());
        // The receiver acknowledges with the length field's third byte.
        if (!length.isEmpty()) {
            up.msg(length.mid(2, 1));
            QCOMPARE(up.wire.writes.value(0), QByteArray("0000"));
            QCOMPARE(up.wire.writes.value(1).size(), 3500);
        }
    }

    void kindsWithoutARow_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("all sosd") << "SMOS";
        QTest::newRow("unknown") << "Firmware";
    }

    void kindsWithoutARow()
    {
        QFETCH(QString, kind);
        Upload up(file("abc"), kind);
        up.msg("ZAVO");
        up.wire.takeAll();
        up.board.clear();
        up.msg("STPG");
        QVERIFY(up.board.isEmpty());
        QVERIFY(up.wire.writes.isEmpty());
        // No size known: no length field.
        up.msg("REDY");
        QVERIFY(up.wire.writes.isEmpty());
    }

    void completeUploadPadsTheLastPacket_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("fileSize");
        QTest::addColumn<int>("packets");
        QTest::addColumn<QString>("status");
        QTest::newRow("loader: 19 packets") << "STB_Loader" << 65536 << 19 << "Total byte :  65536/sent byte: 65536";
        // The length field says 65536, but 49152 is passed after 15 packets.
        QTest::newRow("mpeg: 15 packets") << "MPEG" << 49152 << 15 << "Total byte :  49152/sent byte: 49152";
        QTest::newRow("default osd, short file") << "Default_OSD" << 1000 << 94 << "Total byte :  1000/sent byte: 1000";
    }

    void completeUploadPadsTheLastPacket()
    {
        QFETCH(QString, kind);
        QFETCH(int, fileSize);
        QFETCH(int, packets);
        QFETCH(QString, status);

        const QByteArray image = patternBytes(fileSize);
        Upload up(file(image), kind);
        up.greet();
        up.runPackets(kind == "Default_OSD" ? 0x05 : 0x01);
        QCOMPARE(up.packets.size(), packets);
        for (int i = 0; i < packets; ++i)
            QCOMPARE(up.numbers[i], QString("%1").arg(i, 4, 10, QChar('0')).toLatin1());

        QByteArray sent = up.packets.join();
        QCOMPARE(sent.size(), packets * 3500);
        QCOMPARE(sent.left(fileSize), image);
        QCOMPARE(sent.mid(fileSize), QByteArray(sent.size() - fileSize, '\0'));
        QCOMPARE(up.engine->totalChecksum(), sumOf(image));
        QCOMPARE(up.engine->view().percentText, QString("                      90%"));
        QCOMPARE(up.engine->view().statusText, status);
        QCOMPARE(up.engine->view().progressMax, int(fileSize + 1 + fileSize / 10.0 + 0.0));
        QCOMPARE(up.board.right(30), QString("Please wait, WRITING DATA...\r\n"));
        QCOMPARE(up.engine->finalCheck(), QString("%1").arg(sumOf(image) % 256, 2, 16, QChar('0')).toUpper());

        up.msg(QByteArray(1, char(sumOf(image) % 256)));
        QCOMPARE(up.wire.takeAll(), QByteArray("END "));
        up.board.clear();
        up.msg("END ");
        QCOMPARE(up.board, QString("SUCCESS\r\n \r\n"));
        QCOMPARE(up.engine->view().percentText, QString("              transfer completed"));
        QCOMPARE(up.engine->view().buttonText, QString("OK"));
        QCOMPARE(up.engine->view().progressValue, up.engine->view().progressMax);
        QCOMPARE(up.ends, QList<TransferEnd>{TransferEnd::Completed});
    }

    void twoMegabyteImageNumbersPackets()
    {
        const QByteArray image = patternBytes(2097152, 3);
        Upload up(file(image), "2MB");
        QCOMPARE(up.greet(), QByteArray("NONOPGAL") + QByteArray("\x00\x00\x20\x00", 4));
        up.runPackets(0x20);
        QCOMPARE(up.numbers.size(), 600);
        QCOMPARE(up.numbers.first(), QByteArray("0000"));
        QCOMPARE(up.numbers[417], QByteArray("0417"));
        QCOMPARE(up.numbers.last(), QByteArray("0599"));
        QCOMPARE(up.packets.join().left(image.size()), image);
        QCOMPARE(up.finalAwaited, 1);
    }

    void checksumReplies_data()
    {
        QTest::addColumn<QByteArray>("packetStart");
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<bool>("accepted");
        const QByteArray big(100, char(0xFF));  // 25500
        QTest::newRow("five-digit sum: last four digits") << big << QByteArray("5500") << true;
        QTest::newRow("five-digit sum: whole sum refused") << big << QByteArray("25500") << false;
        QTest::newRow("sum below 1000, plain") << QByteArray("\x07", 1) << QByteArray("7") << true;
        QTest::newRow("sum below 1000, zero-padded") << QByteArray("\x07", 1) << QByteArray("0007") << true;
        QTest::newRow("wrong sum") << QByteArray("\x07", 1) << QByteArray("8") << false;
        QTest::newRow("not a number") << QByteArray("\x07", 1) << QByteArray("7a") << false;
    }

    void checksumReplies()
    {
        QFETCH(QByteArray, packetStart);
        QFETCH(QByteArray, reply);
        QFETCH(bool, accepted);
        QByteArray image(65536, '\0');
        image.replace(0, packetStart.size(), packetStart);
        Upload up(file(image), "STB_Loader");
        up.greet();
        up.msg(QByteArray(1, 0x01));
        up.wire.writes.clear();
        up.msg(reply);
        // An unmatched reply is ignored: no resend, the exchange waits.
        QCOMPARE(up.wire.writes.value(0), accepted ? QByteArray("0001") : QByteArray());
        QCOMPARE(up.engine->packetCounter(), accepted ? 1 : 0);
    }

    void wrongFileSizeRefusedBeforeData()
    {
        Upload up(file(QByteArray(65537, 'a')), "STB_Loader");
        const QByteArray sent = up.greet();
        QCOMPARE(sent, QByteArray("NONOSTLD") + QByteArray("\x00\x00\x01\x00", 4));
        QCOMPARE(up.sizeErrors,
                 QStringList{"File size not matched!! STB_Loader has to 65536 byte but your file is 65537"});
        QCOMPARE(up.ends, QList<TransferEnd>{TransferEnd::Refused});
        QVERIFY(up.wire.clears > 0);  // nothing still queued goes out
        up.msg(QByteArray(1, 0x01));
        QVERIFY(up.wire.writes.isEmpty());
    }

    void finalByteCountsOnlyAfterLastReply()
    {
        // Total checksum 0: a 0x00 byte must not end the upload before the last reply.
        Upload up(file(QByteArray(49152, '\0')), "MPEG");
        up.greet();
        up.msg(QByteArray(1, 0x01));
        for (int i = 1; i < 15; ++i)
            up.msg("0");
        QVERIFY(up.engine->lastPacketSent());
        up.wire.writes.clear();
        up.msg(QByteArray(1, '\0'));
        QVERIFY(up.wire.writes.isEmpty());
        up.msg("0");
        QCOMPARE(up.engine->finalCheck(), QString("00"));
        up.msg(QByteArray(1, '\0'));
        QCOMPARE(up.wire.takeAll(), QByteArray("END "));
    }

    void wrongFinalByteEndsTheUpload()
    {
        QByteArray image(49152, '\0');
        image[0] = char(0x12);
        Upload up(file(image), "MPEG");
        up.greet();
        up.runPackets(0x01);
        QCOMPARE(up.engine->finalCheck(), QString("12"));
        up.board.clear();
        // Longer messages are not the final byte and change nothing.
        up.msg("4711");
        QVERIFY(up.ends.isEmpty());
        up.msg(QByteArray(1, char(0x13)));
        QVERIFY(up.wire.writes.isEmpty());
        QCOMPARE(up.board, QString("Final check failed: the receiver has 13, the file 12\r\n"));
        QCOMPARE(up.ends, QList<TransferEnd>{TransferEnd::Failed});
        QCOMPARE(up.engine->view().percentText, QString("                   Transfer Error"));
        QCOMPARE(up.engine->view().buttonText, QString("Error"));
    }

    void finalCheckDoesNotLeakIntoANewTransfer()
    {
        QByteArray image(49152, '\0');
        image[0] = char(0xAB);
        {
            Upload first(file(image), "MPEG");
            first.greet();
            first.runPackets(0x01);
            QCOMPARE(first.engine->finalCheck(), QString("AB"));
        }
        Upload second(file(QByteArray(49152, '\0'), "other.bin"), "MPEG");
        QVERIFY(second.engine->finalCheck().isEmpty());
        second.greet();
        second.msg(QByteArray(1, 0x01));
        for (int i = 1; i < 15; ++i)
            second.msg("0");
        second.wire.writes.clear();
        second.msg(QByteArray(1, char(0xAB)));
        second.msg(QByteArray(1, '\0'));
        QVERIFY(second.wire.writes.isEmpty());
    }

    void receiverErrorWords_data()
    {
        QTest::addColumn<QByteArray>("word");
        QTest::addColumn<bool>("afterData");
        QTest::addColumn<QString>("boardText");
        QTest::addColumn<QString>("percent");
        const QString w = "Smc Writing Error !!! Please turn OFF then ON the receiver to reset.\r\n";
        const QString t = "Type Mismatch Error !!! Please turn OFF then ON the receiver to reset.\r\n";
        const QString r = "Smc Reading Error !!! Please turn OFF then ON the receiver to reset. \r\n";
        const QString s = "Please insert SMC ...\r\n";
        QTest::newRow("ERR before data") << QByteArray("ERR ") << false << w << "Transfer Error";
        QTest::newRow("ERR after data") << QByteArray("ERR ") << true << w << "                   Transfer Error";
        QTest::newRow("ERR1 before data") << QByteArray("ERR1") << false << t << "Transfer Error";
        QTest::newRow("ERR1 after data") << QByteArray("ERR1") << true << t << "                   Transfer Error";
        QTest::newRow("ERR2 before data") << QByteArray("ERR2") << false << r << "Transfer Error";
        QTest::newRow("ERR2 after data") << QByteArray("ERR2") << true << r << "                   Transfer Error";
        QTest::newRow("SMER before data") << QByteArray("SMER") << false << s << "Transfer Error";
        QTest::newRow("SMER after data") << QByteArray("SMER") << true << s << "Transfer Error";
    }

    void receiverErrorWords()
    {
        QFETCH(QByteArray, word);
        QFETCH(bool, afterData);
        QFETCH(QString, boardText);
        QFETCH(QString, percent);
        Upload up(file(QByteArray(65536, 'z')), "STB_Loader");
        up.greet();
        if (afterData)
            up.msg(QByteArray(1, 0x01));
        up.board.clear();
        up.wire.writes.clear();
        up.msg(word);
        QCOMPARE(up.board, boardText);
        QCOMPARE(up.engine->view().percentText, percent);
        QCOMPARE(up.engine->view().buttonText, QString("Error"));
        QCOMPARE(up.ends, QList<TransferEnd>{TransferEnd::Failed});
        QVERIFY(up.wire.clears > 0);
        // Nothing more goes out once the upload has ended.
        up.msg(QByteArray::number(up.engine->packetChecksum()));
        QVERIFY(up.wire.writes.isEmpty());
    }

    void earlyEndIsAnError()
    {
        Upload up(file(QByteArray(65536, 'z')), "STB_Loader");
        up.greet();
        up.msg(QByteArray(1, 0x01));
        up.board.clear();
        up.msg("END ");
        QCOMPARE(up.board, QString("FAIL\r\n \r\n"));
        QCOMPARE(up.engine->view().percentText, QString("                   Transfer Error"));
        QCOMPARE(up.engine->view().buttonText, QString("Error"));
        QCOMPARE(up.ends, QList<TransferEnd>{TransferEnd::Failed});
    }

    void emptyFileOfAnUncheckedKind()
    {
        Upload up(file(QByteArray()), "Default_OSD");
        up.greet();
        QCOMPARE(up.engine->view().progressMax, 1);
        up.runPackets(0x05);
        QCOMPARE(up.packets.size(), 94);
        QCOMPARE(up.packets.join(), QByteArray(94 * 3500, '\0'));
        QCOMPARE(up.engine->view().percentText, QString("                      90%"));
        QCOMPARE(up.engine->view().statusText, QString("Total byte :  0/sent byte: 0"));
        QCOMPARE(up.engine->view().progressValue, 1);
    }

    void unopenableFileSendsNoData()
    {
        Upload up(m_dir->filePath("missing.bin"), "Default_OSD");
        up.greet();
        QCOMPARE(up.fileErrors.size(), 1);
        up.msg(QByteArray(1, 0x05));
        up.msg("0");
        QVERIFY(up.wire.writes.isEmpty());
        QVERIFY(up.ends.isEmpty());
    }

    void unreadableFileSendsNoData()
    {
#ifdef Q_OS_LINUX
        // Reading /proc/self/mem at offset 0 fails: that page is never mapped.
        Upload up("/proc/self/mem", "2MB");
        up.greet();
        up.msg(QByteArray(1, 0x20));
        QCOMPARE(up.fileErrors.size(), 1);
        QVERIFY(up.wire.writes.isEmpty());
        QCOMPARE(up.ends, QList<TransferEnd>{TransferEnd::Failed});
        QCOMPARE(up.engine->view().buttonText, QString("Error"));
        QVERIFY(!up.board.contains("SUCCESS"));
#else
        QSKIP("needs a file whose reads fail");
#endif
    }

    void bytesBeyondAnUncheckedKindAreReported_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("fileSize");
        QTest::addColumn<QString>("line");
        // 2MB: 600 packets of 3500 bytes, 2,100,000 bytes in all.
        QTest::newRow("2MB, 7152 over") << "2MB" << 2107152
                                        << "Only the first 2100000 of the file's 2107152 bytes are sent.\r\n";
        QTest::newRow("2MB, fills the last packet") << "2MB" << 2100000 << "";
        QTest::newRow("SAD1, one over") << "SAD1" << 787501
                                        << "Only the first 787500 of the file's 787501 bytes are sent.\r\n";
        QTest::newRow("SAD1, short") << "SAD1" << 1000 << "";
    }

    void bytesBeyondAnUncheckedKindAreReported()
    {
        QFETCH(QString, kind);
        QFETCH(int, fileSize);
        QFETCH(QString, line);
        Upload up(file(QByteArray(fileSize, 'q')), kind);
        up.msg("ZAVO");
        up.msg("STPG");
        up.board.clear();
        up.msg("REDY");
        // Before the first packet.
        QCOMPARE(up.board, line);
    }

    void sendFailureEndsTheUpload()
    {
        Upload up(file(QByteArray(65536, 'z')), "STB_Loader");
        up.greet();
        up.wire.failWrites = true;
        up.msg(QByteArray(1, 0x01));
        QCOMPARE(up.fileErrors, QStringList{"Write refused"});
        QCOMPARE(up.ends, QList<TransferEnd>{TransferEnd::Failed});

        // Reported later by the port, after the bytes were accepted.
        Upload later(file(QByteArray(65536, 'z')), "STB_Loader");
        later.greet();
        later.msg(QByteArray(1, 0x01));
        later.engine->sendFailed("Input/output error");
        QCOMPARE(later.fileErrors, QStringList{"Input/output error"});
        QCOMPARE(later.ends, QList<TransferEnd>{TransferEnd::Failed});
        QCOMPARE(later.engine->view().percentText, QString("                   Transfer Error"));
        later.engine->sendFailed("again");
        QCOMPARE(later.fileErrors.size(), 1);
    }

    void watchdogPortError()
    {
        Upload up(file(QByteArray(65536, 'z')), "STB_Loader");
        up.engine->portOpened(false);
        up.engine->watchdogTick();
        up.engine->watchdogTick();
        QCOMPARE(up.board, QString("Port  error... \r\nPort  error... \r\n"));
        QCOMPARE(up.engine->view().percentText, QString(" Port Error.."));
        QCOMPARE(up.engine->view().buttonText, QString("Error"));

        Upload lost(file(QByteArray(65536, 'z')), "STB_Loader");
        lost.engine->notified();
        lost.greet();
        lost.engine->portLost();
        lost.engine->watchdogTick();
        QCOMPARE(lost.engine->view().percentText, QString(" Port Error.."));
    }

    void watchdogCatchesSilenceAtAnyStage()
    {
        const auto silentFor = [](Upload &up, int ticks) {
            for (int i = 0; i < ticks; ++i)
                up.engine->watchdogTick();
        };
        const QString error = "Error !!! Please turn OFF then ON the receiver to reset. \r\n";

        // No answer to the kind request (as for "SMOS").
        Upload request(file(QByteArray(65536, 'z')), "STB_Loader");
        request.engine->notified();
        request.msg("ZAVO");
        request.msg("STPG");
        silentFor(request, 5);
        request.engine->notified();  // a notification starts the count again
        silentFor(request, 5);
        QVERIFY(request.ends.isEmpty());
        request.board.clear();
        silentFor(request, 1);
        QCOMPARE(request.board, error);
        QCOMPARE(request.ends, QList<TransferEnd>{TransferEnd::Failed});
        QCOMPARE(request.engine->view().percentText, QString("Transfer Error"));
        QCOMPARE(request.engine->view().buttonText, QString("Error"));
        QCOMPARE(request.engine->watchdogTicks(), 0);

        // Silence in the middle of the packets.
        Upload packets(file(QByteArray(65536, 'z')), "STB_Loader");
        packets.greet();
        packets.engine->notified();
        packets.msg(QByteArray(1, 0x01));
        packets.collectPackets();
        packets.engine->notified();
        packets.msg(QByteArray::number(sumOf(packets.packets.last()) % 10000));
        silentFor(packets, 6);
        QCOMPARE(packets.ends, QList<TransferEnd>{TransferEnd::Failed});
        QCOMPARE(packets.engine->view().percentText, QString("Transfer Error"));

        // A lost final byte.
        Upload final(file(QByteArray(49152, 'f')), "MPEG");
        final.greet();
        final.runPackets(0x01);
        QVERIFY(!final.engine->finalCheck().isEmpty());
        silentFor(final, 6);
        QCOMPARE(final.ends, QList<TransferEnd>{TransferEnd::Failed});
    }

    void cancelAndAcknowledge()
    {
        Upload running(file(QByteArray(65536, 'z')), "STB_Loader");
        running.greet();
        running.msg(QByteArray(1, 0x01));
        QVERIFY(!running.engine->cancelClicked());
        QVERIFY(running.engine->stopped());
        running.wire.writes.clear();
        running.msg(QByteArray::number(running.engine->packetChecksum()));
        QVERIFY(running.wire.writes.isEmpty());

        Upload done(file(QByteArray(49152, '\0')), "MPEG");
        done.greet();
        done.runPackets(0x01);
        done.msg(QByteArray(1, '\0'));
        done.msg("END ");
        QVERIFY(done.engine->cancelClicked());
    }

private:
    QString file(const QByteArray &bytes, const QString &name = QStringLiteral("image.bin"))
    {
        const QString path = m_dir->filePath(name);
        writeWholeFile(path, bytes);
        return path;
    }

    std::unique_ptr<QTemporaryDir> m_dir;
};

QTEST_GUILESS_MAIN(TestLinkUploadEngine)
#include "tst_link_upload_engine.moc"
