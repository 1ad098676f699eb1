#include "common/BackupCopy.h"

#include "common/WholeFile.h"

#include <QFileInfo>

Result<QString> BackupCopy::keep(const QString &file)
{
    const QString key = QFileInfo(file).absoluteFilePath();
    if (m_kept.contains(key) || !QFileInfo::exists(file))
        return QString();
    const Result<QByteArray> content = readWholeFile(file);
    if (!content)
        return content.status();
    const QString copy = file + QStringLiteral(".bak");
    if (const Status written = writeWholeFile(copy, content.value()); !written)
        return written;
    m_kept.insert(key);
    return copy;
}
