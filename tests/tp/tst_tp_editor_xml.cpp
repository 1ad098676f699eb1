// The TP editor's satellites.xml import through the File menu's access keys,
// the file dialog and the chooser, as a user works them.
#include "TPEditorFixture.h"
#include "common/WholeFile.h"
#include "support/MenuKeys.h"
#include "tp/SatListModel.h"
#include "tp/ui/dlgSatellitesXml.h"

#include <QListWidget>
#include <QMenu>
#include <QRadioButton>

namespace {

const QByteArray kXml = "<?xml version=\"1.0\"?>\n<satellites>\n"
                        " <sat name=\"Alpha\" flags=\"0\" position=\"192\">\n"
                        "  <transponder frequency=\"11362000\" symbol_rate=\"22000000\" polarization=\"0\" "
                        "fec_inner=\"2\"/>\n </sat>\n"
                        " <sat name=\"Beta\" flags=\"0\" position=\"-8\"/>\n"
                        " <sat name=\"Gamma\" flags=\"0\" position=\"130\"/>\n</satellites>\n";

// In the chooser: Ctrl+click the given rows, pick the mode, OK.
ModalDriver::Step choose(const QList<int> &rows, bool replace)
{
    return [rows, replace](QWidget *widget) {
        auto *dialog = qobject_cast<dlgSatellitesXml *>(widget);
        if (!dialog)
            return false;
        auto *list = dialog->findChild<QListWidget *>(QStringLiteral("lstSatellites"));
        for (const int row : rows)
            QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier,
                              list->visualItemRect(list->item(row)).center());
        auto *mode =
            dialog->findChild<QRadioButton *>(replace ? QStringLiteral("optReplace") : QStringLiteral("optFill"));
        QTest::mouseClick(mode, Qt::LeftButton, {}, QPoint(4, mode->height() / 2));
        QTest::keyClick(list, Qt::Key_Return);
        return true;
    };
}

}  // namespace

class TestTPEditorXml : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QApplication::setApplicationName(QStringLiteral("Tarvik")); }

    void importFillsFromTheSelectedRowAndUndoes_data()
    {
        QTest::addColumn<bool>("replace");
        QTest::addColumn<QStringList>("rows");  // rows 2 to 4 afterwards; "" = as before
        QTest::newRow("fill from row 2") << false << QStringList{"Alpha (0192)", "Gamma (0130)", ""};
        QTest::newRow("replace rows 2 and 4") << true << QStringList{"Alpha (0192)", "", "Gamma (0130)"};
    }
    void importFillsFromTheSelectedRowAndUndoes()
    {
        QFETCH(bool, replace);
        QFETCH(QStringList, rows);
        TPEditorFixture f;
        QVERIFY(f.editor);
        const QString xml = f.dir.file(QStringLiteral("satellites.xml"));
        QVERIFY(writeWholeFile(xml, kXml).ok());
        const TPTables before = f.tables();
        QStringList old;
        for (int row = 2; row <= 4; ++row)
            old << f.cell("List1", row, SatListModel::SatName);
        QTest::mouseClick(f.list("List1")->viewport(), Qt::LeftButton, {}, f.rowPoint("List1", 2));
        if (replace)
            QTest::mouseClick(f.list("List1")->viewport(), Qt::LeftButton, Qt::ControlModifier, f.rowPoint("List1", 4));

        QStringList reports;
        ModalDriver driver({modal::chooseFile(xml), choose({0, 2}, replace), modal::acknowledgeBox(&reports)});
        menuAccessKeys(f.editor, Qt::Key_F, Qt::Key_I);
        QTRY_VERIFY(driver.finished());
        QCOMPARE(reports, QStringList{"Took 2 satellites."});
        for (int i = 0; i < 3; ++i)
            QCOMPARE(f.cell("List1", i + 2, SatListModel::SatName), rows[i].isEmpty() ? old[i] : rows[i]);
        QCOMPARE(f.editor->history().count(), 1);

        QApplication::setActiveWindow(f.editor);
        QVERIFY(QTest::qWaitForWindowActive(f.editor));
        QTest::keyClick(f.editor, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(f.tables().SatData == before.SatData);
        QVERIFY(f.tables().TPData == before.TPData);
    }
};

QTEST_MAIN(TestTPEditorXml)
#include "tst_tp_editor_xml.moc"
