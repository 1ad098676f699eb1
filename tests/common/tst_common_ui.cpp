#include "common/ui/FileDialog.h"
#include "common/ui/HistoryKeys.h"
#include "common/ui/MessageBoard.h"
#include "common/ui/NumericKeyEventFilter.h"
#include "common/ui/WindowServices.h"
#include "support/ModalDriver.h"
#include "support/TempProgramDir.h"

#include <QClipboard>
#include <QFileDialog>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QUndoStack>
#include <QtTest>

using modal::acknowledgeBox;
using modal::chooseFile;

class TestCommonUi : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void nameFiltersFromBarSeparatedText()
    {
        QCOMPARE(fileDialogNameFilters(QStringLiteral("TP Files (*.MDA)|*.MDA|All Files (*.*)|*.*")),
                 (QStringList{QStringLiteral("TP Files (*.MDA)"), QStringLiteral("All Files (*)")}));
        QCOMPARE(fileDialogNameFilters(QStringLiteral("Loader Files (Loader_bin.bin)|Loader_bin.bin")),
                 QStringList{QStringLiteral("Loader Files (Loader_bin.bin)")});
        QCOMPARE(fileDialogNameFilters(QStringLiteral("Images|*.bin")), QStringList{QStringLiteral("Images (*.bin)")});
    }

    void openDialogInsistsOnAnExistingFile()
    {
        TempProgramDir temp;
        temp.touch(QStringLiteral("real.MDA"));
        const QString missing = temp.file(QStringLiteral("missing.MDA"));
        const QString filter = QStringLiteral("TP Files (*.MDA)|*.MDA|All Files (*.*)|*.*");
        QStringList texts;
        QStringList titles;
        ModalDriver driver({chooseFile(missing, &titles), acknowledgeBox(&texts),
                            chooseFile(temp.file(QStringLiteral("real.MDA")), &titles)});
        QCOMPARE(ShowFileDialog(nullptr, FileDialogMode::Open, filter, QString(), QStringLiteral("Open TP File")),
                 temp.file(QStringLiteral("real.MDA")));
        QCOMPARE(texts, QStringList{missing + QStringLiteral(" not found!")});
        QCOMPARE(titles, (QStringList{QStringLiteral("Open TP File"), QStringLiteral("Open TP File")}));

        // Cancel after a "not found!" round yields nothing.
        ModalDriver cancel({chooseFile(missing), acknowledgeBox(&texts), modal::cancelFileDialog()});
        QVERIFY(ShowFileDialog(nullptr, FileDialogMode::Open, filter, QString(), QStringLiteral("Open")).isEmpty());
        QCOMPARE(texts.size(), 2);

        // A save takes a new name.
        ModalDriver save({chooseFile(missing)});
        QCOMPARE(ShowFileDialog(nullptr, FileDialogMode::Save, filter, QString(), QStringLiteral("Save")), missing);
    }

    void dialogOpensWhereItsKindWasLastChosen()
    {
        TempProgramDir home;
        TempProgramDir current;
        TempProgramDir chosen;
        chosen.touch(QStringLiteral("a.kone"));
        qputenv("HOME", home.path().toLocal8Bit());
        QDir::setCurrent(QStringLiteral("/"));
        const QString kindOne = QStringLiteral("One Files (*.kone)|*.kone|All Files (*.*)|*.*");
        const QString sameKind = QStringLiteral("Other Name (*.kone)|*.kone");
        const QString kindTwo = QStringLiteral("Two Files (*.ktwo)|*.ktwo");
        const auto canonical = [](const QString &path) { return QFileInfo(path).canonicalFilePath(); };
        QStringList folders;
        const ModalDriver::Step noteFolder = [&folders, canonical](QWidget *widget) {
            auto *dialog = qobject_cast<QFileDialog *>(widget);
            if (!dialog)
                return false;
            folders.append(canonical(dialog->directory().absolutePath()));
            QMetaObject::invokeMethod(dialog, "reject", Qt::QueuedConnection);
            return true;
        };
        const auto openIn = [&](const QString &filter, const QString &currentFile) {
            throughDialogs({noteFolder}, [&] {
                ShowFileDialog(nullptr, FileDialogMode::Open, filter, QString(), QStringLiteral("Open"), currentFile);
            });
        };
        openIn(kindOne, QString());                                    // nothing known: home
        openIn(kindOne, current.file(QStringLiteral("edited.kone")));  // the current file's folder
        {
            ModalDriver driver({chooseFile(chosen.file(QStringLiteral("a.kone")))});
            QCOMPARE(ShowFileDialog(nullptr, FileDialogMode::Open, kindOne, QString(), QStringLiteral("Open")),
                     chosen.file(QStringLiteral("a.kone")));
        }
        openIn(sameKind, current.file(QStringLiteral("edited.kone")));  // last chosen wins, by pattern
        openIn(kindTwo, QString());                                     // another kind keeps its own
        QCOMPARE(folders, (QStringList{canonical(home.path()), canonical(current.path()), canonical(chosen.path()),
                                       canonical(home.path())}));
    }

    void boardShowsLinesKeepsTheCaretAtTheEndAndStaysBounded()
    {
        MessageBoard board;
        board.AppendMessage(QStringLiteral("KELDO ZAVO STB CONNECTED\r\n"));
        board.AppendMessage(QStringLiteral("SUCCESS\r"));
        board.AppendMessage(QStringLiteral("\n \r\n"));  // a CR LF split between two appends
        board.AppendMessage(QStringLiteral("a\nb\rc"));
        QCOMPARE(board.toPlainText(), QStringLiteral("KELDO ZAVO STB CONNECTED\nSUCCESS\n \na\nb\nc"));
        QCOMPARE(board.textCursor().position(), board.document()->characterCount() - 1);

        const QString chunk = QString(2000, QLatin1Char('x')) + QStringLiteral("\r\n");
        for (int i = 0; i < 400; ++i)
            board.AppendMessage(chunk);
        QVERIFY(board.document()->characterCount() <= MessageBoard::kMaxCharacters);
        QVERIFY(board.toPlainText().endsWith(QString(2000, QLatin1Char('x')) + QLatin1Char('\n')));
    }

    void numericBoxTakesDigitsOnly()
    {
        QLineEdit box;
        NumericKeyEventFilter::install(&box);
        QTest::keyClicks(&box, QStringLiteral("12-3.4 a5"));
        QCOMPARE(box.text(), QStringLiteral("1234 5"));
        QTest::keyClick(&box, Qt::Key_Backspace);
        QCOMPARE(box.text(), QStringLiteral("1234 "));

        // Chords: Alt types its letter on some systems; Ctrl shortcuts still work.
        QTest::keyClick(&box, Qt::Key_Q, Qt::AltModifier);
        QCOMPARE(box.text(), QStringLiteral("1234 "));
        QTest::keyClick(&box, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(box.selectedText(), QStringLiteral("1234 "));

        // A paste keeps its digits and spaces, within the box's length.
        box.clear();
        box.setMaxLength(5);
        QGuiApplication::clipboard()->setText(QStringLiteral("12ab 3-4.56"));
        QTest::keyClick(&box, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(box.text(), QStringLiteral("12 34"));
        box.clear();
        QTest::keyClick(&box, Qt::Key_Insert, Qt::ShiftModifier);
        QCOMPARE(box.text(), QStringLiteral("12 34"));
        // What comes in without a key (context menu, drop) is filtered as well.
        Q_EMIT box.textEdited(QStringLiteral("9x8"));
        QCOMPARE(box.text(), QStringLiteral("98"));
    }

    // An entry box hands every undo and redo key to the editor's history; none
    // reaches the box's own undo. Each row starts two steps in, one undone.
    void historyKeysReachTheHistory_data()
    {
        QTest::addColumn<QKeySequence>("keys");
        QTest::addColumn<int>("index");  // the history's position afterwards
        QTest::newRow("Ctrl+Z") << QKeySequence(Qt::CTRL | Qt::Key_Z) << 0;
        QTest::newRow("Ctrl+Y") << QKeySequence(Qt::CTRL | Qt::Key_Y) << 2;
        QTest::newRow("Ctrl+Shift+Z") << QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z) << 2;
        QTest::newRow("Ctrl+X, not ours") << QKeySequence(Qt::CTRL | Qt::Key_X) << 1;
    }

    void historyKeysReachTheHistory()
    {
        QFETCH(QKeySequence, keys);
        QFETCH(int, index);
        QMainWindow window;
        QUndoStack history;
        addHistoryActions(window.menuBar()->addMenu(QStringLiteral("Edi&t")), &history);
        auto *box = new QLineEdit(&window);
        window.setCentralWidget(box);

        struct Filter : QObject {
            QUndoStack *history;
            bool eventFilter(QObject *, QEvent *event) override { return routeHistoryKey(event, history); }
        } filter;
        filter.history = &history;
        box->installEventFilter(&filter);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        box->setFocus();
        QTest::keyClicks(box, QStringLiteral("ab"));
        history.push(new QUndoCommand(QStringLiteral("one")));
        history.push(new QUndoCommand(QStringLiteral("two")));
        history.undo();

        QTest::keyClick(box, keys[0].key(), keys[0].keyboardModifiers());
        QCOMPARE(history.index(), index);
        QCOMPARE(box->text(), QStringLiteral("ab"));  // the box's own undo left alone
    }

    void keepOnTopAndRelease()
    {
        QWidget window;
        window.setGeometry(100, 120, 300, 200);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QRect before = window.geometry();
        KeepOnTop(&window);
        QVERIFY(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(window.isVisible());
        QCOMPARE(window.geometry(), before);
        ReleaseOnTop(&window);
        QVERIFY(!window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(window.isVisible());
        QCOMPARE(window.geometry(), before);
    }
};

QTEST_MAIN(TestCommonUi)
#include "tst_common_ui.moc"
