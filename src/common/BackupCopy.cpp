#include "common/BackupCopy.h"

#include "common/WholeFile.h"

#include <QFileInfo>

namespace {
QString keyOf(const QString &file)
{
    return QFileInfo(file).absoluteFilePath();
}
}  // namespace

Result<QString> BackupCopy::keep(const QString &file)
{
    const QString copy = file + QStringLiteral(".bak");
    // Never made again: a failed run may have spoilt the file since.
    if (const auto kept = m_kept.constFind(keyOf(file)); kept != m_kept.cend())
        return kept.value() ? QString() : copy;
    if (!QFileInfo::exists(file))
        return QString();
    const Result<QByteArray> content = readWholeFile(file);
    if (!content)
        return content.status();
    if (const Status written = writeWholeFile(copy, content.value()); !written)
        return written;
    m_kept.insert(keyOf(file), false);
    return copy;
}

void BackupCopy::told(const QString &file)
{
    if (const auto kept = m_kept.find(keyOf(file)); kept != m_kept.end())
        kept.value() = true;
}
