// The channel editor through the main window, with the real converters and,
// for the upload, the receiver simulator on Com1.
#include "EditorFixture.h"
#include "app/AppContext.h"
#include "app/ui/frmMain.h"
#include "channel/ui/frmCHEdit.h"
#include "common/ui/MessageBoard.h"
#include "support/ShownWindow.h"
#include "support/TransferHarness.h"
#include "support/TransferWatch.h"
#include "tp/ui/frmTPEdit.h"

#include <QCheckBox>
#include <QDir>
#include <QPushButton>

namespace {

// A program directory with both channel converters and a copy of the sample image.
struct EditorSetup {
    TempProgramDir dir;
    QString image = dir.file(QStringLiteral("channels.bin"));
    std::unique_ptr<AppContext> context;
    std::unique_ptr<frmMain> window;

    EditorSetup()
    {
        stageConverters(dir.path());
        QFile::copy(QStringLiteral(TARVIK_STAGE_DIR "/samples/channels.bin"), image);
        QFile::setPermissions(image, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        context = std::make_unique<AppContext>(ProgramDir(dir.path()));
        window = std::make_unique<frmMain>(*context);
        window->ApplyConfiguration();
        window->show();
    }
    // A failed check leaves its editors open; none may outlive the data it shows.
    ~EditorSetup()
    {
        discardWindows<frmCHEdit>();
        discardWindows<frmTPEdit>();
    }
    frmCHEdit *open()
    {
        ModalDriver driver({modal::chooseFile(image)});
        window->cmdCHEdit_Click(1);
        return driver.finished() ? shownWindow<frmCHEdit>() : nullptr;
    }
    // The receiver simulator on Com1, serving `image` to downloads.
    std::unique_ptr<SimProcess> serve(const QByteArray &image) const
    {
        const QString served = dir.file(QStringLiteral("served.bin"));
        writeWholeFile(served, image);
        return std::make_unique<SimProcess>(dir.path(), QStringList{QStringLiteral("--image"), served});
    }
    const ChannelEntry &tv(int position) const { return context->channels.tables().Channels[0][position]; }
    QString name(int position) const { return context->channels.tables().Rom[tv(position).ChannelIndex].Name; }
};

// The name of TV channel `position` in the image `path`, as the converter reads it.
QByteArray imageName(const QString &path, int position)
{
    const Result<ChannelTables> tables = ChannelImage::parse(contents(path));
    if (!tables)
        return QByteArray("(refused: ") + tables.error().toLatin1() + ')';
    const ChannelTables &t = tables.value();
    return t.Rom.value(t.Channels[0].value(position).ChannelIndex).NameBytes;
}

// Plays the user at the transfer window: notes and dismisses its message
// boxes once `ready` says so, and presses its button once it no longer says
// "Cancel" or "OK".
struct TransferUser {
    QStringList boxes;
    QTimer poll;
    explicit TransferUser(const std::function<bool()> &ready)
    {
        poll.setInterval(10);
        QObject::connect(&poll, &QTimer::timeout, &poll, [this, ready] {
            if (!ready())
                return;
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                boxes << box->text();
                box->done(QMessageBox::Ok);
                return;
            }
            for (QWidget *w : QApplication::topLevelWidgets()) {
                if (w->objectName() != QLatin1String("frmProgress1") || !w->isVisible())
                    continue;
                auto *button = w->findChild<QPushButton *>(QStringLiteral("cmdCancel"));
                if (button->isEnabled() && button->text() != QLatin1String("Cancel") &&
                    button->text() != QLatin1String("OK"))
                    button->click();
            }
        });
        poll.start();
    }
};

}  // namespace

