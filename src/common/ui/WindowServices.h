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

// A message box with the exclamation icon and the application's title.
void showExclamation(QWidget *owner, const QString &text, const QString &title = applicationTitle());
