// The TP editor driven by object name from the main window, over the real
// converters and the staged sample image.
#include "app/AppContext.h"
#include "app/ui/frmMain.h"
#include "common/WholeFile.h"
#include "support/ModalDriver.h"
#include "support/ShownWindow.h"
#include "support/TempProgramDir.h"
#include "tp/TPDataCheck.h"
#include "tp/ui/frmTPEdit.h"
#include "tp/ui/frmTPFind.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QTabBar>
#include <QTreeView>
#include <QUndoStack>
#include <QtTest>

namespace {

const QString kImage = QStringLiteral(TARVIK_TEST_DATA_DIR "/TP_Test.MDA");

struct Fixture {
    TempProgramDir dir;
    std::unique_ptr<AppContext> context;
    std::unique_ptr<frmMain> window;
    QString image = dir.file(QStringLiteral("Sat.MDA"));

    explicit Fixture(const QByteArray &combiner = {})
    {
        for (const char *program : {"TPParse", "TPCombine"}) {
            const QString name = QLatin1String(program);
            if (name == QLatin1String("TPCombine") && !combiner.isEmpty())
                dir.script(name, combiner);
            else
                QFile::copy(QStringLiteral(TARVIK_STAGE_DIR "/") + name, dir.file(name));
        }
        QFile::copy(kImage, image);
        QFile(image).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
        context = std::make_unique<AppContext>(ProgramDir(dir.path()));
        window = std::make_unique<frmMain>(*context);
        window->ApplyConfiguration();
        window->show();
    }
    ~Fixture() { discardWindows<frmTPEdit>(); }

    frmTPEdit *open()
    {
        ModalDriver driver({modal::chooseFile(image)});
        window->cmdTPEDIT_Click(1);
        [&] { QTRY_VERIFY(driver.finished()); }();
        return shownWindow<frmTPEdit>();
    }

    template <typename T = QPushButton>
    static T *find(frmTPEdit *editor, const char *name)
    {
        return editor->findChild<T *>(QLatin1String(name));
    }

    static void type(frmTPEdit *editor, const char *box, const QString &text)
    {
        auto *edit = find<QLineEdit>(editor, box);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }

    // A drag arriving over `list` and dropped at `at`, as the system delivers it.
    static void dropOn(QTreeView *list, QPoint at, QMimeData *mime)
    {
        QDragEnterEvent enter(at, Qt::MoveAction, mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(list->viewport(), &enter);
        QDragMoveEvent move(at, Qt::MoveAction, mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(list->viewport(), &move);
        QDropEvent drop(at, Qt::MoveAction, mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(list->viewport(), &drop);
        QVERIFY(drop.isAccepted());
    }

    static QString cell(frmTPEdit *editor, const char *list, int row, int column)
    {
        QAbstractItemModel *model = find<QTreeView>(editor, list)->model();
        return model->index(row, column).data().toString();
    }
};

}  // namespace

class TestTPEditor : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QApplication::setApplicationName(QStringLiteral("Tarvik")); }

    void editSaveCloseReopen()
    {
        Fixture f;
        QPointer<frmTPEdit> editor = f.open();
        QVERIFY(editor);
        QVERIFY(!f.window->findChild<QPushButton *>(QStringLiteral("cmdTPEDIT_1"))->isEnabled());
        QCOMPARE(Fixture::find<QTreeView>(editor, "List1")->model()->rowCount(), 48);
        QCOMPARE(Fixture::find<QTabBar>(editor, "tabRegion")->tabText(3), QStringLiteral("Eu"));

        Fixture::type(editor, "txtSatName", QStringLiteral("Edited (0100)"));
        Fixture::type(editor, "txtFreq", QStringLiteral("12345a6"));  // the letter and the sixth digit are refused
        QCOMPARE(Fixture::cell(editor, "List1", 0, 2), QStringLiteral("Edited (0100)"));
        QCOMPARE(Fixture::cell(editor, "List2", 0, 1), QStringLiteral("12345"));
        Fixture::type(editor, "txtSatName", QStringLiteral("|"));  // cannot be stored, so refused
        QCOMPARE(Fixture::find<QLineEdit>(editor, "txtSatName")->text(), QStringLiteral("Edited (0100)"));
        QCOMPARE(Fixture::cell(editor, "List1", 0, 2), QStringLiteral("Edited (0100)"));

        Fixture::find(editor, "cmdDataSave")->click();
        QVERIFY(f.dir.has(QStringLiteral("Sat.MDA.bak")));
        QCOMPARE(readWholeFile(f.dir.file(QStringLiteral("Sat.MDA.bak"))).value(), readWholeFile(kImage).value());

        Fixture::find(editor, "cmdCancel")->click();  // saved: no question
        QTRY_VERIFY(!editor);
        QVERIFY(f.window->findChild<QPushButton *>(QStringLiteral("cmdTPEDIT_1"))->isEnabled());
        QVERIFY(!f.dir.has(QStringLiteral("PreDefine.dll")));

        editor = f.open();
        QVERIFY(editor);
        QCOMPARE(Fixture::cell(editor, "List1", 0, 2), QStringLiteral("Edited (0100)"));
        QCOMPARE(Fixture::cell(editor, "List2", 0, 1), QStringLiteral("12345"));
        editor->close();
    }

