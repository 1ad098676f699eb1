// The channel editor's sorts, find dialog and undo history through the real
// window, the real converters and the real model.
#include "EditorFixture.h"
#include "support/ModalDriver.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTabBar>
#include <QTreeView>
#include <QUndoStack>
#include <QtTest>

namespace {

const QStringList kNames{QStringLiteral("d"), QStringLiteral("B"), QStringLiteral("a"), QStringLiteral("C")};

}  // namespace

class TestChannelEditorCommands : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QApplication::setApplicationName(QStringLiteral("Tarvik")); }
    void sortMenusAndHeaderClicks();
    void typingIsOneStepAndKeysUndoIt();
    void undoShowsTheTypeAndRedoGoesForward();
    void saveThenUndoToTheSavedState();
    void fileOpenClearsTheHistory();
    void dropPastFiftyFavoritesIsRefused();
    void findDialog();
};

void TestChannelEditorCommands::sortMenusAndHeaderClicks()
{
    Editor e(kNames);
    QVERIFY(e.model.DataLoaded());
    QVERIFY(!e.child<QAction>("mmList1SortTPFreq")->isVisible());
    QVERIFY(!e.child<QAction>("mmList3SortTPFreq")->isVisible());
    const ChannelTables before = e.model.tables();
    e.trigger("mmList3SortAZ");
    e.trigger("mmList3SortZA");
    QVERIFY(e.model.tables() == before);
    QVERIFY(e.window->undoStack()->count() == 0);

    e.clickHeader(1);
    QCOMPARE(e.rows(), QStringList({"a", "B", "C", "d"}));
    e.clickHeader(1);
    QCOMPARE(e.rows(), QStringList({"d", "C", "B", "a"}));
    e.trigger("mmList1SortAZ");
    QCOMPARE(e.rows(), QStringList({"a", "B", "C", "d"}));
    e.trigger("mmList1SortZA");
    QCOMPARE(e.rows(), QStringList({"d", "C", "B", "a"}));
    // Sample channels 0 and 3 are locked: "d" and "C".
    e.clickHeader(2);
    QCOMPARE(e.rows(), QStringList({"d", "C", "B", "a"}));
    e.trigger("mmList1SortLock");
    QCOMPARE(e.rows(), QStringList({"B", "a", "d", "C"}));
    QCOMPARE(e.child<QLineEdit>("txtChannelName")->text(), QStringLiteral("B"));
    e.clickHeader(0);  // "No." sorts nothing
    QCOMPARE(e.rows(), QStringList({"B", "a", "d", "C"}));

    e.model.setDataLoaded(false);
    e.clickHeader(1);
    QCOMPARE(e.rows(), QStringList({"B", "a", "d", "C"}));
}

