// The channel editor's export, import and "Order like…" through the File menu's
// access keys, the file dialogs and the real converters.
#include "EditorFixture.h"
#include "support/MenuKeys.h"
#include "support/ModalDriver.h"

#include <QAbstractButton>
#include <QMenu>
#include <QUndoStack>
#include <QtTest>

namespace {

// Ctrl+Z in the editor, which the dialogs may have left inactive.
void undo(const Editor &e)
{
    QApplication::setActiveWindow(e.window.get());
    QVERIFY(QTest::qWaitForWindowActive(e.window.get()));
    QTest::keyClick(e.window.get(), Qt::Key_Z, Qt::ControlModifier);
}

// Answers a question box with the button of `text`.
ModalDriver::Step answer(const QString &text, QStringList *questions)
{
    return [text, questions](QWidget *widget) {
        auto *box = qobject_cast<QMessageBox *>(widget);
        if (!box)
            return false;
        questions->append(box->text());
        for (QAbstractButton *button : box->buttons()) {
            if (button->text().remove(QLatin1Char('&')) == text)
                QMetaObject::invokeMethod(button, "click", Qt::QueuedConnection);
        }
        return true;
    };
}

}  // namespace

class TestChannelEditorExchange : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QApplication::setApplicationName(QStringLiteral("Tarvik")); }
    void fileMenuAccessKeysAreDistinct();
    void exportEditImportUndo();
    void badImportChangesNothing();
    void orderLikeAnImage();
};

void TestChannelEditorExchange::fileMenuAccessKeysAreDistinct()
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

void TestChannelEditorExchange::exportEditImportUndo()
{
    Editor e({QStringLiteral("One"), QStringLiteral("Two"), QStringLiteral("Three")}, 1);
    const QString csv = e.dir.file(QStringLiteral("list.csv"));
    {
        ModalDriver driver({modal::chooseFile(csv)});
        menuAccessKeys(e.window.get(), Qt::Key_F, Qt::Key_E);
        QTRY_VERIFY(driver.finished());
    }
    const QByteArray exported = readWholeFile(csv).value();
    QVERIFY(exported.startsWith("type,position,name,lock,F1,F2,F3,F4,F5,F6,orig_type,orig_position,orig_name\r\n"
                                "TV,1,One,1,3,3,3,3,3,3,TV,1,One\r\n"));

    const ChannelTables before = e.model.tables();
    QByteArray edited = exported;
    edited.replace("TV,1,One,1,", "TV,1,Uno,0,");
    const QList<QByteArray> lines = edited.split('\n');
    // Header, Three, Uno, the rest as they were.
    writeWholeFile(csv, lines[0] + '\n' + lines[3] + '\n' + lines[1] + '\n' + lines[2] + '\n' + lines[4] + '\n');
    {
        ModalDriver driver({modal::chooseFile(csv)});
        menuAccessKeys(e.window.get(), Qt::Key_F, Qt::Key_I);
        QTRY_VERIFY(driver.finished());
    }
    QCOMPARE(e.rows(), (QStringList{"Three", "Uno", "Two"}));
    QCOMPARE(e.window->undoStack()->count(), 1);
    QCOMPARE(e.model.tables().Channels[ChannelTV][1].Attribute & LockBit, 0);

    undo(e);
    QVERIFY(e.model.tables() == before);
    QCOMPARE(e.rows(), (QStringList{"One", "Two", "Three"}));
}

void TestChannelEditorExchange::badImportChangesNothing()
{
    Editor e({QStringLiteral("One"), QStringLiteral("Two")});
    const QString csv = e.dir.file(QStringLiteral("bad.csv"));
    writeWholeFile(csv, "type,position,name,lock,F1,F2,F3,F4,F5,F6,orig_type,orig_position,orig_name\r\n"
                        "TV,1,Two,0,,,,,,,TV,2,Two\r\n"
                        "TV,2,Eins,0,,,,,,,TV,1,Ones\r\n"
                        "TV,3,\"Ein|s\",0,,,,,,,TV,1,One\r\n");
    const ChannelTables before = e.model.tables();
    QStringList texts;
    ModalDriver driver({modal::chooseFile(csv), modal::acknowledgeBox(&texts)});
    menuAccessKeys(e.window.get(), Qt::Key_F, Qt::Key_I);
    QTRY_VERIFY(driver.finished());
    QCOMPARE(texts, QStringList{csv + " was not imported:\n"
                                      "line 3: unknown channel: TV 1 \"Ones\"\n"
                                      "line 4: the name \"Ein|s\" holds a character outside ISO-8859-1, \"|\" or a "
                                      "control character"});
    QVERIFY(e.model.tables() == before);
    QCOMPARE(e.window->undoStack()->count(), 0);
}

void TestChannelEditorExchange::orderLikeAnImage()
{
    Editor e({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("D")}, 0);
    ChannelTables reference = sampleTables(3, 0);
    const QStringList names{QStringLiteral("d"), QStringLiteral(" b "), QStringLiteral("X")};
    for (int i = 0; i < 3; ++i) {
        reference.Rom[i].NameBytes = names[i].toLatin1();
        reference.Rom[i].Name = names[i];
        reference.Rom[i].NameLast = qint16(names[i].size() - 1);
    }
    const QString referenceImage = e.dir.file(QStringLiteral("reference.bin"));
    writeWholeFile(referenceImage, ChannelImage::build(reference).value());
    const ChannelTables before = e.model.tables();
    const auto editorFiles = [&e] {
        QStringList contents;
        for (const QString &name : QDir(e.dir.path()).entryList({QStringLiteral("*.dll")}, QDir::Files, QDir::Name))
            contents << name << QString::fromLatin1(readWholeFile(e.dir.file(name)).value());
        return contents;
    };
    const QStringList filesBefore = editorFiles();
    QCOMPARE(filesBefore.size(), 8);

    QStringList questions;
    QStringList reports;
    ModalDriver driver(
        {modal::chooseFile(referenceImage), answer(QStringLiteral("No"), &questions), modal::acknowledgeBox(&reports)});
    menuAccessKeys(e.window.get(), Qt::Key_F, Qt::Key_L);
    QTRY_VERIFY(driver.finished());
    QCOMPARE(questions, QStringList{"Take the locks and favourites from the reference too?"});
    QCOMPARE(reports, QStringList{"Matched 2 of 4 channels.\nNot in the reference:\nTV: A\nTV: C"});
    QCOMPARE(e.rows(), (QStringList{"D", "B", "A", "C"}));
    // The reference was parsed elsewhere: the editor's own files are untouched.
    QCOMPARE(editorFiles(), filesBefore);
    QCOMPARE(e.window->undoStack()->count(), 1);
    undo(e);
    QVERIFY(e.model.tables() == before);
}

QTEST_MAIN(TestChannelEditorExchange)
#include "tst_channel_editor_exchange.moc"
