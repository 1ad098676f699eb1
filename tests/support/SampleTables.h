#pragma once

#include "channel/ChannelRecords.h"

// Consistent channel tables of any size: record i is "CH i", the lists take the
// records in turn (TV first), every third entry is locked and favourite group g
// of each type holds min(count, 3 + g) entries.
inline ChannelTables sampleTables(int tvCount, int radioCount, int extraRecords = 0)
{
    ChannelTables tables;
    for (int i = 0; i < tvCount + radioCount + extraRecords; ++i) {
        RomChannel record;
        record.NameBytes = "CH " + QByteArray::number(i);
        record.Name = QString::fromLatin1(record.NameBytes);
        record.NameLast = qint16(record.NameBytes.size() - 1);
        record.MyIndex = qint16(i);
        for (int f = 0; f < 11; ++f)
            record.Fields[f] = QString::number((i * 11 + f) % 65536);
        tables.Rom.append(record);
    }
    for (int i = 0; i < tvCount + radioCount; ++i) {
        ChannelEntry entry;
        entry.ChannelIndex = qint16(i);
        entry.Attribute = qint16(i % 3 == 0 ? 17 : 1);
        entry.Extra = qint16(i % 5 == 0 ? -1 : 0);
        tables.Channels[i < tvCount ? ChannelTV : ChannelRadio].append(entry);
    }
    for (int type = 0; type < ChannelTypeCount; ++type) {
        QList<ChannelEntry> &list = tables.Channels[type];
        for (int g = 0; g < FavoriteGroupCount; ++g) {
            FavoriteGroup &group = tables.Favorites[type][g];
            group.Count = qint16(qMin(int(list.size()), 3 + g));
            for (int k = 0; k < group.Count; ++k) {
                const qint16 p = qint16(list.size() - 1 - k);
                group.CHIndex[k] = p;
                group.MyIndex[k] = tables.Rom[list[p].ChannelIndex].MyIndex;
                list[p].FavoriteFlag[g] = 1;
            }
        }
    }
    return tables;
}
