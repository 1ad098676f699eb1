// tarvik-cli, the real executable, against the receiver simulator.
#include "CliProcess.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

class TestCli : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { m_dir = std::make_unique<QTemporaryDir>(); }

    void cleanup()
    {
        stopProcess(m_sim);
        m_dir.reset();
    }

    void upload_data()
    {
        QTest::addColumn<QStringList>("faults");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("boardLine");

        // The exit codes of the other ends: the line tests; their texts: the engine's.
        QTest::newRow("good") << QStringList{} << 0 << "SUCCESS\n";
        QTest::newRow("hang-up") << QStringList{"--hangup-after", "2"} << 8 << "Port  error... \n";
    }

    void upload()
    {
        QFETCH(QStringList, faults);
        QVERIFY(startSim(faults));
        const QByteArray image = patternBytes(262144, 7);
        QVERIFY(writeWholeFile(m_dir->filePath("tp.MDA"), image).ok());

        const CliRun r = run({"upload", "--port", pty(), "--kind", "Transponder", "--watchdog-ms", kQuickWatchdog,
                              m_dir->filePath("tp.MDA")});
        QTEST(r.exitCode, "exitCode");
        QFETCH(QString, boardLine);
        QVERIFY2(r.err.contains(boardLine), qPrintable(r.err));
        if (r.exitCode == 0) {
            QCOMPARE(contents(m_dir->filePath("received.bin")), image);
            // Not a terminal: plain lines, the last one at 100 %.
            QVERIFY2(r.out.contains("262144/262144 bytes  100 %"), qPrintable(r.out));
            QVERIFY(!r.out.contains('\r'));
        }
    }

    void download_data()
    {
        QTest::addColumn<QStringList>("faults");
        QTest::addColumn<int>("exitCode");

        // One row for each way a download ends; split packets and early ends: the window's.
        QTest::newRow("good") << QStringList{} << 0;
        QTest::newRow("ERRO word") << QStringList{"--error", "ERRO", "--at", "10"} << 5;
        QTest::newRow("wrong final byte") << QStringList{"--wrong-final"} << 7;
        QTest::newRow("stall") << QStringList{"--stall-after", "10"} << 6;
        QTest::newRow("stall before the final byte") << QStringList{"--stall-after", "63"} << 6;
        QTest::newRow("hang-up") << QStringList{"--hangup-after", "10"} << 8;
    }

    void download()
    {
        QFETCH(QStringList, faults);
        const QByteArray image = patternBytes(64 * 4096, 3);
        QVERIFY(writeWholeFile(m_dir->filePath("image.bin"), image).ok());
        const QString target = m_dir->filePath("ROM_GetCH.bin");
        QVERIFY(writeWholeFile(target, "the earlier download").ok());
        QVERIFY(startSim(faults));

        const CliRun r = run({"download", "--port", pty(), "--watchdog-ms", kQuickWatchdog, target});
        QTEST(r.exitCode, "exitCode");
        // The file is replaced whole or not at all; no temporary is left beside it.
        QCOMPARE(contents(target), r.exitCode == 0 ? image : QByteArray("the earlier download"));
        QCOMPARE(entries(), (QStringList{"image.bin", "ROM_GetCH.bin"}));
    }

    void fileProblems_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<qsizetype>("size");  // -1: no file
        QTest::addColumn<QString>("message");

        QTest::newRow("missing file") << "Transponder" << qsizetype(-1) << "cannot read";
        QTest::newRow("wrong size for a checked kind")
            << "Transponder" << qsizetype(1000)
            << "File size not matched!! Transponder has to 262144 byte but your file is 1000";
    }

    void fileProblems()
    {
        QFETCH(QString, kind);
        QFETCH(qsizetype, size);
        QVERIFY(startSim({}));
        const QString file = m_dir->filePath("file.bin");
        if (size >= 0)
            QVERIFY(writeWholeFile(file, patternBytes(size, 1)).ok());
        const CliRun r = run({"upload", "--port", pty(), "--kind", kind, file});
        QCOMPARE(r.exitCode, 3);
        QFETCH(QString, message);
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
        QVERIFY(!QFile::exists(m_dir->filePath("received.bin")));
    }

    void portThatCannotOpen()
    {
        const QString missing = m_dir->filePath("no-such-tty");
        const CliRun r = run({"download", "--port", missing, m_dir->filePath("out.bin")});
        QCOMPARE(r.exitCode, 4);
        QVERIFY2(r.err.contains("cannot open port " + missing + ": "), qPrintable(r.err));
        QVERIFY(!QFile::exists(m_dir->filePath("out.bin")));
    }

    void comNameResolvesInTheProgramDirectory()
    {
        // A copy of the program in a directory of its own, with Com2 linked there.
        const QString program = m_dir->filePath("tarvik-cli");
        QVERIFY(QFile::copy(kCli, program));
        QVERIFY(startSim({}));
        QVERIFY(QFile::link(QFileInfo(pty()).symLinkTarget(), m_dir->filePath("Com2")));
        QVERIFY(writeWholeFile(m_dir->filePath("loader.bin"), patternBytes(65536, 9)).ok());
        const CliRun r = run(
            {"upload", "--port", "Com2", "--kind", "STB_Loader", "--quiet", m_dir->filePath("loader.bin")}, program);
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.out, QString());
        QCOMPARE(contents(m_dir->filePath("received.bin")), patternBytes(65536, 9));
    }

    void sigintLeavesNoDownload()
    {
        // SIGINT during an upload: the line tests.
        const QString target = m_dir->filePath("ROM_GetCH.bin");
        QVERIFY(writeWholeFile(m_dir->filePath("image.bin"), patternBytes(64 * 4096, 5)).ok());
        QVERIFY(startSim({"--baud", "115200"}));
        const CliRun r = interruptCli({"download", "--port", pty(), target}, m_dir->path(),
                                      [](const QByteArray &out) { return out.contains("bytes"); });
        QCOMPARE(r.exitCode, 130);
        QCOMPARE(entries(), QStringList{"image.bin"});
    }

    void usage_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message");
        QTest::newRow("no command") << QStringList{} << "no command given";
        QTest::newRow("unknown command") << QStringList{"send", "--port", "Com1", "x"} << "unknown command \"send\"";
        QTest::newRow("no port") << QStringList{"download", "x"} << "download needs --port";
        QTest::newRow("no kind") << QStringList{"upload", "--port", "Com1", "x"} << "upload needs --kind";
        QTest::newRow("unknown kind") << QStringList{"upload", "--port", "Com1", "--kind", "Tp", "x"}
                                      << "unknown kind \"Tp\"";
        // "all" gets no answer from the receiver: nothing a script could wait for.
        QTest::newRow("SMOS") << QStringList{"upload", "--port", "Com1", "--kind", "SMOS", "x"}
                              << "unknown kind \"SMOS\"";
        QTest::newRow("no file") << QStringList{"download", "--port", "Com1"} << "download needs one FILE";
        QTest::newRow("two files") << QStringList{"download", "--port", "Com1", "a", "b"} << "download needs one FILE";
        QTest::newRow("monitor with a file")
            << QStringList{"monitor", "--port", "Com1", "a"} << "monitor takes no file";
        QTest::newRow("kind on a download")
            << QStringList{"download", "--port", "Com1", "--kind", "MPEG", "a"} << "--kind is for upload only";
        QTest::newRow("unknown option") << QStringList{"download", "--baud", "9600"} << "Unknown option 'baud'";
    }

    void usage()
    {
        QFETCH(QStringList, args);
        const CliRun r = run(args);
        QCOMPARE(r.exitCode, 2);
        QFETCH(QString, message);
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
    }

    void helpListsCommandsAndCodes()
    {
        const CliRun r = run({"--help"});
        QCOMPARE(r.exitCode, 0);
        for (const char *text :
             {"tarvik-cli upload --port PORT --kind KIND FILE", "tarvik-cli download --port PORT FILE",
              "tarvik-cli monitor --port PORT", "  4    port cannot be opened", "  130  cancelled by SIGINT",
              "  --port PORT", "  --kind KIND", "  -q, --quiet"})
            QVERIFY2(r.out.contains(QLatin1String(text)), text);
        QVERIFY(!r.out.contains("watchdog-ms"));
    }

private:
    bool startSim(const QStringList &faults);
    CliRun run(const QStringList &args, const QString &program = kCli);
    QString pty() const { return m_dir->filePath(QStringLiteral("pty")); }
    // The files beside the test's own, without the simulator's terminal link.
    QStringList entries() const
    {
        QStringList names = QDir(m_dir->path()).entryList(QDir::Files | QDir::NoDotAndDotDot);
        names.removeAll(QStringLiteral("pty"));
        return names;
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QProcess> m_sim;
};

bool TestCli::startSim(const QStringList &faults)
{
    return ::startSim(m_sim, {pty()},
                      QStringList{"--out", m_dir->filePath("received.bin"), "--write-ms", "60", "--image",
                                  m_dir->filePath("image.bin")} +
                          faults);
}

CliRun TestCli::run(const QStringList &args, const QString &program)
{
    return runProgram(program, args, m_dir->path());
}

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
