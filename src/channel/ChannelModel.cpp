#include "channel/ChannelModel.h"

#include "common/Converters.h"
#include "common/WholeFile.h"

#include <QBuffer>
#include <QDir>
#include <QFile>

namespace {

// Positions in Converters::channelFiles(), which is also the order of writing.
enum FileIndex { TVFile, RadioFile, FavoriteFile, RomFile };

QString nameOf(FileIndex file)
{
    return Converters::channelFiles().at(file);
}

// The whole file in a buffer the readers can take; the error names the file.
Result<QByteArray> readFile(const ProgramDir &dir, FileIndex file)
{
    const QString name = nameOf(file);
    const QString path = dir.filePath(name);
    if (!QFile::exists(path))
        return Status::failure(QStringLiteral("%1 is missing in %2").arg(name, dir.path()));
    return readWholeFile(path);
}

}  // namespace

Result<ChannelTables> readChannelFiles(const ProgramDir &dir)
{
    ChannelTables tables;
    Result<QByteArray> bytes = readFile(dir, RomFile);
    if (!bytes)
        return bytes.status();
    {
        QBuffer buffer(&bytes.value());
        buffer.open(QIODevice::ReadOnly);
        Result<QList<RomChannel>> rom = readRomFile(buffer, nameOf(RomFile));
        if (!rom)
            return rom.status();
        tables.Rom = rom.take();
    }
    for (const FileIndex file : {TVFile, RadioFile}) {
        bytes = readFile(dir, file);
        if (!bytes)
            return bytes.status();
        QBuffer buffer(&bytes.value());
        buffer.open(QIODevice::ReadOnly);
        Result<QList<ChannelEntry>> list = readChannelListFile(buffer, nameOf(file), tables.Rom.size());
        if (!list)
            return list.status();
        tables.Channels[file == TVFile ? ChannelTV : ChannelRadio] = list.take();
    }
    bytes = readFile(dir, FavoriteFile);
    if (!bytes)
        return bytes.status();
    QBuffer buffer(&bytes.value());
    buffer.open(QIODevice::ReadOnly);
    const Status favorites = readFavoriteFile(buffer, nameOf(FavoriteFile), tables);
    if (!favorites)
        return favorites;
    return tables;
}

Status writeChannelFiles(const ProgramDir &dir, const ChannelTables &tables, NameForm form)
{
    const QByteArray texts[4] = {channelListText(tables.Channels[ChannelTV]),
                                 channelListText(tables.Channels[ChannelRadio]), favoriteFileText(tables),
                                 romFileText(tables.Rom, form)};
    for (int file = TVFile; file <= RomFile; ++file) {
        // filePath finds an existing spelling, so the file is replaced, not doubled.
        const Status written = writeWholeFile(dir.filePath(nameOf(FileIndex(file))), texts[file]);
        if (!written)
            return written;
    }
    return Status::success();
}

ChannelModel::ChannelModel(ProgramDir dir) : m_dir(std::move(dir))
{
}

Status ChannelModel::LoadChannelFiles()
{
    m_tables = ChannelTables();
    m_dataLoaded = false;
    Result<ChannelTables> read = readChannelFiles(m_dir);
    if (read)
        m_tables = read.take();
    m_saved = m_tables;
    m_dataLoaded = read.ok();
    return read.status();
}

Status ChannelModel::SaveChannelFiles()
{
    const Status written = writeChannelFiles(m_dir, m_tables, NameForm::Hex);
    if (written)
        m_saved = m_tables;
    return written;
}

bool ChannelModel::ChannelDataUnchanged() const
{
    for (int type = 0; type < ChannelTypeCount; ++type) {
        const QList<ChannelEntry> &now = m_tables.Channels[type];
        const QList<ChannelEntry> &then = m_saved.Channels[type];
        if (now.size() != then.size())
            return false;
        for (qsizetype p = 0; p < now.size(); ++p) {
            if (now[p].Attribute != then[p].Attribute || now[p].Extra != then[p].Extra ||
                now[p].ChannelIndex != then[p].ChannelIndex || now[p].FavoriteFlag != then[p].FavoriteFlag)
                return false;
        }
        for (int g = 0; g < FavoriteGroupCount; ++g) {
            const FavoriteGroup &a = m_tables.Favorites[type][g];
            const FavoriteGroup &b = m_saved.Favorites[type][g];
            if (a.Count != b.Count)
                return false;
            // MyIndex only finds a channel again after a reorder; it is not data.
            for (int k = 0; k < qBound(0, int(a.Count), MaxFavorites); ++k) {
                if (a.CHIndex[k] != b.CHIndex[k])
                    return false;
            }
        }
    }
    if (m_tables.Rom.size() != m_saved.Rom.size())
        return false;
    for (qsizetype i = 0; i < m_tables.Rom.size(); ++i) {
        if (m_tables.Rom[i].Name != m_saved.Rom[i].Name)
            return false;
    }
    return true;
}
