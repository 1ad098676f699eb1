#include "tp/TPImageLoad.h"

#include "tp/TPFiles.h"

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
