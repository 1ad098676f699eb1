#include "common/ui/FileDialog.h"

#include "common/ui/WindowServices.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHash>

namespace {
// "*.*" means every file; on Linux it would hide the names without a dot.
QString everyFile(QString patterns)
{
    QStringList list = patterns.split(QLatin1Char(';'));
    for (QString &p : list) {
        if (p.trimmed() == QLatin1String("*.*"))
            p = QStringLiteral("*");
    }
    return list.join(QLatin1Char(';'));
}
// The kind of a dialog is its first pattern, so "TP Files" and "Transponder Files"
// (both *.MDA) share a folder.
QString kindOf(const QString &filter)
{
    return filter.section(QLatin1Char('|'), 1, 1).section(QLatin1Char(';'), 0, 0).trimmed().toLower();
}

// The folder last used per kind, for the life of the process, as the platform's own
// dialogs remember it.
QHash<QString, QString> &lastFolders()
{
    static QHash<QString, QString> folders;
    return folders;
}

QString startFolder(const QString &kind, const QString &currentFile)
{
    const QString last = lastFolders().value(kind);
    if (!last.isEmpty() && QFileInfo(last).isDir())
        return last;
    if (!currentFile.isEmpty()) {
        const QFileInfo current(currentFile);
        if (current.absoluteDir().exists())
            return current.absolutePath();
    }
    return QDir::homePath();
}
}  // namespace

QStringList fileDialogNameFilters(const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i];
        const QString &pattern = parts[i + 1];
        // Qt takes the patterns from the last parentheses of each entry.
        const QString suffix = QStringLiteral("(%1)").arg(pattern);
        if (description.endsWith(suffix))
            description.chop(suffix.size());
        else
            description += QLatin1Char(' ');
        filters.append(description + QStringLiteral("(%1)").arg(everyFile(pattern)));
    }
    return filters;
}

QString ShowFileDialog(QWidget *owner, FileDialogMode mode, const QString &filter, const QString &fileName,
                       const QString &title, const QString &currentFile)
{
    const QString kind = kindOf(filter);
    QString proposed = fileName;
    for (;;) {
        QFileDialog dialog(owner, title);
        dialog.setObjectName(QStringLiteral("dlgobj"));
        // Qt's own dialog behaves the same on every platform and can be driven in tests.
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
        dialog.setAcceptMode(mode == FileDialogMode::Save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setNameFilters(fileDialogNameFilters(filter));
        dialog.setDirectory(startFolder(kind, currentFile));
        if (!proposed.isEmpty())
            dialog.selectFile(proposed);
        if (dialog.exec() != QDialog::Accepted)
            return {};
        const QString path = dialog.selectedFiles().value(0);
        if (path.isEmpty())
            return {};
        if (mode == FileDialogMode::Save || QFileInfo(path).isFile()) {
            lastFolders().insert(kind, QFileInfo(path).absolutePath());
            return path;
        }
        showExclamation(owner, path + QStringLiteral(" not found!"));
        proposed = path;
    }
}
