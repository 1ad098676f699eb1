#include "link/MessageFramer.h"
#include "link/ReceiverLink.h"
#include "link/ReceiverPort.h"
#include "support/PtyPair.h"
#include "support/TempProgramDir.h"

#include <QBuffer>
#include <QSignalSpy>
#include <QtTest>

namespace {

// Opens the slave side of `pty` as Com1 of a temporary program directory.
struct LinkedPort {
    TempProgramDir dir;
    PtyPair pty;
    ReceiverPort port{ProgramDir(dir.path())};
    LinkedPort()
    {
        pty.linkAs(dir.file(QStringLiteral("Com1")));
        port.applySettings();
    }
};

// A framer over a buffer that is fed as a port feeds it.
struct Framed {
    QBuffer device;
    MessageFramer framer{&device};
    QSignalSpy spy{&framer, &MessageFramer::messageReceived};
    Framed() { device.open(QIODevice::ReadWrite); }
    // Appending and announcing with no event processed in between, so no gap can pass.
    void feed(const QByteArray &bytes, bool announce = true)
    {
        device.buffer().append(bytes);
        if (announce)
            Q_EMIT device.readyRead();
    }
    QByteArray message(int i) const { return spy.at(i).at(0).toByteArray(); }
};

}  // namespace

class TestSerial : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QCoreApplication::setApplicationName(QStringLiteral("Tarvik")); }

    // A message ends when the gap passes with nothing new. What the port announces,
    // or holds unread, before that belongs to the same message.
    void framesOnTheGap_data()
    {
        QTest::addColumn<QString>("second");  // how "PG" comes after "ST"
        QTest::addColumn<QList<QByteArray>>("expected");
        QTest::newRow("announced before the gap") << "announced" << QList<QByteArray>{"STPG"};
        QTest::newRow("waiting unannounced at the gap") << "waiting" << QList<QByteArray>{"STPG"};
        QTest::newRow("after the gap") << "after" << QList<QByteArray>{"ST", "PG"};
    }

    void framesOnTheGap()
    {
        QFETCH(QString, second);
        QFETCH(QList<QByteArray>, expected);
        Framed f;
        f.feed("ST");
        if (second == QLatin1String("after"))
            QTRY_COMPARE(f.spy.size(), 1);
        f.feed("PG", second != QLatin1String("waiting"));
        QTRY_COMPARE(f.spy.size(), expected.size());
        for (int i = 0; i < expected.size(); ++i)
            QCOMPARE(f.message(i), expected.at(i));
    }

    void cutsEndlessOutputIntoPieces()
    {
        Framed f;
        f.feed(QByteArray(MessageFramer::kMaxMessage * 2 + 100, 'x'));
        QCOMPARE(f.spy.size(), 2);
        QCOMPARE(f.message(0).size(), MessageFramer::kMaxMessage);
        QTRY_COMPARE(f.spy.size(), 3);
        QCOMPARE(f.message(2).size(), 100);
    }

    void portNamesFollowTheProgramDirectory()
    {
        TempProgramDir dir;
        const ProgramDir program(dir.path());
        QCOMPARE(ReceiverPort::deviceName(program, 2), QStringLiteral("/dev/ttyS1"));
        QVERIFY(QFile::link(QStringLiteral("/dev/null"), dir.file(QStringLiteral("com2"))));
        QCOMPARE(ReceiverPort::deviceName(program, 2), dir.file(QStringLiteral("com2")));
        QCOMPARE(ReceiverPort::deviceName(program, 4), QStringLiteral("/dev/ttyS3"));
    }

    void monitorShowsReceiverText_data()
    {
        QTest::addColumn<QByteArray>("sent");
        QTest::addColumn<QString>("shown");
        QTest::newRow("LF CR becomes CR LF") << QByteArray("boot\n\rok") << QStringLiteral("boot\r\nok");
        QTest::newRow("lone LF and lone CR stay") << QByteArray("a\nb\rc") << QStringLiteral("a\nb\rc");
        QTest::newRow("CR LF stays") << QByteArray("x\r\ny") << QStringLiteral("x\r\ny");
        QTest::newRow("8-bit and null bytes") << QByteArray("\xe9\x00z", 3) << QString::fromLatin1("\xe9\x00z", 3);
    }

    void monitorShowsReceiverText()
    {
        QFETCH(QByteArray, sent);
        QFETCH(QString, shown);
        TempProgramDir dir;
        PtyPair pty;
        QVERIFY(pty.linkAs(dir.file(QStringLiteral("Com1"))));
        ReceiverLink link{ProgramDir(dir.path())};
        QVERIFY(link.RS232_Connect().ok());
        QSignalSpy board(&link, &ReceiverLink::messageAppended);
        link.portOpen(true);
        pty.send(sent);
        QTRY_COMPARE(board.size(), 1);
        QCOMPARE(board.at(0).at(0).toString(), shown);
    }

    void openFailureGoesToTheBoard()
    {
        TempProgramDir dir;
        // Com1 names a device that does not exist.
        QVERIFY(QFile::link(dir.file(QStringLiteral("nowhere")), dir.file(QStringLiteral("Com1"))));
        ReceiverLink link{ProgramDir(dir.path())};
        QSignalSpy board(&link, &ReceiverLink::messageAppended);
        link.portOpen(true);
        QVERIFY(!link.monitorPort().isOpen());
        QCOMPARE(board.size(), 1);
        const QString text = board.at(0).at(0).toString();
        QVERIFY2(text.endsWith(QStringLiteral("\r\n")) && text.size() > 2, qPrintable(text));
    }

    void lostDeviceIsReported()
    {
        LinkedPort linked;
        QVERIFY(linked.port.setOpen(true).ok());
        QSignalSpy lost(&linked.port, &ReceiverPort::lost);
        linked.pty.hangUp();
        QTRY_COMPARE(lost.size(), 1);
        QVERIFY(!linked.port.isOpen());
        QTest::qWait(50);
        QCOMPARE(lost.size(), 1);
    }

    void lineEventTexts_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("text");  // codes from 1001 are errors
        QTest::newRow("CTS") << 3 << QStringLiteral("Change in CTS Detected");
        QTest::newRow("DSR") << 4 << QStringLiteral("Change in DSR Detected");
        QTest::newRow("CD") << 5 << QStringLiteral("Change in CD Detected");
        QTest::newRow("ring") << 6 << QStringLiteral("The Phone is Ringing");
        QTest::newRow("EOF") << 7 << QStringLiteral("End of File Detected");
        QTest::newRow("break") << 1001 << QStringLiteral("Break Received");
        QTest::newRow("CTS timeout") << 1002 << QStringLiteral("CTS Timeout");
        QTest::newRow("DSR timeout") << 1003 << QStringLiteral("DSR Timeout");
        QTest::newRow("framing") << 1004 << QStringLiteral("Framing Error");
        QTest::newRow("overrun") << 1006 << QStringLiteral("Overrun Error");
        QTest::newRow("CD timeout") << 1007 << QStringLiteral("Carrier Detect Timeout");
        QTest::newRow("overflow") << 1008 << QStringLiteral("Receive Buffer Overflow");
        QTest::newRow("parity") << 1009 << QStringLiteral("Parity Error");
        QTest::newRow("tx full") << 1010 << QStringLiteral("Transmit Buffer Full");
        QTest::newRow("DCB") << 1011 << QStringLiteral("Error retrieving DCB");
        QTest::newRow("1005 is unknown") << 1005 << QStringLiteral("Unknown error or event");
    }

    void lineEventTexts()
    {
        QFETCH(int, code);
        QTEST(lineEventText(code), "text");
        QCOMPARE(lineEventIsError(code), code > 1000);
    }

    void settingsTextIsChecked()
    {
        LinkedPort linked;
        QVERIFY(linked.port.applySettings(QStringLiteral("115200,N,8,1")).ok());
        const QSerialPort &serial = linked.port.serial();
        QCOMPARE((QList<int>{serial.baudRate(), serial.parity(), serial.dataBits(), serial.stopBits()}),
                 (QList<int>{115200, QSerialPort::NoParity, QSerialPort::Data8, QSerialPort::OneStop}));
        for (const char *bad : {"115200,N,8", "fast,N,8,1", "115200,Q,8,1", "115200,N,9,1", "115200,N,8,3"})
            QVERIFY2(!linked.port.applySettings(QString::fromLatin1(bad)).ok(), bad);
        QVERIFY(!linked.port.setPortNumber(5).ok());
        QVERIFY(!linked.port.setPortNumber(0).ok());
    }
};

QTEST_GUILESS_MAIN(TestSerial)
#include "tst_serial.moc"
