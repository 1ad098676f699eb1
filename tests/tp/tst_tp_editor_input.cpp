// The TP editor's lists, boxes and tab strip under mouse, keyboard and wheel
// input: the boxes always show the row they edit, keys and the wheel do only
// what they show; the satellites.xml import as a user works it.
#include "TPEditorFixture.h"
#include "support/HeldKey.h"
#include "support/MenuKeys.h"
#include "support/TestFiles.h"
#include "tp/ui/dlgSatellitesXml.h"

#include <QClipboard>
#include <QListWidget>
#include <QRadioButton>
#include <QTabBar>
#include <QUndoStack>
#include <QWheelEvent>

namespace {

enum Gesture { PressReleaseElsewhere, RightClick, ArrowDown, DragOutside };

// One notch of the wheel over the middle of `target`; negative turns down.
void turnWheel(QWidget *target, int delta)
{
    const QPoint at = target->rect().center();
    QWheelEvent wheel(at, target->mapToGlobal(at), {}, {0, delta}, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                      false);
    QApplication::sendEvent(target, &wheel);
}

// Plays a key sequence on whatever has the focus: "+X" presses X, "-X" lets
// it go, a trailing "r" marks an auto-repeated event. Shift and Ctrl are held
// from their press to their release.
void playKeys(const QString &sequence)
{
    Qt::KeyboardModifiers held;
    for (QString step : sequence.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const bool press = step.startsWith(QLatin1Char('+'));
        const bool repeat = step.size() > 2 && step.endsWith(QLatin1Char('r'));
        const QString name = step.mid(1, step.size() - 1 - (repeat ? 1 : 0));
        const Qt::Key key = name == QLatin1String("Shift")  ? Qt::Key_Shift
                            : name == QLatin1String("Ctrl") ? Qt::Key_Control
                                                            : QKeySequence(name)[0].key();
        QVERIFY2(key != Qt::Key_unknown, qPrintable(name));
        const Qt::KeyboardModifier modifier = key == Qt::Key_Shift     ? Qt::ShiftModifier
                                              : key == Qt::Key_Control ? Qt::ControlModifier
                                                                       : Qt::NoModifier;
        held.setFlag(modifier, press);
        QWidget *focus = QApplication::focusWidget();
        QVERIFY(focus);
        if (repeat) {
            const QString text = held & Qt::ControlModifier ? QString() : name.size() == 1 ? name : QString();
            QKeyEvent event(press ? QEvent::KeyPress : QEvent::KeyRelease, key, held, text, true);
            QApplication::sendEvent(focus, &event);
        } else if (press) {
            QTest::keyPress(focus, key, held);
        } else {
            QTest::keyRelease(focus, key, held);
        }
    }
}

const QByteArray kXml = "<?xml version=\"1.0\"?>\n<satellites>\n"
                        " <sat name=\"Alpha\" flags=\"0\" position=\"192\">\n"
                        "  <transponder frequency=\"11362000\" symbol_rate=\"22000000\" polarization=\"0\" "
                        "fec_inner=\"2\"/>\n </sat>\n"
                        " <sat name=\"Beta\" flags=\"0\" position=\"-8\"/>\n"
                        " <sat name=\"Gamma\" flags=\"0\" position=\"130\"/>\n</satellites>\n";

// In the chooser: Ctrl+click the given rows, pick the mode, OK.
ModalDriver::Step choose(const QList<int> &rows, bool replace)
{
    return [rows, replace](QWidget *widget) {
        auto *dialog = qobject_cast<dlgSatellitesXml *>(widget);
        if (!dialog)
            return false;
        auto *list = dialog->findChild<QListWidget *>(QStringLiteral("lstSatellites"));
        for (const int row : rows)
            QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier,
                              list->visualItemRect(list->item(row)).center());
        auto *mode =
            dialog->findChild<QRadioButton *>(replace ? QStringLiteral("optReplace") : QStringLiteral("optFill"));
        QTest::mouseClick(mode, Qt::LeftButton, {}, QPoint(4, mode->height() / 2));
        QTest::keyClick(list, Qt::Key_Return);
        return true;
    };
}

}  // namespace

