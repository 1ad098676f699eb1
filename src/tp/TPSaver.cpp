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
    const SatTable oldSats = tables.SatDataStored;
    const TPTable oldTPs = tables.TPDataStored;
    tables.copyWorkingToStored();
    Result<QString> note = QString();
    if (const Status written = TPSaveAll(m_dir, tables); !written) {
        note = written;
    } else {
        note = backUp(mdaFile);
        if (note) {
            const RunOutcome combined = m_converters.tpCombine(mdaFile);
            if (!combined.succeeded())
                note = Result<QString>::failure(combined.describe(QStringLiteral("TPCombine")));
        }
    }
    if (!note) {
        tables.SatDataStored = oldSats;
        tables.TPDataStored = oldTPs;
    }
    return note;
}
