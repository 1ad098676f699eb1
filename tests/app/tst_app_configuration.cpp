#include "app/Configuration.h"
#include "app/MainLayout.h"
#include "link/ReceiverLink.h"
#include "support/TempProgramDir.h"

#include <QtTest>

class TestAppConfiguration : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void markersGiveModes_data()
    {
        QTest::addColumn<QStringList>("markers");
        QTest::addColumn<int>("previousMode");
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("extended");
        QTest::addColumn<bool>("monitor");
        QTest::newRow("none keeps 0") << QStringList{} << 0 << 0 << false << false;
        QTest::newRow("none keeps the previous mode") << QStringList{} << 2 << 2 << false << false;
        QTest::newRow("user") << QStringList{QStringLiteral("user.ini")} << 0 << 1 << true << false;
        QTest::newRow("factory") << QStringList{QStringLiteral("Factory.ini")} << 1 << 2 << true << false;
        QTest::newRow("both: user wins") << QStringList{QStringLiteral("user.ini"), QStringLiteral("Factory.ini")} << 0
                                         << 1 << true << false;
        QTest::newRow("monitor only") << QStringList{QStringLiteral("text.ini")} << 0 << 0 << false << true;
        QTest::newRow("names in any case")
            << QStringList{QStringLiteral("FACTORY.INI"), QStringLiteral("Text.Ini")} << 0 << 2 << true << true;
    }

    void markersGiveModes()
    {
        QFETCH(QStringList, markers);
        QFETCH(int, previousMode);
        QFETCH(int, mode);
        QFETCH(bool, extended);
        QFETCH(bool, monitor);
        TempProgramDir dir;
        Configuration config{ProgramDir(dir.path())};
        // Reach the previous mode the way the program would: through a marker that is then removed.
        if (previousMode != 0) {
            const QString marker = previousMode == 1 ? Configuration::kUserMarker : Configuration::kFactoryMarker;
            QVERIFY(config.createMarker(marker).ok());
            config.refresh();
            QVERIFY(config.deleteMarker(marker).ok());
        }
        for (const QString &m : markers)
            dir.touch(m);
        config.refresh();
        QCOMPARE(config.operatingMode(), mode);
        QCOMPARE(config.extendedLayout(), extended);
        QCOMPARE(config.monitorMode(), monitor);
    }

    void layoutFollowsTheConfiguration_data()
    {
        QTest::addColumn<bool>("extended");
        QTest::addColumn<bool>("monitor");
        QTest::addColumn<int>("uploadHeight");
        QTest::addColumn<int>("editTop");
        QTest::addColumn<int>("boardTop");
        QTest::addColumn<int>("windowHeight");
        // upload top 360; EDIT top = upload bottom + 200; board = EDIT bottom + 50 (EDIT 1935 high);
        // window = board bottom + 700 (board 2895 high), or SERIAL bottom + 700 without the board.
        QTest::newRow("compact") << false << false << 1455 << 2015 << 4000 << 4650;
        QTest::newRow("compact, monitor") << false << true << 1455 << 2015 << 4000 << 7595;
        QTest::newRow("extended") << true << false << 2500 << 3060 << 5045 << 5695;
        QTest::newRow("extended, monitor") << true << true << 2500 << 3060 << 5045 << 8640;
    }

    void layoutFollowsTheConfiguration()
    {
        QFETCH(bool, extended);
        QFETCH(bool, monitor);
        QFETCH(int, uploadHeight);
        QFETCH(int, editTop);
        QFETCH(int, boardTop);
        QFETCH(int, windowHeight);
        const MainLayout l = MainLayout::compute(extended, monitor);
        QCOMPARE(l.uploadGroup.height(), uploadHeight);
        QCOMPARE(l.editGroup.top(), editTop);
        QCOMPARE(l.serialGroup.top(), editTop);
        QCOMPARE(l.messageBoard.top(), boardTop);
        QCOMPARE(l.windowHeight, windowHeight);
        QCOMPARE(l.boardVisible, monitor);
        if (extended) {
            // The second row lines up under STB Loader, Application and Transponder.
            QCOMPARE(l.button2MB.left(), 120 + 240);
            QCOMPARE(l.buttonSmcOsd.left(), 120 + 1880);
            QCOMPARE(l.osdButtons[0].left(), 120 + 3520);
            QCOMPARE(l.osdButtons[1].left(), l.osdButtons[0].right() + 1 + 100);
            QCOMPARE(l.osdButtons[2].left(), l.osdButtons[1].left());
            QVERIFY(l.osdButtons[2].top() > l.osdButtons[1].top());
            QCOMPARE(l.osdButtons[3].left(), l.osdButtons[1].right() + 1 + 100);
            QCOMPARE(l.osdButtons[0].height(), l.osdButtons[1].height() + l.osdButtons[2].height() + 45);
        } else {
            QCOMPARE(l.button2MB.left(), 20000);
            QCOMPARE(l.buttonSmcOsd.left(), 20000);
        }
    }

    void markerFailuresAreReported()
    {
        TempProgramDir dir;
        Configuration config{ProgramDir(dir.path())};
        // A directory in the marker's place cannot be created over or deleted (even by root).
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("user.ini/inside")));
        const Status created = config.createMarker(Configuration::kUserMarker);
        QVERIFY(!created.ok());
        QVERIFY2(created.error().startsWith(QStringLiteral("Cannot create ") + dir.file(QStringLiteral("user.ini"))),
                 qPrintable(created.error()));
        const Status deleted = config.deleteMarker(Configuration::kUserMarker);
        QVERIFY(!deleted.ok());
        QVERIFY(deleted.error().startsWith(QStringLiteral("Cannot delete ")));
        QVERIFY(config.deleteMarker(Configuration::kFactoryMarker).ok());  // nothing there: nothing to do
    }

    void modeButtonsSwitchMarkers_data()
    {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<int>("button");
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<bool>("hideOsd");
        const QString user = QStringLiteral("user.ini");
        const QString factory = QStringLiteral("Factory.ini");
        const QString monitor = QStringLiteral("text.ini");
        QTest::newRow("user from none") << QStringList{} << 0 << QStringList{user} << true;
        QTest::newRow("user from factory") << QStringList{factory, monitor} << 0 << QStringList{monitor, user} << true;
        QTest::newRow("user when set changes nothing")
            << QStringList{factory, user} << 0 << QStringList{factory, user} << false;
        QTest::newRow("factory from user") << QStringList{user} << 1 << QStringList{factory} << false;
        QTest::newRow("factory when set changes nothing")
            << QStringList{factory, user} << 1 << QStringList{factory, user} << false;
        QTest::newRow("neither") << QStringList{factory, monitor, user} << 2 << QStringList{monitor} << true;
        QTest::newRow("monitor on") << QStringList{user} << 3 << QStringList{monitor, user} << false;
        QTest::newRow("monitor off") << QStringList{monitor, user} << 3 << QStringList{user} << false;
    }

    void modeButtonsSwitchMarkers()
    {
        QFETCH(QStringList, before);
        QFETCH(int, button);
        QFETCH(QStringList, after);
        QFETCH(bool, hideOsd);
        TempProgramDir dir;
        dir.touch(QStringLiteral("Com1"));  // the monitor port: never a real device here
        for (const QString &m : before)
            dir.touch(m);
        Configuration config{ProgramDir(dir.path())};
        ReceiverLink link{ProgramDir(dir.path())};
        const std::optional<Configuration::ModeChange> change = config.ModeSwitch(button, link);
        QVERIFY(change.has_value());
        QCOMPARE(change->errors, QStringList{});
        QCOMPARE(change->hideOsdCommands, hideOsd);
        QStringList present = QDir(dir.path()).entryList({QStringLiteral("*.ini")}, QDir::Files, QDir::Name);
        QCOMPARE(present, after);
    }

    void modeSwitchReportsEveryFailure()
    {
        TempProgramDir dir;
        Configuration config{ProgramDir(dir.path())};
        ReceiverLink link{ProgramDir(dir.path())};
        QVERIFY(!config.ModeSwitch(4, link).has_value());

        // Directories in the markers' places cannot be deleted; the other changes still happen.
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("Factory.ini/blocked")));
        std::optional<Configuration::ModeChange> change = config.ModeSwitch(0, link);
        QVERIFY(change.has_value());
        QCOMPARE(change->errors.size(), 1);
        const QString factory = dir.file(QStringLiteral("Factory.ini"));
        QVERIFY2(change->errors.at(0).startsWith(QStringLiteral("Cannot delete ") + factory),
                 qPrintable(change->errors.at(0)));
        QVERIFY(dir.has(QStringLiteral("user.ini")));

        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("text.ini/blocked")));
        change = config.ModeSwitch(2, link);
        QCOMPARE(change->errors.size(), 1);
        QVERIFY(!dir.has(QStringLiteral("user.ini")));
        // A monitor marker that cannot be deleted leaves the port as it was.
        QVERIFY(!link.monitorPort().isOpen());
        change = config.ModeSwitch(3, link);
        QCOMPARE(change->errors.size(), 1);
        QVERIFY2(
            change->errors.at(0).startsWith(QStringLiteral("Cannot delete ") + dir.file(QStringLiteral("text.ini"))),
            qPrintable(change->errors.at(0)));
        QVERIFY(!link.monitorPort().isOpen());
    }

    void twips()
    {
        QCOMPARE(twipsToPixels(15, 96), 1);
        QCOMPARE(twipsToPixels(10440, 96), 696);
        QCOMPARE(twipsToPixels(1440, 144), 144);
        QCOMPARE(twipsToPixels(QRect(120, 360, 10200, 1455), 96), QRect(8, 24, 680, 97));
    }
};

QTEST_GUILESS_MAIN(TestAppConfiguration)
#include "tst_app_configuration.moc"
