// Favorite.dll reader on any bytes, over fixed lists; groups and flags agree afterwards.
#include "channel/ChannelFiles.h"

#include <QBuffer>

namespace {

ChannelTables lists()
{
    ChannelTables tables;
    tables.Rom.resize(20);
    for (int i = 0; i < 20; ++i)
        tables.Rom[i].MyIndex = qint16(i);
    for (int i = 0; i < 15; ++i) {
        ChannelEntry entry;
        entry.ChannelIndex = qint16(19 - i);
        tables.Channels[i < 10 ? ChannelTV : ChannelRadio].append(entry);
    }
    return tables;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    ChannelTables tables = lists();
    if (!readFavoriteFile(buffer, QStringLiteral("Favorite.dll"), tables))
        return 0;
    for (int type = 0; type < ChannelTypeCount; ++type) {
        for (int g = 0; g < FavoriteGroupCount; ++g) {
            int flagged = 0;
            for (const ChannelEntry &entry : tables.Channels[type])
                flagged += entry.FavoriteFlag[g];
            if (flagged != tables.Favorites[type][g].Count)
                __builtin_trap();
        }
    }
    QByteArray text = favoriteFileText(tables);
    QBuffer again(&text);
    again.open(QIODevice::ReadOnly);
    ChannelTables reread = lists();
    if (!readFavoriteFile(again, QStringLiteral("Favorite.dll"), reread) || !(reread == tables))
        __builtin_trap();
    return 0;
}
