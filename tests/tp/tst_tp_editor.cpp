// The TP editor opened from the main window: files, history, menus, drags,
// find and messages.
#include "TPEditorFixture.h"
#include "support/TestFiles.h"
#include "tp/TPDataCheck.h"
#include "tp/ui/TPListView.h"
#include "tp/ui/frmTPFind.h"

#include <QHeaderView>
#include <QMenuBar>
#include <QMimeData>
#include <QScrollBar>
#include <QUndoStack>

namespace {

// A drag of `mime` entering `target` and moving to `at`, then dropped there
// when `drop`; true when the last event was accepted.
bool dragTo(QWidget *target, QPoint at, const QMimeData *mime, bool drop = true)
{
    QDragEnterEvent enter(at, Qt::MoveAction, mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDragMoveEvent move(at, Qt::MoveAction, mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &move);
    if (!drop)
        return move.isAccepted();
    QDropEvent dropped(at, Qt::MoveAction, mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &dropped);
    return dropped.isAccepted();
}

}  // namespace

class TestTPEditor : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QApplication::setApplicationName(QStringLiteral("Tarvik")); }

    void editSaveCloseReopen()
    {
        TPEditorFixture f;
        QVERIFY(f.editor);
        auto *command = f.window->findChild<QPushButton *>(QStringLiteral("cmdTPEDIT_1"));
        QVERIFY(!command->isEnabled());
        f.type("txtSatName", QStringLiteral("Edited (0100)"));
        f.type("txtFreq", QStringLiteral("12345a6"));  // the letter and the sixth digit are refused
        f.type("txtSatName", QStringLiteral("|"));     // cannot be stored, so refused
        QCOMPARE(f.box("txtSatName")->text(), QStringLiteral("Edited (0100)"));
        QCOMPARE(f.cell("List1", 1, SatListModel::SatName), QStringLiteral("Edited (0100)"));
        QCOMPARE(f.cell("List2", 1, TPListModel::Freq), QStringLiteral("12345"));

        f.find("cmdDataSave")->click();
        QCOMPARE(contents(f.dir.file(QStringLiteral("Sat.MDA.bak"))), contents(TPEditorFixture::original));
        f.find("cmdCancel")->click();  // saved: no question
        QTRY_VERIFY(!f.editor);
        QVERIFY(command->isEnabled());
        QVERIFY(!f.dir.has(QStringLiteral("PreDefine.dll")));

        f.open();
        QVERIFY(f.editor);
        QCOMPARE(f.cell("List1", 1, SatListModel::SatName), QStringLiteral("Edited (0100)"));
        QCOMPARE(f.cell("List2", 1, TPListModel::Freq), QStringLiteral("12345"));

        // Opening the file again over an edit, its loss agreed to, starts a new history.
        f.type("txtSatName", QStringLiteral("Dropped (0100)"));
        throughDialogs({modal::answerBox(QMessageBox::No), modal::chooseFile(f.image)},
                       [&f] { f.find("cmdDataFileLoad")->click(); });
        QCOMPARE(f.editor->history().count(), 0);
        QVERIFY(TPDataUnchanged(f.tables()));
    }

    void cancelledSaveAsChangesNothing()
    {
        TPEditorFixture f;
        f.type("txtSatName", QStringLiteral("Unsaved (0100)"));
        throughDialogs({modal::cancelFileDialog()}, [&f] { f.action("mmSaveAs")->trigger(); });
        const QByteArray original = contents(TPEditorFixture::original);
        QCOMPARE(contents(f.image), original);
        // The edits still count as unsaved: closing asks, and Cancel keeps the window.
        QStringList texts;
        f.close(QMessageBox::Cancel, &texts);
        QCOMPARE(texts, QStringList{QStringLiteral("Do you want save the changes you made to 'TP Data'?")});
        QVERIFY(f.editor && f.editor->isVisible());
        QVERIFY(f.dir.has(QStringLiteral("Parse_AM.dll")));
        f.close(QMessageBox::No);
        QVERIFY(!f.dir.has(QStringLiteral("Parse_AM.dll")));
        QCOMPARE(contents(f.image), original);
    }

    void failingCombinerIsShown()
    {
        TPEditorFixture f(QByteArray("echo 'disk full' >&2\nexit 1\n"));
        f.type("txtSatName", QStringLiteral("Edited (0100)"));
        QStringList texts;
        throughDialogs({modal::acknowledgeBox(&texts)}, [&f] { f.find("cmdDataSave")->click(); });
        QCOMPARE(texts.size(), 1);
        QVERIFY2(texts.at(0).startsWith(QStringLiteral("TPCombine failed with exit code 1.")), qPrintable(texts.at(0)));
        QCOMPARE(contents(f.image), contents(TPEditorFixture::original));

        // The failed save left the edits unsaved: Yes on close tries again, fails and keeps the window.
        throughDialogs({modal::answerBox(QMessageBox::Yes), modal::acknowledgeBox(&texts)},
                       [&f] { f.editor->close(); });
        QCOMPARE(texts.size(), 2);
        QVERIFY(f.editor && f.editor->isVisible());
    }

    void listShortcutsAndPasteLimit()
    {
        TPEditorFixture f;
        QTreeView *list = f.list("List1");
        list->setFocus();
        QTest::keyClick(list, Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);  // Ctrl alone only
        QCOMPARE(list->selectionModel()->selectedRows().size(), 1);
        QTest::keyClick(list, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(list->selectionModel()->selectedRows().size(), 48);
        QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);
        QStringList texts;
        throughDialogs({modal::acknowledgeBox(&texts)},
                       [list] { QTest::keyClick(list, Qt::Key_V, Qt::ControlModifier); });
        QCOMPARE(texts, QStringList{QStringLiteral("Maximum Satellite allowed is 48.")});
        QCOMPARE(list->model()->rowCount(), 48);
        QVERIFY(!f.editor->history().canUndo());

        // The menu's Delete and Paste act on the rows marked with the mouse.
        const QStringList names = f.column("List1", SatListModel::SatName);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, f.rowPoint("List1", 3));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ShiftModifier, f.rowPoint("List1", 4));
        QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);
        f.action("mmList1Del")->trigger();
        QCOMPARE(list->model()->rowCount(), 46);
        list->scrollToTop();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, f.rowPoint("List1", 1));
        f.action("mmList1Paste")->trigger();
        QCOMPARE(f.column("List1", SatListModel::SatName).first(3), (QStringList{names[2], names[3], names[0]}));
        QCOMPARE(f.editor->history().count(), 2);
    }

    void undoTypingRunsAndClean()
    {
        TPEditorFixture f;
        TPTables &tables = f.tables();
        const TPTable tps = tables.TPData;
        f.type("txtSatName", QStringLiteral("Typed (0100)"));
        f.type("txtFreq", QStringLiteral("123"));
        QCOMPARE(f.editor->history().count(), 2);  // one step per run
        {
            // Typed back to where it began, a run leaves no step.
            QLineEdit *sr = f.box("txtSR");
            sr->setFocus();
            sr->end(false);
            const QString last = sr->text().right(1);
            QVERIFY(!last.isEmpty());
            QTest::keyClick(sr, Qt::Key_Backspace);
            QTest::keyClicks(sr, last);
            QCOMPARE(f.editor->history().count(), 2);
        }
        // Ctrl+Z in a box is the editor's undo, not the box's.
        QTest::keyClick(f.box("txtFreq"), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(f.cell("List2", 1, TPListModel::Freq), tps(0, 0, 0).Freq);
        QCOMPARE(f.box("txtFreq")->text(), tps(0, 0, 0).Freq);
        QTreeView *list = f.list("List1");
        QTest::keyClick(list, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(TPDataUnchanged(tables));
        QTest::keyClick(list, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(f.cell("List1", 1, SatListModel::SatName), QStringLiteral("Typed (0100)"));
        QAction *undo = f.action("mmUndo");
        QAction *redo = f.action("mmRedo");
        redo->trigger();
        QCOMPARE(f.cell("List2", 1, TPListModel::Freq), QStringLiteral("123"));

        // A save keeps the history; undoing to the saved state is clean again.
        f.find("cmdDataSave")->click();
        QVERIFY(TPDataUnchanged(tables));
        undo->trigger();
        QVERIFY(!TPDataUnchanged(tables));
        redo->trigger();
        QVERIFY(TPDataUnchanged(tables));
        f.type("txtSR", QStringLiteral("1"));
        undo->trigger();
        QVERIFY(TPDataUnchanged(tables));

        // V in the polarisation box chooses "V" and stores "1", as a click would; a step of its own.
        const int steps = f.editor->history().index();
        auto *polar = f.find<QComboBox>("cbPolar");
        polar->setFocus();
        QTest::keyClick(polar, Qt::Key_H);
        QTest::keyClick(polar, Qt::Key_V);
        QCOMPARE(f.cell("List2", 1, TPListModel::Polar), QStringLiteral("V"));
        QCOMPARE(tables.TPData(0, 0, 0).Polar, QStringLiteral("1"));
        QTest::keyClick(f.find<QComboBox>("cbFEC"), Qt::Key_A);  // typing ignored
        QCOMPARE(f.editor->history().index(), steps + (tps(0, 0, 0).Polar == QLatin1String("0") ? 1 : 2));
        while (!TPDataUnchanged(tables) && undo->isEnabled())
            undo->trigger();

        // Moves and a sort of the TPs are steps too.
        const TPTable saved = tables.TPData;
        f.find("cmdList2Down")->click();
        f.action("mmmSortFreq")->trigger();
        while (undo->isEnabled() && !(tables.TPData == saved))
            undo->trigger();
        QVERIFY(tables.TPData == saved);
        f.find("cmdCancel")->click();  // back at the saved state: no question
        QTRY_VERIFY(!f.editor);
    }

    // A header click sorts; undoing a sort puts its direction back, so the same click does the same again.
    void headerSortAndUndoOfItsDirection()
    {
        TPEditorFixture f;
        QTreeView *list = f.list("List1");
        const auto clickDeg = [list] {
            QHeaderView *header = list->header();
            const int x =
                header->sectionViewportPosition(SatListModel::Deg) + header->sectionSize(SatListModel::Deg) / 2;
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() / 2));
        };
        const QStringList original = f.column("List1", SatListModel::Deg);
        clickDeg();
        const QStringList sorted = f.column("List1", SatListModel::Deg);
        QVERIFY(sorted != original);
        QVERIFY(sorted.first().toInt() >= sorted.last().toInt());  // largest first
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(f.column("List1", SatListModel::Deg), original);
        clickDeg();
        QCOMPARE(f.column("List1", SatListModel::Deg), sorted);
        QTest::keyClick(list, Qt::Key_Z, Qt::ControlModifier);
        QTest::keyClick(list, Qt::Key_Y, Qt::ControlModifier);  // redo: the direction as after the sort
        clickDeg();
        QVERIFY(f.cell("List1", 1, SatListModel::Deg).toInt() <= f.cell("List1", 48, SatListModel::Deg).toInt());
    }

    // Rows dropped on a row move there as one step; hovering at the lower edge
    // scrolls to the end, where a drop below the last row moves them to the end.
    void dragAndDropMovesRows()
    {
        TPEditorFixture f;
        QTreeView *list = f.list("List1");
        QWidget *viewport = list->viewport();
        const QStringList names = f.column("List1", SatListModel::SatName);
        QTest::mouseClick(viewport, Qt::LeftButton, {}, f.rowPoint("List1", 1));
        QTest::mouseClick(viewport, Qt::LeftButton, Qt::ShiftModifier, f.rowPoint("List1", 2));
        f.editor->List1_StartDrag();
        std::unique_ptr<QMimeData> rows(TPListView::rowDragData(QStringLiteral("List1")));
        QVERIFY(dragTo(viewport, f.rowPoint("List1", 5), rows.get()));
        QCOMPARE(f.column("List1", SatListModel::SatName).first(4),
                 (QStringList{names[2], names[3], names[0], names[1]}));
        QCOMPARE(list->selectionModel()->selectedRows().size(), 2);
        QTest::keyClick(list, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(f.column("List1", SatListModel::SatName), names);

        // Rows of the other list move nothing here.
        std::unique_ptr<QMimeData> tps(TPListView::rowDragData(QStringLiteral("List2")));
        QVERIFY(dragTo(viewport, f.rowPoint("List1", 5), tps.get()));
        QVERIFY(TPDataUnchanged(f.tables()));

        QScrollBar *bar = list->verticalScrollBar();
        list->scrollToTop();
        QVERIFY(bar->maximum() > 0);  // not every row is in view
        QTest::mouseClick(viewport, Qt::LeftButton, {}, f.rowPoint("List1", 1));
        f.editor->List1_StartDrag();
        QVERIFY(dragTo(viewport, QPoint(viewport->width() / 2, viewport->height() - 3), rows.get(), false));
        QTRY_COMPARE(bar->value(), bar->maximum());
        const QRect last = list->visualRect(list->model()->index(47, 1));
        QVERIFY(last.bottom() < viewport->height() - 2);  // room below the last row
        const QPoint below(viewport->width() / 2, last.bottom() + 2);
        QVERIFY(!list->indexAt(below).isValid());
        QVERIFY(dragTo(viewport, below, rows.get()));
        QCOMPARE(f.cell("List1", 48, SatListModel::SatName), names[0]);
        QCOMPARE(f.cell("List1", 1, SatListModel::SatName), names[1]);
    }

    // The rows' drag is no text for the entry boxes; the lists take it, and
    // text dragged from elsewhere is still text for the boxes.
    void rowDragIsNoTextForTheBoxes()
    {
        TPEditorFixture f;
        std::unique_ptr<QMimeData> rows(TPListView::rowDragData(QStringLiteral("List1")));
        QCOMPARE(rows->text(), QStringLiteral("List1"));
        f.action("mmFind")->trigger();
        QVERIFY(f.editor->findChild<frmTPFind *>());
        for (const char *name : {"txtSatName", "txtDeg", "txtDiseqc", "txtFreq", "txtSR", "txtFind_0", "txtFind_1"}) {
            QLineEdit *box = f.box(name);
            const QString text = box->text();
            QDragEnterEvent enter(box->rect().center(), Qt::MoveAction, rows.get(), Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(box, &enter);
            QVERIFY2(!enter.isAccepted(), name);
            dragTo(box, box->rect().center(), rows.get());
            QCOMPARE(box->text(), text);
        }
        QVERIFY(!f.editor->history().canUndo());
        QVERIFY(dragTo(f.list("List1")->viewport(), f.rowPoint("List1", 2), rows.get(), false));

        QMimeData text;
        text.setText(QStringLiteral("Other (0100)"));
        QDragEnterEvent plain(QPoint(5, 5), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(f.box("txtSatName"), &plain);
        QVERIFY(plain.isAccepted());
    }

    // Find shows the satellite found with the matched text selected; a close of
    // the editor closes the dialog, even one the user cancels.
    void findDialog()
    {
        TPEditorFixture f;
        f.action("mmFind")->trigger();
        auto *find = f.editor->findChild<frmTPFind *>();
        QVERIFY(find && find->isVisible());
        QVERIFY(find->windowFlags() & Qt::WindowStaysOnTopHint);
        const QString part = f.tables().SatData(0, 1).SatName.mid(1, 3);
        QVERIFY(part.size() == 3);
        auto *box = find->findChild<QLineEdit *>(QStringLiteral("txtFind_0"));
        box->setFocus();
        QTest::keyClicks(box, part.toLower());
        auto *ok = find->findChild<QPushButton *>(QStringLiteral("cmdFindOk"));
        QTest::mouseClick(ok, Qt::LeftButton);
        QCOMPARE(f.currentRow("List1"), 2);
        QCOMPARE(f.box("txtSatName")->selectedText(), part);

        QStringList texts;
        box->setText(QStringLiteral("no such satellite"));
        throughDialogs({modal::acknowledgeBox(&texts)}, [ok] { ok->click(); });
        QCOMPARE(texts, QStringList{QStringLiteral("Not Found!")});
        find->findChild<QPushButton *>(QStringLiteral("cmdFindCancel"))->click();
        QVERIFY(!find->isVisible());

        f.action("mmFind")->trigger();
        QVERIFY(find->isVisible());
        QTest::keyClick(f.box("txtSatName"), Qt::Key_X);  // something to ask about
        f.close(QMessageBox::Cancel);
        QVERIFY(f.editor && f.editor->isVisible());
        QVERIFY(!find->isVisible());
    }

    // The menus take no access key that a button has; Alt+E runs "N&ext" on the TP list.
    void accessKeysAndColumnWidths()
    {
        TPEditorFixture f;
        QHash<QChar, QString> owners;
        const auto take = [&owners](const QString &caption) {
            const qsizetype amp = caption.indexOf(QLatin1Char('&'));
            if (amp < 0 || amp + 1 >= caption.size())
                return;
            const QChar key = caption.at(amp + 1).toUpper();
            QVERIFY2(!owners.contains(key), qPrintable(caption + QStringLiteral(" and ") + owners.value(key)));
            owners.insert(key, caption);
        };
        for (QPushButton *button : f.editor->findChildren<QPushButton *>())
            take(button->text());
        for (QAction *menu : f.editor->menuBar()->actions())
            take(menu->text());
        QCOMPARE(owners.value(QLatin1Char('E')), QStringLiteral("N&ext"));
        QCOMPARE(f.currentRow("List2"), 1);
        QTest::keyClick(f.editor, Qt::Key_E, Qt::AltModifier);
        QTRY_COMPARE(f.currentRow("List2"), 2);  // the button shows its press before it clicks

        // A name of full length fits its column, and every column starts inside the list.
        QTreeView *list = f.list("List1");
        const QHeaderView *header = list->header();
        QVERIFY(header->sectionSize(SatListModel::SatName) >
                list->fontMetrics().horizontalAdvance(QStringLiteral("Eutelsat 12 West B 12.5W (3475)")));
        for (int c = 0; c < header->count(); ++c)
            QVERIFY2(header->sectionSize(c) >= header->sectionSizeHint(c), qPrintable(QString::number(c)));
        QVERIFY(header->sectionViewportPosition(header->count() - 1) < list->viewport()->width());
    }

    // The limit messages of both lists: no icon, title "ERROR", OK only.
    void limitMessages()
    {
        TPEditorFixture f;
        QStringList seen;
        const auto press = [&f, &seen](const char *button) {
            ModalDriver driver({[&seen](QWidget *w) {
                auto *box = qobject_cast<QMessageBox *>(w);
                if (!box)
                    return false;
                seen << box->text() << box->windowTitle() << QString::number(box->icon())
                     << QString::number(box->standardButtons());
                QMetaObject::invokeMethod(box, "accept", Qt::QueuedConnection);
                return true;
            }});
            f.find(button)->click();
            QTRY_VERIFY(driver.finished());
        };
        press("cmdInsert");
        while (f.list("List2")->model()->rowCount() < 109)
            f.find("cmdList2Insert")->click();
        press("cmdList2Insert");
        const QStringList look{QStringLiteral("ERROR"), QString::number(QMessageBox::NoIcon),
                               QString::number(QMessageBox::Ok)};
        QCOMPARE(seen, QStringList{QStringLiteral("Maximum Satellite allowed is 48.")} + look +
                           QStringList{QStringLiteral("Maximum TP allowed is 109.")} + look);
    }
};

QTEST_MAIN(TestTPEditor)
#include "tst_tp_editor.moc"