    void cancelledSaveAsChangesNothing()
    {
        Fixture f;
        QPointer<frmTPEdit> editor = f.open();
        Fixture::type(editor, "txtSatName", QStringLiteral("Unsaved (0100)"));
        {
            ModalDriver driver({modal::cancelFileDialog()});
            editor->findChild<QAction *>(QStringLiteral("mmSaveAs"))->trigger();
            QTRY_VERIFY(driver.finished());
        }
        QCOMPARE(readWholeFile(f.image).value(), readWholeFile(kImage).value());
        // The edits still count as unsaved: closing asks, and Cancel keeps the window.
        QStringList texts;
        ModalDriver driver({[&texts](QWidget *w) {
            auto *box = qobject_cast<QMessageBox *>(w);
            if (!box)
                return false;
            texts << box->text();
            box->button(QMessageBox::Cancel)->click();
            return true;
        }});
        editor->close();
        QTRY_VERIFY(driver.finished());
        QCOMPARE(texts, QStringList{QStringLiteral("Do you want save the changes you made to 'TP Data'?")});
        QVERIFY(editor && editor->isVisible());
        QVERIFY(f.dir.has(QStringLiteral("Parse_AM.dll")));

        // No closes and drops the edits.
        ModalDriver no({[](QWidget *w) {
            auto *box = qobject_cast<QMessageBox *>(w);
            if (box)
                box->button(QMessageBox::No)->click();
            return box != nullptr;
        }});
        editor->close();
        QTRY_VERIFY(!editor);
        QVERIFY(!f.dir.has(QStringLiteral("Parse_AM.dll")));
        QCOMPARE(readWholeFile(f.image).value(), readWholeFile(kImage).value());
    }

