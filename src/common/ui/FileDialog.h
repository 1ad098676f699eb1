#pragma once

#include <QString>
#include <QStringList>

class QWidget;

enum class FileDialogMode { Save = 1, Open = 2 };

// Asks for a file. The filter is given as "Description|pattern|Description|pattern".
// In open mode the path must name an existing file: otherwise the user is told
// path + " not found!" and asked again. Cancel yields an empty path.
QString ShowFileDialog(QWidget *owner, FileDialogMode mode, const QString &filter, const QString &fileName,
                       const QString &title);

// "TP Files (*.MDA)|*.MDA|All Files (*.*)|*.*" as Qt name filters.
QStringList fileDialogNameFilters(const QString &filter);
