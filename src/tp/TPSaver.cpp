#include "tp/TPSaver.h"

#include "tp/TPFiles.h"

TPSaver::TPSaver(ProgramDir dir, Converters converters) : m_dir(std::move(dir)), m_converters(std::move(converters))
{
}

Result<QString> TPSaver::save(TPTables &tables, const QString &mdaFile)
{
    // The files are written from a staged copy: the edits count as saved only
    // once the combiner has made the image from them.
    TPTables staged = tables;
    staged.copyWorkingToStored();
    if (const Status written = TPSaveAll(m_dir, staged); !written)
        return written;
    const Result<QString> copy = m_backups.keep(mdaFile);
    if (!copy)
        return copy;
    const RunOutcome combined = m_converters.tpCombine(mdaFile);
    if (!combined.succeeded())
        return Result<QString>::failure(combined.describe(QStringLiteral("TPCombine")));
    tables.SatDataStored = std::move(staged.SatDataStored);
    tables.TPDataStored = std::move(staged.TPDataStored);
    m_backups.told(mdaFile);
    if (copy.value().isEmpty())
        return QString();
    return QStringLiteral("Kept a copy of the TP file as %1\r\n").arg(copy.value());
}