    void failingCombinerIsShown()
    {
        Fixture f(QByteArray("echo 'disk full' >&2\nexit 1\n"));
        QPointer<frmTPEdit> editor = f.open();
        Fixture::type(editor, "txtSatName", QStringLiteral("Edited (0100)"));
        QStringList texts;
        ModalDriver driver({modal::acknowledgeBox(&texts)});
        Fixture::find(editor, "cmdDataSave")->click();
        QTRY_VERIFY(driver.finished());
        QCOMPARE(texts.size(), 1);
        QVERIFY2(texts.at(0).startsWith(QStringLiteral("TPCombine failed with exit code 1.")), qPrintable(texts.at(0)));
        QCOMPARE(readWholeFile(f.image).value(), readWholeFile(kImage).value());

        // The failed save left the edits unsaved: Yes on close tries again, fails and keeps the window.
        QStringList more;
        ModalDriver yes({[](QWidget *w) {
                             auto *box = qobject_cast<QMessageBox *>(w);
                             if (box)
                                 box->button(QMessageBox::Yes)->click();
                             return box != nullptr;
                         },
                         modal::acknowledgeBox(&more)});
        editor->close();
        QTRY_VERIFY(yes.finished());
        QVERIFY(editor && editor->isVisible());
        ModalDriver no({[](QWidget *w) {
            auto *box = qobject_cast<QMessageBox *>(w);
            if (box)
                box->button(QMessageBox::No)->click();
            return box != nullptr;
        }});
        editor->close();
        QTRY_VERIFY(!editor);
    }
    void listKeysMenusAndPasteLimit()
    {
        Fixture f;
        QPointer<frmTPEdit> editor = f.open();
        auto *list = Fixture::find<QTreeView>(editor, "List1");
        for (const char *name : {"mmmDeg", "mmmSatName", "mmFind", "mmList1Copy", "mmList1Paste", "mmList1SelectAll",
                                 "mmList1Del", "mmmSortFreq", "mmmSortPolar", "mmmSortSR", "mmList2Copy",
                                 "mmList2Paste", "mmList2SelectAll", "mmList2Del", "mmUndo", "mmRedo"})
            QVERIFY2(editor->findChild<QAction *>(QLatin1String(name)), name);
        QCOMPARE(editor->findChild<QMenu *>(QStringLiteral("mList1Menu"))->title(), QStringLiteral("Sat List Menu"));
        QCOMPARE(editor->findChild<QMenu *>(QStringLiteral("mList2Menu"))->title(), QStringLiteral("TP List Menu"));
        QCOMPARE(editor->findChild<QAction *>(QStringLiteral("mmUndo"))->text(), QStringLiteral("&Undo"));

        list->setFocus();
        QTest::keyClick(list, Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);  // Ctrl alone only
        QCOMPARE(list->selectionModel()->selectedRows().size(), 1);
        QTest::keyClick(list, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(list->selectionModel()->selectedRows().size(), 48);
        QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);
        const QString third = Fixture::cell(editor, "List1", 2, 2), fourth = Fixture::cell(editor, "List1", 3, 2);
        QStringList texts;
        {
            ModalDriver driver({modal::acknowledgeBox(&texts)});
            QTest::keyClick(list, Qt::Key_V, Qt::ControlModifier);
            QTRY_VERIFY(driver.finished());
        }
        QCOMPARE(texts, QStringList{QStringLiteral("Maximum Satellite allowed is 48.")});
        QCOMPARE(list->model()->rowCount(), 48);
        QVERIFY(!editor->history().canUndo());

        // Delete two, paste one of the copies: the list takes it at the selected row.
        list->clearSelection();
        editor->List1Select(3);
        editor->List1Select(4);
        QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);
        editor->findChild<QAction *>(QStringLiteral("mmList1Del"))->trigger();
        QCOMPARE(list->model()->rowCount(), 46);
        list->clearSelection();
        editor->List1Select(1);
        editor->findChild<QAction *>(QStringLiteral("mmList1Paste"))->trigger();
        QCOMPARE(list->model()->rowCount(), 48);
        QCOMPARE(Fixture::cell(editor, "List1", 0, 2), third);
        QCOMPARE(Fixture::cell(editor, "List1", 1, 2), fourth);
        QCOMPARE(editor->history().count(), 2);

        // Delete on a key release runs the delete button; Insert the insert button.
        list->clearSelection();
        editor->List1Select(5);
        QTest::keyClick(list, Qt::Key_Delete);
        QCOMPARE(list->model()->rowCount(), 47);
        QTest::keyClick(list, Qt::Key_Insert);
        QCOMPARE(list->model()->rowCount(), 48);
        QCOMPARE(Fixture::cell(editor, "List1", 4, 1), QStringLiteral("0000"));

        // A header click sorts by Deg, largest first.
        Q_EMIT list->header()->sectionClicked(1);
        QVERIFY(Fixture::cell(editor, "List1", 0, 1).toInt() >= Fixture::cell(editor, "List1", 1, 1).toInt());
        ModalDriver no({[](QWidget *w) {
            auto *box = qobject_cast<QMessageBox *>(w);
            if (box)
                box->button(QMessageBox::No)->click();
            return box != nullptr;
        }});
        editor->close();
        QTRY_VERIFY(!editor);
    }