void TestChannelEditorCommands::typingIsOneStepAndKeysUndoIt()
{
    Editor e(kNames);
    const ChannelTables earlier = e.model.tables();
    auto *name = e.child<QLineEdit>("txtChannelName");
    e.selectRow(1);
    name->setFocus();
    QTest::keyClicks(name, QStringLiteral("XY"));
    const ChannelTables typed = e.model.tables();
    QCOMPARE(e.model.tables().Rom[1].Name, QStringLiteral("BXY"));
    QCOMPARE(e.window->undoStack()->count(), 1);
    e.selectRow(2);  // another channel: another step
    QTest::keyClicks(name, QStringLiteral("Z"));
    QCOMPARE(e.window->undoStack()->count(), 2);

    name->setFocus();
    QTest::keyClick(name, Qt::Key_Z, Qt::ControlModifier);  // the editor's undo, not the box's
    QVERIFY(e.model.tables() == typed);
    QTest::keyClick(name, Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(e.model.tables() == earlier);
    QCOMPARE(e.rows(), kNames);
    QCOMPARE(name->text(), QStringLiteral("a"));  // the selected row shows the restored name
    QVERIFY(!e.child<QAction>("mmUndo")->isEnabled());
    e.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(e.window.get()));
    e.list()->setFocus();
    QTest::keyClick(e.list(), Qt::Key_Y, Qt::ControlModifier);
    QVERIFY(e.model.tables() == typed);
    QCOMPARE(e.rows(), QStringList({"d", "BXY", "a", "C"}));
    QVERIFY(e.child<QAction>("mmRedo")->isEnabled());
    name->setFocus();
    QTest::keyClick(name, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(name, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);  // redo, as in the TP editor
    QVERIFY(e.model.tables() == typed);
}

void TestChannelEditorCommands::undoShowsTheTypeAndRedoGoesForward()
{
    Editor e(kNames);
    const ChannelTables earlier = e.model.tables();
    e.child<QTabBar>("tabChannelType")->setCurrentIndex(ChannelRadio);
    e.window->tabChannelType_Click();
    e.window->sortCommand(frmCHEdit::Sort::ZToA);
    const QStringList radioSorted = e.rows();
    const ChannelTables later = e.model.tables();
    QVERIFY(later != earlier);
    e.window->selectTypeTab(ChannelTV);
    e.trigger("mmUndo");
    QVERIFY(e.model.tables() == earlier);
    QCOMPARE(e.child<QTabBar>("tabChannelType")->currentIndex(), int(ChannelRadio));
    QCOMPARE(e.window->editing().CurrentType(), int(ChannelRadio));
    QCOMPARE(e.rows(), QStringList({"CH 4", "CH 5", "CH 6"}));
    QCOMPARE(radioSorted, QStringList({"CH 6", "CH 5", "CH 4"}));
    e.trigger("mmRedo");
    QVERIFY(e.model.tables() == later);
    QCOMPARE(e.rows(), radioSorted);

    // Drops, locks and favourites through the window are steps too.
    auto *lock = e.child<QCheckBox>("chkLock");
    e.selectRow(0);
    const ChannelTables beforeLock = e.model.tables();
    QTest::mouseClick(lock, Qt::LeftButton);
    QVERIFY(e.model.tables() != beforeLock);
    QTest::mouseClick(e.child<QCheckBox>("chkFavorite_4"), Qt::LeftButton);
    QCOMPARE(e.window->undoStack()->count(), 3);
    e.trigger("mmUndo");
    e.trigger("mmUndo");
    QVERIFY(e.model.tables() == beforeLock);
    // The favourite view shows the restored group.
    const FavoriteGroup &group = beforeLock.Favorites[ChannelRadio][4];
    QStringList groupNames;
    for (int k = 0; k < group.Count; ++k)
        groupNames.append(beforeLock.Rom[beforeLock.Channels[ChannelRadio][group.CHIndex[k]].ChannelIndex].Name);
    QCOMPARE(e.child<QTabBar>("tabFavorite")->currentIndex(), 4);
    QCOMPARE(e.favoriteRows(), groupNames);
}

void TestChannelEditorCommands::saveThenUndoToTheSavedState()
{
    Editor e(kNames);
    e.window->sortCommand(frmCHEdit::Sort::AToZ);
    QTest::mouseClick(e.child<QPushButton>("cmdDataSave"), Qt::LeftButton);
    QVERIFY(e.model.ChannelDataUnchanged());
    const QByteArray savedImage = readWholeFile(e.image).value();
    e.window->sortCommand(frmCHEdit::Sort::Lock);
    QVERIFY(!e.model.ChannelDataUnchanged());
    QCOMPARE(e.window->undoStack()->count(), 2);  // the save kept the history
    e.trigger("mmUndo");
    QVERIFY(e.model.ChannelDataUnchanged());
    e.window->close();  // clean: no prompt, the window closes
    QVERIFY(!e.window->isVisible());
    QCOMPARE(readWholeFile(e.image).value(), savedImage);
}

void TestChannelEditorCommands::fileOpenClearsTheHistory()
{
    Editor e(kNames);
    e.window->sortCommand(frmCHEdit::Sort::AToZ);
    QTest::mouseClick(e.child<QPushButton>("cmdDataSave"), Qt::LeftButton);
    QCOMPARE(e.window->undoStack()->count(), 1);
    ModalDriver driver({modal::chooseFile(e.image)});
    e.window->openCommand();
    QTRY_VERIFY(driver.finished());
    QCOMPARE(e.window->undoStack()->count(), 0);
    QVERIFY(!e.child<QAction>("mmUndo")->isEnabled());
    QCOMPARE(e.rows(), QStringList({"a", "B", "C", "d"}));
}

void TestChannelEditorCommands::dropPastFiftyFavoritesIsRefused()
{
    QStringList names;
    for (int i = 0; i < 60; ++i)
        names.append(QStringLiteral("N%1").arg(i));
    Editor e(names, 0);
    QList<int> first49;
    for (int p = 0; p < 49; ++p)
        first49.append(p);
    e.window->editing().setFavorite(1, {56, 57, 58, 59}, false);
    e.window->editing().setFavorite(1, first49, true);
    QCOMPARE(int(e.model.tables().Favorites[0][1].Count), 49);
    e.child<QTabBar>("tabFavorite")->setCurrentIndex(1);
    const ChannelTables before = e.model.tables();
    const int steps = e.window->undoStack()->count();
    auto *list = e.list();
    list->clearSelection();
    for (const int p : {50, 51, 52})
        list->selectionModel()->select(list->model()->index(p, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
    auto *favorites = e.child<QTreeView>("List3");
    std::unique_ptr<QMimeData> drag(list->model()->mimeData(list->selectionModel()->selectedIndexes()));
    QStringList texts;
    ModalDriver driver({modal::acknowledgeBox(&texts)});
    favorites->model()->dropMimeData(drag.get(), Qt::CopyAction, -1, -1, {});
    QTRY_VERIFY(driver.finished());
    QCOMPARE(texts, QStringList{QStringLiteral("Maximum Favorite allowed is 50.")});
    QVERIFY(e.model.tables() == before);
    QCOMPARE(e.window->undoStack()->count(), steps);
    QVERIFY(!e.child<QCheckBox>("chkFavorite_1")->isChecked());
    // One that fits is taken, as one step.
    list->clearSelection();
    list->selectionModel()->select(list->model()->index(55, 0),
                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
    drag.reset(list->model()->mimeData(list->selectionModel()->selectedIndexes()));
    favorites->model()->dropMimeData(drag.get(), Qt::CopyAction, -1, -1, {});
    QCOMPARE(int(e.model.tables().Favorites[0][1].Count), 50);
    QCOMPARE(e.window->undoStack()->count(), steps + 1);
}

void TestChannelEditorCommands::findDialog()
{
    Editor e({QStringLiteral("BBC"), QStringLiteral("NEWS 24"), QStringLiteral("Sport"), QStringLiteral("news 2")});
    e.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(e.window.get()));
    e.key(Qt::Key_F);
    QWidget *find = e.window->findChild<QWidget *>(QStringLiteral("frmCHFind"));
    QVERIFY(find);
    QVERIFY(find->isVisible());
    QVERIFY(!QApplication::activeModalWidget());
    QCOMPARE(find->windowTitle(), QStringLiteral("Form1"));
    QVERIFY(find->windowFlags() & Qt::WindowStaysOnTopHint);
    auto *text = find->findChild<QLineEdit *>(QStringLiteral("txtFind"));
    auto *tv = find->findChild<QCheckBox *>(QStringLiteral("Check1_0"));
    auto *radio = find->findChild<QCheckBox *>(QStringLiteral("Check1_1"));
    QCOMPARE(text->maxLength(), 16);
    QCOMPARE(tv->text(), QStringLiteral("TV"));
    QVERIFY(!tv->isChecked() && !radio->isChecked());
    auto *name = e.child<QLineEdit>("txtChannelName");

    text->setText(QStringLiteral("ews"));
    QTest::keyClick(text, Qt::Key_Return);  // no box ticked: nothing
    QCOMPARE(e.window->selectedRow(), 1);
    tv->setChecked(true);
    QTest::keyClick(text, Qt::Key_Return);
    QCOMPARE(e.window->selectedRow(), 2);
    QCOMPARE(name->selectedText(), QStringLiteral("EWS"));
    QCOMPARE(name->selectionStart(), 1);
    find->findChild<QPushButton *>(QStringLiteral("cmdFindOk"))->click();
    QCOMPARE(e.window->selectedRow(), 4);
    QCOMPARE(name->selectedText(), QStringLiteral("ews"));
    find->findChild<QPushButton *>(QStringLiteral("cmdFindOk"))->click();
    QCOMPARE(e.window->selectedRow(), 2);  // wrapped to the top

    text->setText(QStringLiteral("sport"));
    find->findChild<QPushButton *>(QStringLiteral("cmdFindOk"))->click();
    QCOMPARE(e.window->selectedRow(), 3);
    find->findChild<QPushButton *>(QStringLiteral("cmdFindOk"))->click();
    QCOMPARE(e.window->selectedRow(), 3);  // the only match, found again

    text->setText(QStringLiteral("cnn"));
    QStringList titles;
    ModalDriver driver({[&titles](QWidget *w) {
        auto *box = qobject_cast<QMessageBox *>(w);
        if (!box)
            return false;
        titles.append(box->windowTitle() + QLatin1Char('|') + box->text());
        QMetaObject::invokeMethod(box, "accept", Qt::QueuedConnection);
        return true;
    }});
    find->findChild<QPushButton *>(QStringLiteral("cmdFindOk"))->click();
    QTRY_VERIFY(driver.finished());
    QCOMPARE(titles, QStringList{QStringLiteral("Find|Not Found!")});
    QCOMPARE(e.window->selectedRow(), 3);

    // Only "Radio" while TV is shown: the radio list, from its first channel.
    tv->setChecked(false);
    radio->setChecked(true);
    text->setText(QStringLiteral("ch"));
    find->findChild<QPushButton *>(QStringLiteral("cmdFindOk"))->click();
    QCOMPARE(e.window->editing().CurrentType(), int(ChannelRadio));
    QCOMPARE(e.child<QTabBar>("tabChannelType")->currentIndex(), int(ChannelRadio));
    QCOMPARE(e.window->selectedRow(), 1);
    QCOMPARE(name->selectedText(), QStringLiteral("CH"));

    find->findChild<QPushButton *>(QStringLiteral("cmdFindCancel"))->click();
    QTRY_VERIFY(!e.window->findChild<QWidget *>(QStringLiteral("frmCHFind")));
}

QTEST_MAIN(TestChannelEditorCommands)
#include "tst_channel_editor_commands.moc"
