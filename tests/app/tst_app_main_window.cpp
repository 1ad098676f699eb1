#include "app/AppContext.h"
#include "app/ui/Lamp.h"
#include "app/ui/frmMain.h"
#include "common/ui/MessageBoard.h"
#include "support/ModalDriver.h"
#include "support/PtyPair.h"
#include "support/ShownWindow.h"
#include "support/TempProgramDir.h"
#include "support/TransferWatch.h"

#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

namespace {

// A main window over a program directory of its own.
struct Fixture {
    TempProgramDir dir;
    std::unique_ptr<AppContext> context;
    std::unique_ptr<frmMain> window;

    explicit Fixture(const QStringList &markers = {}, bool withPort = false)
    {
        for (const QString &m : markers)
            dir.touch(m);
        if (withPort)
            pty.linkAs(dir.file(QStringLiteral("Com1")));
        context = std::make_unique<AppContext>(ProgramDir(dir.path()));
        window = std::make_unique<frmMain>(*context);
        window->ApplyConfiguration();
        window->show();
        if (!activate(window.get()))
            qWarning("main window not active");
    }

    template <typename T = QPushButton>
    T *find(const QString &name) const
    {
        return window->findChild<T *>(name);
    }
    QPushButton *button(const char *name) const { return find(QString::fromLatin1(name)); }

    // Visible, enabled and inside the client area: the user can get at it.
    bool reachable(const char *name) const
    {
        QWidget *w = button(name);
        const QRect inWindow(w->mapTo(window.get(), QPoint(0, 0)), w->size());
        return w->isVisible() && w->isEnabled() && window->rect().contains(inWindow);
    }

    // An access key clicks its button the way a mouse would, after a short animation.
    void altKey(Qt::Key key) const
    {
        QTest::keyClick(window.get(), key, Qt::AltModifier);
        QTest::qWait(250);
    }
    void hover(const char *name) const
    {
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(button(name), &enter);
    }

    PtyPair pty;
};

}  // namespace

class TestAppMainWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QApplication::setApplicationName(QStringLiteral("Tarvik")); }

    void startsInTheDesignState()
    {
        Fixture f;
        QCOMPARE(f.find<QLabel>(QStringLiteral("lblCon"))->text(), QStringLiteral("Port Closed"));
        QCOMPARE(f.find<QComboBox>(QStringLiteral("cboPort"))->currentText(), QStringLiteral("Com1"));
        QVERIFY(!f.find<QGroupBox>(QStringLiteral("Frame2"))->isVisible());
        QVERIFY(!f.find<QGroupBox>(QStringLiteral("Frame3"))->isVisible());
        QVERIFY(!f.find<QLabel>(QStringLiteral("lblTPEdit"))->isVisible());
    }

    void layoutAndReachableButtons_data()
    {
        QTest::addColumn<QStringList>("markers");
        QTest::addColumn<bool>("reach2MB");
        QTest::addColumn<bool>("board");
        QTest::newRow("neither") << QStringList{} << false << false;
        QTest::newRow("user") << QStringList{QStringLiteral("user.ini")} << true << false;
        QTest::newRow("factory + monitor")
            << QStringList{QStringLiteral("Factory.ini"), QStringLiteral("text.ini")} << true << true;
        QTest::newRow("monitor only") << QStringList{QStringLiteral("text.ini")} << false << true;
    }

    void layoutAndReachableButtons()
    {
        QFETCH(QStringList, markers);
        QFETCH(bool, reach2MB);
        QFETCH(bool, board);
        Fixture f(markers);
        QCOMPARE(f.reachable("cmdPCSTB_6"), reach2MB);
        QCOMPARE(f.reachable("cmdPCSTB_9"), reach2MB);
        QVERIFY(f.reachable("cmdPCSTB_0"));
        QCOMPARE(f.find<MessageBoard>(QStringLiteral("Text1"))->isVisible(), board);
        // The mode commands lie right of the client area.
        QVERIFY(!f.reachable("cmdUserMode_0"));
    }

    void accessKeysSwitchModes()
    {
        Fixture f;
        f.altKey(Qt::Key_F);
        QVERIFY(f.dir.has(QStringLiteral("Factory.ini")));
        QCOMPARE(f.context->configuration.operatingMode(), 2);
        QVERIFY(f.reachable("cmdPCSTB_6"));
        f.altKey(Qt::Key_2);
        QVERIFY(f.dir.has(QStringLiteral("user.ini")));
        QVERIFY(!f.dir.has(QStringLiteral("Factory.ini")));
        QCOMPARE(f.context->configuration.operatingMode(), 1);
        f.altKey(Qt::Key_N);
        QVERIFY(!f.dir.has(QStringLiteral("user.ini")));
        QVERIFY(!f.dir.has(QStringLiteral("Factory.ini")));
        QCOMPARE(f.context->configuration.operatingMode(), 1);  // kept, but out of reach
        QVERIFY(!f.reachable("cmdPCSTB_9"));
        // The client area leaves out the caption: 4650 - 450 twips, at 96 dpi offscreen.
        QCOMPARE(f.window->height(), 280);
    }

    void smcOsdSubButtonsFollowFocus_data()
    {
        QTest::addColumn<QString>("marker");
        QTest::addColumn<bool>("shown");
        QTest::newRow("user mode uploads directly") << QStringLiteral("user.ini") << false;
        QTest::newRow("factory mode shows them") << QStringLiteral("Factory.ini") << true;
    }

    void smcOsdSubButtonsFollowFocus()
    {
        QFETCH(QString, marker);
        QFETCH(bool, shown);
        Fixture f({marker});
        f.hover("cmdPCSTB_9");
        for (int i = 0; i < 5; ++i)
            QCOMPARE(f.find(QStringLiteral("cmdOSD_%1").arg(i))->isVisible(), shown);
        f.hover("cmdPCSTB_2");
        QVERIFY(!f.button("cmdOSD_0")->isVisible());
    }

    void editGroupsFollowHover()
    {
        Fixture f;
        auto *tpEdit = f.find<QGroupBox>(QStringLiteral("Frame2"));
        auto *chEdit = f.find<QGroupBox>(QStringLiteral("Frame3"));
        auto *hint = f.find<QLabel>(QStringLiteral("lblTPEdit"));
        f.hover("cmdPCSTB_7");
        QVERIFY(tpEdit->isVisible() && !chEdit->isVisible() && hint->isVisible());
        QCOMPARE(hint->text(), QString());
        f.hover("cmdTPEDIT_0");
        QCOMPARE(hint->text(), QStringLiteral("Download TP Info from Internet."));
        f.hover("cmdTPEDIT_1");
        QCOMPARE(hint->text(), QStringLiteral("Make TP binary file."));
        f.hover("cmdPCSTB_8");  // straight across, no click
        QVERIFY(!tpEdit->isVisible() && chEdit->isVisible());
        f.hover("cmdCHEdit_0");
        QCOMPARE(hint->text(), QStringLiteral("Get channel data from set."));
        f.hover("cmdCHEdit_1");
        QCOMPARE(hint->text(), QStringLiteral("Edit channel data."));
        f.hover("cmdPCSTB_0");
        QVERIFY(!tpEdit->isVisible() && !chEdit->isVisible() && !hint->isVisible());
    }

    void offWindowButtonsAreOutOfReach()
    {
        Fixture f;
        QSet<QString> focused;
        for (int i = 0; i < 40; ++i) {
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : f.window.get(), Qt::Key_Tab);
            if (QWidget *w = QApplication::focusWidget())
                focused << w->objectName();
        }
        QVERIFY(focused.contains(QStringLiteral("cmdPCSTB_0")));
        for (const char *name : {"cmdPCSTB_6", "cmdPCSTB_9", "cmdOSD_0", "cmdOSD_4"}) {
            QVERIFY2(!focused.contains(QString::fromLatin1(name)), name);
            QVERIFY2(f.button(name)->isHidden(), name);
        }
        // The extended layout brings them back.
        f.hover("cmdPCSTB_0");  // Tab may have left the channel group open
        f.altKey(Qt::Key_F);
        QVERIFY(f.reachable("cmdPCSTB_6") && f.reachable("cmdPCSTB_9"));
    }

    void accessKeysOpenTheEditGroups()
    {
        Fixture f;
        auto *tpEdit = f.find<QGroupBox>(QStringLiteral("Frame2"));
        auto *chEdit = f.find<QGroupBox>(QStringLiteral("Frame3"));
        f.altKey(Qt::Key_P);
        QVERIFY(tpEdit->isVisible() && !chEdit->isVisible());
        f.altKey(Qt::Key_H);
        QVERIFY(!tpEdit->isVisible() && chEdit->isVisible());

        // With the channel group shown, Alt+F is "&File Open", not the mode switch.
        QStringList titles;
        throughDialogs({modal::cancelFileDialog(&titles)}, [&f] { f.altKey(Qt::Key_F); });
        QCOMPARE(titles.size(), 1);
        QVERIFY(!f.dir.has(QStringLiteral("Factory.ini")));

        QVERIFY(activate(f.window.get()));
        f.hover("cmdPCSTB_0");
        QVERIFY(!chEdit->isVisible());
        f.altKey(Qt::Key_F);
        QVERIFY(f.dir.has(QStringLiteral("Factory.ini")));
    }

    void monitorModeOpensThePortWithTheMarker()
    {
        Fixture f({}, true);
        ReceiverPort &port = f.context->link.monitorPort();
        QVERIFY(!port.isOpen());
        f.altKey(Qt::Key_X);
        QVERIFY(f.dir.has(QStringLiteral("text.ini")));
        QVERIFY(port.isOpen());
        auto *board = f.find<MessageBoard>(QStringLiteral("Text1"));
        QVERIFY(board->isVisible());
        f.pty.send(QByteArray("STB boot\n\rready\n\r"));
        QTRY_COMPARE(board->toPlainText(), QStringLiteral("STB boot\nready\n"));
        f.altKey(Qt::Key_X);
        QVERIFY(!f.dir.has(QStringLiteral("text.ini")));
        QVERIFY(!port.isOpen());
        QVERIFY(!board->isVisible());
    }

    void markerThatCannotBeWrittenIsReported()
    {
        Fixture f;
        QVERIFY(QDir(f.dir.path()).mkpath(QStringLiteral("user.ini/blocked")));
        QStringList texts;
        // Factory: deleting user.ini fails, Factory.ini is still made.
        throughDialogs({modal::acknowledgeBox(&texts)}, [&f] { f.window->ModeSwitch(1); });
        QCOMPARE(texts.size(), 1);
        QVERIFY2(texts.at(0).startsWith(QStringLiteral("Cannot delete ")), qPrintable(texts.at(0)));
        QVERIFY(f.dir.has(QStringLiteral("Factory.ini")));
    }

    void lampsFollowTheTransferPort()
    {
        Fixture f;
        auto *label = f.find<QLabel>(QStringLiteral("lblCon"));
        auto *green = f.find<Lamp>(QStringLiteral("Shape1"));
        auto *red = f.find<Lamp>(QStringLiteral("Shape2"));
        f.context->link.setTransferPortOpen(true);
        QCOMPARE(label->text(), QStringLiteral("Port Opened"));
        QCOMPARE(red->colour(), QColor(128, 0, 0));
        QTRY_COMPARE(green->colour(), QColor(0, 255, 0));  // the first blink, 500 ms on
        QVERIFY(!label->isVisible());
        QTRY_COMPARE(green->colour(), QColor(0, 64, 0));
        f.context->link.setTransferPortOpen(false);
        QCOMPARE(label->text(), QStringLiteral("Port Closed"));
        QVERIFY(label->isVisible());
        QCOMPARE(red->colour(), QColor(255, 0, 0));
        QCOMPARE(green->colour(), QColor(0, 64, 0));
    }

    void closingClosesTheMonitorPort()
    {
        Fixture f({QStringLiteral("text.ini")}, true);
        QVERIFY(f.context->link.monitorPort().isOpen());
        QVERIFY(f.window->close());
        QVERIFY(!f.context->link.monitorPort().isOpen());
        QVERIFY(f.dir.has(QStringLiteral("text.ini")));  // monitor mode itself survives
    }

    void cancelledDialogsStartNothing()
    {
        Fixture f;
        QStringList titles;
        ModalDriver driver({modal::cancelFileDialog(&titles), modal::cancelFileDialog(&titles)});
        TransferWatch transfers(f.context->link);
        f.window->cmdCHEdit_Click(0);  // "Save Ch. DATA" cancelled
        f.window->cmdPCSTB_Click(2);   // "Open Transponder File" cancelled
        QVERIFY(driver.finished());
        QCOMPARE(titles, (QStringList{QStringLiteral("Save Ch. DATA"), QStringLiteral("Open Transponder File")}));
        QVERIFY(transfers.modes.isEmpty());
        QVERIFY(f.context->link.selectedFile.isEmpty());
        QVERIFY(f.button("cmdCHEdit_0")->isEnabled());
    }

    void failingConverterIsReported_data()
    {
        QTest::addColumn<QString>("command");  // "tp" or "channel"
        QTest::addColumn<QByteArray>("converter");
        QTest::addColumn<QString>("message");
        QTest::newRow("TP converter missing")
            << QStringLiteral("tp") << QByteArray() << QStringLiteral("TPParse could not be started");
        QTest::newRow("TP converter fails") << QStringLiteral("tp") << QByteArray("echo 'not a TP image' >&2\nexit 2\n")
                                            << QStringLiteral("TPParse failed with exit code 2.\nnot a TP image");
        QTest::newRow("channel converter fails")
            << QStringLiteral("channel") << QByteArray("echo 'wrong size' >&2\nexit 1\n")
            << QStringLiteral("ChannelParse failed with exit code 1.\nwrong size");
    }

    void failingConverterIsReported()
    {
        QFETCH(QString, command);
        QFETCH(QByteArray, converter);
        QFETCH(QString, message);
        Fixture f;
        const bool tp = command == QLatin1String("tp");
        if (!converter.isEmpty())
            f.dir.script(tp ? QStringLiteral("TPParse") : QStringLiteral("ChannelParse"), converter);
        const QString image = f.dir.file(tp ? QStringLiteral("sat.MDA") : QStringLiteral("ch.bin"));
        f.dir.touch(QFileInfo(image).fileName());
        f.dir.touch(QStringLiteral("PreDefine.dll"));  // stale: removed before the TP converter runs
        QStringList texts;
        ModalDriver driver({modal::chooseFile(image), modal::acknowledgeBox(&texts)});
        if (tp)
            f.window->cmdTPEDIT_Click(1);
        else
            f.window->cmdCHEdit_Click(1);
        QTRY_VERIFY(driver.finished());
        QCOMPARE(texts.size(), 1);
        QVERIFY2(texts.at(0).startsWith(message), qPrintable(texts.at(0)));
        // Nothing is left half-open: the commands stay available.
        QVERIFY(f.button("cmdTPEDIT_1")->isEnabled());
        QVERIFY(f.button("cmdCHEdit_1")->isEnabled());
        if (tp)
            QVERIFY(!f.dir.has(QStringLiteral("PreDefine.dll")));
    }

    void commandIsDisabledWhileItsConverterRuns_data()
    {
        QTest::addColumn<QString>("converter");
        QTest::addColumn<QString>("image");
        QTest::addColumn<QString>("buttonName");
        QTest::newRow("Edit Satellite") << "TPParse"
                                        << "sat.MDA"
                                        << "cmdTPEDIT_1";
        QTest::newRow("File Open") << "ChannelParse"
                                   << "ch.bin"
                                   << "cmdCHEdit_1";
    }

    void commandIsDisabledWhileItsConverterRuns()
    {
        QFETCH(QString, converter);
        QFETCH(QString, image);
        QFETCH(QString, buttonName);
        Fixture f;
        f.dir.script(converter, "sleep 0.5\nexit 1\n");
        f.dir.touch(image);
        QPushButton *button = f.find(buttonName);
        std::optional<bool> enabledDuringRun;
        QStringList texts;
        ModalDriver driver({modal::chooseFile(f.dir.file(image)), modal::acknowledgeBox(&texts)});
        QTimer::singleShot(300, button, [&] { enabledDuringRun = button->isEnabled(); });
        if (converter == QLatin1String("TPParse"))
            f.window->cmdTPEDIT_Click(1);
        else
            f.window->cmdCHEdit_Click(1);
        QTRY_VERIFY(driver.finished());
        QCOMPARE(enabledDuringRun, std::optional<bool>(false));
        QVERIFY(button->isEnabled());
    }
};

QTEST_MAIN(TestAppMainWindow)
#include "tst_app_main_window.moc"
