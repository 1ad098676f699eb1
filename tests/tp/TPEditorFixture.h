#pragma once

// The TP editor opened from the main window on the tests' made-up TP image, for
// tests that drive it with mouse, keyboard and wheel events.
#include "app/AppContext.h"
#include "app/ui/frmMain.h"
#include "support/ModalDriver.h"
#include "support/ShownWindow.h"
#include "support/TempProgramDir.h"
#include "tp/ui/frmTPEdit.h"

#include <QAbstractItemModel>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTreeView>
#include <QtTest>

#include <memory>

struct TPEditorFixture {
    TempProgramDir dir;
    std::unique_ptr<AppContext> context;
    std::unique_ptr<frmMain> window;
    QPointer<frmTPEdit> editor;

    TPEditorFixture()
    {
        for (const char *program : {"TPParse", "TPCombine"})
            QFile::copy(QStringLiteral(TARVIK_STAGE_DIR "/") + QLatin1String(program),
                        dir.file(QLatin1String(program)));
        const QString image = dir.file(QStringLiteral("Sat.MDA"));
        QFile::copy(QStringLiteral(TARVIK_TEST_DATA_DIR "/TP_Test.MDA"), image);
        QFile(image).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
        context = std::make_unique<AppContext>(ProgramDir(dir.path()));
        window = std::make_unique<frmMain>(*context);
        window->ApplyConfiguration();
        window->show();
        ModalDriver driver({modal::chooseFile(image)});
        window->cmdTPEDIT_Click(1);
        [&] { QTRY_VERIFY(driver.finished()); }();
        editor = shownWindow<frmTPEdit>();
        if (editor) {
            editor->activateWindow();
            [&] { QVERIFY(QTest::qWaitForWindowActive(editor)); }();
        }
    }

    ~TPEditorFixture()
    {
        if (!editor)
            return;
        ModalDriver no({[](QWidget *w) {
            auto *box = qobject_cast<QMessageBox *>(w);
            if (box)
                box->button(QMessageBox::No)->click();
            return box != nullptr;
        }});
        editor->close();
        QTRY_VERIFY_WITH_TIMEOUT(!editor, 5000);
    }

    TPTables &tables() { return *context->tpTables; }

    template <typename T = QPushButton>
    T *find(const char *name) const
    {
        return editor->findChild<T *>(QLatin1String(name));
    }
    QTreeView *list(const char *name) const { return find<QTreeView>(name); }
    QLineEdit *box(const char *name) const { return find<QLineEdit>(name); }

    QString cell(const char *listName, int row, int column) const
    {
        return list(listName)->model()->index(row - 1, column).data().toString();
    }
    // The centre of row `row` (from 1) of a list, in its viewport.
    QPoint rowPoint(const char *listName, int row) const
    {
        QTreeView *view = list(listName);
        return view->visualRect(view->model()->index(row - 1, 1)).center();
    }
    int currentRow(const char *listName) const { return list(listName)->currentIndex().row() + 1; }
};
