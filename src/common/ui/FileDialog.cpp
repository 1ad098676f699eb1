#include "common/ui/FileDialog.h"

#include "common/ui/WindowServices.h"

#include <QFileDialog>
#include <QFileInfo>

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
} // namespace

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
                       const QString &title)
{
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
        if (!proposed.isEmpty())
            dialog.selectFile(proposed);
        if (dialog.exec() != QDialog::Accepted)
            return {};
        const QString path = dialog.selectedFiles().value(0);
        if (path.isEmpty())
            return {};
        if (mode == FileDialogMode::Save || QFileInfo(path).isFile())
            return path;
        showExclamation(owner, path + QStringLiteral(" not found!"));
        proposed = path;
    }
}
