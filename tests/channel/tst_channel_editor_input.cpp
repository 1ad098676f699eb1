// The channel editor under real mouse, keyboard and wheel input: the boxes show
// the row that typing changes, every tab change switches its list, names take
// no control characters, and the message boxes look as the user knows them.
#include "EditorFixture.h"
#include "support/HeldKey.h"
#include "support/ModalDriver.h"

#include <QCheckBox>
#include <QClipboard>
#include <QGroupBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
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
    QStringList names;
    for (int i = 0; i < 10; ++i)
        names.append(QStringLiteral("CH %1").arg(i));
    return names;
}

void press(Editor &e, int row, Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers mods = {})
{
    QTest::mousePress(e.list()->viewport(), button, mods, e.rowPoint(row));
}

void release(Editor &e, int row, Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers mods = {})
{
    QTest::mouseRelease(e.list()->viewport(), button, mods, e.rowPoint(row));
}

void keys(QWidget *widget, const QList<Qt::Key> &sequence)
{
    widget->setFocus();
    for (const Qt::Key key : sequence)
        QTest::keyClick(widget, key);
}

// What the view receives at the end of a drag of its selected rows to `at`.
void dropSelected(Editor &e, QPoint at)
{
    QTreeView *list = e.list();
    std::unique_ptr<QMimeData> data(list->model()->mimeData(list->selectionModel()->selectedIndexes()));
    QDragEnterEvent enter(at, Qt::CopyAction, data.get(), Qt::LeftButton, {});
    QApplication::sendEvent(list->viewport(), &enter);
    QDragMoveEvent move(at, Qt::CopyAction, data.get(), Qt::LeftButton, {});
    QApplication::sendEvent(list->viewport(), &move);
    QDropEvent drop(QPointF(at), Qt::CopyAction, data.get(), Qt::LeftButton, {});
    QApplication::sendEvent(list->viewport(), &drop);
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

int channelNumber(const QString &name)
{
    return name.mid(3).toInt();
}

QList<int> selectedRows(QTreeView *view)
{
    QList<int> rows;
    for (const QModelIndex &index : view->selectionModel()->selectedRows())
        rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

}  // namespace

Q_DECLARE_METATYPE(Input)

class TestChannelEditorInput : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QApplication::setApplicationName(QStringLiteral("Tarvik")); }
    void boxesShowTheRowTypingChanges_data();
    void boxesShowTheRowTypingChanges();
    void dropSelectsTheMovedRows_data();
    void dropSelectsTheMovedRows();
    void typeStripSwitchesTheList_data();
    void typeStripSwitchesTheList();
    void favoriteStripSwitchesTheList_data();
    void favoriteStripSwitchesTheList();
    void pastedControlCharactersAreRefused_data();
    void pastedControlCharactersAreRefused();
    void rowsDraggedOntoTheNameBoxWriteNothing();
    void heldShortcutsActOnce_data();
    void heldShortcutsActOnce();
    void messageBoxes();
    void captionsFitTheirColumns();
};

void TestChannelEditorInput::boxesShowTheRowTypingChanges_data()
{
    QTest::addColumn<Input>("input");
    QTest::addColumn<QString>("shown");      // the channel the boxes show, and typing changes
    QTest::addColumn<QStringList>("order");  // the list afterwards, when the input reorders it

    QTest::newRow("click") << Input([](Editor &e) { e.selectRow(4); }) << "CH 4" << QStringList();
    QTest::newRow("press on one row, release on another") << Input([](Editor &e) {
        press(e, 1);
        release(e, 4);
    }) << "CH 1" << QStringList();
    QTest::newRow("press on the selected row, release on another") << Input([](Editor &e) {
        press(e, 0);
        release(e, 4);
    }) << "CH 0" << QStringList();
    QTest::newRow("arrow keys") << Input([](Editor &e) {
        keys(e.list(), {Qt::Key_Down, Qt::Key_Down});
    }) << "CH 2" << QStringList();
    QTest::newRow("click, then up") << Input([](Editor &e) {
        e.selectRow(5);
        keys(e.list(), {Qt::Key_Up});
    }) << "CH 4" << QStringList();
    QTest::newRow("end key") << Input([](Editor &e) { keys(e.list(), {Qt::Key_End}); }) << "CH 9" << QStringList();
    QTest::newRow("ctrl+click") << Input([](Editor &e) {
        e.selectRow(2);
        press(e, 5, Qt::LeftButton, Qt::ControlModifier);
        release(e, 5, Qt::LeftButton, Qt::ControlModifier);
    }) << "CH 5" << QStringList();
    QTest::newRow("right-click") << Input([](Editor &e) {
        press(e, 6, Qt::RightButton);
        release(e, 6, Qt::RightButton);
    }) << "CH 6" << QStringList();
    QTest::newRow("right press, released on another row") << Input([](Editor &e) {
        press(e, 7, Qt::RightButton);
        release(e, 2, Qt::RightButton);
    }) << "CH 7" << QStringList();
    QTest::newRow("drag that ends outside a target") << Input([](Editor &e) {
        press(e, 3);
        QTest::mouseMove(e.list()->viewport(), e.rowPoint(5));
        QTest::mouseMove(e.list()->viewport(), e.rowPoint(7));
        release(e, 7);
    }) << "CH 3" << QStringList();
    QTest::newRow("drop") << Input([](Editor &e) {
        e.selectRow(1);
        press(e, 3, Qt::LeftButton, Qt::ControlModifier);
        release(e, 3, Qt::LeftButton, Qt::ControlModifier);
        dropSelected(e, e.rowPoint(5));
    }) << "CH 1" << QStringList({"CH 0", "CH 2", "CH 4", "CH 1", "CH 3", "CH 5", "CH 6", "CH 7", "CH 8", "CH 9"});
    QTest::newRow("lock sort by header") << Input([](Editor &e) {
        e.selectRow(5);
        e.clickHeader(2);
    }) << "CH 0" << QStringList({"CH 0", "CH 3", "CH 6", "CH 9", "CH 1", "CH 2", "CH 4", "CH 5", "CH 7", "CH 8"});
}

