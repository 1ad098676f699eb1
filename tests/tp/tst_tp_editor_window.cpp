// The TP editor's tab strip, drags, menus and messages under real input.
#include "TPEditorFixture.h"

#include "tp/ui/TPListView.h"
#include "tp/ui/frmTPFind.h"

#include <QHeaderView>
#include <QMenuBar>
#include <QMimeData>
#include <QScrollBar>
#include <QTabBar>
#include <QUndoStack>
#include <QWheelEvent>

class TestTPEditorWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QApplication::setApplicationName(QStringLiteral("Tarvik")); }

    // Every change of the region tab, by keys or the wheel, shows that region.
    void regionTabChangesSwitchTheList_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<int>("region");
        QTest::newRow("Right key") << "right" << 1;
        QTest::newRow("Right key twice") << "right right" << 2;
        QTest::newRow("wheel down") << "wheel" << 1;
    }

    void regionTabChangesSwitchTheList()
    {
        QFETCH(QString, input);
        QFETCH(int, region);
        TPEditorFixture f;
        auto *tabs = f.find<QTabBar>("tabRegion");
        tabs->setFocus();
        for (const QString &step : input.split(QLatin1Char(' '))) {
            if (step == QLatin1String("right")) {
                QTest::keyClick(tabs, Qt::Key_Right);
            } else {
                const QPoint at = tabs->rect().center();
                QWheelEvent wheel(at, tabs->mapToGlobal(at), {}, {0, -120}, Qt::NoButton, Qt::NoModifier,
                                  Qt::NoScrollPhase, false);
                QApplication::sendEvent(tabs, &wheel);
            }
        }
        QCOMPARE(tabs->currentIndex(), region);
        QCOMPARE(int(f.tables().CurRegion), region);
        QCOMPARE(f.cell("List1", 1, SatListModel::SatName), f.tables().SatData(region, 0).SatName);
        QCOMPARE(f.box("txtSatName")->text(), f.tables().SatData(region, 0).SatName);
        QCOMPARE(f.currentRow("List1"), 1);
    }

    // A name of full length fits its column, and every column starts inside the list.
    void satelliteNamesAreShownWhole()
    {
        TPEditorFixture f;
        auto *list = f.find<QTreeView>("List1");
        const QHeaderView *header = list->header();
        QVERIFY(header->sectionSize(SatListModel::SatName) >
                list->fontMetrics().horizontalAdvance(QStringLiteral("Eutelsat 12 West B 12.5W (3475)")));
        for (int c = 0; c < header->count(); ++c)
            QVERIFY2(header->sectionSize(c) >= header->sectionSizeHint(c), qPrintable(QString::number(c)));
        QVERIFY(header->sectionViewportPosition(header->count() - 1) < list->viewport()->width());
    }

    // The rows' drag carries the stated text, the lists take it, no entry box does.
    void rowDragIsNoTextForTheBoxes()
    {
        TPEditorFixture f;
        std::unique_ptr<QMimeData> rows(TPListView::rowDragData(QStringLiteral("List1")));
        QCOMPARE(rows->text(), QStringLiteral("List1"));
        f.editor->findChild<QAction *>(QStringLiteral("mmFind"))->trigger();
        QVERIFY(f.editor->findChild<frmTPFind *>());
        for (const char *name : {"txtSatName", "txtDeg", "txtDiseqc", "txtFreq", "txtSR", "txtFind_0", "txtFind_1"}) {
            QLineEdit *box = f.box(name);
            const QString text = box->text();
            const QPoint at = box->rect().center();
            QDragEnterEvent enter(at, Qt::MoveAction, rows.get(), Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(box, &enter);
            QVERIFY2(!enter.isAccepted(), name);
            QDropEvent drop(at, Qt::MoveAction, rows.get(), Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(box, &drop);
            QCOMPARE(box->text(), text);
        }
        QVERIFY(!f.editor->history().canUndo());
        QTreeView *list = f.list("List1");
        QDragEnterEvent enter(f.rowPoint("List1", 2), Qt::MoveAction, rows.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(list->viewport(), &enter);
        QVERIFY(enter.isAccepted());

        // Text dragged from elsewhere is still text for the boxes.
        QMimeData text;
        text.setText(QStringLiteral("Other (0100)"));
        QDragEnterEvent plain(QPoint(5, 5), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(f.box("txtSatName"), &plain);
        QVERIFY(plain.isAccepted());
    }

    // Hovering at the lower edge during a drag scrolls the list to its end,
    // where a drop below the last row moves the dragged rows to the end.
    void dragScrollsToTheEnd()
    {
        TPEditorFixture f;
        QTreeView *list = f.list("List1");
        QScrollBar *bar = list->verticalScrollBar();
        QCOMPARE(list->model()->rowCount(), 48);
        QVERIFY(bar->maximum() > 0);  // not every row is in view
        QCOMPARE(bar->value(), 0);
        const QString first = f.cell("List1", 1, SatListModel::SatName);
        const QString second = f.cell("List1", 2, SatListModel::SatName);
        f.editor->List1_StartDrag();  // row 1, the current one, is dragged
        std::unique_ptr<QMimeData> rows(TPListView::rowDragData(QStringLiteral("List1")));
        QWidget *viewport = list->viewport();
        const QPoint edge(viewport->width() / 2, viewport->height() - 3);
        QDragEnterEvent enter(edge, Qt::MoveAction, rows.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &enter);
        QDragMoveEvent move(edge, Qt::MoveAction, rows.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &move);
        QVERIFY(move.isAccepted());
        QTRY_COMPARE(bar->value(), bar->maximum());

        const QRect last = list->visualRect(list->model()->index(47, 1));
        QVERIFY(last.bottom() < viewport->height() - 2);  // room below the last row
        const QPoint below(viewport->width() / 2, last.bottom() + 2);
        QVERIFY(!list->indexAt(below).isValid());
        QDropEvent drop(below, Qt::MoveAction, rows.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &drop);
        QVERIFY(drop.isAccepted());
        QCOMPARE(f.cell("List1", 48, SatListModel::SatName), first);
        QCOMPARE(f.cell("List1", 1, SatListModel::SatName), second);
    }

    // The menus of the editor take no access key that a stated control has.
    void accessKeysAreUnique()
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

        // Alt+E runs "N&ext" on the TP list.
        QCOMPARE(f.currentRow("List2"), 1);
        QTest::keyClick(f.editor, Qt::Key_E, Qt::AltModifier);
        QTRY_COMPARE(f.currentRow("List2"), 2);  // the button shows its press before it clicks
    }

    // Undoing a sort puts its direction back, so the same sort does the same again.
    void undoRestoresTheSortDirection()
    {
        TPEditorFixture f;
        QTreeView *list = f.list("List1");
        auto *deg = f.editor->findChild<QAction *>(QStringLiteral("mmmDeg"));
        QStringList original;
        for (int row = 1; row <= 48; ++row)
            original << f.cell("List1", row, SatListModel::Deg);
        deg->trigger();
        QStringList sorted;
        for (int row = 1; row <= 48; ++row)
            sorted << f.cell("List1", row, SatListModel::Deg);
        QVERIFY(sorted != original);
        QVERIFY(sorted.first().toInt() >= sorted.last().toInt());
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Z, Qt::ControlModifier);
        for (int row = 1; row <= 48; ++row)
            QCOMPARE(f.cell("List1", row, SatListModel::Deg), original.at(row - 1));
        deg->trigger();  // largest first again
        for (int row = 1; row <= 48; ++row)
            QCOMPARE(f.cell("List1", row, SatListModel::Deg), sorted.at(row - 1));
        QTest::keyClick(list, Qt::Key_Z, Qt::ControlModifier);
        QTest::keyClick(list, Qt::Key_Y, Qt::ControlModifier);  // redo: the flag as after the sort
        deg->trigger();
        QVERIFY(f.cell("List1", 1, SatListModel::Deg).toInt() <= f.cell("List1", 48, SatListModel::Deg).toInt());
    }

    // The limit messages: no icon, title "ERROR", OK only.
    void limitMessages_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("text");
        QTest::newRow("satellite insert") << "cmdInsert"
                                          << "Maximum Satellite allowed is 48.";
        QTest::newRow("TP insert") << "cmdList2Insert"
                                   << "Maximum TP allowed is 109.";
    }

    void limitMessages()
    {
        QFETCH(QString, button);
        QFETCH(QString, text);
        TPEditorFixture f;
        if (button == QLatin1String("cmdList2Insert")) {
            // Fill the first satellite with 109 TPs by pasting its own.
            QTreeView *tps = f.list("List2");
            tps->setFocus();
            QTest::keyClick(tps, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(tps, Qt::Key_C, Qt::ControlModifier);
            const int copied = tps->model()->rowCount();
            while (tps->model()->rowCount() + copied <= 109)
                QTest::keyClick(tps, Qt::Key_V, Qt::ControlModifier);
            while (tps->model()->rowCount() < 109)
                f.find("cmdList2Insert")->click();
            QCOMPARE(tps->model()->rowCount(), 109);
        }
        QStringList seen;
        ModalDriver driver({[&seen](QWidget *w) {
            auto *box = qobject_cast<QMessageBox *>(w);
            if (!box)
                return false;
            seen << box->text() << box->windowTitle() << QString::number(box->icon())
                 << QString::number(box->standardButtons());
            box->button(QMessageBox::Ok)->click();
            return true;
        }});
        f.find(button.toLatin1())->click();
        QTRY_VERIFY(driver.finished());
        QCOMPARE(seen, (QStringList{text, QStringLiteral("ERROR"), QString::number(QMessageBox::NoIcon),
                                    QString::number(QMessageBox::Ok)}));
    }

    // A close that the user cancels keeps the editor but closes the find dialog.
    void cancelledCloseClosesFind()
    {
        TPEditorFixture f;
        QTest::keyClick(f.box("txtSatName"), Qt::Key_X);  // something to ask about
        f.editor->findChild<QAction *>(QStringLiteral("mmFind"))->trigger();
        auto *find = f.editor->findChild<frmTPFind *>();
        QVERIFY(find && find->isVisible());
        ModalDriver cancel({[](QWidget *w) {
            auto *box = qobject_cast<QMessageBox *>(w);
            if (box)
                box->button(QMessageBox::Cancel)->click();
            return box != nullptr;
        }});
        f.editor->close();
        QTRY_VERIFY(cancel.finished());
        QVERIFY(f.editor && f.editor->isVisible());
        QVERIFY(!find->isVisible());
    }
};

QTEST_MAIN(TestTPEditorWindow)
#include "tst_tp_editor_window.moc"