    void undoTypingRunsAndClean()
    {
        Fixture f;
        QPointer<frmTPEdit> editor = f.open();
        TPTables &tables = *f.context->tpTables;
        const SatTable sats = tables.SatData;
        const TPTable tps = tables.TPData;
        Fixture::type(editor, "txtSatName", QStringLiteral("Typed (0100)"));
        Fixture::type(editor, "txtFreq", QStringLiteral("123"));
        QCOMPARE(editor->history().count(), 2);  // one step per run
        {
            // Typed back to where it began, a run leaves no step.
            auto *sr = Fixture::find<QLineEdit>(editor, "txtSR");
            sr->setFocus();
            sr->end(false);
            const QString last = sr->text().right(1);
            QVERIFY(!last.isEmpty());
            QTest::keyClick(sr, Qt::Key_Backspace);
            QTest::keyClicks(sr, last);
            QCOMPARE(editor->history().count(), 2);
        }
        auto *undo = editor->findChild<QAction *>(QStringLiteral("mmUndo"));
        auto *redo = editor->findChild<QAction *>(QStringLiteral("mmRedo"));
        // Ctrl+Z in a box is the editor's undo, not the box's.
        QTest::keyClick(Fixture::find<QLineEdit>(editor, "txtFreq"), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(Fixture::cell(editor, "List2", 0, 1), tps(0, 0, 0).Freq);
        QCOMPARE(Fixture::find<QLineEdit>(editor, "txtFreq")->text(), tps(0, 0, 0).Freq);
        undo->trigger();
        QVERIFY(tables.SatData == sats);
        QVERIFY(tables.TPData == tps);
        QVERIFY(TPDataUnchanged(tables));
        QTest::keyClick(Fixture::find<QTreeView>(editor, "List1"), Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(Fixture::cell(editor, "List1", 0, 2), QStringLiteral("Typed (0100)"));
        redo->trigger();
        QCOMPARE(Fixture::cell(editor, "List2", 0, 1), QStringLiteral("123"));

        // A save keeps the history; undoing to the saved state is clean again.
        Fixture::find(editor, "cmdDataSave")->click();
        QVERIFY(TPDataUnchanged(tables));
        QVERIFY(undo->isEnabled());
        undo->trigger();
        QVERIFY(!TPDataUnchanged(tables));
        redo->trigger();
        QVERIFY(TPDataUnchanged(tables));
        Fixture::type(editor, "txtSR", QStringLiteral("1"));
        QVERIFY(!TPDataUnchanged(tables));
        undo->trigger();
        QVERIFY(TPDataUnchanged(tables));

        // V in the polarisation box chooses "V" and stores "1", as a click would; a step of its own.
        const int steps = editor->history().index();
        auto *polar = Fixture::find<QComboBox>(editor, "cbPolar");
        polar->setFocus();
        QTest::keyClick(polar, Qt::Key_H);
        QTest::keyClick(polar, Qt::Key_V);
        QCOMPARE(Fixture::cell(editor, "List2", 0, 2), QStringLiteral("V"));
        QCOMPARE(tables.TPData(0, 0, 0).Polar, QStringLiteral("1"));
        QTest::keyClick(Fixture::find<QComboBox>(editor, "cbFEC"), Qt::Key_A);  // typing ignored
        QCOMPARE(editor->history().index(), steps + (tps(0, 0, 0).Polar == QLatin1String("0") ? 1 : 2));
        while (!TPDataUnchanged(tables) && undo->isEnabled())
            undo->trigger();

        // Moves and a sort of the TPs are steps too.
        const TPTable beforeMoves = tables.TPData;
        Fixture::find(editor, "cmdList2Down")->click();
        editor->findChild<QAction *>(QStringLiteral("mmmSortFreq"))->trigger();
        while (editor->history().canUndo() && !(tables.TPData == beforeMoves))
            undo->trigger();
        QVERIFY(tables.TPData == beforeMoves);
        Fixture::find(editor, "cmdCancel")->click();  // back at the saved state: no question
        QTRY_VERIFY(!editor);
    }

    void fileOpenClearsTheHistory()
    {
        Fixture f;
        QPointer<frmTPEdit> editor = f.open();
        Fixture::type(editor, "txtSatName", QStringLiteral("Dropped (0100)"));
        QVERIFY(editor->history().canUndo());
        ModalDriver driver({[](QWidget *w) {
                                auto *box = qobject_cast<QMessageBox *>(w);
                                if (box)
                                    box->button(QMessageBox::No)->click();
                                return box != nullptr;
                            },
                            modal::chooseFile(f.image)});
        Fixture::find(editor, "cmdDataFileLoad")->click();
        QTRY_VERIFY(driver.finished());
        QVERIFY(!editor->history().canUndo());
        QVERIFY(editor->history().count() == 0);
        QVERIFY(TPDataUnchanged(*f.context->tpTables));
        editor->close();
        QTRY_VERIFY(!editor);
    }

    void dragAndDropMovesRows()
    {
        Fixture f;
        QPointer<frmTPEdit> editor = f.open();
        auto *list = Fixture::find<QTreeView>(editor, "List1");
        QStringList names;
        for (int row = 0; row < 6; ++row)
            names << Fixture::cell(editor, "List1", row, 2);
        list->clearSelection();
        editor->List1Select(1);
        editor->List1Select(2);
        editor->List1_StartDrag();
        QMimeData mime;
        mime.setText(QStringLiteral("List1"));
        const QPoint onRow5 = list->visualRect(list->model()->index(4, 1)).center();
        Fixture::dropOn(list, onRow5, &mime);
        QCOMPARE(Fixture::cell(editor, "List1", 2, 2), names[0]);
        QCOMPARE(Fixture::cell(editor, "List1", 3, 2), names[1]);
        QCOMPARE(Fixture::cell(editor, "List1", 0, 2), names[2]);
        QCOMPARE(list->selectionModel()->selectedRows().size(), 2);
        editor->findChild<QAction *>(QStringLiteral("mmUndo"))->trigger();
        for (int row = 0; row < 6; ++row)
            QCOMPARE(Fixture::cell(editor, "List1", row, 2), names[row]);

        // Data from the other list empties this list's other clipboard and moves nothing.
        mime.setText(QStringLiteral("List2"));
        Fixture::dropOn(list, onRow5, &mime);
        QCOMPARE(Fixture::cell(editor, "List1", 0, 2), names[0]);
        QVERIFY(TPDataUnchanged(*f.context->tpTables));
        editor->close();
        QTRY_VERIFY(!editor);
    }

    void findDialog()
    {
        Fixture f;
        QPointer<frmTPEdit> editor = f.open();
        TPTables &tables = *f.context->tpTables;
        editor->findChild<QAction *>(QStringLiteral("mmFind"))->trigger();
        auto *find = editor->findChild<frmTPFind *>();
        QVERIFY(find && find->isVisible());
        QCOMPARE(find->windowTitle(), QStringLiteral("Satellite Find"));
        QVERIFY(find->windowFlags() & Qt::WindowStaysOnTopHint);
        const QString name = tables.SatData(0, 1).SatName;
        QVERIFY(name.size() > 3);
        auto *box = find->findChild<QLineEdit *>(QStringLiteral("txtFind_0"));
        box->setText(name.mid(1, 3).toLower());
        find->findChild<QPushButton *>(QStringLiteral("cmdFindOk"))->click();
        QCOMPARE(Fixture::find<QTreeView>(editor, "List1")->currentIndex().row(), 1);
        QCOMPARE(Fixture::find<QLineEdit>(editor, "txtSatName")->selectedText().toLower(), name.mid(1, 3).toLower());

        QStringList texts, titles;
        box->setText(QStringLiteral("no such satellite"));
        ModalDriver driver({[&](QWidget *w) {
            auto *message = qobject_cast<QMessageBox *>(w);
            if (!message)
                return false;
            texts << message->text();
            titles << message->windowTitle();
            QMetaObject::invokeMethod(message, "accept", Qt::QueuedConnection);
            return true;
        }});
        find->cmdFindOk_Click();
        QTRY_VERIFY(driver.finished());
        QCOMPARE(texts, QStringList{QStringLiteral("Not Found!")});
        QCOMPARE(titles, QStringList{QStringLiteral("Find")});
        find->findChild<QPushButton *>(QStringLiteral("cmdFindCancel"))->click();
        QVERIFY(!find->isVisible());
        editor->close();
        QTRY_VERIFY(!editor);
    }
};

QTEST_MAIN(TestTPEditor)
#include "tst_tp_editor.moc"