void TestChannelEditorInput::boxesShowTheRowTypingChanges()
{
    QFETCH(Input, input);
    QFETCH(QString, shown);
    QFETCH(QStringList, order);
    Editor e(tenNames());
    e.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(e.window.get()));
    input(e);
    if (order.isEmpty()) {
        order = tenNames();
        QVERIFY2(e.model.ChannelDataUnchanged(), "showing a row is not an edit");
    }
    QCOMPARE(e.rows(), order);

    auto *name = e.child<QLineEdit>("txtChannelName");
    QCOMPARE(name->text(), shown);
    const int n = channelNumber(shown);
    QCOMPARE(e.child<QCheckBox>("chkLock")->isChecked(), n % 3 == 0);
    for (int g = 0; g < FavoriteGroupCount; ++g)
        QCOMPARE(e.child<QCheckBox>(qPrintable(QStringLiteral("chkFavorite_%1").arg(g)))->isChecked(), n >= 7 - g);

    name->setFocus();
    QTest::keyClick(name, 'Z');
    order[order.indexOf(shown)] = shown + QStringLiteral("Z");
    QCOMPARE(e.rows(), order);
    QCOMPARE(name->text(), shown + QStringLiteral("Z"));
}

void TestChannelEditorInput::dropSelectsTheMovedRows_data()
{
    QTest::addColumn<int>("target");  // the row dropped on; -1 below the last row
    QTest::addColumn<QStringList>("order");
    QTest::addColumn<QList<int>>("selected");
    QTest::newRow("onto row 6") << 5
                                << QStringList({"CH 0", "CH 2", "CH 4", "CH 1", "CH 3",  //
                                                "CH 5", "CH 6", "CH 7", "CH 8", "CH 9"})
                                << QList<int>({3, 4});
    QTest::newRow("below the last row") << -1
                                        << QStringList({"CH 0", "CH 2", "CH 4", "CH 5", "CH 6",  //
                                                        "CH 7", "CH 8", "CH 9", "CH 1", "CH 3"})
                                        << QList<int>({8, 9});
}

void TestChannelEditorInput::dropSelectsTheMovedRows()
{
    QFETCH(int, target);
    QFETCH(QStringList, order);
    QFETCH(QList<int>, selected);
    Editor e(tenNames());
    e.window->resize(e.window->width(), 700);  // room below the last row
    e.selectRow(1);
    press(e, 3, Qt::LeftButton, Qt::ControlModifier);
    release(e, 3, Qt::LeftButton, Qt::ControlModifier);
    const QPoint below = e.list()->visualRect(e.list()->model()->index(9, 1)).center() + QPoint(0, 60);
    dropSelected(e, target < 0 ? below : e.rowPoint(target));
    QCOMPARE(e.rows(), order);
    QCOMPARE(selectedRows(e.list()), selected);
    QCOMPARE(e.list()->currentIndex().row(), selected.first());
    QCOMPARE(e.child<QLineEdit>("txtChannelName")->text(), QStringLiteral("CH 1"));
}

