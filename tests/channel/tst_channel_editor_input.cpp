// The channel editor under real mouse, keyboard and wheel input: the boxes show
// the row that typing changes, every tab change switches its list, names take
// no control characters, and a held shortcut acts once.
#include "EditorFixture.h"
#include "support/HeldKey.h"

#include <QCheckBox>
#include <QClipboard>
#include <QGroupBox>
#include <QTabBar>
#include <QUndoStack>
#include <QWheelEvent>

#include <functional>

namespace {

using Input = std::function<void(Editor &)>;

// "CH 0" to "CH 9": channels 0, 3, 6 and 9 are locked, channel n is in group g
// when n >= 7 - g. The radio list is "CH 10" to "CH 12".
QStringList tenNames()
{
    return numberedNames("CH ", 10);
}

void keys(QWidget *widget, const QList<Qt::Key> &sequence)
{
    widget->setFocus();
    for (const Qt::Key key : sequence)
        QTest::keyClick(widget, key);
}

// A press on row `from` and its release on row `to`.
Input pressRelease(int from, int to, Qt::MouseButton button = Qt::LeftButton)
{
    return [=](Editor &e) {
        e.press(from, button);
        e.release(to, button);
    };
}

// Notches of a mouse wheel turned towards the user.
void wheel(QWidget *widget, int notches)
{
    const QPointF at = QRectF(widget->rect()).center();
    for (int i = 0; i < notches; ++i) {
        QWheelEvent event(at, widget->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(widget, &event);
    }
}

}  // namespace

Q_DECLARE_METATYPE(Input)

class TestChannelEditorInput : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QApplication::setApplicationName(QStringLiteral("Tarvik")); }

    void boxesShowTheRowTypingChanges_data()
    {
        QTest::addColumn<Input>("input");
        QTest::addColumn<QString>("shown");      // the channel the boxes show, and typing changes
        QTest::addColumn<QStringList>("order");  // the list afterwards, when the input reorders it

        QTest::newRow("click") << Input([](Editor &e) { e.selectRow(4); }) << "CH 4" << QStringList();
        QTest::newRow("press on one row, release on another") << pressRelease(1, 4) << "CH 1" << QStringList();
        QTest::newRow("press on the selected row, release on another") << pressRelease(0, 4) << "CH 0" << QStringList();
        QTest::newRow("arrow keys") << Input([](Editor &e) {
            keys(e.list(), {Qt::Key_Down, Qt::Key_Down});
        }) << "CH 2" << QStringList();
        QTest::newRow("end key") << Input([](Editor &e) { keys(e.list(), {Qt::Key_End}); }) << "CH 9" << QStringList();
        QTest::newRow("ctrl+click") << Input([](Editor &e) {
            e.selectRow(2);
            e.ctrlClickRow(5);
        }) << "CH 5" << QStringList();
        QTest::newRow("right-click") << pressRelease(6, 6, Qt::RightButton) << "CH 6" << QStringList();
        QTest::newRow("right press, released on another row")
            << pressRelease(7, 2, Qt::RightButton) << "CH 7" << QStringList();
        QTest::newRow("drag that ends outside a target") << Input([](Editor &e) {
            e.press(3);
            QTest::mouseMove(e.list()->viewport(), e.rowPoint(5));
            QTest::mouseMove(e.list()->viewport(), e.rowPoint(7));
            e.release(7);
        }) << "CH 3" << QStringList();
        QTest::newRow("drop") << Input([](Editor &e) {
            e.selectRow(1);
            e.ctrlClickRow(3);
            e.dragSelectedTo(e.list()->viewport(), e.rowPoint(5));
        }) << "CH 1" << QStringList({"CH 0", "CH 2", "CH 4", "CH 1", "CH 3", "CH 5", "CH 6", "CH 7", "CH 8", "CH 9"});
        QTest::newRow("lock sort by header") << Input([](Editor &e) {
            e.selectRow(5);
            e.clickHeader(2);
        }) << "CH 0" << QStringList({"CH 0", "CH 3", "CH 6", "CH 9", "CH 1", "CH 2", "CH 4", "CH 5", "CH 7", "CH 8"});
    }

    void boxesShowTheRowTypingChanges()
    {
        QFETCH(Input, input);
        QFETCH(QString, shown);
        QFETCH(QStringList, order);
        Editor e(tenNames());
        QVERIFY(e.activate());
        input(e);
        if (order.isEmpty()) {
            order = tenNames();
            QVERIFY2(e.model.ChannelDataUnchanged(), "showing a row is not an edit");
        }
        QCOMPARE(e.nameBox()->text(), shown);
        const int n = shown.mid(3).toInt();
        QCOMPARE(e.child<QCheckBox>("chkLock")->isChecked(), n % 3 == 0);
        for (int g = 0; g < FavoriteGroupCount; ++g)
            QCOMPARE(e.child<QCheckBox>(qPrintable(QStringLiteral("chkFavorite_%1").arg(g)))->isChecked(), n >= 7 - g);

        e.nameBox()->setFocus();
        QTest::keyClick(e.nameBox(), 'Z');
        order[order.indexOf(shown)] = shown + QStringLiteral("Z");
        QCOMPARE(e.rows(), order);
    }

    void dropBelowTheLastRowSelectsTheMovedRows()
    {
        Editor e(tenNames());
        e.window->resize(e.window->width(), 700);  // room below the last row
        e.selectRow(1);
        e.ctrlClickRow(3);
        e.dragSelectedTo(e.list()->viewport(), e.rowPoint(9) + QPoint(0, 60));
        QCOMPARE(e.rows(),
                 QStringList({"CH 0", "CH 2", "CH 4", "CH 5", "CH 6", "CH 7", "CH 8", "CH 9", "CH 1", "CH 3"}));
        const QItemSelectionModel *selection = e.list()->selectionModel();
        QCOMPARE(selection->selectedRows().size(), 2);
        QVERIFY(selection->isRowSelected(8, {}) && selection->isRowSelected(9, {}));
        QCOMPARE(e.list()->currentIndex().row(), 8);
        QCOMPARE(e.nameBox()->text(), QStringLiteral("CH 1"));
    }

    void tabStripsSwitchTheirLists_data()
    {
        QTest::addColumn<Input>("input");
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("favoriteTab");
        QTest::addColumn<QStringList>("favorites");  // the favourite list afterwards
        const auto types = [](Editor &e) { return e.child<QTabBar>("tabChannelType"); };
        const auto groups = [](Editor &e) { return e.child<QTabBar>("tabFavorite"); };
        const QStringList radioF1{"CH 12", "CH 11", "CH 10"};

        QTest::newRow("type: right arrow")
            << Input([=](Editor &e) { keys(types(e), {Qt::Key_Right}); }) << 1 << 0 << radioF1;
        QTest::newRow("type: wheel down") << Input([=](Editor &e) { wheel(types(e), 1); }) << 1 << 0 << radioF1;
        QTest::newRow("type: click") << Input([=](Editor &e) { clickTab(types(e), 1); }) << 1 << 0 << radioF1;
        QTest::newRow("group: right arrow") << Input([=](Editor &e) { keys(groups(e), {Qt::Key_Right}); }) << 0 << 1
                                            << QStringList({"CH 9", "CH 8", "CH 7", "CH 6"});
        QTest::newRow("group: wheel down twice") << Input([=](Editor &e) { wheel(groups(e), 2); }) << 0 << 2
                                                 << QStringList({"CH 9", "CH 8", "CH 7", "CH 6", "CH 5"});
        QTest::newRow("group: to Lock and back by wheel") << Input([=](Editor &e) {
            clickTab(groups(e), 5);
            wheel(groups(e), 1);
        }) << 0 << 6 << QStringList({"CH 0", "CH 3", "CH 6", "CH 9"});
    }

    // Whatever changes a tab, its list follows; a new type shows its first channel.
    void tabStripsSwitchTheirLists()
    {
        QFETCH(Input, input);
        QFETCH(int, type);
        Editor e(tenNames());
        QVERIFY(e.activate());
        e.selectRow(4);
        input(e);
        QCOMPARE(e.child<QTabBar>("tabChannelType")->currentIndex(), type);
        QTEST(e.child<QTabBar>("tabFavorite")->currentIndex(), "favoriteTab");
        QTEST(e.favoriteRows(), "favorites");  // of the type and group the tabs show
        if (type == ChannelRadio) {
            QCOMPARE(e.rows().value(0), QStringLiteral("CH 10"));
            QCOMPARE(e.nameBox()->text(), QStringLiteral("CH 10"));
            QCOMPARE(e.child<QGroupBox>("Frame3")->title(), QStringLiteral("Radio Favorite List"));
        }
    }

    void pastedControlCharactersAreRefused_data()
    {
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("name");
        QTest::newRow("line feed") << QStringLiteral("A\nB") << "CH 0";
        QTest::newRow("plain") << QStringLiteral("AB") << "CH 0AB";
    }

    void pastedControlCharactersAreRefused()
    {
        QFETCH(QString, pasted);
        QFETCH(QString, name);
        Editor e(tenNames());
        QGuiApplication::clipboard()->setText(pasted);
        QLineEdit *box = e.nameBox();
        box->setFocus();
        box->end(false);
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(box->text(), name);
        QCOMPARE(e.model.tables().Rom[0].Name, name);
    }

    void rowsDraggedOntoTheNameBoxWriteNothing()
    {
        Editor e(tenNames());
        e.dragSelectedTo(e.nameBox(), e.nameBox()->rect().center());
        QCOMPARE(e.nameBox()->text(), QStringLiteral("CH 0"));
        QVERIFY(e.model.ChannelDataUnchanged());
    }

    void heldShortcutsActOnce_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("flagged");  // the repeats carry the repeat flag
        QTest::newRow("Ctrl+L") << int(Qt::Key_L) << true;
        QTest::newRow("Ctrl+2, repeats unflagged") << int(Qt::Key_2) << false;
    }

    void heldShortcutsActOnce()
    {
        QFETCH(int, key);
        QFETCH(bool, flagged);
        Editor e(tenNames());
        QVERIFY(e.activate());
        e.selectRow(1);
        e.list()->setFocus();
        holdKey(e.list(), key, Qt::ControlModifier, flagged, 5);
        const ChannelEntry &entry = e.model.tables().Channels[0][1];
        QCOMPARE(bool(entry.Attribute & LockBit), key == Qt::Key_L);
        QCOMPARE(entry.FavoriteFlag[1] == 1, key == Qt::Key_2);
        QCOMPARE(e.window->undoStack()->count(), 1);
    }

    // The stated widths where the font allows; a caption it does not fit widens its column.
    void captionsFitTheirColumns()
    {
        Editor e(tenNames());
        for (QTreeView *list : {e.list(), e.child<QTreeView>("List3")}) {
            const QHeaderView *header = list->header();
            for (int c = 0; c < header->count() && !header->isSectionHidden(c); ++c)
                QVERIFY2(header->sectionSize(c) >= header->sectionSizeHint(c),
                         qPrintable(list->objectName() + QLatin1Char(' ') + QString::number(c)));
        }
    }
};

QTEST_MAIN(TestChannelEditorInput)
#include "tst_channel_editor_input.moc"
