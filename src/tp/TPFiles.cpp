#include "tp/TPFiles.h"

#include "common/WholeFile.h"
#include "tp/PreDefineFile.h"
#include "tp/RegionFile.h"

#include <QFile>
#include <QFileInfo>

#include <array>

namespace {

// Opens `name` in the program directory and hands it to `read`.
template <typename Read>
Status readFile(const ProgramDir &dir, const QString &name, Read read)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.exists())
        return Status::failure(QStringLiteral("Cannot read %1: there is no such file in %2.").arg(name, dir.path()));
    if (!file.open(QIODevice::ReadOnly))
        return Status::failure(
            QStringLiteral("Cannot read %1: %2").arg(QFileInfo(path).fileName(), file.errorString()));
    return read(file, QFileInfo(path).fileName());
}

// The satellite file to replace: the one the reader takes when there is one,
// so that a second spelling lying about can never be read instead.
QString preDefinePath(const ProgramDir &dir)
{
    const QString existing = dir.filePath(PreDefineReadName);
    return QFileInfo::exists(existing) ? existing : dir.filePath(PreDefineWriteName);
}

}  // namespace

Status PreDefineRead(const ProgramDir &dir, SatTable &stored)
{
    stored = SatTable();
    return readFile(dir, PreDefineReadName,
                    [&stored](QIODevice &in, const QString &name) { return readPreDefine(in, name, stored); });
}

Status ParseRead(const ProgramDir &dir, const SatTable &sats, TPTable &tps)
{
    for (int r = 0; r < RegionCount; ++r) {
        const Status status = readFile(dir, RegionFileName(r), [&](QIODevice &in, const QString &name) {
            return readRegionFile(in, name, r, sats, tps);
        });
        if (!status)
            return status;
    }
    return Status::success();
}

Status PreDefineWrite(const ProgramDir &dir, const SatTable &stored)
{
    const Result<QByteArray> text = preDefineText(stored);
    if (!text)
        return text.status();
    return writeWholeFile(preDefinePath(dir), text.value());
}

Status ParseWrite(const ProgramDir &dir, const SatTable &sats, const TPTable &tps)
{
    for (int r = 0; r < RegionCount; ++r) {
        const Result<QByteArray> text = regionText(r, sats, tps);
        if (!text)
            return text.status();
        if (const Status written = writeWholeFile(dir.filePath(RegionFileName(r)), text.value()); !written)
            return written;
    }
    return Status::success();
}

Status TPLoadAll(const ProgramDir &dir, TPTables &tables)
{
    tables.SatDataStored = SatTable();
    tables.TPDataStored = TPTable();
    if (const Status satellites = PreDefineRead(dir, tables.SatDataStored); !satellites)
        return satellites;
    return ParseRead(dir, tables.SatDataStored, tables.TPDataStored);
}

Status TPSaveAll(const ProgramDir &dir, const TPTables &tables)
{
    // All five texts first, so that a field that cannot be stored writes nothing.
    std::array<QByteArray, RegionCount + 1> texts;
    std::array<QString, RegionCount + 1> paths;
    const Result<QByteArray> satellites = preDefineText(tables.SatDataStored);
    if (!satellites)
        return satellites.status();
    texts[0] = satellites.value();
    paths[0] = preDefinePath(dir);
    for (int r = 0; r < RegionCount; ++r) {
        const Result<QByteArray> tps = regionText(r, tables.SatDataStored, tables.TPDataStored);
        if (!tps)
            return tps.status();
        texts[r + 1] = tps.value();
        paths[r + 1] = dir.filePath(RegionFileName(r));
    }
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (const Status written = writeWholeFile(paths[i], texts[i]); !written)
            return written;
    }
    return Status::success();
}