void TestChannelEditorInput::typeStripSwitchesTheList_data()
{
    QTest::addColumn<Input>("input");
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("first");  // List1's first row, which the boxes show
    QTest::addColumn<QString>("favoriteTitle");

    QTest::newRow("right arrow") << Input([](Editor &e) { keys(e.child<QTabBar>("tabChannelType"), {Qt::Key_Right}); })
                                 << 1 << "CH 10"
                                 << "Radio Favorite List";
    QTest::newRow("right, then left") << Input([](Editor &e) {
        keys(e.child<QTabBar>("tabChannelType"), {Qt::Key_Right, Qt::Key_Left});
    }) << 0 << "CH 0"
                                      << "TV Favorite List";
    QTest::newRow("wheel down") << Input([](Editor &e) { wheel(e.child<QTabBar>("tabChannelType"), 1); }) << 1
                                << "CH 10"
                                << "Radio Favorite List";
    QTest::newRow("click") << Input([](Editor &e) {
        auto *strip = e.child<QTabBar>("tabChannelType");
        QTest::mouseClick(strip, Qt::LeftButton, {}, strip->tabRect(1).center());
    }) << 1 << "CH 10"
                           << "Radio Favorite List";
}

void TestChannelEditorInput::typeStripSwitchesTheList()
{
    QFETCH(Input, input);
    QFETCH(QString, first);
    Editor e(tenNames());
    e.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(e.window.get()));
    e.selectRow(4);
    input(e);
    QTEST(e.child<QTabBar>("tabChannelType")->currentIndex(), "tab");
    QTEST(e.window->editing().CurrentType(), "tab");
    QCOMPARE(e.rows().value(0), first);
    QCOMPARE(e.child<QLineEdit>("txtChannelName")->text(), first);
    QTEST(e.child<QGroupBox>("Frame3")->title(), "favoriteTitle");
}

void TestChannelEditorInput::favoriteStripSwitchesTheList_data()
{
    QTest::addColumn<Input>("input");
    QTest::addColumn<int>("tab");
    QTest::addColumn<QStringList>("favorites");

    QTest::newRow("right arrow") << Input([](Editor &e) { keys(e.child<QTabBar>("tabFavorite"), {Qt::Key_Right}); })
                                 << 1 << QStringList({"CH 9", "CH 8", "CH 7", "CH 6"});
    QTest::newRow("wheel down twice") << Input([](Editor &e) { wheel(e.child<QTabBar>("tabFavorite"), 2); }) << 2
                                      << QStringList({"CH 9", "CH 8", "CH 7", "CH 6", "CH 5"});
    QTest::newRow("to Lock and back by wheel") << Input([](Editor &e) {
        auto *strip = e.child<QTabBar>("tabFavorite");
        QTest::mouseClick(strip, Qt::LeftButton, {}, strip->tabRect(5).center());
        wheel(strip, 1);
    }) << 6 << QStringList({"CH 0", "CH 3", "CH 6", "CH 9"});
}

void TestChannelEditorInput::favoriteStripSwitchesTheList()
{
    QFETCH(Input, input);
    Editor e(tenNames());
    e.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(e.window.get()));
    input(e);
    QTEST(e.child<QTabBar>("tabFavorite")->currentIndex(), "tab");
    QTEST(e.window->editing().CurrentFavoriteTab(), "tab");
    QTEST(e.favoriteRows(), "favorites");
}

void TestChannelEditorInput::pastedControlCharactersAreRefused_data()
{
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("name");
    QTest::newRow("tab") << QStringLiteral("A\tB") << "CH 0";
    QTest::newRow("byte 1") << QStringLiteral("A\x01"
                                              "C")
                            << "CH 0";
    QTest::newRow("tab and byte 1") << QStringLiteral("A\tB\x01"
                                                      "C")
                                    << "CH 0";
    QTest::newRow("line feed") << QStringLiteral("A\nB") << "CH 0";
    QTest::newRow("plain") << QStringLiteral("AB") << "CH 0AB";
}

void TestChannelEditorInput::pastedControlCharactersAreRefused()
{
    QFETCH(QString, pasted);
    QFETCH(QString, name);
    Editor e(tenNames());
    QGuiApplication::clipboard()->setText(pasted);
    auto *box = e.child<QLineEdit>("txtChannelName");
    box->setFocus();
    box->end(false);
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(box->text(), name);
    QCOMPARE(e.model.tables().Rom[0].Name, name);
    QCOMPARE(e.model.ChannelDataUnchanged(), name == QLatin1String("CH 0"));
}

