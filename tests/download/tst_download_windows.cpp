// The selection wizard and the download window, and one run from "TP D&OWN"
// on the main window to a satellite filled by "Refres&h" in the TP editor.
#include "SdxServer.h"
#include "app/AppContext.h"
#include "app/ui/frmMain.h"
#include "common/ui/MessageBoard.h"
#include "download/ui/frmDownList.h"
#include "download/ui/frmTPDown.h"
#include "support/ModalDriver.h"
#include "support/ShownWindow.h"
#include "support/TempProgramDir.h"
#include "support/TestFiles.h"
#include "tp/ui/frmTPEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <QTreeWidget>
#include <QtTest>

namespace {

// Three transponders in the columns the import reads.
QByteArray satelliteFile()
{
    QByteArray text = "SDX 0192 test\r\n";
    for (const char *fields : {"11362   1            00000001      22000", "11538   2            00000002      22000",
                               "03840   1            00000003      06111"}) {
        text += "0192 Test                   TMPG2 " + QByteArray(fields) + "2\r\n";
    }
    return text;
}

template <typename T = QWidget>
T *child(QObject *parent, const QString &name)
{
    return parent->findChild<T *>(name);
}

// The texts of the wizard's rows, each ticked one followed by "+".
QStringList rowStates(frmDownList &wizard)
{
    auto *list = child<QTreeWidget>(&wizard, "List1");
    QStringList states;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *item = list->topLevelItem(i);
        states.append(item->text(0) + (item->checkState(0) == Qt::Checked ? "+" : ""));
    }
    return states;
}

struct Wizard {
    TempProgramDir dir;
    QStringList codes;
    MessageBoard board;
    std::unique_ptr<frmDownList> window;

    explicit Wizard(const QByteArray &codeList = "0000\r\n\r\n0001\r\n0409\r\n0410\r\n1200\r\n3149\r\n3150\r\n")
    {
        if (!codeList.isNull())
            QVERIFY(writeWholeFile(dir.file("Code.bin"), codeList).ok());
        window = std::make_unique<frmDownList>(ProgramDir(dir.path()), codes, &board);
        window->show();
    }

    void tick(int region)
    {
        auto *box = child<QCheckBox>(window.get(), QStringLiteral("chkRegion_%1").arg(region));
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(4, box->height() / 2));
    }

    // Presses "&Next" and notes the text of the message box it shows, if any; a
    // box is modal, so the click returns once the box is answered.
    QString next()
    {
        QStringList texts;
        ModalDriver driver({modal::acknowledgeBox(&texts)});
        QTest::mouseClick(child<QPushButton>(window.get(), "cmdNext"), Qt::LeftButton);
        return texts.value(0);
    }
};

}  // namespace

