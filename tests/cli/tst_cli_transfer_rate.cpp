#include "cli/ProgressPrinter.h"
#include "link/TransferRate.h"

#include <QTest>

using Samples = QList<std::pair<qint64, qint64>>;  // bytes done, ms

class TestCliTransferRate : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void figures_data()
    {
        QTest::addColumn<qint64>("total");
        QTest::addColumn<Samples>("samples");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("percent");

        QTest::newRow("nothing moved yet") << qint64(262144) << Samples{{0, 0}, {0, 500}} << QString() << 0;
        // The first packet is handed over at once: the clock starts there.
        QTest::newRow("one sample") << qint64(262144) << Samples{{3500, 900}} << QString() << 1;
        QTest::newRow("line rate, greeting not counted")
            << qint64(262144) << Samples{{0, 0}, {3500, 900}, {118700, 10900}} << QString("11520 bytes/s, 0:13 left")
            << 45;
        QTest::newRow("time left rounds up")
            << qint64(10002) << Samples{{1, 0}, {1001, 1000}} << QString("1000 bytes/s, 0:10 left") << 10;
        QTest::newRow("done") << qint64(7000) << Samples{{3500, 0}, {7000, 500}} << QString("7000 bytes/s, 0:00 left")
                              << 100;
        QTest::newRow("total unknown: no time left")
            << qint64(0) << Samples{{4096, 0}, {8192, 1000}} << QString("4096 bytes/s") << 0;
        QTest::newRow("no time passed") << qint64(7000) << Samples{{3500, 40}, {7000, 40}} << QString() << 100;
    }

    void figures()
    {
        QFETCH(qint64, total);
        QFETCH(Samples, samples);
        TransferRate rate;
        for (const auto &[done, ms] : samples)
            rate.sample(done, total, ms);
        QTEST(rate.text(), "text");
        QTEST(rate.percent(), "percent");
    }

    void durations_data()
    {
        QTest::addColumn<qint64>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << qint64(0) << QString("0:00");
        QTest::newRow("under a minute") << qint64(59) << QString("0:59");
        QTest::newRow("minutes") << qint64(605) << QString("10:05");
        QTest::newRow("an hour") << qint64(3600) << QString("1:00:00");
        QTest::newRow("hours") << qint64(3 * 3600 + 7 * 60 + 9) << QString("3:07:09");
        QTest::newRow("negative") << qint64(-5) << QString("0:00");
    }

    void durations()
    {
        QFETCH(qint64, seconds);
        QTEST(durationText(seconds), "text");
    }

    void progressLineOnAFullUpload()
    {
        TransferRate rate;
        rate.sample(3500, 262144, 0);
        QCOMPARE(progressLine(rate), QString("3500/262144 bytes  1 %"));
        rate.sample(26540, 262144, 2000);
        QCOMPARE(progressLine(rate), QString("26540/262144 bytes  10 %  11520 bytes/s  0:21 left"));
        rate.reset();
        rate.sample(4096, 0, 0);
        QCOMPARE(progressLine(rate), QString("4096 bytes"));
    }
};

QTEST_GUILESS_MAIN(TestCliTransferRate)
#include "tst_cli_transfer_rate.moc"
