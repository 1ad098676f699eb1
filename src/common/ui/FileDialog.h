#pragma once

#include <QString>
#include <QStringList>

class QWidget;

enum class FileDialogMode { Save = 1, Open = 2 };

// Asks for a file. The filter is given as "Description|pattern|Description|pattern".
// In open mode the path must name an existing file: otherwise the user is told
// path + " not found!" and asked again. Cancel yields an empty path.
// The dialog opens in the folder where a file of its kind (its first pattern) was
// last chosen, else in the folder of `currentFile`, else in the user's home: never
// in the process's working folder, which is "/" when started from a desktop menu.
QString ShowFileDialog(QWidget *owner, FileDialogMode mode, const QString &filter, const QString &fileName,
                       const QString &title, const QString &currentFile = QString());

// "TP Files (*.MDA)|*.MDA|All Files (*.*)|*.*" as Qt name filters.
QStringList fileDialogNameFilters(const QString &filter);
