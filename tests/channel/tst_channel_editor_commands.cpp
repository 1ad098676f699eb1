// The channel editor's sorts, find dialog, undo history, favourite limit, and
// export, import and "Order like…" through the File menu's access keys, in the
// real window with the real converters; the rules themselves are tested on the logic.
#include "EditorFixture.h"
#include "support/MenuKeys.h"

#include <QCheckBox>
#include <QMenu>
#include <QPushButton>
#include <QUndoStack>

namespace {

const QStringList kNames{QStringLiteral("d"), QStringLiteral("B"), QStringLiteral("a"), QStringLiteral("C")};

// A click on the box's mark: its middle may lie past a short caption.
void tick(QCheckBox *box)
{
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(box->height() / 2, box->height() / 2));
}

// Ctrl+Z in the editor, which the dialogs may have left inactive.
void undo(const Editor &e)
{
    QVERIFY(activate(e.window.get()));
    QTest::keyClick(e.window.get(), Qt::Key_Z, Qt::ControlModifier);
}

// File, then the item of access key `key`, worked through its dialogs by `steps`.
void fileMenu(const Editor &e, Qt::Key key, const QList<ModalDriver::Step> &steps)
{
    throughDialogs(steps, [&] { menuAccessKeys(e.window.get(), Qt::Key_F, key); });
}

}  // namespace

