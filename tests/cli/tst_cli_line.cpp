// tarvik-cli on several ports at once and in station mode, against one
// receiver simulator serving a line of pseudo-terminals.
#include "CliProcess.h"

#include <QCryptographicHash>
#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

QString sha256(const QByteArray &bytes)
{
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
}

// The summary row of a port: "PORT  RESULT  FAULT  BYTES ..."
bool hasRow(const QString &out, const QString &port, const QString &result, const QString &fault)
{
    const QRegularExpression row(QStringLiteral("^%1\\s+%2\\s+%3\\s+\\d+\\s+\\d+\\.\\d\\s+(\\d+|-)$")
                                     .arg(QRegularExpression::escape(port), result, fault),
                                 QRegularExpression::MultilineOption);
    return row.match(out).hasMatch();
}

}  // namespace

class TestCliLine : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { m_dir = std::make_unique<QTemporaryDir>(); }

    void cleanup()
    {
        stopProcess(m_sim);
        m_dir.reset();
    }

    void fourPortsAllGood()
    {
        const QByteArray image = patternBytes(262144, 11);
        QVERIFY(writeWholeFile(m_dir->filePath("tp.MDA"), image).ok());
        QVERIFY(startSim(4, {}));
        const CliRun r = runProgram(
            kCli, QStringList{"upload", "--kind", "Transponder", "--report", "report.jsonl", "tp.MDA"} + portArgs(4),
            m_dir->path());
        QCOMPARE(r.exitCode, 0);
        QVERIFY(!r.out.contains('\r'));
        const QList<QJsonObject> lines = report();
        QCOMPARE(lines.size(), 4);
        QSet<QString> reported;
        for (const QJsonObject &o : lines)
            reported.insert(o["port"].toString());
        for (int n = 1; n <= 4; ++n) {
            QCOMPARE(contents(m_dir->filePath(QStringLiteral("rx-%1-1.bin").arg(n))), image);
            QVERIFY2(hasRow(r.out, port(n), "ok", "-"), qPrintable(r.out));
            // Plain progress lines, each with its port in front.
            QVERIFY(r.out.contains(port(n) + ": 262144/262144 bytes  100 %"));
            QVERIFY(r.err.contains(port(n) + ": SUCCESS\n"));
            QVERIFY(reported.contains(port(n)));
        }
        for (const QJsonObject &o : lines) {
            QCOMPARE(o["result"].toString(), "ok");
            QCOMPARE(o["fault"].toString(), "None");
            QCOMPARE(o["mode"].toString(), "upload");
            QCOMPARE(o["kind"].toString(), "Transponder");
            QCOMPARE(o["file"].toString(), m_dir->filePath("tp.MDA"));
            QCOMPARE(o["sha256"].toString(), sha256(image));
            QCOMPARE(o["bytes"].toInteger(), 262144);
            QCOMPARE(o["message"].toString(), "SUCCESS");
            QCOMPARE(o["version"].toString(), "1.10");
            QVERIFY(o["device"].toString().startsWith("/dev/pts/"));
            QVERIFY(o["start"].toString().endsWith('Z'));
            QVERIFY(o["start"].toString() <= o["end"].toString());
        }
    }

    void onePortFails_data()
    {
        QTest::addColumn<QStringList>("faults");  // for the third line
        QTest::addColumn<QString>("fault");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");

        QTest::newRow("error word") << QStringList{"--error", "ERR ", "--at", "3"} << "ReceiverError" << 5
                                    << "Smc Writing Error !!! Please turn OFF then ON the receiver to reset.";
        QTest::newRow("silence") << QStringList{"--silent"} << "TimedOut" << 6
                                 << "Error !!! Please turn OFF then ON the receiver to reset.";
        QTest::newRow("wrong checksum") << QStringList{"--wrong-checksum", "2"} << "ChecksumFailed" << 7
                                        << "Error !!! Please turn OFF then ON the receiver to reset.";
        // No simulator on the third port: it cannot be opened, the others still run.
        QTest::newRow("port cannot be opened") << QStringList{} << "PortLost" << 4 << "cannot open port";
    }

    void onePortFails()
    {
        QFETCH(QStringList, faults);
        const QByteArray image = patternBytes(65536, 4);
        QVERIFY(writeWholeFile(m_dir->filePath("loader.bin"), image).ok());
        QVERIFY(startSim(4, faults.isEmpty() ? QStringList{} : QStringList{"--fault-link", "3"} + faults));
        if (faults.isEmpty())
            QVERIFY(QFile::remove(port(3)));
        const CliRun r = runProgram(kCli,
                                    QStringList{"upload", "--kind", "STB_Loader", "--watchdog-ms", kQuickWatchdog,
                                                "--report", "report.jsonl", "loader.bin"} +
                                        portArgs(4),
                                    m_dir->path());
        QCOMPARE(r.exitCode, 9);
        QFETCH(QString, fault);
        QVERIFY2(hasRow(r.out, port(3), "failed", fault), qPrintable(r.out));
        for (int n : {1, 2, 4}) {
            QVERIFY2(hasRow(r.out, port(n), "ok", "-"), qPrintable(r.out));
            QCOMPARE(contents(m_dir->filePath(QStringLiteral("rx-%1-1.bin").arg(n))), image);
        }
        const QList<QJsonObject> lines = report();
        QCOMPARE(lines.size(), 4);
        for (const QJsonObject &o : lines) {
            const bool faulty = o["port"].toString() == port(3);
            QCOMPARE(o["result"].toString(), faulty ? "failed" : "ok");
            if (!faulty)
                continue;
            QCOMPARE(o["fault"].toString(), fault);
            QTEST(o["exit_code"].toInt(), "exitCode");
            QFETCH(QString, message);
            QVERIFY2(o["message"].toString().startsWith(message), qPrintable(o["message"].toString()));
        }
    }

    void downloadsIntoPortFiles()
    {
        const QByteArray first = patternBytes(64 * 4096, 1);
        QVERIFY(writeWholeFile(m_dir->filePath("img-1.bin"), first).ok());
        QVERIFY(writeWholeFile(m_dir->filePath("img-2.bin"), patternBytes(64 * 4096, 2)).ok());
        QVERIFY(writeWholeFile(m_dir->filePath("ch-p1.bin"), "earlier 1").ok());
        QVERIFY(writeWholeFile(m_dir->filePath("ch-p2.bin"), "earlier 2").ok());
        QVERIFY(startSim(2, {"--fault-link", "2", "--wrong-final"}));
        const CliRun r = runProgram(
            kCli,
            QStringList{"download", "--watchdog-ms", kQuickWatchdog, "--report", "report.jsonl", "ch-{port}.bin"} +
                portArgs(2),
            m_dir->path());
        QCOMPARE(r.exitCode, 9);
        // Each file replaced only when its own final check matched.
        QCOMPARE(contents(m_dir->filePath("ch-p1.bin")), first);
        QCOMPARE(contents(m_dir->filePath("ch-p2.bin")), QByteArray("earlier 2"));
        QCOMPARE(QDir(m_dir->path()).entryList({"ch-*"}, QDir::Files), (QStringList{"ch-p1.bin", "ch-p2.bin"}));
        for (const QJsonObject &o : report()) {
            const bool good = o["port"].toString() == port(1);
            QCOMPARE(o["mode"].toString(), "download");
            QCOMPARE(o["fault"].toString(), good ? "None" : "ChecksumFailed");
            QCOMPARE(o["received_sha256"].toString(), good ? sha256(first) : QString());
            QCOMPARE(o["sha256"].toString(), good ? sha256(first) : sha256("earlier 2"));
        }
        QCOMPARE(report().size(), 2);
    }

    void stationMode_data()
    {
        QTest::addColumn<QStringList>("simArgs");
        QTest::addColumn<int>("units");  // the report lines to wait for before SIGINT; 0: until bytes flow

        // A silent second port waits for its first receiver; that is no error.
        QTest::newRow("three units, then SIGINT")
            << QStringList{"--loop", "--units", "3", "--next-ms", "200", "--fault-link", "2", "--silent"} << 3;
        QTest::newRow("SIGINT while a transfer runs lets it end")
            << QStringList{"--loop", "--baud", "115200", "--fault-link", "2", "--silent"} << 0;
    }

    void stationMode()
    {
        QFETCH(QStringList, simArgs);
        QFETCH(int, units);
        const QByteArray image = patternBytes(49152, 6);
        QVERIFY(writeWholeFile(m_dir->filePath("mpeg.bin"), image).ok());
        QVERIFY(startSim(2, simArgs));
        const QStringList args{"upload",       "--loop",   "--kind",       "MPEG",    "--watchdog-ms",
                               kQuickWatchdog, "--report", "report.jsonl", "mpeg.bin"};
        const CliRun r = interrupt(args + portArgs(2), units);
        QCOMPARE(r.exitCode, 0);
        const QString out = r.out;
        const QList<QJsonObject> lines = report();
        QCOMPARE(lines.size(), std::max(units, 1));
        for (int unit = 1; unit <= lines.size(); ++unit) {
            const QJsonObject &o = lines[unit - 1];
            QCOMPARE(o["port"].toString(), port(1));
            QCOMPARE(o["unit"].toInt(), unit);
            QCOMPARE(o["result"].toString(), "ok");
            QCOMPARE(contents(m_dir->filePath(QStringLiteral("rx-1-%1.bin").arg(unit))), image);
            QVERIFY2(hasRow(out, QStringLiteral("%1 #%2").arg(port(1)).arg(unit), "ok", "-"), qPrintable(out));
        }
        QVERIFY(!out.contains(port(2) + " #"));
    }

    void sigintWithoutLoopCancels()
    {
        QVERIFY(writeWholeFile(m_dir->filePath("mpeg.bin"), patternBytes(49152, 6)).ok());
        QVERIFY(startSim(2, {"--baud", "115200"}));
        const CliRun r =
            interrupt(QStringList{"upload", "--kind", "MPEG", "--report", "report.jsonl", "mpeg.bin"} + portArgs(2), 0);
        QCOMPARE(r.exitCode, 130);
        const QList<QJsonObject> lines = report();
        QCOMPARE(lines.size(), 2);
        for (const QJsonObject &o : lines) {
            QCOMPARE(o["fault"].toString(), "Cancelled");
            QCOMPARE(o["exit_code"].toInt(), 130);
        }
        QVERIFY(!QFile::exists(m_dir->filePath("rx-1-1.bin")));
        QVERIFY(!QFile::exists(m_dir->filePath("rx-2-1.bin")));
    }

    void refused_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");

        QTest::newRow("download, several ports, one file")
            << QStringList{"download", "--port", "a", "--port", "b", "ch.bin"} << 2
            << "several ports need {port} in the download FILE";
        QTest::newRow("download, two ports of one name")
            << QStringList{"download", "--port", "/x/pty", "--port", "/y/pty", "ch-{port}.bin"} << 2
            << "two ports would write ch-pty.bin";
        QTest::newRow("one port twice") << QStringList{"download", "--port", "a", "--port", "a", "ch-{port}.bin"} << 2
                                        << "each --port once, none empty";
        QTest::newRow("monitor on two ports") << QStringList{"monitor", "--port", "a", "--port", "b"} << 2
                                              << "monitor takes one --port, without --loop or --report";
        QTest::newRow("report cannot be written")
            << QStringList{"download", "--port", "a", "--report", "no-such-dir/r.jsonl", "ch.bin"} << 1
            << "cannot write the report no-such-dir/r.jsonl: ";
    }

    void refused()
    {
        QFETCH(QStringList, args);
        const CliRun r = runProgram(kCli, args, m_dir->path());
        QTEST(r.exitCode, "exitCode");
        QFETCH(QString, message);
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList());
    }

