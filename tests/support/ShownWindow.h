#pragma once

#include <QApplication>
#include <QList>
#include <QPointer>
#include <QTest>
#include <QWidget>

// The shown top-level window of type T: the editors are windows of their own,
// not children of the main window.
template <typename T>
T *shownWindow()
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *w : windows) {
        if (auto *found = qobject_cast<T *>(w); found && found->isVisible())
            return found;
    }
    return nullptr;
}

// Makes `window` the active window, as a click on it would; true once it is.
inline bool activate(QWidget *window)
{
    QApplication::setActiveWindow(window);
    return QTest::qWaitForWindowActive(window);
}

// Deletes, without asking, every window of type T that a test left open, so none
// outlives the data it shows.
template <typename T>
void discardWindows()
{
    QList<QPointer<T>> found;
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *w : windows) {
        if (auto *window = qobject_cast<T *>(w))
            found.append(window);
    }
    for (const QPointer<T> &window : found)
        delete window.data();  // a window deleted before takes its own windows with it
}