class TestChannelEditorCommands : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QApplication::setApplicationName(QStringLiteral("Tarvik")); }

    void sortMenusAndHeaderClicks()
    {
        Editor e(kNames);
        const ChannelTables before = e.model.tables();
        e.trigger("mmList3SortAZ");  // the favourite list's sorts change nothing
        e.trigger("mmList3SortZA");
        QVERIFY(e.model.tables() == before);  // and so no step either

        e.clickHeader(1);
        QCOMPARE(e.rows(), QStringList({"a", "B", "C", "d"}));
        e.clickHeader(1);
        QCOMPARE(e.rows(), QStringList({"d", "C", "B", "a"}));
        e.trigger("mmList1SortAZ");
        QCOMPARE(e.rows(), QStringList({"a", "B", "C", "d"}));
        e.trigger("mmList1SortZA");
        QCOMPARE(e.rows(), QStringList({"d", "C", "B", "a"}));
        // Sample channels 0 and 3 are locked: "d" and "C". The header's lock sort
        // puts them first, so the menu's puts them last.
        e.clickHeader(2);
        e.trigger("mmList1SortLock");
        QCOMPARE(e.rows(), QStringList({"B", "a", "d", "C"}));
        e.clickHeader(0);  // "No." sorts nothing
        QCOMPARE(e.rows(), QStringList({"B", "a", "d", "C"}));

        e.model.setDataLoaded(false);
        e.clickHeader(1);
        QCOMPARE(e.rows(), QStringList({"B", "a", "d", "C"}));
    }

    void typingIsOneStepAndKeysUndoIt()
    {
        Editor e(kNames);
        const ChannelTables earlier = e.model.tables();
        QLineEdit *name = e.nameBox();
        e.selectRow(1);
        name->setFocus();
        QTest::keyClicks(name, QStringLiteral("XY"));  // one step ...
        const ChannelTables typed = e.model.tables();
        e.selectRow(2);  // ... and another channel another
        QTest::keyClicks(name, QStringLiteral("Z"));

        name->setFocus();
        QTest::keyClick(name, Qt::Key_Z, Qt::ControlModifier);  // the editor's undo, not the box's
        QVERIFY(e.model.tables() == typed);
        QTest::keyClick(name, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(e.model.tables() == earlier);
        QCOMPARE(name->text(), QStringLiteral("a"));  // the selected row shows the restored name
        QVERIFY(e.activate());
        e.list()->setFocus();
        QTest::keyClick(e.list(), Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(e.rows(), QStringList({"d", "BXY", "a", "C"}));
    }

    void undoShowsTheTypeAndTheGroup()
    {
        Editor e(kNames);  // radio: "CH 4" to "CH 6", all three in F5
        const ChannelTables earlier = e.model.tables();
        auto *types = e.child<QTabBar>("tabChannelType");
        clickTab(types, ChannelRadio);
        e.trigger("mmList1SortZA");
        clickTab(types, ChannelTV);
        e.trigger("mmUndo");
        QVERIFY(e.model.tables() == earlier);
        QCOMPARE(types->currentIndex(), int(ChannelRadio));
        QCOMPARE(e.rows(), QStringList({"CH 4", "CH 5", "CH 6"}));
        e.trigger("mmRedo");
        QCOMPARE(e.rows(), QStringList({"CH 6", "CH 5", "CH 4"}));

        clickTab(e.child<QTabBar>("tabFavorite"), 4);
        e.selectRow(1);
        QTest::mouseClick(e.child<QCheckBox>("chkFavorite_4"), Qt::LeftButton);
        QCOMPARE(e.favoriteRows(), QStringList({"CH 6", "CH 4"}));
        e.trigger("mmUndo");
        QCOMPARE(e.favoriteRows(), QStringList({"CH 6", "CH 5", "CH 4"}));
    }

    void saveKeepsTheHistoryAndOpenClearsIt()
    {
        Editor e(kNames);
        e.trigger("mmList1SortAZ");
        click(e.window.get(), "cmdDataSave");
        const QByteArray saved = contents(e.image);
        e.trigger("mmList1SortLock");
        e.trigger("mmUndo");
        QVERIFY(e.model.ChannelDataUnchanged());  // back at what was saved

        // Clean: no question before the dialog.
        throughDialogs({modal::chooseFile(e.image)}, [&] { click(e.window.get(), "cmdDataFileLoad"); });
        QCOMPARE(e.window->undoStack()->count(), 0);
        QVERIFY(!e.child<QAction>("mmUndo")->isEnabled());
        QCOMPARE(e.rows(), QStringList({"a", "B", "C", "d"}));
        e.window->close();  // clean: no prompt, the window closes
        QVERIFY(!e.window->isVisible());
        QCOMPARE(contents(e.image), saved);
    }

    // A drop into a favourite group is taken whole or not at all; a box says why.
    void favoriteLimit()
    {
        Editor e(numberedNames("N", 60), 0);
        e.window->editing().setFavorite(1, {56, 57, 58, 59}, false);
        e.window->editing().setFavorite(1, range(0, 48), true);
        clickTab(e.child<QTabBar>("tabFavorite"), 1);
        QWidget *favorites = e.child<QTreeView>("List3")->viewport();
        const ChannelTables before = e.model.tables();
        const int steps = e.window->undoStack()->count();

        QStringList seen;
        ModalDriver refused({noteBox(&seen, QMessageBox::Ok)});
        e.selectRow(50);
        e.ctrlClickRow(51);
        e.ctrlClickRow(52);
        e.dragSelectedTo(favorites, favorites->rect().center());
        QTRY_VERIFY(refused.finished());
        QVERIFY(e.model.tables() == before);

        e.selectRow(55);
        e.dragSelectedTo(favorites, favorites->rect().center());
        QCOMPARE(int(e.model.tables().Favorites[0][1].Count), 50);
        QCOMPARE(e.window->undoStack()->count(), steps + 1);

        e.selectRow(56);
        throughDialogs({noteBox(&seen, QMessageBox::Ok)}, [&] { click(e.window.get(), "chkFavorite_1"); });
        QCOMPARE(int(e.model.tables().Favorites[0][1].Count), 50);
        const QString look = boxLook(QStringLiteral("Tarvik"), QStringLiteral("Maximum Favorite allowed is 50."),
                                     QMessageBox::NoIcon, QMessageBox::Ok);
        QCOMPARE(seen, QStringList({look, look}));
    }

    void findDialog()
    {
        Editor e({QStringLiteral("BBC"), QStringLiteral("NEWS 24"), QStringLiteral("Sport"), QStringLiteral("news 2")});
        QVERIFY(e.activate());
        QTest::keyClick(e.window.get(), Qt::Key_F, Qt::ControlModifier);
        QWidget *find = e.window->findChild<QWidget *>(QStringLiteral("frmCHFind"));
        QVERIFY(find && find->isVisible());
        QVERIFY(!QApplication::activeModalWidget());
        auto *text = child<QLineEdit>(find, "txtFind");
        auto *tv = child<QCheckBox>(find, "Check1_0");
        auto *next = child<QPushButton>(find, "cmdFindOk");

        QTest::keyClicks(text, QStringLiteral("ews"));
        QTest::keyClick(text, Qt::Key_Return);  // no box ticked: nothing
        QCOMPARE(e.window->selectedRow(), 1);
        tick(tv);
        QTest::keyClick(text, Qt::Key_Return);
        QCOMPARE(e.window->selectedRow(), 2);
        QCOMPARE(e.nameBox()->selectedText(), QStringLiteral("EWS"));

        retype(text, QStringLiteral("cnn"));
        QStringList seen;
        throughDialogs({noteBox(&seen, QMessageBox::Ok)}, [&] { QTest::mouseClick(next, Qt::LeftButton); });
        QCOMPARE(seen, QStringList{boxLook(QStringLiteral("Find"), QStringLiteral("Not Found!"), QMessageBox::NoIcon,
                                           QMessageBox::Ok)});
        QCOMPARE(e.window->selectedRow(), 2);

        // Only "Radio" while TV is shown: the radio list, from its first channel.
        tick(tv);
        tick(child<QCheckBox>(find, "Check1_1"));
        retype(text, QStringLiteral("ch"));
        QTest::mouseClick(next, Qt::LeftButton);
        QCOMPARE(e.child<QTabBar>("tabChannelType")->currentIndex(), int(ChannelRadio));
        QCOMPARE(e.window->selectedRow(), 1);
        QCOMPARE(e.nameBox()->selectedText(), QStringLiteral("CH"));

        QTest::mouseClick(child<QPushButton>(find, "cmdFindCancel"), Qt::LeftButton);
        QTRY_VERIFY(!e.window->findChild<QWidget *>(QStringLiteral("frmCHFind")));
    }

    void fileMenuAccessKeysAreDistinct()
    {
        Editor e({QStringLiteral("a")});
        QStringList keys;
        for (QAction *action : e.child<QMenu>("mFile")->actions()) {
            const QString text = action->text();
            const qsizetype amp = text.indexOf(QLatin1Char('&'));
            if (!action->isSeparator() && amp >= 0)
                keys.append(text.mid(amp + 1, 1).toUpper());
        }
        QCOMPARE(keys, (QStringList{"O", "S", "A", "E", "I", "L", "X"}));
    }

    void exportEditImportUndo()
    {
        Editor e({QStringLiteral("One"), QStringLiteral("Two"), QStringLiteral("Three")}, 1);
        const QString csv = e.dir.file(QStringLiteral("list.csv"));
        fileMenu(e, Qt::Key_E, {modal::chooseFile(csv)});
        const QByteArray exported = contents(csv);
        QVERIFY(exported.startsWith(kCsvHeader + "TV,1,One,1,3,3,3,3,3,3,TV,1,One\r\n"));

        const ChannelTables before = e.model.tables();
        QByteArray edited = exported;
        edited.replace("TV,1,One,1,", "TV,1,Uno,0,");
        const QList<QByteArray> lines = edited.split('\n');
        // Header, Three, Uno, the rest as they were.
        writeWholeFile(csv, lines[0] + '\n' + lines[3] + '\n' + lines[1] + '\n' + lines[2] + '\n' + lines[4] + '\n');
        fileMenu(e, Qt::Key_I, {modal::chooseFile(csv)});
        QCOMPARE(e.rows(), (QStringList{"Three", "Uno", "Two"}));

        undo(e);
        QVERIFY(e.model.tables() == before);
        QCOMPARE(e.rows(), (QStringList{"One", "Two", "Three"}));
    }

    void badImportChangesNothing()
    {
        Editor e({QStringLiteral("One"), QStringLiteral("Two")});
        const QString csv = e.dir.file(QStringLiteral("bad.csv"));
        writeWholeFile(csv, kCsvHeader + "TV,1,Two,0,,,,,,,TV,2,Two\r\nTV,2,Eins,0,,,,,,,TV,1,Ones\r\n");
        const ChannelTables before = e.model.tables();
        QStringList texts;
        fileMenu(e, Qt::Key_I, {modal::chooseFile(csv), modal::acknowledgeBox(&texts)});
        QCOMPARE(texts, QStringList{csv + " was not imported:\nline 3: unknown channel: TV 1 \"Ones\""});
        QVERIFY(e.model.tables() == before);
    }

    void orderLikeAnImage()
    {
        Editor e({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("D")}, 0);
        const QString referenceImage = e.dir.file(QStringLiteral("reference.bin"));
        writeWholeFile(referenceImage, ChannelImage::build(namedTables({"d", " b ", "X"}, 0)).value());
        const ChannelTables before = e.model.tables();
        const auto editorFiles = [&e] {
            QStringList files;
            for (const QString &name : QDir(e.dir.path()).entryList({QStringLiteral("*.dll")}, QDir::Files, QDir::Name))
                files << name << QString::fromLatin1(contents(e.dir.file(name)));
            return files;
        };
        const QStringList filesBefore = editorFiles();
        QCOMPARE(filesBefore.size(), 8);

        QStringList questions;
        QStringList reports;
        fileMenu(e, Qt::Key_L,
                 {modal::chooseFile(referenceImage), modal::answerBox(QMessageBox::No, &questions),
                  modal::acknowledgeBox(&reports)});
        QCOMPARE(questions, QStringList{"Take the locks and favourites from the reference too?"});
        QCOMPARE(reports, QStringList{"Matched 2 of 4 channels.\nNot in the reference:\nTV: A\nTV: C"});
        QCOMPARE(e.rows(), (QStringList{"D", "B", "A", "C"}));
        // The reference was parsed elsewhere: the editor's own files are untouched.
        QCOMPARE(editorFiles(), filesBefore);
        undo(e);  // one step
        QVERIFY(e.model.tables() == before);
    }
};

QTEST_MAIN(TestChannelEditorCommands)
#include "tst_channel_editor_commands.moc"
