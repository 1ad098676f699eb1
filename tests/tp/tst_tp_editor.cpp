// The TP editor driven by object name from the main window, over the real
// converters and the staged sample image.
#include "app/AppContext.h"
#include "app/ui/frmMain.h"
#include "common/WholeFile.h"
#include "support/ModalDriver.h"
#include "support/TempProgramDir.h"
#include "tp/ui/frmTPEdit.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTreeView>
#include <QtTest>

namespace {

const QString kSample = QStringLiteral(TARVIK_STAGE_DIR "/samples/TP_Sample.MDA");

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
        QFile::copy(kSample, image);
        QFile(image).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
        context = std::make_unique<AppContext>(ProgramDir(dir.path()));
        window = std::make_unique<frmMain>(*context);
        window->ApplyConfiguration();
        window->show();
    }

    frmTPEdit *open()
    {
        ModalDriver driver({modal::chooseFile(image)});
        window->cmdTPEDIT_Click(1);
        [&] { QTRY_VERIFY(driver.finished()); }();
        return window->findChild<frmTPEdit *>();
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

    static QString cell(frmTPEdit *editor, const char *list, int row, int column)
    {
        QAbstractItemModel *model = find<QTreeView>(editor, list)->model();
        return model->index(row, column).data().toString();
    }
};

} // namespace

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
        QCOMPARE(readWholeFile(f.dir.file(QStringLiteral("Sat.MDA.bak"))).value(), readWholeFile(kSample).value());

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
        QCOMPARE(readWholeFile(f.image).value(), readWholeFile(kSample).value());
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
        QCOMPARE(readWholeFile(f.image).value(), readWholeFile(kSample).value());
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
        QCOMPARE(readWholeFile(f.image).value(), readWholeFile(kSample).value());

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
};

QTEST_MAIN(TestTPEditor)
#include "tst_tp_editor.moc"
