#include "channel/ChannelArrange.h"

#include <algorithm>
#include <tuple>

qint16 lockedAttribute(qint16 attribute, bool locked)
{
    return locked ? qint16(attribute | LockBit) : qint16(attribute & 0xFF & ~LockBit);
}

void setChannelName(RomChannel &record, const QString &name)
{
    record.Name = name;
    // The combiner needs at least one name byte.
    record.NameBytes = name.isEmpty() ? QByteArray(1, '\0') : name.toLatin1();
    record.NameLast = qint16(record.NameBytes.size() - 1);
}

FavoriteRanks favoriteRanks(const ChannelTables &tables, int type)
{
    const qsizetype count = tables.Channels[type].size();
    FavoriteRanks ranks(count, std::array<int, FavoriteGroupCount>{});
    for (int g = 0; g < FavoriteGroupCount; ++g) {
        const FavoriteGroup &group = tables.Favorites[type][g];
        for (int k = 0; k < qBound(0, int(group.Count), MaxFavorites); ++k) {
            const int p = group.CHIndex[k];
            if (p >= 0 && p < count && ranks[p][g] == 0)
                ranks[p][g] = k + 1;
        }
    }
    return ranks;
}

ChannelTables arrangeChannels(const ChannelTables &tables,
                              const std::array<QList<ChannelPlacement>, ChannelTypeCount> &placements)
{
    ChannelTables out = tables;
    for (int type = 0; type < ChannelTypeCount; ++type) {
        const QList<ChannelEntry> &old = tables.Channels[type];
        const QList<ChannelPlacement> &order = placements[type];
        const FavoriteRanks ranks = favoriteRanks(tables, type);
        QList<ChannelEntry> list;
        list.reserve(order.size());
        // Members of each group: (placed first, key, tie-break, new position).
        std::array<QList<std::tuple<int, int, int, int>>, FavoriteGroupCount> members;
        for (int n = 0; n < order.size(); ++n) {
            const ChannelPlacement &placement = order[n];
            ChannelEntry entry = old[placement.position];
            if (placement.lock && *placement.lock != bool(entry.Attribute & LockBit))
                entry.Attribute = lockedAttribute(entry.Attribute, *placement.lock);
            for (int g = 0; g < FavoriteGroupCount; ++g) {
                if (placement.favoriteRank) {
                    const int rank = (*placement.favoriteRank)[g];
                    if (rank > 0)
                        members[g].append({0, rank, n, n});
                } else if (const int k = ranks[placement.position][g] - 1; k >= 0) {
                    members[g].append({1, k, 0, n});
                }
                entry.FavoriteFlag[g] = 0;
            }
            list.append(entry);
        }
        for (int g = 0; g < FavoriteGroupCount; ++g) {
            std::sort(members[g].begin(), members[g].end());
            // Entries past Count stay as they were, so an unchanged group compares equal.
            const FavoriteGroup &before = tables.Favorites[type][g];
            FavoriteGroup group = before;
            group.Count = 0;
            for (const auto &[kept, key, tie, n] : std::as_const(members[g])) {
                if (group.Count >= MaxFavorites)
                    break;
                list[n].FavoriteFlag[g] = 1;
                group.CHIndex[group.Count] = qint16(n);
                group.MyIndex[group.Count] =
                    kept ? before.MyIndex[key] : tables.Rom.value(list[n].ChannelIndex).MyIndex;
                ++group.Count;
            }
            out.Favorites[type][g] = group;
        }
        out.Channels[type] = list;
    }
    return out;
}
