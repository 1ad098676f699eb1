// Work that overlaps: input and closes while a converter runs, and the editors
// outliving the main window. Converters that sleep hold a run open.
#include "app/AppContext.h"
#include "app/ui/frmMain.h"
#include "channel/ui/frmCHEdit.h"
#include "support/ModalDriver.h"
#include "support/ShownWindow.h"
#include "support/TempProgramDir.h"
#include "support/TestFiles.h"
#include "tp/TPDataCheck.h"
#include "tp/ui/frmTPEdit.h"

#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QtTest>

namespace {

// A converter that takes its time, then does the real work.
QByteArray slowly(const char *program, double seconds = 1.0)
{
    return QByteArray("sleep ") + QByteArray::number(seconds) + "\nexec \"" TARVIK_STAGE_DIR "/" + program +
           "\" \"$@\"\n";
}

// Edits the name box of the current row as a user would.
void typeName(QWidget *editor, const char *box, const QString &text)
{
    auto *edit = editor->findChild<QLineEdit *>(QLatin1String(box));
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

struct Fixture {
    TempProgramDir dir;
    std::unique_ptr<AppContext> context;
    std::unique_ptr<frmMain> window;
    QString tpImage = dir.file(QStringLiteral("Sat.MDA"));
    QString channelImage = dir.file(QStringLiteral("channels.bin"));

    explicit Fixture(double parseSeconds = 0, double combineSeconds = 0)
    {
        for (const char *kind : {"TP", "Channel"}) {
            dir.script(QLatin1String(kind) + QStringLiteral("Parse"),
                       slowly(QByteArray(kind).append("Parse"), parseSeconds));
            dir.script(QLatin1String(kind) + QStringLiteral("Combine"),
                       slowly(QByteArray(kind).append("Combine"), combineSeconds));
        }
        copySample("TP_Sample.MDA", tpImage);
        copySample("channels.bin", channelImage);
        context = std::make_unique<AppContext>(ProgramDir(dir.path()));
        window = std::make_unique<frmMain>(*context);
        window->ApplyConfiguration();
        window->show();
        if (!activate(window.get()))
            qWarning("main window not active");
    }
    ~Fixture()
    {
        discardWindows<frmTPEdit>();
        discardWindows<frmCHEdit>();
    }

    static void copySample(const char *name, const QString &to)
    {
        QFile::copy(QStringLiteral(TARVIK_STAGE_DIR "/samples/") + QLatin1String(name), to);
        QFile(to).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    }

    // Opens the editor as "&Edit Satellite" or "&File Open" does, choosing the image.
    QWidget *openEditor(bool tp)
    {
        throughDialogs({modal::chooseFile(tp ? tpImage : channelImage)}, [&] {
            if (tp)
                window->cmdTPEDIT_Click(1);
            else
                window->cmdCHEdit_Click(1);
        });
        QWidget *editor = tp ? static_cast<QWidget *>(shownWindow<frmTPEdit>()) : shownWindow<frmCHEdit>();
        if (editor && !activate(editor))
            qWarning("editor not active");
        return editor;
    }

    // The intermediate file `name` as the converters spell it.
    QByteArray intermediate(const QString &name) const
    {
        const QStringList found = QDir(dir.path()).entryList({name}, QDir::Files);
        return found.isEmpty() ? QByteArray() : contents(dir.file(found.first()));
    }
};

// What a hurried user does while a run is under way: none of it may land.
void pesterWhileBusy(QWidget *target)
{
    QVERIFY(QGuiApplication::overrideCursor());
    QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    QTest::keyClick(target, Qt::Key_X, Qt::AltModifier);  // Exit
    QTest::keyClick(target, Qt::Key_Escape);
    QTest::keyClick(target, Qt::Key_Delete);
    QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(!target->close());
}

}  // namespace

class TestAppOverlappingWork : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QApplication::setApplicationName(QStringLiteral("Tarvik")); }

    void editorCannotBeClosedWhileItSaves_data()
    {
        QTest::addColumn<bool>("tp");
        QTest::newRow("TP editor") << true;
        QTest::newRow("channel editor") << false;
    }

    void editorCannotBeClosedWhileItSaves()
    {
        QFETCH(bool, tp);
        Fixture f(0, 1);
        QPointer<QWidget> editor = f.openEditor(tp);
        QVERIFY(editor);
        const QString image = tp ? f.tpImage : f.channelImage;
        const auto unchanged = [&] {
            return tp ? TPDataUnchanged(*f.context->tpTables) : f.context->channels.ChannelDataUnchanged();
        };
        // A name each box takes whole (a channel name is short).
        const QByteArray name = tp ? "Saved Under Way (0100)" : "SavedNow";
        typeName(editor, tp ? "txtSatName" : "txtChannelName", QString::fromLatin1(name));
        QVERIFY(!unchanged());

        bool pestered = false;
        bool midRun = false;
        bool unchangedMidRun = true;
        QTimer::singleShot(500, editor, [&] {
            // The intermediate files are written and the combiner is still at work.
            const QByteArray written =
                tp ? f.intermediate(QStringLiteral("PreDefine.dll")) : f.intermediate(QStringLiteral("TV.dll"));
            midRun = !written.isEmpty() && !contents(image).contains(name);
            unchangedMidRun = unchanged();
            pesterWhileBusy(editor);
            pestered = true;
        });
        QTest::keyClick(editor, Qt::Key_S, Qt::AltModifier);
        QTRY_VERIFY_WITH_TIMEOUT(pestered, 5000);
        QVERIFY(midRun);
        QVERIFY(!unchangedMidRun);  // the edits count as saved only once the image is made
        QTRY_VERIFY_WITH_TIMEOUT(contents(image).contains(name), 5000);
        QVERIFY(editor && editor->isVisible());
        QTRY_VERIFY(unchanged());
        QVERIFY(editor->close());  // saved, so it asks nothing
    }

    void mainWindowIgnoresInputWhileItConverts()
    {
        Fixture f(1, 0);
        bool pestered = false;
        QTimer::singleShot(400, f.window.get(), [&] {
            pesterWhileBusy(f.window.get());
            pestered = true;
        });
        QPointer<QWidget> editor = f.openEditor(true);
        QVERIFY(pestered);
        QVERIFY(f.window->isVisible());
        QVERIFY(editor);
    }

    void editorsOutliveTheMainWindow_data()
    {
        QTest::addColumn<bool>("tp");
        QTest::addColumn<bool>("changed");
        QTest::newRow("TP editor") << true << false;
        QTest::newRow("TP editor with changes") << true << true;
        QTest::newRow("channel editor") << false << false;
        QTest::newRow("channel editor with changes") << false << true;
    }

    // The program ends when its last window closes, not when the main window does.
    void editorsOutliveTheMainWindow()
    {
        QFETCH(bool, tp);
        QFETCH(bool, changed);
        Fixture f;
        QPointer<QWidget> editor = f.openEditor(tp);
        QVERIFY(editor);
        if (changed)
            typeName(editor, tp ? "txtSatName" : "txtChannelName", QStringLiteral("Changed (0100)"));
        bool editorStayed = false;
        bool closing = false;     // set when the test closes the editor itself
        bool askedEarly = false;  // a question before that came from the main window's close
        QTimer::singleShot(0, f.window.get(), [&] {
            f.window->close();
            QTimer::singleShot(300, editor, [&] {
                editorStayed = editor && editor->isVisible();
                closing = true;
                editor->close();
            });
        });
        // Any question is answered No, so the editor closes without saving.
        ModalDriver answer({[&](QWidget *modal) {
            auto *box = qobject_cast<QMessageBox *>(modal);
            if (!box)
                return false;
            askedEarly = askedEarly || !closing;
            QMetaObject::invokeMethod(
                box, [box] { box->button(QMessageBox::No)->click(); }, Qt::QueuedConnection);
            return true;
        }});
        QTimer::singleShot(10000, qApp, [] { QCoreApplication::exit(2); });
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(closing);  // the program went on until the editor closed
        QVERIFY(editorStayed);
        QVERIFY(!askedEarly);
        QVERIFY(!editor);
    }
};

QTEST_MAIN(TestAppOverlappingWork)
#include "tst_app_overlapping_work.moc"
