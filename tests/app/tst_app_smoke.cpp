// Starts the real tool, offscreen, and finds the main window's controls.
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

class TestAppSmoke : public QObject {
    Q_OBJECT
    // A program directory of the test's own, so the instance lock and the
    // marker files are nobody else's.
    QTemporaryDir m_dir;
    QString tool() const { return m_dir.filePath(QStringLiteral("tarvik")); }

private Q_SLOTS:
    void initTestCase() { QVERIFY(QFile::copy(QStringLiteral(TARVIK_STAGE_DIR "/tarvik"), tool())); }

    void startsAndShowsEveryControl()
    {
        QProcess process;
        process.start(tool(), {QStringLiteral("--self-check")});
        QVERIFY(process.waitForFinished(30000));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), 0);
        const QString out = QString::fromUtf8(process.readAllStandardOutput());
        QVERIFY(out.contains(QStringLiteral("title ZAVO SMC Tarvik Ver n1.10\n")));
        // A frame, a mode command and the timer: every part of the window was built.
        for (const char *name : {"Frame1", "cmdUserMode_3", "Timer2"})
            QVERIFY2(out.contains(QStringLiteral("control %1\n").arg(QLatin1String(name))), name);
    }

    void refusesASecondInstanceOfTheSameDirectory()
    {
        QProcess first;
        first.start(tool());
        QVERIFY(first.waitForStarted());
        // Ready once it holds the instance lock: a lock file naming its process.
        const auto holdsALock = [&first] {
            const QDir temp = QDir::temp();
            for (const QString &name : temp.entryList({QStringLiteral("tarvik-*.lock")}, QDir::Files)) {
                QFile lock(temp.filePath(name));
                if (lock.open(QIODevice::ReadOnly) && lock.readLine().trimmed().toLongLong() == first.processId())
                    return true;
            }
            return false;
        };
        QTRY_VERIFY_WITH_TIMEOUT(holdsALock(), 30000);
        QProcess second;
        second.start(tool());
        QVERIFY(second.waitForStarted());
        // The refusal is a message box, and a line for whoever started it from a terminal.
        QByteArray errors;
        QTRY_VERIFY_WITH_TIMEOUT(
            (errors += second.readAllStandardError()).contains("This program is already executing."), 10000);
        QCOMPARE(second.state(), QProcess::Running);  // until the box is answered
        second.kill();
        second.waitForFinished();
        first.kill();
        first.waitForFinished();
    }
};

QTEST_GUILESS_MAIN(TestAppSmoke)
#include "tst_app_smoke.moc"
