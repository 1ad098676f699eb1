// ChannelParse and ChannelCombine on a full image: 5,000 master records and
// 5,000 entries in each list. Timed as programs (what the tool waits for) and
// as library calls (the conversion alone).
#include "BenchTiming.h"
#include "ChannelConvert.h"
#include "ChannelImage.h"
#include "channel/ChannelModel.h"
#include "common/Converters.h"
#include "common/WholeFile.h"
#include "support/SampleTables.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const ProgramDir programDir(dir.path());
    for (const char *program : {"ChannelParse", "ChannelCombine"})
        QFile::link(QStringLiteral(TARVIK_STAGE_DIR "/") + QLatin1String(program),
                    dir.filePath(QLatin1String(program)));

    ChannelTables tables = sampleTables(ChannelImage::MaxRecords, 0);
    tables.Channels[ChannelRadio] = tables.Channels[ChannelTV];
    tables.Favorites[ChannelRadio] = tables.Favorites[ChannelTV];
    const Result<QByteArray> image = ChannelImage::build(tables);
    const QString bin = dir.filePath(QStringLiteral("full.bin"));
    const QString target = dir.filePath(QStringLiteral("target.bin"));
    if (!image || !writeWholeFile(bin, image.value())) {
        std::printf("cannot write the full image\n");
        return 1;
    }
    std::printf("full image: 5,000 master records, 5,000 TV and 5,000 radio entries\n");
    const Converters converters(programDir);
    measure("ChannelParse program", 20, [&] { return converters.channelParse(bin).succeeded(); });
    ChannelModel model(programDir);
    if (!model.LoadChannelFiles() || !model.SaveChannelFiles())
        return 1;
    measure("ChannelCombine program", 20, [&] { return converters.channelCombine(bin, target).succeeded(); });
    measure("channelParse (library)", 20, [&] { return channelParse(bin, programDir).ok(); });
    (void)model.SaveChannelFiles();
    measure("channelCombine (library)", 20, [&] { return channelCombine(bin, target, programDir).ok(); });

    // The conversions alone, without the disk: each file write ends in a sync,
    // which on a slow disk outweighs the conversion.
    measure("parse in memory (image to file texts)", 20, [&] {
        const Result<ChannelTables> parsed = ChannelImage::parse(image.value());
        return parsed && !romFileText(parsed.value().Rom, NameForm::Raw).isEmpty() &&
               !channelListText(parsed.value().Channels[ChannelTV]).isEmpty() &&
               !channelListText(parsed.value().Channels[ChannelRadio]).isEmpty() &&
               !favoriteFileText(parsed.value()).isEmpty();
    });
    QByteArray texts[4] = {channelListText(tables.Channels[ChannelTV]), channelListText(tables.Channels[ChannelRadio]),
                           favoriteFileText(tables), romFileText(tables.Rom, NameForm::Hex)};
    measure("combine in memory (file texts to image)", 20, [&] {
        const Result<ChannelTables> source = ChannelImage::parse(image.value());
        QBuffer rom(&texts[3]);
        rom.open(QIODevice::ReadOnly);
        Result<QList<RomChannel>> read = readRomFile(rom, QStringLiteral("ROM_GetCH.dll"));
        if (!source || !read)
            return false;
        ChannelTables files;
        files.Rom = read.take();
        for (int type = 0; type < ChannelTypeCount; ++type) {
            QBuffer list(&texts[type]);
            list.open(QIODevice::ReadOnly);
            Result<QList<ChannelEntry>> entries = readChannelListFile(list, QStringLiteral("TV.dll"), files.Rom.size());
            if (!entries)
                return false;
            files.Channels[type] = entries.take();
        }
        QBuffer favorites(&texts[2]);
        favorites.open(QIODevice::ReadOnly);
        return readFavoriteFile(favorites, QStringLiteral("Favorite.dll"), files).ok() &&
               ChannelImage::decodeHexNames(files.Rom, source.value().Rom).ok() && ChannelImage::build(files).ok();
    });

    const Result<QByteArray> written = readWholeFile(target);
    std::printf("combined image equals the original: %s\n", written && written.value() == image.value() ? "yes" : "NO");
    return 0;
}
