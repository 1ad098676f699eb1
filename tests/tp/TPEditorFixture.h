#pragma once

// The TP editor opened from the main window on the tests' made-up TP image,
// over the real converters (or a TPCombine script standing in).

#include "TPTestData.h"
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

#include <functional>
#include <memory>

struct TPEditorFixture {
    static inline const QString original = QStringLiteral(TARVIK_TEST_DATA_DIR "/TP_Test.MDA");

    TempProgramDir dir;
    QString image = dir.file(QStringLiteral("Sat.MDA"));
    std::unique_ptr<AppContext> context;
    std::unique_ptr<frmMain> window;
    QPointer<frmTPEdit> editor;

    explicit TPEditorFixture(const QByteArray &combiner = {})
    {
        for (const QString &name : {QStringLiteral("TPParse"), QStringLiteral("TPCombine")}) {
            if (name == QLatin1String("TPCombine") && !combiner.isEmpty())
                dir.script(name, combiner);
            else
                QFile::copy(QStringLiteral(TARVIK_STAGE_DIR "/") + name, dir.file(name));
        }
        QFile::copy(original, image);
        QFile(image).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
        context = std::make_unique<AppContext>(ProgramDir(dir.path()));
        window = std::make_unique<frmMain>(*context);
        window->ApplyConfiguration();
        window->show();
        open();
    }
    ~TPEditorFixture() { discardWindows<frmTPEdit>(); }

    // Opens the image from the main window, as its command does.
    void open()
    {
        throughDialogs({modal::chooseFile(image)}, [this] { window->cmdTPEDIT_Click(1); });
        editor = shownWindow<frmTPEdit>();
        if (editor)
            [&] { QVERIFY(activate(editor)); }();
    }

    // Closes the editor, answering the question about unsaved edits with `answer`.
    void close(QMessageBox::StandardButton answer, QStringList *texts = nullptr)
    {
        throughDialogs({modal::answerBox(answer, texts)}, [this] { editor->close(); });
        if (answer == QMessageBox::No)
            QTRY_VERIFY(!editor);
    }

    TPTables &tables() { return *context->tpTables; }

    template <typename T = QPushButton>
    T *find(const char *name) const
    {
        return editor->findChild<T *>(QLatin1String(name));
    }
    QTreeView *list(const char *name) const { return find<QTreeView>(name); }
    QLineEdit *box(const char *name) const { return find<QLineEdit>(name); }
    QAction *action(const char *name) const { return find<QAction>(name); }

    // Types over the whole text of an entry box.
    void type(const char *name, const QString &text) const
    {
        QLineEdit *edit = box(name);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }

    QString cell(const char *listName, int row, int column) const
    {
        return list(listName)->model()->index(row - 1, column).data().toString();
    }
    QStringList column(const char *listName, int column) const
    {
        QStringList texts;
        for (int row = 1; row <= list(listName)->model()->rowCount(); ++row)
            texts << cell(listName, row, column);
        return texts;
    }
    // The centre of row `row` (from 1) of a list, in its viewport.
    QPoint rowPoint(const char *listName, int row) const
    {
        QTreeView *view = list(listName);
        return view->visualRect(view->model()->index(row - 1, 1)).center();
    }
    int currentRow(const char *listName) const { return list(listName)->currentIndex().row() + 1; }
};