void TestChannelEditorInput::rowsDraggedOntoTheNameBoxWriteNothing()
{
    Editor e(tenNames());
    auto *box = e.child<QLineEdit>("txtChannelName");
    std::unique_ptr<QMimeData> data(e.list()->model()->mimeData(e.list()->selectionModel()->selectedIndexes()));
    QCOMPARE(data->text(), QStringLiteral("List1"));
    const QPoint at = box->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, data.get(), Qt::LeftButton, {});
    QApplication::sendEvent(box, &enter);
    QDropEvent drop(QPointF(at), Qt::CopyAction, data.get(), Qt::LeftButton, {});
    QApplication::sendEvent(box, &drop);
    QCOMPARE(box->text(), QStringLiteral("CH 0"));
    QVERIFY(e.model.ChannelDataUnchanged());
}

void TestChannelEditorInput::heldShortcutsActOnce_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("locked");  // channel 1 afterwards
    QTest::addColumn<bool>("inF2");
    QTest::addColumn<bool>("flagged");  // the repeats carry the repeat flag
    QTest::newRow("Ctrl+L") << int(Qt::Key_L) << true << false << true;
    QTest::newRow("Ctrl+2") << int(Qt::Key_2) << false << true << true;
    QTest::newRow("Ctrl+L, repeats unflagged") << int(Qt::Key_L) << true << false << false;
    QTest::newRow("Ctrl+2, repeats unflagged") << int(Qt::Key_2) << false << true << false;
}

void TestChannelEditorInput::heldShortcutsActOnce()
{
    QFETCH(int, key);
    Editor e(tenNames());
    e.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(e.window.get()));
    e.selectRow(1);
    QWidget *list = e.list();
    list->setFocus();
    QFETCH(bool, flagged);
    holdKey(list, key, Qt::ControlModifier, flagged, 5);
    const ChannelEntry &entry = e.model.tables().Channels[0][1];
    QTEST(bool(entry.Attribute & 16), "locked");
    QTEST(entry.FavoriteFlag[1] == 1, "inF2");
    QCOMPARE(e.window->undoStack()->count(), 1);
}

void TestChannelEditorInput::messageBoxes()
{
    QStringList names;
    for (int i = 0; i < 60; ++i)
        names.append(QStringLiteral("N%1").arg(i));
    Editor e(names, 0);
    QList<int> group;
    for (int p = 0; p < 50; ++p)
        group.append(p);
    e.window->editing().setFavorite(0, {55, 56, 57, 58, 59}, false);
    e.window->editing().setFavorite(0, group, true);
    e.selectRow(55);

    struct Seen {
        QString title, text;
        QMessageBox::Icon icon = QMessageBox::Critical;
        QMessageBox::StandardButtons buttons;
    };
    QList<Seen> seen;
    const auto note = [&seen](QMessageBox::StandardButton answer) {
        return [&seen, answer](QWidget *w) {
            auto *box = qobject_cast<QMessageBox *>(w);
            if (!box)
                return false;
            seen.append({box->windowTitle(), box->text(), box->icon(), box->standardButtons()});
            QMetaObject::invokeMethod(box->button(answer), "click", Qt::QueuedConnection);
            return true;
        };
    };
    ModalDriver limit({note(QMessageBox::Ok)});
    QTest::mouseClick(e.child<QCheckBox>("chkFavorite_0"), Qt::LeftButton);
    QTRY_VERIFY(limit.finished());
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen[0].title, QStringLiteral("Tarvik"));
    QCOMPARE(seen[0].text, QStringLiteral("Maximum Favorite allowed is 50."));
    QCOMPARE(seen[0].icon, QMessageBox::NoIcon);
    QCOMPARE(seen[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));

    ModalDriver question({note(QMessageBox::Cancel)});
    e.window->close();
    QTRY_VERIFY(question.finished());
    QCOMPARE(seen.size(), 2);
    QCOMPARE(seen[1].text, QStringLiteral("Do you want save the changes you made to 'CH Data'?"));
    QCOMPARE(seen[1].icon, QMessageBox::NoIcon);
    QCOMPARE(seen[1].buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    QVERIFY(e.window->isVisible());
}

// The stated widths where the font allows; a caption it does not fit widens its column.
void TestChannelEditorInput::captionsFitTheirColumns()
{
    Editor e(tenNames());
    for (QTreeView *list : {e.list(), e.child<QTreeView>("List3")}) {
        const QHeaderView *header = list->header();
        for (int c = 0; c < header->count() && !header->isSectionHidden(c); ++c)
            QVERIFY2(header->sectionSize(c) >= header->sectionSizeHint(c),
                     qPrintable(list->objectName() + QLatin1Char(' ') + QString::number(c)));
    }
    QVERIFY(e.list()->header()->isSectionHidden(4));
    QVERIFY(e.list()->header()->sectionSize(1) >= 166);  // 2500 twips at 96 dpi
}

QTEST_MAIN(TestChannelEditorInput)
#include "tst_channel_editor_input.moc"
