#pragma once

// The channel editor window on its own, over an image of chosen channels that
// the real converter has parsed, as the main window opens it.

// ModalDriver.h clicks buttons without including them.

#include "ChannelImage.h"
#include "ChannelTestData.h"
#include "channel/ui/frmCHEdit.h"
#include "common/Converters.h"
#include "link/ReceiverLink.h"
#include "support/ModalDriver.h"
#include "support/ShownWindow.h"
#include "support/TempProgramDir.h"

#include <QAbstractButton>
#include <QHeaderView>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QTabBar>
#include <QTreeView>
#include <QtTest>

#include <functional>
#include <memory>

template <typename T>
T *child(const QWidget *window, const char *name)
{
    return window->findChild<T *>(QLatin1String(name));
}

// Replaces the box's text by typing.
inline void retype(QLineEdit *box, const QString &text)
{
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClicks(box, text);
}

// prefix0, prefix1, ... : n names.
inline QStringList numberedNames(const char *prefix, int n)
{
    QStringList names;
    for (int i = 0; i < n; ++i)
        names.append(QLatin1String(prefix) + QString::number(i));
    return names;
}

inline QStringList rowNames(const QTreeView *view)
{
    QStringList names;
    for (int r = 0; r < view->model()->rowCount(); ++r)
        names.append(view->model()->index(r, 1).data().toString());
    return names;
}

inline void clickTab(QTabBar *strip, int tab)
{
    QTest::mouseClick(strip, Qt::LeftButton, {}, strip->tabRect(tab).center());
}

// How a message box looks: "title|text|icon|buttons".
inline QString boxLook(const QString &title, const QString &text, QMessageBox::Icon icon,
                       QMessageBox::StandardButtons buttons)
{
    return QStringLiteral("%1|%2|%3|%4").arg(title, text).arg(int(icon)).arg(int(buttons), 0, 16);
}

// Notes how a message box looks and answers it with `answer`.
inline ModalDriver::Step noteBox(QStringList *seen, QMessageBox::StandardButton answer)
{
    return [seen, answer](QWidget *widget) {
        auto *box = qobject_cast<QMessageBox *>(widget);
        if (!box)
            return false;
        seen->append(boxLook(box->windowTitle(), box->text(), box->icon(), box->standardButtons()));
        QMetaObject::invokeMethod(box->button(answer), "click", Qt::QueuedConnection);
        return true;
    };
}

inline void click(const QWidget *window, const char *button)
{
    QTest::mouseClick(child<QAbstractButton>(window, button), Qt::LeftButton);
}

// An editor on an image of the given channels, loaded as the main window loads it.
struct Editor {
    TempProgramDir dir;
    ProgramDir programDir{dir.path()};
    QString image = dir.file(QStringLiteral("channels.bin"));
    Converters converters{programDir};
    ChannelModel model{programDir};
    ReceiverLink link{programDir};
    std::unique_ptr<frmCHEdit> window;

    explicit Editor(const QStringList &tvNames, int radio = 3)
    {
        stageConverters(dir.path());
        writeWholeFile(image, ChannelImage::build(namedTables(tvNames, radio)).value());
        link.selectedFile = image;
        if (converters.channelParse(image).succeeded())
            model.LoadChannelFiles();
        window = std::make_unique<frmCHEdit>(model, link, converters);
        window->setAttribute(Qt::WA_DeleteOnClose, false);
        window->show();
    }
    ~Editor()
    {
        model.SaveChannelFiles();  // no save prompt on the way out
        window->close();
    }

    template <typename T>
    T *child(const char *name) const
    {
        return ::child<T>(window.get(), name);
    }
    QTreeView *list() const { return child<QTreeView>("List1"); }
    QLineEdit *nameBox() const { return child<QLineEdit>("txtChannelName"); }
    QStringList rows() const { return rowNames(list()); }
    QStringList favoriteRows() const { return rowNames(child<QTreeView>("List3")); }
    void trigger(const char *name) const { child<QAction>(name)->trigger(); }
    bool activate() const { return ::activate(window.get()); }
    void clickHeader(int column) const
    {
        QHeaderView *header = list()->header();
        const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                        header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
    }
    // Where a click hits the row, scrolled into view first as a user would.
    QPoint rowPoint(int row) const
    {
        list()->scrollTo(list()->model()->index(row, 1));
        return list()->visualRect(list()->model()->index(row, 1)).center();
    }
    void press(int row, Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers mods = {}) const
    {
        QTest::mousePress(list()->viewport(), button, mods, rowPoint(row));
    }
    void release(int row, Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers mods = {}) const
    {
        QTest::mouseRelease(list()->viewport(), button, mods, rowPoint(row));
    }
    void selectRow(int row) const { QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, rowPoint(row)); }
    void ctrlClickRow(int row) const
    {
        press(row, Qt::LeftButton, Qt::ControlModifier);
        release(row, Qt::LeftButton, Qt::ControlModifier);
    }
    // What `target` receives at the end of a drag of List1's selected rows to `at`.
    void dragSelectedTo(QWidget *target, QPoint at) const
    {
        std::unique_ptr<QMimeData> data(list()->model()->mimeData(list()->selectionModel()->selectedIndexes()));
        QDragEnterEvent enter(at, Qt::CopyAction, data.get(), Qt::LeftButton, {});
        QApplication::sendEvent(target, &enter);
        QDragMoveEvent move(at, Qt::CopyAction, data.get(), Qt::LeftButton, {});
        QApplication::sendEvent(target, &move);
        QDropEvent drop(QPointF(at), Qt::CopyAction, data.get(), Qt::LeftButton, {});
        QApplication::sendEvent(target, &drop);
    }
};
