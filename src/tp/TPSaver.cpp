#include "tp/TPSaver.h"

#include "common/WholeFile.h"
#include "tp/TPFiles.h"

#include <QFileInfo>

TPSaver::TPSaver(ProgramDir dir, Converters converters)
    : m_dir(std::move(dir)), m_converters(std::move(converters))
{
}

Result<QString> TPSaver::backUp(const QString &mdaFile)
{
    const QString key = QFileInfo(mdaFile).absoluteFilePath();
    if (m_backedUp.contains(key) || !QFileInfo::exists(mdaFile))
        return QString();
    const Result<QByteArray> image = readWholeFile(mdaFile);
    if (!image)
        return image.status();
    const QString copy = mdaFile + QStringLiteral(".bak");
    if (const Status written = writeWholeFile(copy, image.value()); !written)
        return written;
    m_backedUp.insert(key);
    return QStringLiteral("Kept a copy of the TP file as %1\r\n").arg(copy);
}

Result<QString> TPSaver::save(TPTables &tables, const QString &mdaFile)
{
    // The files are written from a staged copy: the edits count as saved only
    // once the combiner has made the image from them.
    TPTables staged = tables;
    staged.copyWorkingToStored();
    if (const Status written = TPSaveAll(m_dir, staged); !written)
        return written;
    Result<QString> note = backUp(mdaFile);
    if (!note)
        return note;
    const RunOutcome combined = m_converters.tpCombine(mdaFile);
    if (!combined.succeeded())
        return Result<QString>::failure(combined.describe(QStringLiteral("TPCombine")));
    tables.SatDataStored = std::move(staged.SatDataStored);
    tables.TPDataStored = std::move(staged.TPDataStored);
    return note;
}
