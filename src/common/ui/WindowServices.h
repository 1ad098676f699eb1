#pragma once

#include <QColor>
#include <QString>

class QLabel;
class QProgressBar;
class QWidget;

// The title of the application: message boxes and the settings store use it.
QString applicationTitle();

// Makes a window topmost (or not) without moving or resizing it, and shows it.
void KeepOnTop(QWidget *window);
void ReleaseOnTop(QWidget *window);

// Only the bar's colour changes.
void SetProgressBarColor(QProgressBar *bar, const QColor &colour);

// Sets the label to the path, shortened for a caption.
void ShortenPathCaption(QLabel *label, const QString &path);

// Shows the busy cursor over every window while it lives (a converter run).
class BusyCursor {
public:
    BusyCursor();
    ~BusyCursor();
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;
};

// Runs `work` under the busy cursor and returns what it returns.
template <typename Work>
auto withBusyCursor(Work work)
{
    const BusyCursor busy;
    return work();
}

// A message box with the exclamation icon and the application's title.
void showExclamation(QWidget *owner, const QString &text, const QString &title = applicationTitle());
