// The channel spreadsheet import and the reference order on any bytes: an
// accepted file leaves each list a reordering of the old one, with groups and
// flags that agree.
#include "channel/ChannelCsv.h"
#include "channel/ChannelOrder.h"

#include <algorithm>

namespace {

ChannelTables tables()
{
    ChannelTables t;
    for (int i = 0; i < 14; ++i) {
        RomChannel record;
        record.NameBytes = "CH " + QByteArray::number(i);
        record.Name = QString::fromLatin1(record.NameBytes);
        record.NameLast = qint16(record.NameBytes.size() - 1);
        record.MyIndex = qint16(i);
        t.Rom.append(record);
        ChannelEntry entry;
        entry.ChannelIndex = qint16(i);
        entry.Attribute = qint16(i % 3 == 0 ? 17 : 1);
        t.Channels[i < 10 ? ChannelTV : ChannelRadio].append(entry);
    }
    t.Channels[ChannelTV][2].FavoriteFlag[0] = 1;
    t.Favorites[ChannelTV][0].Count = 1;
    t.Favorites[ChannelTV][0].CHIndex[0] = 2;
    t.Favorites[ChannelTV][0].MyIndex[0] = 2;
    return t;
}

void check(const ChannelTables &before, const ChannelTables &after)
{
    for (int type = 0; type < ChannelTypeCount; ++type) {
        QList<qint16> was;
        QList<qint16> is;
        for (const ChannelEntry &e : before.Channels[type])
            was.append(e.ChannelIndex);
        for (const ChannelEntry &e : after.Channels[type])
            is.append(e.ChannelIndex);
        std::sort(was.begin(), was.end());
        std::sort(is.begin(), is.end());
        if (was != is)
            __builtin_trap();
        for (int g = 0; g < FavoriteGroupCount; ++g) {
            const FavoriteGroup &group = after.Favorites[type][g];
            int flagged = 0;
            for (const ChannelEntry &e : after.Channels[type])
                flagged += e.FavoriteFlag[g];
            if (group.Count > MaxFavorites || flagged != group.Count)
                __builtin_trap();
            for (int k = 0; k < group.Count; ++k) {
                if (group.CHIndex[k] < 0 || group.CHIndex[k] >= after.Channels[type].size() ||
                    after.Channels[type][group.CHIndex[k]].FavoriteFlag[g] != 1)
                    __builtin_trap();
            }
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const ChannelTables before = tables();
    if (const Result<ChannelTables> imported = importChannelCsv(before, bytes))
        check(before, imported.value());
    if (const Result<QList<ReferenceChannel>> reference = referenceFromCsv(bytes)) {
        check(before, orderLike(before, reference.value(), true).tables);
        check(before, orderLike(before, reference.value(), false).tables);
    }
    return 0;
}
