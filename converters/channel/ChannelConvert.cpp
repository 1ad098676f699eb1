#include "ChannelConvert.h"

#include "ChannelImage.h"
#include "channel/ChannelModel.h"
#include "common/WholeFile.h"

#include <QDir>
#include <QFileInfo>

Result<QByteArray> readChannelImageFile(const QString &path)
{
    const QString shown = QDir::toNativeSeparators(path);
    const QFileInfo info(path);
    if (!info.exists())
        return Status::failure(QStringLiteral("%1 does not exist").arg(shown));
    if (!info.isFile())
        return Status::failure(QStringLiteral("%1 is not a file").arg(shown));
    Result<QByteArray> image = readWholeFile(path);
    if (image && image.value().size() != ChannelImage::Size)
        return Status::failure(QStringLiteral("%1 is %2 bytes long; a channel image is exactly %3 bytes")
                                   .arg(shown)
                                   .arg(image.value().size())
                                   .arg(ChannelImage::Size));
    return image;
}

Status channelParse(const QString &imagePath, const ProgramDir &dir)
{
    const Result<QByteArray> image = readChannelImageFile(imagePath);
    if (!image)
        return image.status();
    const Result<ChannelTables> tables = ChannelImage::parse(image.value());
    if (!tables)
        return Status::failure(QDir::toNativeSeparators(imagePath) + QStringLiteral(": ") + tables.error());
    return writeChannelFiles(dir, tables.value(), NameForm::Raw);
}

Status channelCombine(const QString &sourcePath, const QString &targetPath, const ProgramDir &dir)
{
    const Result<QByteArray> sourceImage = readChannelImageFile(sourcePath);
    if (!sourceImage)
        return sourceImage.status();
    const Result<ChannelTables> source = ChannelImage::parse(sourceImage.value());
    if (!source)
        return Status::failure(QDir::toNativeSeparators(sourcePath) + QStringLiteral(": ") + source.error());
    Result<ChannelTables> tables = readChannelFiles(dir);
    if (!tables)
        return tables.status();
    const Status names = ChannelImage::decodeHexNames(tables.value().Rom, source.value().Rom);
    if (!names)
        return names;
    const Result<QByteArray> image = ChannelImage::build(tables.value());
    if (!image)
        return image.status();
    return writeWholeFile(targetPath, image.value());
}