class TestChannelEditor : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QApplication::setApplicationName(QStringLiteral("Tarvik")); }

    void saveFailedSaveCloseReopen()
    {
        EditorSetup setup;
        const QByteArray original = contents(setup.image);
        frmCHEdit *editor = setup.open();
        QVERIFY(editor);
        QVERIFY(!setup.window->findChild<QPushButton *>(QStringLiteral("cmdCHEdit_1"))->isEnabled());
        auto *name = child<QLineEdit>(editor, "txtChannelName");
        retype(name, QStringLiteral("NEWS|24"));  // the bar is refused at the box
        QCOMPARE(name->text(), QStringLiteral("NEWS24"));
        const bool wasLocked = setup.tv(0).Attribute & LockBit;
        QTest::mouseClick(child<QCheckBox>(editor, "chkLock"), Qt::LeftButton);
        const bool wasInF3 = setup.tv(0).FavoriteFlag[2] == 1;
        QTest::mouseClick(child<QCheckBox>(editor, "chkFavorite_2"), Qt::LeftButton);

        click(editor, "cmdDataSave");
        QVERIFY(setup.context->channels.ChannelDataUnchanged());
        QCOMPARE(contents(setup.image + QStringLiteral(".bak")), original);
        QVERIFY(setup.window->board()->toPlainText().contains(setup.image + QStringLiteral(".bak")));

        // How a save fails, and what it leaves, is the saver's; the window shows it and keeps the edits.
        QFile::remove(setup.dir.file(QStringLiteral("ChannelCombine")));
        retype(name, QStringLiteral("NEWS 24"));
        QStringList boxes;
        throughDialogs({modal::acknowledgeBox(&boxes)}, [&] { click(editor, "cmdDataSave"); });
        QVERIFY2(boxes.size() == 1 && boxes[0].startsWith(QStringLiteral("ChannelCombine could not be started")),
                 qPrintable(boxes.join(QLatin1Char('|'))));
        QVERIFY(!setup.context->channels.ChannelDataUnchanged());
        stageConverters(setup.dir.path());
        click(editor, "cmdDataSave");
        QVERIFY(setup.context->channels.ChannelDataUnchanged());

        editor->close();                                    // unchanged: no prompt
        QVERIFY(!setup.dir.has(QStringLiteral("TV.dll")));  // the working files go with the editor
        QVERIFY(setup.window->findChild<QPushButton *>(QStringLiteral("cmdCHEdit_1"))->isEnabled());

        editor = setup.open();
        QVERIFY(editor);
        QCOMPARE(setup.name(0), QStringLiteral("NEWS 24"));
        QCOMPARE(bool(setup.tv(0).Attribute & LockBit), !wasLocked);
        QCOMPARE(setup.tv(0).FavoriteFlag[2] == 1, !wasInF3);
        editor->close();
    }

    void ctrlAThenCancelledSaveAsCloseAndOpen()
    {
        EditorSetup setup;
        frmCHEdit *editor = setup.open();
        QVERIFY(editor);
        QVERIFY(activate(editor));
        auto *list = child<QTreeView>(editor, "List1");
        list->setFocus();
        QTest::keyClick(list, Qt::Key_A, Qt::ControlModifier);  // select all, not "Save As"
        QCOMPARE(list->selectionModel()->selectedRows().size(), list->model()->rowCount());
        QVERIFY(!QApplication::activeModalWidget());
        retype(child<QLineEdit>(editor, "txtChannelName"), QStringLiteral("Z"));
        const QString caption = editor->windowTitle();
        QStringList titles;
        throughDialogs({modal::cancelFileDialog(&titles)}, [&] {
            QTest::keyClick(child<QLineEdit>(editor, "txtChannelName"), Qt::Key_A, Qt::ControlModifier);
        });
        QCOMPARE(titles, QStringList{QStringLiteral("Save Ch. DATA")});
        QCOMPARE(editor->windowTitle(), caption);
        QCOMPARE(setup.context->link.selectedFile, setup.image);
        QVERIFY(!setup.context->channels.ChannelDataUnchanged());

        // Cancel at the save question keeps the window and its files.
        QStringList seen;
        throughDialogs({noteBox(&seen, QMessageBox::Cancel)}, [&] { editor->close(); });
        QCOMPARE(seen,
                 QStringList{boxLook(QStringLiteral("Tarvik"),
                                     QStringLiteral("Do you want save the changes you made to 'CH Data'?"),
                                     QMessageBox::NoIcon, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)});
        QVERIFY(editor->isVisible());
        QVERIFY(setup.dir.has(QStringLiteral("TV.dll")));
        QVERIFY(!setup.window->findChild<QPushButton *>(QStringLiteral("cmdCHEdit_1"))->isEnabled());

        // File Open, the edits dropped: the caption names the file opened, and Save writes it.
        const QString other = setup.dir.file(QStringLiteral("other.bin"));
        QVERIFY(QFile::copy(setup.image, other));
        const QByteArray imageBytes = contents(setup.image);
        throughDialogs({modal::answerBox(QMessageBox::No), modal::chooseFile(other)},
                       [&] { click(editor, "cmdDataFileLoad"); });
        QVERIFY2(editor->windowTitle().endsWith(QStringLiteral("other.bin")), qPrintable(editor->windowTitle()));
        retype(child<QLineEdit>(editor, "txtChannelName"), QStringLiteral("OTHER"));
        click(editor, "cmdDataSave");
        QCOMPARE(imageName(other, 0), QByteArray("OTHER"));
        QCOMPARE(contents(setup.image), imageBytes);
        editor->close();
    }

    void saveWritesTheFileInTheCaption()
    {
        EditorSetup setup;
        const QString other = setup.dir.file(QStringLiteral("other.bin"));
        QVERIFY(QFile::copy(setup.image, other));
        const QByteArray otherBytes = contents(other);
        SimProcess sim(setup.dir.path(), {QStringLiteral("--out"), setup.dir.file(QStringLiteral("received.bin"))});
        QVERIFY(sim.started());
        frmCHEdit *editor = setup.open();
        QVERIFY(editor);
        const QString caption = editor->windowTitle();
        QVERIFY2(caption.endsWith(QStringLiteral("channels.bin")), qPrintable(caption));
        auto *name = child<QLineEdit>(editor, "txtChannelName");
        retype(name, QStringLiteral("MINE"));

        // Other windows choose files for their transfers: an upload of the main
        // window cancelled in its dialog, the TP editor opened on its own file, then
        // the editor's own upload of other.bin.
        throughDialogs({modal::cancelFileDialog()}, [&] { click(setup.window.get(), "cmdPCSTB_0"); });
        const QString tpImage = setup.dir.file(QStringLiteral("Sat.MDA"));
        stageConverters(setup.dir.path(), {"TPParse", "TPCombine"});
        QFile::copy(QStringLiteral(TARVIK_TEST_DATA_DIR "/TP_Test.MDA"), tpImage);
        throughDialogs({modal::chooseFile(tpImage)}, [&] { setup.window->cmdTPEDIT_Click(1); });
        QPointer<frmTPEdit> tpEditor = shownWindow<frmTPEdit>();
        QVERIFY(tpEditor);
        QCOMPARE(setup.context->link.selectedFile, tpImage);
        {
            TransferWatch transfers(setup.context->link);
            QStringList titles;
            throughDialogs({modal::answerBox(QMessageBox::No), modal::chooseFile(other, &titles)},
                           [&] { click(editor, "cmdDataUpload"); });
            QCOMPARE(titles, QStringList{QStringLiteral("Upload Ch. DATA")});
            QCOMPARE(transfers.modes, QList<int>{10});
            QCOMPARE(contents(setup.dir.file(QStringLiteral("received.bin"))), otherBytes);
        }
        QCOMPARE(setup.context->link.selectedFile, other);  // the transfer's file
        click(editor, "cmdDataSave");
        QCOMPARE(imageName(setup.image, 0), QByteArray("MINE"));
        QCOMPARE(contents(other), otherBytes);
        QCOMPARE(editor->windowTitle(), caption);

        // Whatever SelectedFile says, answering Yes at close saves into the caption's file.
        setup.context->link.selectedFile.clear();
        retype(name, QStringLiteral("CLOSED"));
        throughDialogs({modal::answerBox(QMessageBox::Yes)}, [&] { editor->close(); });
        QCOMPARE(imageName(setup.image, 0), QByteArray("CLOSED"));
        QCOMPARE(contents(other), otherBytes);
        QVERIFY(tpEditor->close());  // unchanged: no prompt
    }

    void refusedDownloadKeepsTheEditedFile()
    {
        EditorSetup setup;
        QByteArray refused = contents(setup.image);
        refused[refused.size() - 1] = 1;  // one stray byte in the unused end
        const auto sim = setup.serve(refused);
        QVERIFY(sim->started());
        frmCHEdit *editor = setup.open();
        QVERIFY(editor);
        const QString caption = editor->windowTitle();
        retype(child<QLineEdit>(editor, "txtChannelName"), QStringLiteral("KEPT"));
        const QByteArray before = contents(setup.image);

        ModalDriver driver({modal::answerBox(QMessageBox::No), modal::chooseFile(setup.image)});
        TransferUser user([&driver] { return driver.finished(); });
        click(editor, "cmdDataDownload");
        QVERIFY(driver.finished());
        QCOMPARE(user.boxes.size(), 1);
        QVERIFY2(user.boxes[0].contains(QStringLiteral("the unused end of the image is not empty")),
                 qPrintable(user.boxes[0]));
        QCOMPARE(contents(setup.image), before);
        QCOMPARE(QDir(setup.dir.path()).entryList({QStringLiteral("channels.bin.*")}), QStringList());
        QCOMPARE(editor->windowTitle(), caption);
        QCOMPARE(setup.name(0), QStringLiteral("KEPT"));
        QVERIFY(!setup.context->channels.ChannelDataUnchanged());

        // The edits can still be saved into the file.
        click(editor, "cmdDataSave");
        QVERIFY(setup.context->channels.ChannelDataUnchanged());
        QCOMPARE(imageName(setup.image, 0), QByteArray("KEPT"));
        editor->close();
    }

    void downloadIntoANewFile()
    {
        EditorSetup setup;
        const QByteArray image = ChannelImage::build(namedTables({QStringLiteral("FRESH")})).value();
        const auto sim = setup.serve(image);
        QVERIFY(sim->started());
        frmCHEdit *editor = setup.open();
        QVERIFY(editor);
        const QByteArray edited = contents(setup.image);

        const QString fresh = setup.dir.file(QStringLiteral("fresh.bin"));
        ModalDriver driver({modal::chooseFile(fresh)});
        TransferUser user([&driver] { return driver.finished(); });
        click(editor, "cmdDataDownload");
        QVERIFY(driver.finished());
        QCOMPARE(user.boxes, QStringList());
        QCOMPARE(contents(fresh), image);
        QCOMPARE(contents(setup.image), edited);
        QCOMPARE(QDir(setup.dir.path()).entryList({QStringLiteral("fresh.bin.*")}), QStringList());
        QVERIFY2(editor->windowTitle().endsWith(QStringLiteral("fresh.bin")), qPrintable(editor->windowTitle()));
        QCOMPARE(child<QLineEdit>(editor, "txtChannelName")->text(), QStringLiteral("FRESH"));

        // From now on Save writes the downloaded file.
        retype(child<QLineEdit>(editor, "txtChannelName"), QStringLiteral("SAVED"));
        click(editor, "cmdDataSave");
        QCOMPARE(imageName(fresh, 0), QByteArray("SAVED"));
        QCOMPARE(contents(setup.image), edited);
        editor->close();
    }
};

QTEST_MAIN(TestChannelEditor)
#include "tst_channel_editor.moc"