private:
    // Runs tarvik-cli until the report has that many lines (0: until bytes
    // flow), then sends SIGINT and waits for it to end.
    CliRun interrupt(const QStringList &args, int reportLines);
    bool startSim(int lines, const QStringList &extra);
    QString port(int n) const { return m_dir->filePath(QStringLiteral("p%1").arg(n)); }
    QStringList portArgs(int count) const;
    QList<QJsonObject> report() const;

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QProcess> m_sim;
};

bool TestCliLine::startSim(int lines, const QStringList &extra)
{
    QStringList links;
    for (int n = 1; n <= lines; ++n)
        links << port(n);
    return ::startSim(m_sim, links,
                      QStringList{"--write-ms", "60", "--out", m_dir->filePath("rx-{link}-{unit}.bin"), "--image",
                                  m_dir->filePath("img-{link}.bin")} +
                          extra);
}

QStringList TestCliLine::portArgs(int count) const
{
    QStringList args;
    for (int n = 1; n <= count; ++n)
        args << "--port" << port(n);
    return args;
}

QList<QJsonObject> TestCliLine::report() const
{
    QList<QJsonObject> lines;
    for (const QByteArray &line : contents(m_dir->filePath("report.jsonl")).split('\n'))
        if (!line.isEmpty())
            lines.append(QJsonDocument::fromJson(line).object());
    return lines;
}

CliRun TestCliLine::interrupt(const QStringList &args, int reportLines)
{
    return interruptCli(args, m_dir->path(), [&](const QByteArray &out) {
        return reportLines > 0 ? report().size() >= reportLines : out.contains("bytes");
    });
}

QTEST_GUILESS_MAIN(TestCliLine)
#include "tst_cli_line.moc"
