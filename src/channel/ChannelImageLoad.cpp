#include "channel/ChannelImageLoad.h"

#include "common/WholeFile.h"

#include <QDir>
#include <QTemporaryDir>

ChannelImageLoad loadChannelImage(const Converters &converters, ChannelModel &model, const QString &binFile)
{
    ChannelImageLoad result;
    const RunOutcome parsed = converters.channelParse(binFile);
    if (!parsed.succeeded()) {
        result.status = Status::failure(parsed.describe(QStringLiteral("ChannelParse")));
        return result;
    }
    result.converted = true;
    result.status = model.LoadChannelFiles();
    return result;
}

namespace {

Result<ProgramDir> scratchDir(const QTemporaryDir &scratch, const ProgramDir &dir)
{
    if (!scratch.isValid())
        return Result<ProgramDir>::failure(QStringLiteral("no scratch directory: %1").arg(scratch.errorString()));
    return dir.withFilesIn(scratch.path());
}

}  // namespace

Result<ChannelTables> readChannelImage(const ProgramDir &dir, const QString &binFile)
{
    const QTemporaryDir scratch;
    const Result<ProgramDir> work = scratchDir(scratch, dir);
    if (!work)
        return work.status();
    ChannelModel model(work.value());
    const ChannelImageLoad loaded = loadChannelImage(Converters(work.value()), model, binFile);
    if (!loaded.status)
        return loaded.status;
    return model.tables();
}

Status writeChannelImage(const ProgramDir &dir, const ChannelTables &tables, const QString &sourceBin,
                         const QString &targetBin)
{
    const QTemporaryDir scratch;
    const Result<ProgramDir> work = scratchDir(scratch, dir);
    if (!work)
        return work.status();
    if (const Status written = writeChannelFiles(work.value(), tables, NameForm::Hex); !written)
        return written;
    const QString made = QDir(scratch.path()).filePath(QStringLiteral("combined.bin"));
    const RunOutcome combined = Converters(work.value()).channelCombine(sourceBin, made);
    if (!combined.succeeded())
        return Status::failure(combined.describe(QStringLiteral("ChannelCombine")));
    const Result<QByteArray> image = readWholeFile(made);
    if (!image)
        return image.status();
    return writeWholeFile(targetBin, image.value());
}