class TestTPEditorInput : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QApplication::setApplicationName(QStringLiteral("Tarvik")); }

    // Whatever moves the current row, the boxes show it, and typing edits it.
    void boxesFollowTheCurrentRow_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<int>("gesture");
        QTest::addColumn<int>("shown");
        for (const char *list : {"List1", "List2"}) {
            QTest::addRow("%s: press on 5, release on 7", list) << list << int(PressReleaseElsewhere) << 5;
            QTest::addRow("%s: right click on 6", list) << list << int(RightClick) << 6;
            QTest::addRow("%s: arrow down", list) << list << int(ArrowDown) << 2;
            QTest::addRow("%s: drag from 4 ending outside", list) << list << int(DragOutside) << 4;
        }
    }

    void boxesFollowTheCurrentRow()
    {
        QFETCH(QString, list);
        QFETCH(int, gesture);
        QFETCH(int, shown);
        TPEditorFixture f;
        QVERIFY(f.editor);
        const QByteArray name = list.toLatin1();
        const bool sats = list == QLatin1String("List1");
        QTreeView *view = f.list(name);
        const char *box = sats ? "txtSatName" : "txtFreq";
        const int column = sats ? int(SatListModel::SatName) : int(TPListModel::Freq);
        QCOMPARE(f.currentRow(name), 1);
        const QStringList before = f.column(name, column);
        QVERIFY(before.size() >= 8);

        QWidget *viewport = view->viewport();
        switch (Gesture(gesture)) {
        case PressReleaseElsewhere:
            QTest::mousePress(viewport, Qt::LeftButton, {}, f.rowPoint(name, 5));
            QTest::mouseRelease(viewport, Qt::LeftButton, {}, f.rowPoint(name, 7));
            break;
        case RightClick:
            QTest::mousePress(viewport, Qt::RightButton, {}, f.rowPoint(name, 6));
            QTest::mouseRelease(viewport, Qt::RightButton, {}, f.rowPoint(name, 6));
            QVERIFY(QApplication::activePopupWidget());  // the list's menu
            QApplication::activePopupWidget()->close();
            break;
        case ArrowDown:
            view->setFocus();
            QTest::keyClick(view, Qt::Key_Down);
            break;
        case DragOutside:
            // Here a drag ends at once, as one let go outside any window.
            QTest::mousePress(viewport, Qt::LeftButton, {}, f.rowPoint(name, 4));
            QTest::mouseMove(viewport, f.rowPoint(name, 4) + QPoint(0, 3));
            QTest::mouseMove(viewport, f.rowPoint(name, 4) + QPoint(0, 40));
            QTest::mouseRelease(viewport, Qt::LeftButton, {}, f.rowPoint(name, 4) + QPoint(0, 40));
            break;
        }
        QCOMPARE(f.currentRow(name), shown);
        QCOMPARE(f.box(box)->text(), before.at(shown - 1));

        // Typing goes into the row the box shows, and only there.
        QStringList typed = before;
        typed[shown - 1] = sats ? QStringLiteral("Typed (0100)") : QStringLiteral("1234");
        f.type(box, typed[shown - 1]);
        QCOMPARE(f.column(name, column), typed);
    }

    // Undo, a drop and a sort move the current row too; the boxes go along.
    void boxesFollowUndoAndSort()
    {
        TPEditorFixture f;
        QTreeView *view = f.list("List1");
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, f.rowPoint("List1", 3));
        f.find("cmdDel")->click();  // row 3 goes, row 3 is current
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, f.rowPoint("List1", 7));
        QTest::keyClick(view, Qt::Key_Z, Qt::ControlModifier);  // row 3 back and shown
        QCOMPARE(f.currentRow("List1"), 3);
        QCOMPARE(f.box("txtSatName")->text(), f.cell("List1", 3, SatListModel::SatName));
        f.editor->findChild<QAction *>(QStringLiteral("mmmSatName"))->trigger();
        QCOMPARE(f.box("txtSatName")->text(), f.cell("List1", f.currentRow("List1"), SatListModel::SatName));
        QCOMPARE(f.box("txtDeg")->text(), f.cell("List1", f.currentRow("List1"), SatListModel::Deg));
    }

    // A key release in txtDeg imports only when that key changed the text. With
    // no file in "Temp" an import leaves one default TP.
    void positionImportsOnlyOnEditingKeys_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<bool>("imports");
        QTest::newRow("Tab in from the name box") << "" << false;
        QTest::newRow("Home End arrows") << "+Home -Home +End -End +Left -Left +Right -Right" << false;
        QTest::newRow("Shift+Home") << "+Shift +Home -Home -Shift" << false;
        QTest::newRow("Ctrl alone") << "+Ctrl -Ctrl" << false;
        QTest::newRow("Ctrl+Z, Z let go first") << "+Ctrl +Z -Z -Ctrl" << false;
        QTest::newRow("Ctrl+Z, Ctrl let go first") << "+Ctrl +Z -Ctrl -Z" << false;
        QTest::newRow("a digit") << "+5 -5" << true;
        QTest::newRow("Backspace") << "+End -End +Backspace -Backspace" << true;
        QTest::newRow("Delete") << "+Home -Home +Delete -Delete" << true;
        QTest::newRow("Ctrl+V, Ctrl let go first") << "+Ctrl +V -Ctrl -V" << true;
        QTest::newRow("a held digit") << "+5 -5r +5r -5" << true;
    }

    void positionImportsOnlyOnEditingKeys()
    {
        QFETCH(QString, keys);
        QFETCH(bool, imports);
        TPEditorFixture f;
        TPTables &t = f.tables();
        const QString tpCount = t.SatData(0, 0).TPCount;
        QVERIFY(tpCount.toInt() > 1);
        QApplication::clipboard()->setText(QStringLiteral("19"));
        QLineEdit *name = f.box("txtSatName");
        name->setFocus();
        name->end(false);
        QTest::keyClick(name, Qt::Key_X);  // a step for Ctrl+Z to undo
        QTest::keyPress(name, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), f.box("txtDeg"));
        QTest::keyRelease(f.box("txtDeg"), Qt::Key_Tab);
        playKeys(keys);
        QCOMPARE(t.SatData(0, 0).TPCount, imports ? QStringLiteral("1") : tpCount);
        QCOMPARE(f.cell("List2", 1, TPListModel::Freq), imports ? QStringLiteral("00000") : t.TPData(0, 0, 0).Freq);
        QCOMPARE(f.cell("List1", 1, SatListModel::Deg), f.box("txtDeg")->text());
    }

    // Typing a position key by key imports after each key, and the run is one
    // step of the history although every import takes the focus away and back.
    // Typing over a part selected with the keyboard then replaces it.
    void positionTyping()
    {
        TPEditorFixture f;
        QLineEdit *deg = f.box("txtDeg");
        const int steps = f.editor->history().count();
        f.type("txtDeg", QStringLiteral("192"));
        QCOMPARE(f.cell("List1", 1, SatListModel::Deg), QStringLiteral("192"));
        QCOMPARE(f.tables().SatData(0, 0).TPCount, QStringLiteral("1"));
        QCOMPARE(QApplication::focusWidget(), deg);
        QCOMPARE(f.editor->history().count(), steps + 1);

        playKeys(QStringLiteral("+Shift +Home -Home -Shift"));
        QCOMPARE(deg->selectedText(), QStringLiteral("192"));
        playKeys(QStringLiteral("+Shift +Right -Right -Shift"));
        QCOMPARE(deg->selectedText(), QStringLiteral("92"));
        QTest::keyClick(deg, Qt::Key_5);
        QCOMPARE(f.cell("List1", 1, SatListModel::Deg), QStringLiteral("15"));
    }

    // A held Delete, Insert or paste acts once, however many repeats the keyboard sends.
    void heldKeysActOnce_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("flagged");  // the repeats carry the repeat flag
        QTest::newRow("Delete on the satellites") << "List1" << int(Qt::Key_Delete) << true;
        QTest::newRow("Delete on the TPs") << "List2" << int(Qt::Key_Delete) << true;
        QTest::newRow("Insert on the satellites") << "List1" << int(Qt::Key_Insert) << true;
        QTest::newRow("Insert on the TPs") << "List2" << int(Qt::Key_Insert) << true;
        QTest::newRow("Ctrl+V on the TPs") << "List2" << int(Qt::Key_V) << true;
        // Every key goes through the same test of a new stroke.
        QTest::newRow("Delete on the satellites, repeats unflagged") << "List1" << int(Qt::Key_Delete) << false;
    }

    void heldKeysActOnce()
    {
        QFETCH(QString, list);
        QFETCH(int, key);
        QFETCH(bool, flagged);
        TPEditorFixture f;
        QTreeView *view = f.list(list.toLatin1());
        view->setFocus();
        if (key != Qt::Key_Delete)
            QTest::keyClick(view, Qt::Key_Delete);  // room below the limit
        if (key == Qt::Key_V)
            QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
        const int rows = view->model()->rowCount();
        holdKey(view, key, key == Qt::Key_V ? Qt::ControlModifier : Qt::NoModifier, flagged);
        QCOMPARE(view->model()->rowCount(), rows + (key == Qt::Key_Delete ? -1 : 1));
    }

    // A closed choice box takes the wheel only while it has the focus.
    void wheelOverClosedChoiceBoxes_data()
    {
        QTest::addColumn<QString>("box");
        for (const char *box : {"Combo1", "cbPolar", "cbFEC"})
            QTest::newRow(box) << box;
    }

    void wheelOverClosedChoiceBoxes()
    {
        QFETCH(QString, box);
        TPEditorFixture f;
        auto *combo = f.find<QComboBox>(box.toLatin1());
        f.list("List1")->setFocus();
        const TPTables before = f.tables();
        const int item = combo->currentIndex();
        for (const int delta : {-120, 120, -120})
            turnWheel(combo, delta);
        QCOMPARE(combo->currentIndex(), item);
        QVERIFY(sameWorkingTables(f.tables(), before));
        QVERIFY(!f.editor->history().canUndo());
        QVERIFY(combo->focusPolicy() != Qt::WheelFocus);  // nor does the wheel give it the focus

        combo->setFocus();
        turnWheel(combo, item == 0 ? -120 : 120);
        QVERIFY(combo->currentIndex() != item);
    }

    // Every change of the region tab, by keys or the wheel, shows that region.
    void regionTabChangesSwitchTheList_data()
    {
        QTest::addColumn<bool>("wheel");
        QTest::newRow("Right key") << false;
        QTest::newRow("wheel down") << true;
    }

    void regionTabChangesSwitchTheList()
    {
        QFETCH(bool, wheel);
        TPEditorFixture f;
        auto *tabs = f.find<QTabBar>("tabRegion");
        tabs->setFocus();
        if (wheel)
            turnWheel(tabs, -120);
        else
            QTest::keyClick(tabs, Qt::Key_Right);
        QCOMPARE(tabs->currentIndex(), 1);
        QCOMPARE(int(f.tables().CurRegion), 1);
        QCOMPARE(f.cell("List1", 1, SatListModel::SatName), f.tables().SatData(1, 0).SatName);
        QCOMPARE(f.box("txtSatName")->text(), f.tables().SatData(1, 0).SatName);
        QCOMPARE(f.currentRow("List1"), 1);
    }

    // The satellites.xml import through the File menu's access keys, the file
    // dialog and the chooser.
    void importFillsFromTheSelectedRowAndUndoes_data()
    {
        QTest::addColumn<bool>("replace");
        QTest::addColumn<QStringList>("rows");  // rows 2 to 4 afterwards; "" = as before
        QTest::newRow("fill from row 2") << false << QStringList{"Alpha (0192)", "Gamma (0130)", ""};
        QTest::newRow("replace rows 2 and 4") << true << QStringList{"Alpha (0192)", "", "Gamma (0130)"};
    }
    void importFillsFromTheSelectedRowAndUndoes()
    {
        QFETCH(bool, replace);
        QFETCH(QStringList, rows);
        TPEditorFixture f;
        QVERIFY(f.editor);
        const QString xml = f.dir.file(QStringLiteral("satellites.xml"));
        QVERIFY(writeWholeFile(xml, kXml).ok());
        const TPTables before = f.tables();
        const QStringList old = f.column("List1", SatListModel::SatName).mid(1, 3);
        QTest::mouseClick(f.list("List1")->viewport(), Qt::LeftButton, {}, f.rowPoint("List1", 2));
        if (replace)
            QTest::mouseClick(f.list("List1")->viewport(), Qt::LeftButton, Qt::ControlModifier, f.rowPoint("List1", 4));

        QStringList reports;
        throughDialogs({modal::chooseFile(xml), choose({0, 2}, replace), modal::acknowledgeBox(&reports)},
                       [&f] { menuAccessKeys(f.editor, Qt::Key_F, Qt::Key_I); });
        QCOMPARE(reports, QStringList{"Took 2 satellites."});
        for (int i = 0; i < 3; ++i)
            QCOMPARE(f.cell("List1", i + 2, SatListModel::SatName), rows[i].isEmpty() ? old[i] : rows[i]);
        QCOMPARE(f.editor->history().count(), 1);

        QVERIFY(activate(f.editor));
        QTest::keyClick(f.editor, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(sameWorkingTables(f.tables(), before));
    }
};

QTEST_MAIN(TestTPEditorInput)
#include "tst_tp_editor_input.moc"
