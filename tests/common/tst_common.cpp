#include "common/Converters.h"
#include "common/ProgramDir.h"
#include "common/RunAndWait.h"
#include "common/TextServices.h"
#include "common/WholeFile.h"
#include "support/TempProgramDir.h"
#include "support/TestFiles.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QtTest>

class TestCommon : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void shortenPathCaption_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("expected");
        const QString sixty = QStringLiteral("C:\\") + QString(57, QLatin1Char('x'));
        QTest::newRow("60 characters stay whole") << sixty << sixty;
        const QString longFile = QString(30, QLatin1Char('f'));
        const QString sixtyOne = QStringLiteral("C:\\AAAAAAAAAA\\BBBBBBBBBB\\") + QString(36, QLatin1Char('f'));
        QTest::newRow("61 characters lose a folder")
            << sixtyOne << QStringLiteral("C:\\AAAAAAAAAA\\....\\") + QString(36, QLatin1Char('f'));
        QTest::newRow("first pass drops B")
            << QStringLiteral("C:\\Alpha\\") + QString(20, QLatin1Char('B')) + QStringLiteral("\\CC\\") + longFile
            << QStringLiteral("C:\\Alpha\\....\\CC\\") + longFile;
        QTest::newRow("second pass drops C, the ellipses merge")
            << QStringLiteral("C:\\Alpha\\") + QString(20, QLatin1Char('B')) + QStringLiteral("\\") +
                   QString(20, QLatin1Char('C')) + QStringLiteral("\\") + longFile
            << QStringLiteral("C:\\Alpha\\....\\") + longFile;
        QTest::newRow("a short second folder first lengthens the text")
            << QStringLiteral("\\home\\ab\\") + QString(30, QLatin1Char('x')) + QStringLiteral("\\") +
                   QString(30, QLatin1Char('y')) + QStringLiteral("\\image.bin")
            << QStringLiteral("\\home\\....\\") + QString(30, QLatin1Char('y')) + QStringLiteral("\\image.bin");
        const QString noFolders = QStringLiteral("C:\\") + QString(70, QLatin1Char('n'));
        QTest::newRow("nothing to remove stays long") << noFolders << noFolders;
    }

    void shortenPathCaption()
    {
        QFETCH(QString, path);
        QFETCH(QString, expected);
        QCOMPARE(ShortenPathCaption(path, QLatin1Char('\\')), expected);
        // The same on the platform's separator.
        const auto slashed = [](QString text) { return text.replace(QLatin1Char('\\'), QLatin1Char('/')); };
        QCOMPARE(ShortenPathCaption(slashed(path), QLatin1Char('/')), slashed(expected));
    }

    void numericKeyFilter_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("expected");
        QTest::newRow("0") << 48 << 48;
        QTest::newRow("9") << 57 << 57;
        QTest::newRow("backspace") << 8 << 8;
        QTest::newRow("enter") << 13 << 13;
        QTest::newRow("space") << 32 << 32;
        // Other characters go the way of the bounds; the box's own test types some.
        QTest::newRow("slash, below 0") << 47 << 0;
        QTest::newRow("colon, above 9") << 58 << 0;
        QTest::newRow("tab") << 9 << 0;
    }

    void numericKeyFilter()
    {
        QFETCH(int, key);
        QFETCH(int, expected);
        QCOMPARE(NumericKeyFilter(key), expected);
    }

    void programDirMatchesNamesWithoutCase()
    {
        TempProgramDir temp;
        temp.touch(QStringLiteral("PreDefine.dll"));
        const ProgramDir dir(temp.path());
        QCOMPARE(dir.filePath(QStringLiteral("Predefine.DLL")), temp.file(QStringLiteral("PreDefine.dll")));
        QVERIFY(dir.exists(QStringLiteral("PREDEFINE.dll")));
        QCOMPARE(dir.filePath(QStringLiteral("New.dll")), temp.file(QStringLiteral("New.dll")));
        QVERIFY(!dir.exists(QStringLiteral("New.dll")));

        // A write through the helper replaces the existing spelling.
        QVERIFY(writeWholeFile(dir.filePath(QStringLiteral("PREDEFINE.DLL")), "x").ok());
        QCOMPARE(QDir(temp.path()).entryList(QDir::Files), QStringList{QStringLiteral("PreDefine.dll")});
    }

    void programDirOfAnInstalledCopyIsTheUsers()
    {
        TempProgramDir installed;
        TempProgramDir home;
        const QString user = home.file(QStringLiteral("tarvik"));

        // A build tree's directory is its own.
        const ProgramDir own = ProgramDir::forInstallation(installed.path(), user);
        QCOMPARE(own.path(), installed.path());
        QVERIFY(!QFile::exists(user));

        installed.touch(QStringLiteral("Installed.ini"));
        QVERIFY(writeWholeFile(installed.file(QStringLiteral("Code.bin")), "0192 Astra\r\n").ok());
        QVERIFY(QDir(installed.path()).mkdir(QStringLiteral("samples")));
        QVERIFY(writeWholeFile(installed.file(QStringLiteral("samples/channels.bin")), "image").ok());
        installed.script(QStringLiteral("TPParse"), "exit 0\n");
        QFile::setPermissions(installed.file(QStringLiteral("Code.bin")), QFile::ReadOwner | QFile::ReadOther);

        QString problem;
        ProgramDir dir = ProgramDir::forInstallation(installed.path(), user, &problem);
        QCOMPARE(problem, QString());
        QCOMPARE(dir.path(), user);
        QCOMPARE(dir.executable(QStringLiteral("TPParse")), installed.file(QStringLiteral("TPParse")));
        QCOMPARE(QDir(user).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 (QStringList{QStringLiteral("Code.bin"), QStringLiteral("samples"), QStringLiteral("Temp")}));
        QCOMPARE(contents(dir.filePath(QStringLiteral("samples/channels.bin"))), QByteArray("image"));
        QVERIFY(QFileInfo(dir.filePath(QStringLiteral("Code.bin"))).isWritable());

        // The user's own files survive the next start; what went missing comes back.
        QVERIFY(writeWholeFile(dir.filePath(QStringLiteral("Code.bin")), "mine").ok());
        QVERIFY(QFile::remove(dir.filePath(QStringLiteral("samples/channels.bin"))));
        dir = ProgramDir::forInstallation(installed.path(), user, &problem);
        QCOMPARE(contents(dir.filePath(QStringLiteral("Code.bin"))), QByteArray("mine"));
        QVERIFY(QFile::exists(dir.filePath(QStringLiteral("samples/channels.bin"))));

        // A user directory that cannot be made is reported.
        home.touch(QStringLiteral("blocked"));
        ProgramDir::forInstallation(installed.path(), home.file(QStringLiteral("blocked/tarvik")), &problem);
        QVERIFY2(problem.startsWith(QStringLiteral("Cannot make ")), qPrintable(problem));
    }

    void writeWholeFileReportsTheFile()
    {
        TempProgramDir temp;
        QDir(temp.path()).mkdir(QStringLiteral("blocked"));
        const Status s = writeWholeFile(temp.file(QStringLiteral("blocked")), "data");
        QVERIFY2(s.error().contains(QStringLiteral("blocked")), qPrintable(s.error()));
        const Result<QByteArray> missing = readWholeFile(temp.file(QStringLiteral("missing.bin")));
        QVERIFY(missing.error().contains(QStringLiteral("missing.bin")));
    }

    void convertersPassArgumentsInTheirOwnOrder()
    {
        TempProgramDir temp;
        // Each fake converter records its name and arguments, one a line.
        for (const char *name : {"TPParse", "TPCombine", "ChannelParse", "ChannelCombine"})
            temp.script(QString::fromLatin1(name),
                        "printf '%s\\n' \"$(basename \"$0\")\" \"$@\" > \"$(dirname \"$0\")/argv.txt\"\n");
        const Converters converters{ProgramDir(temp.path())};
        const QString d = temp.path();
        const auto argv = [&temp] {
            return QString::fromUtf8(contents(temp.file(QStringLiteral("argv.txt"))))
                .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        };
        QVERIFY(converters.tpParse(QStringLiteral("/data/sat file.MDA")).succeeded());
        QCOMPARE(argv(), (QStringList{QStringLiteral("TPParse"), d, QStringLiteral("/data/sat file.MDA")}));
        QVERIFY(converters.tpCombine(QStringLiteral("/data/out.MDA")).succeeded());
        QCOMPARE(argv(), (QStringList{QStringLiteral("TPCombine"), d, QStringLiteral("/data/out.MDA")}));
        QVERIFY(converters.channelParse(QStringLiteral("/data/ch.bin")).succeeded());
        QCOMPARE(argv(), (QStringList{QStringLiteral("ChannelParse"), QStringLiteral("/data/ch.bin"), d}));
        QVERIFY(converters.channelCombine(QStringLiteral("/a.bin"), QStringLiteral("/b.bin")).succeeded());
        QCOMPARE(argv(), (QStringList{QStringLiteral("ChannelCombine"), QStringLiteral("/a.bin"),
                                      QStringLiteral("/b.bin"), d}));
    }

    void runAndWaitReportsFailures_data()
    {
        QTest::addColumn<QByteArray>("body");  // empty: no program at all
        QTest::addColumn<int>("exitCode");     // of a program that ran and did not crash
        QTest::addColumn<QString>("described");
        QTest::addColumn<int>("kept");  // bytes of standard error kept
        QTest::newRow("missing") << QByteArray() << -1 << QStringLiteral("could not be started") << 0;
        QTest::newRow("non-zero exit") << QByteArray("echo 'bad image' >&2\nexit 3\n") << 3
                                       << QStringLiteral("failed with exit code 3.\nbad image") << 10;
        QTest::newRow("crash") << QByteArray("kill -SEGV $$\n") << -1 << QStringLiteral("crashed") << 0;
        QTest::newRow("success") << QByteArray("exit 0\n") << 0 << QString() << 0;
        // A converter that floods its error output is heard only up to a limit.
        QTest::newRow("flood") << QByteArray("head -c 200000 /dev/zero | tr '\\0' x >&2\nexit 1\n") << 1
                               << QStringLiteral("failed with exit code 1.\nxxx") << 64 * 1024;
    }

    void runAndWaitReportsFailures()
    {
        QFETCH(QByteArray, body);
        QFETCH(int, exitCode);
        QFETCH(QString, described);
        const bool started = !body.isEmpty();
        const bool crashed = described == QLatin1String("crashed");
        TempProgramDir temp;
        if (!body.isEmpty())
            temp.script(QStringLiteral("Conv"), body);
        const RunOutcome outcome = RunAndWait(temp.file(QStringLiteral("Conv")), {});
        QCOMPARE(outcome.started, started);
        QCOMPARE(outcome.crashed, crashed);
        if (started && !crashed)
            QCOMPARE(outcome.exitCode, exitCode);
        QCOMPARE(outcome.succeeded(), described.isEmpty());
        QTEST(int(outcome.standardError.size()), "kept");
        const QString text = outcome.describe(QStringLiteral("Conv"));
        QVERIFY2(described.isEmpty() ? text.isEmpty() : text.contains(described), qPrintable(text.left(200)));
    }

    void runAndWaitKeepsEventsFlowing()
    {
        TempProgramDir temp;
        temp.script(QStringLiteral("Slow"), "sleep 0.3\n");
        int ticks = 0;
        QTimer timer;
        QObject::connect(&timer, &QTimer::timeout, &timer, [&ticks] { ++ticks; });
        timer.start(20);
        QVERIFY(RunAndWait(temp.file(QStringLiteral("Slow")), {}).succeeded());
        QVERIFY2(ticks >= 5, qPrintable(QString::number(ticks)));
    }
    // Last: once the application quits, no event loop runs again.

    void runAndWaitEndedByQuittingIsNoSuccess()
    {
        TempProgramDir temp;
        temp.script(QStringLiteral("Slow"), "sleep 5\n");
        // What closing the main window does to every running event loop.
        QTimer::singleShot(100, QCoreApplication::instance(), [] { QCoreApplication::exit(0); });
        QElapsedTimer clock;
        clock.start();
        const RunOutcome outcome = RunAndWait(temp.file(QStringLiteral("Slow")), {});
        QVERIFY(clock.elapsed() < 4000);
        QCOMPARE(outcome.describe(QStringLiteral("TPParse")), QStringLiteral("TPParse did not finish."));
    }
};

QTEST_GUILESS_MAIN(TestCommon)
#include "tst_common.moc"
