#include "channel/ChannelSorts.h"

#include "common/ExchangeSort.h"

#include <algorithm>

QString upperName(const QString &name)
{
    QString upper = name;
    for (QChar &c : upper)
        c = c.toUpper();
    return upper;
}

void sortChannelsByName(QList<ChannelEntry> &list, const QList<RomChannel> &rom, int direction)
{
    QList<QString> keys;
    keys.reserve(list.size());
    for (const ChannelEntry &entry : list)
        keys.append(upperName(rom.value(entry.ChannelIndex).Name));
    const QList<int> order = exchangeSortOrder(keys, direction);
    QList<ChannelEntry> sorted;
    sorted.reserve(list.size());
    for (const int from : order)
        sorted.append(list[from]);
    list = std::move(sorted);
}

void sortChannelsByFlag(QList<ChannelEntry> &list, const std::function<bool(const ChannelEntry &)> &flagged,
                        bool flaggedLast)
{
    std::stable_partition(list.begin(), list.end(),
                          [&](const ChannelEntry &entry) { return flagged(entry) != flaggedLast; });
}

bool isLocked(const ChannelEntry &entry)
{
    return (entry.Attribute & LockBit) == LockBit;
}

bool isInAnyFavorite(const ChannelEntry &entry)
{
    return std::any_of(entry.FavoriteFlag.begin(), entry.FavoriteFlag.end(), [](qint16 f) { return f == 1; });
}
