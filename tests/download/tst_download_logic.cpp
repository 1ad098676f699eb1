// The code list, the region and mirror ranges, the chunk queue, the mirror file
// and the reply header, without a socket.
#include "download/CodeList.h"
#include "download/MirrorList.h"
#include "download/ReplyHeader.h"
#include "download/StrQueue.h"
#include "download/TPDownloader.h"

#include <QtTest>

class TestDownloadLogic : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void codeValue_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<double>("value");
        QTest::newRow("four digits") << "0192" << 192.0;
        QTest::newRow("leading blanks and tab") << " \t0192" << 192.0;
        QTest::newRow("blank between digits") << "01 92" << 192.0;
        QTest::newRow("decimal point") << "409.5" << 409.5;
        QTest::newRow("second point ends") << "1.2.3" << 1.2;
        QTest::newRow("sign") << "-30" << -30.0;
        QTest::newRow("text after") << "0192 Astra" << 192.0;
        QTest::newRow("no number") << "Astra" << 0.0;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("zeros") << "0000" << 0.0;
    }

    void codeValue()
    {
        QFETCH(QString, line);
        QFETCH(double, value);
        QCOMPARE(CodeValue(line), value);
    }

    void regionsAndMirrors_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("regions");
        QTest::addColumn<int>("mirror");
        QTest::newRow("1") << 1.0 << "E" << 1;
        QTest::newRow("189") << 189.0 << "E" << 1;
        QTest::newRow("189.5 between") << 189.5 << "E" << 9;
        QTest::newRow("190") << 190.0 << "E" << 2;
        QTest::newRow("409") << 409.0 << "E" << 2;
        QTest::newRow("409.5 between") << 409.5 << "" << 9;
        QTest::newRow("410") << 410.0 << "S" << 3;
        QTest::newRow("999") << 999.0 << "S" << 3;
        QTest::newRow("1000 overlap") << 1000.0 << "ST" << 4;
        QTest::newRow("1459 overlap") << 1459.0 << "ST" << 4;
        QTest::newRow("1460") << 1460.0 << "T" << 5;
        QTest::newRow("1999") << 1999.0 << "T" << 5;
        QTest::newRow("2000") << 2000.0 << "A" << 6;
        QTest::newRow("2509") << 2509.0 << "A" << 6;
        QTest::newRow("2510") << 2510.0 << "A" << 7;
        QTest::newRow("2760") << 2760.0 << "A" << 8;
        QTest::newRow("3149") << 3149.0 << "A" << 8;
        QTest::newRow("3149.5 between") << 3149.5 << "" << 9;
        QTest::newRow("3150") << 3150.0 << "E" << 9;
        QTest::newRow("negative") << -5.0 << "" << 9;
        QTest::newRow("zero") << 0.0 << "" << 0;
    }

    void regionsAndMirrors()
    {
        QFETCH(double, value);
        QFETCH(QString, regions);
        QFETCH(int, mirror);
        QString held;
        for (int r = 0; r < 4; ++r) {
            if (RegionHolds(DownloadRegion(r), value))
                held += QLatin1Char("ASTE"[r]);  // America, Asia, Atlantic, Europe
        }
        QCOMPARE(held, regions);
        QCOMPARE(MirrorFor(value), mirror);
    }

    // The codes of the chosen regions, an overlap listed twice; the lines of the code list.
    void codesAndLines()
    {
        const QStringList lines = {"0000", "", "1200", "0001", "0409", "0410", "3149", "3150", "2000"};
        QCOMPARE(CodesInRegions(lines, {false, true, true, false}), QStringList({"1200", "1200", "0410"}));
        QCOMPARE(CodesInRegions(lines, {false, false, false, true}), QStringList({"0001", "0409", "3150"}));
        // Europe is tested before America, whatever the file order.
        QCOMPARE(CodesInRegions({"2000", "0192"}, {true, false, false, true}), QStringList({"2000", "0192"}));
        QCOMPARE(CodesInRegions(lines, {false, false, false, false}), QStringList());

        QCOMPARE(CodeLines("0192\r\n0130\r\n"), QStringList({"0192", "0130"}));
        QCOMPARE(CodeLines("0192\r\n\r\n0130"), QStringList({"0192", "", "0130"}));
        QCOMPARE(CodeLines("0192\n\xe9t\r\n"), QStringList({"0192", QStringLiteral("\u00e9t")}));
        QCOMPARE(CodeLines(""), QStringList());
    }

    void queue()
    {
        StrQueue q;
        QCOMPARE(q.TotalBytes(), 0);
        QCOMPARE(q.GetCurrentIdx(), -1);
        for (int i = 0; i < 12; ++i)  // the twelfth item needs more than the first slots
            QVERIFY(q.AddItem(QByteArray(i + 1, 'a'), false).isEmpty());
        QCOMPARE(q.GetCurrentIdx(), 11);
        QCOMPARE(q.GetQ(11), QByteArray(12, 'a'));
        QCOMPARE(q.GetQ(12), QByteArray());
        q.ClearQ(11);
        QCOMPARE(q.GetQ(11), QByteArray());
        QCOMPARE(q.TotalBytes(), 78);  // clearing does not lower the total
        q.Class_Terminate();
        QCOMPARE(q.TotalBytes(), 0);
        QCOMPARE(q.GetCurrentIdx(), -1);
        q.AddItem("x", false);  // after Terminate slot 0 is reused, then the slots grow
        q.AddItem("y", false);
        QCOMPARE(q.GetQ(1), QByteArray("y"));

        // A restart puts its piece first and keeps the total.
        q.Class_Terminate();
        q.AddItem("abc", false);
        q.AddItem("de", false);
        q.AddItem("f", true);
        QCOMPARE(q.GetQ(0), QByteArray("f"));
        QCOMPARE(q.GetQ(1), QByteArray("de"));
        QCOMPARE(q.GetCurrentIdx(), 0);
        QCOMPARE(q.TotalBytes(), 6);
        // Past 2 GiB the total goes on counting (the pieces share one array here).
        const QByteArray mebibyte(1024 * 1024, 'x');
        for (int i = 0; i < 3000; ++i)
            q.AddItem(mebibyte, false);
        QCOMPARE(q.TotalBytes(), qint64(6) + qint64(3000) * 1024 * 1024);
    }

    void mirrorFile_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("error");  // empty: accepted
        const QByteArray line = "http://sdx.example/_data/\r\n";
        QTest::newRow("nine") << line.repeated(9) << QString();
        QTest::newRow("nine, trailing blank lines") << line.repeated(9) + "\r\n\r\n" << QString();
        QTest::newRow("eight") << line.repeated(8)
                               << "The mirror file M must hold 9 base addresses, one a line; it holds 8 lines.";
        QTest::newRow("no _data") << line.repeated(8) + "http://sdx.example/data/"
                                  << "The mirror file M line 9 (\"http://sdx.example/data/\") is no base address: it "
                                     "does not start with \"http://\" and end with \"/_data/\".";
        QTest::newRow("https") << "https://sdx.example/_data/\n" + line.repeated(8)
                               << "The mirror file M line 1 (\"https://sdx.example/_data/\") is no base address: it "
                                  "does not start with \"http://\" and end with \"/_data/\".";
        QTest::newRow("bad port")
            << line.repeated(4) + "http://h:70000/_data/\n" + line.repeated(4)
            << "The mirror file M line 5 (\"http://h:70000/_data/\") is no base address: its port "
               "is not a number from 1 to 65535.";
        QTest::newRow("no host")
            << line.repeated(8) + "http:///_data/"
            << "The mirror file M line 9 (\"http:///_data/\") is no base address: it names no host.";
    }

    void mirrorFile()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, error);
        const Result<QList<MirrorAddress>> mirrors = ParseMirrorList(text, QStringLiteral("M"));
        QCOMPARE(mirrors.error(), error);
        QCOMPARE(mirrors.ok(), error.isEmpty());
        if (mirrors)
            QCOMPARE(mirrors.value().first().port, quint16(80));
    }

    void header_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("status");
        QTest::addColumn<qint64>("length");  // 0: none
        QTest::addColumn<int>("size");       // 0: not complete yet
        QTest::newRow("200") << QByteArray("HTTP/1.1 200 OK\r\nContent-Length: 12\r\n\r\nbody") << 200 << qint64(12)
                             << 39;
        QTest::newRow("404 with length") << QByteArray("HTTP/1.1 404 Not Found\r\nContent-Length: 3\r\n\r\nno!") << 404
                                         << qint64(3) << 45;
        QTest::newRow("no length") << QByteArray("HTTP/1.1 200 OK\r\n\r\n") << 200 << qint64(0) << 19;
        QTest::newRow("other case is no length")
            << QByteArray("HTTP/1.1 200 OK\r\ncontent-length: 5\r\n\r\n") << 200 << qint64(0) << 38;
        QTest::newRow("length in body is not read")
            << QByteArray("HTTP/1.1 200 OK\r\n\r\nContent-Length: 5\r\n") << 200 << qint64(0) << 19;
        QTest::newRow("no blank line yet") << QByteArray("HTTP/1.1 200 OK\r\nContent-Len") << 0 << qint64(0) << 0;
        QTest::newRow("length not a number")
            << QByteArray("HTTP/1.1 200 OK\r\nContent-Length: x\r\n\r\n") << 200 << qint64(0) << 38;
        QTest::newRow("no status line") << QByteArray("hello\r\nContent-Length: 1\r\n\r\n") << 0 << qint64(1) << 28;
        QTest::newRow("length beyond 32 bits")
            << QByteArray("HTTP/1.1 200 OK\r\nContent-Length: 5000000000\r\n\r\n") << 200 << qint64(5000000000) << 47;
    }

    void header()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(qint64, length);
        QFETCH(int, size);
        const std::optional<ReplyHeader> header = ReadReplyHeader(bytes);
        QCOMPARE(header.has_value(), size > 0);
        if (!header)
            return;
        QTEST(header->status, "status");
        QCOMPARE(header->hasLength, length > 0);
        QCOMPARE(header->contentLength, length);
        QCOMPARE(int(header->size), size);
    }

    void transferCoding_data()
    {
        QTest::addColumn<QByteArray>("field");  // a header line between the status line and the length
        QTest::addColumn<bool>("coded");
        QTest::newRow("chunked") << QByteArray("Transfer-Encoding: chunked\r\n") << true;
        QTest::newRow("other cases") << QByteArray("transfer-encoding:Chunked\r\n") << true;
        QTest::newRow("gzip, chunked") << QByteArray("Transfer-Encoding: gzip, chunked\r\n") << true;
        QTest::newRow("identity") << QByteArray("Transfer-Encoding: identity\r\n") << false;
        QTest::newRow("none") << QByteArray() << false;
        QTest::newRow("another field naming it") << QByteArray("X-Note: Transfer-Encoding: chunked\r\n") << false;
    }

    void transferCoding()
    {
        QFETCH(QByteArray, field);
        const std::optional<ReplyHeader> header =
            ReadReplyHeader("HTTP/1.1 200 OK\r\n" + field + "Content-Length: 5\r\n\r\n5\r\nabcde\r\n0\r\n\r\n");
        QVERIFY(header);
        QTEST(header->transferCoded, "coded");
        QCOMPARE(header->contentLength, qint64(5));
    }

    void request()
    {
        QList<MirrorAddress> mirrors;
        for (int i = 1; i <= 9; ++i)
            mirrors.append(ParseMirrorAddress(QStringLiteral("http://m%1.example/_data/").arg(i)).value());
        const TPDownloader downloader(ProgramDir(QDir::tempPath()), mirrors);
        QCOMPARE(downloader.addressOf("0192"), QStringLiteral("http://m2.example/_data/0192.sdx"));
        QCOMPARE(downloader.addressOf("-30"), QStringLiteral("http://m9.example/_data/-30.sdx"));
        // A blank in the code cannot break the request line.
        QCOMPARE(TPDownloader::requestFor("http://h/_data/01 92.sdx", "h").left(33),
                 QByteArray("GET http://h/_data/01%2092.sdx HT"));

        const Result<MirrorAddress> mirror = ParseMirrorAddress(QStringLiteral("http://127.0.0.1:8080/_data/"));
        QVERIFY(mirror);
        QCOMPARE(mirror.value().port, quint16(8080));  // the host parts: through the downloader
    }
};

QTEST_GUILESS_MAIN(TestDownloadLogic)
#include "tst_download_logic.moc"
