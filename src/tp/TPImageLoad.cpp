#include "tp/TPImageLoad.h"

#include "common/WholeFile.h"
#include "tp/TPFiles.h"

#include <QTemporaryDir>

Status loadTPImage(const Converters &converters, const ProgramDir &dir, TPTables &tables, const QString &mdaFile)
{
    const RunOutcome parsed = converters.tpParse(mdaFile);
    if (!parsed.succeeded())
        return Status::failure(parsed.describe(QStringLiteral("TPParse")));
    SatTable oldSats = tables.SatDataStored;
    TPTable oldTPs = tables.TPDataStored;
    const Status loaded = TPLoadAll(dir, tables);
    if (!loaded) {
        tables.SatDataStored = std::move(oldSats);
        tables.TPDataStored = std::move(oldTPs);
    }
    return loaded;
}

namespace {

// A scratch program directory holding a copy of the image, which TPCombine writes in place.
struct ScratchImage {
    QTemporaryDir scratch;
    QString image = scratch.filePath(QStringLiteral("image.MDA"));

    Status take(const QString &mdaFile) const
    {
        if (!scratch.isValid())
            return Status::failure(QStringLiteral("no scratch directory: %1").arg(scratch.errorString()));
        const Result<QByteArray> bytes = readWholeFile(mdaFile);
        return bytes ? writeWholeFile(image, bytes.value()) : bytes.status();
    }
};

}  // namespace

Status readTPImage(const ProgramDir &dir, const QString &mdaFile, TPTables &tables)
{
    const ScratchImage work;
    if (const Status taken = work.take(mdaFile); !taken)
        return taken;
    const ProgramDir files = dir.withFilesIn(work.scratch.path());
    if (const Status loaded = loadTPImage(Converters(files), files, tables, work.image); !loaded)
        return loaded;
    tables.copyStoredToWorking();
    return Status::success();
}

Status writeTPImage(const ProgramDir &dir, TPTables &tables, const QString &sourceMda, const QString &targetMda)
{
    const ScratchImage work;
    if (const Status taken = work.take(sourceMda); !taken)
        return taken;
    const ProgramDir files = dir.withFilesIn(work.scratch.path());
    tables.copyWorkingToStored();
    if (const Status written = TPSaveAll(files, tables); !written)
        return written;
    const RunOutcome combined = Converters(files).tpCombine(work.image);
    if (!combined.succeeded())
        return Status::failure(combined.describe(QStringLiteral("TPCombine")));
    const Result<QByteArray> image = readWholeFile(work.image);
    return image ? writeWholeFile(targetMda, image.value()) : image.status();
}