class TestDownloadWindows : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QApplication::setApplicationName(QStringLiteral("Tarvik")); }

    // Each step refuses to go on with nothing chosen; ticks follow clicks and "All".
    void stepsAndTicks()
    {
        Wizard w;
        QCOMPARE(w.next(), QStringLiteral("Select Region. At least select one"));
        QCOMPARE(w.window->step(), 1);
        w.tick(1);
        w.tick(2);
        QCOMPARE(w.next(), QString());
        QCOMPARE(w.window->step(), 2);
        QCOMPARE(rowStates(*w.window), QStringList({"0410", "1200", "1200"}));
        auto *list = child<QTreeWidget>(w.window.get(), "List1");
        const QRect second = list->visualItemRect(list->topLevelItem(1));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second.center());
        QCOMPARE(rowStates(*w.window), QStringList({"0410", "1200+", "1200"}));
        QCOMPARE(list->currentItem(), list->topLevelItem(1));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second.center());
        QCOMPARE(rowStates(*w.window), QStringList({"0410", "1200", "1200"}));
        auto *all = child<QCheckBox>(w.window.get(), "chkAll");
        all->click();
        QCOMPARE(rowStates(*w.window), QStringList({"0410+", "1200+", "1200+"}));
        all->click();
        QCOMPARE(rowStates(*w.window), QStringList({"0410", "1200", "1200"}));
        QCOMPARE(w.next(), QStringLiteral("Select satellite. At least select one"));
        // Both rows of the overlap pass their code.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second.center());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->topLevelItem(2)).center());
        QCOMPARE(w.next(), QStringLiteral("The mirror file ") + w.dir.file("Mirrors.txt") +
                               " is missing; the download needs its nine base addresses, one a line.");
        QCOMPARE(w.codes, QStringList({"1200", "1200"}));
    }

    void missingCodeListCloses()
    {
        Wizard w(QByteArray{});
        w.tick(3);
        QCOMPARE(w.next(), QString());
        QVERIFY(!w.window->isVisible());
        QVERIFY(w.codes.isEmpty());
    }

    void mirrorFileIsChecked()
    {
        Wizard w;
        QVERIFY(writeWholeFile(w.dir.file("Mirrors.txt"), "http://127.0.0.1:1/_data/\r\n").ok());
        w.tick(3);
        w.next();
        QCOMPARE(rowStates(*w.window), QStringList({"0001", "0409", "3150"}));
        child<QCheckBox>(w.window.get(), "chkAll")->click();
        QCOMPARE(w.next(), "The mirror file " + w.dir.file("Mirrors.txt") +
                               " must hold 9 base addresses, one a line; it holds 1 lines.");
        QCOMPARE(w.window->step(), 2);  // the choice stays for a second try
        QVERIFY(w.window->isVisible());
        QVERIFY(!w.board.toPlainText().contains("TP Down Start!"));
    }

    void fromTPDownToRefresh()
    {
        SdxServer server({{QStringLiteral("0192"), satelliteFile()}});
        QVERIFY(server.listen());
        TempProgramDir dir;
        for (const char *program : {"TPParse", "TPCombine"})
            QVERIFY(QFile::copy(QStringLiteral(TARVIK_STAGE_DIR "/") + QLatin1String(program), dir.file(program)));
        const QString image = dir.file("Sat.MDA");
        QVERIFY(QFile::copy(QStringLiteral(TARVIK_TEST_DATA_DIR "/TP_Test.MDA"), image));
        QFile(image).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
        QVERIFY(writeWholeFile(dir.file("Code.bin"), "0130\r\n0192\r\n2000\r\n").ok());
        QVERIFY(writeWholeFile(dir.file("Mirrors.txt"), (server.baseAddress() + "\r\n").toLatin1().repeated(9)).ok());
        QVERIFY(writeWholeFile(dir.file("text.ini"), "").ok());  // monitor mode: the message board is shown
        AppContext context{ProgramDir(dir.path())};
        frmMain window(context);
        window.ApplyConfiguration();
        window.show();

        ModalDriver driver({[&](QWidget *modal) {
                                auto *wizard = qobject_cast<frmDownList *>(modal);
                                if (!wizard)
                                    return false;
                                child<QCheckBox>(wizard, "chkRegion_3")->setChecked(true);
                                wizard->cmdNext_Click();
                                QTreeWidget *list = child<QTreeWidget>(wizard, "List1");
                                list->topLevelItem(1)->setCheckState(0, Qt::Checked);  // 0192
                                QTimer::singleShot(0, child<QPushButton>(wizard, "cmdNext"), &QPushButton::click);
                                return true;
                            },
                            [](QWidget *modal) {  // the download runs and closes by itself
                                return modal->objectName() == QLatin1String("frmTPDown");
                            }});
        window.cmdTPEDIT_Click(0);
        QVERIFY(driver.finished());
        QCOMPARE(context.downloadCodes, QStringList({"0192"}));
        QCOMPARE(window.board()->toPlainText(), QStringLiteral("TP Down Start!\nTP Down Complete\n\n"));
        QCOMPARE(contents(dir.file("Temp/0192.sdx")), satelliteFile());

        {
            ModalDriver open({modal::chooseFile(image)});
            window.cmdTPEDIT_Click(1);
            QTRY_VERIFY(open.finished());
        }
        QPointer<frmTPEdit> editor = shownWindow<frmTPEdit>();
        QVERIFY(editor);
        QTRY_VERIFY(editor->isVisible());
        auto *deg = child<QLineEdit>(editor, "txtDeg");
        auto *list2 = child<QTreeView>(editor, "List2");
        deg->setFocus();
        deg->selectAll();
        QTest::keyClicks(deg, "192");  // imports at every key release: 0001, 0019, then 0192
        QCOMPARE(list2->model()->rowCount(), 3);

        auto *option = child<QComboBox>(editor, "Combo1");
        option->setCurrentIndex(2);  // "Horizontal", chosen as the user would
        Q_EMIT option->activated(2);
        QCOMPARE(list2->model()->rowCount(), 2);
        QCOMPARE(context.tpTables->SatData(context.tpTables->CurRegion, 0).ParseSort, QStringLiteral("2"));

        const qint16 region = context.tpTables->CurRegion;
        context.tpTables->SatData(3 - region, 5).Deg = QStringLiteral("192");  // a satellite of a region not shown
        option->setCurrentIndex(0);  // "All Parsing" for every satellite, without an import of its own
        child<QPushButton>(editor, "Command1")->click();
        QCOMPARE(context.tpTables->CurRegion, region);
        QCOMPARE(context.tpTables->SatData(3 - region, 5).TPCount, QStringLiteral("3"));
        QCOMPARE(context.tpTables->SatData(region, 0).TPCount, QStringLiteral("3"));
        QCOMPARE(child<QTreeView>(editor, "List1")->selectionModel()->selectedRows().size(), 1);
        QCOMPARE(list2->model()->rowCount(), 3);
        ModalDriver discard({modal::answerBox(QMessageBox::No)});
        editor->close();
        QVERIFY(discard.finished());
    }

    void closingTheDownloadWindowEndsTheRun()
    {
        SdxServer server({{QStringLiteral("0192"), satelliteFile()}, {QStringLiteral("0130"), satelliteFile()}});
        server.setFault(SdxFault::Stall);
        QVERIFY(server.listen());
        TempProgramDir dir;
        MessageBoard board;
        frmTPDown window(ProgramDir(dir.path()),
                         QList<MirrorAddress>(9, ParseMirrorAddress(server.baseAddress()).value()), {"0192", "0130"},
                         &board);
        window.show();
        QTRY_COMPARE(server.requests().size(), 1);
        QTRY_COMPARE(child<QLabel>(&window, "lblPer")->text(), QStringLiteral("TP Download   0%"));
        window.close();
        QCOMPARE(board.toPlainText(), QStringLiteral("TP Down Start!\nTP Down Stop\n\n"));
        QTest::qWait(300);
        QCOMPARE(server.requests().size(), 1);  // no next code
        QVERIFY(QDir(dir.file("Temp")).entryList(QDir::Files | QDir::Hidden).isEmpty());
    }
};

QTEST_MAIN(TestDownloadWindows)
#include "tst_download_windows.moc"
