// The main window's upload and download commands end to end: the real file
// dialog, transfer window and converter, with the receiver simulator on Com1.
#include "app/AppContext.h"
#include "app/ui/frmMain.h"
#include "common/ui/MessageBoard.h"
#include "support/ModalDriver.h"
#include "support/TempProgramDir.h"
#include "support/TestFiles.h"
#include "support/TransferHarness.h"
#include "support/TransferWatch.h"

#include <QPushButton>
#include <QtTest>

class TestAppMainTransfer : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QApplication::setApplicationName(QStringLiteral("Tarvik")); }

    void transponderUpload()
    {
        TempProgramDir dir;
        SimProcess sim(dir.path(), {QStringLiteral("--out"), dir.file(QStringLiteral("received.bin"))});
        QVERIFY(sim.started());
        AppContext context{ProgramDir(dir.path())};
        frmMain window(context);
        window.ApplyConfiguration();
        window.show();
        const QString image = QStringLiteral(TARVIK_STAGE_DIR "/samples/TP_Sample.MDA");
        QStringList titles;
        TransferWatch transfers(context.link);
        // The click returns when the transfer window has closed.
        throughDialogs({modal::chooseFile(image, &titles)}, [&window] { window.cmdPCSTB_Click(2); });
        QCOMPARE(titles, QStringList{QStringLiteral("Open Transponder File")});
        QCOMPARE(transfers.modes, QList<int>{10});
        QCOMPARE(context.link.selectedFile, image);
        QCOMPARE(window.board()->toPlainText(),
                 QStringLiteral("KELDO ZAVO STB CONNECTED\nSTART TRANSPONDER DATA SENDING\n"
                                "Please wait, WRITING DATA...\nSUCCESS\n \n"));
        QCOMPARE(contents(dir.file(QStringLiteral("received.bin"))), contents(image));
    }

    void channelDownloadOpensTheChannelData()
    {
        TempProgramDir dir;
        QVERIFY(
            QFile::copy(QStringLiteral(TARVIK_STAGE_DIR "/ChannelParse"), dir.file(QStringLiteral("ChannelParse"))));
        const QString served = QStringLiteral(TARVIK_STAGE_DIR "/samples/channels.bin");
        SimProcess sim(dir.path(), {QStringLiteral("--image"), served});
        QVERIFY(sim.started());
        AppContext context{ProgramDir(dir.path())};
        frmMain window(context);
        window.ApplyConfiguration();
        window.show();
        const QString target = dir.file(QStringLiteral("ROM_GetCH.bin"));
        QStringList titles;
        TransferWatch transfers(context.link);
        throughDialogs({modal::chooseFile(target, &titles)}, [&window] { window.cmdCHEdit_Click(0); });
        QCOMPARE(titles, QStringList{QStringLiteral("Save Ch. DATA")});
        QCOMPARE(transfers.modes, QList<int>{10});
        QCOMPARE(contents(target), contents(served));
        // The converter ran, the channel data is loaded and the editor shows it.
        QVERIFY(dir.has(QStringLiteral("TV.dll")));
        QVERIFY(context.channels.DataLoaded());
        QWidget *editor = nullptr;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->objectName() == QLatin1String("frmCHEdit") && w->isVisible())
                editor = w;
        QVERIFY(editor);
        QVERIFY(!window.findChild<QPushButton *>(QStringLiteral("cmdCHEdit_0"))->isEnabled());
        editor->close();
        QVERIFY(window.findChild<QPushButton *>(QStringLiteral("cmdCHEdit_0"))->isEnabled());
        QVERIFY(!dir.has(QStringLiteral("TV.dll")));
    }
};

QTEST_MAIN(TestAppMainTransfer)
#include "tst_app_main_transfer.moc"
