#include "channel/ChannelSorts.h"

#include <algorithm>
#include <numeric>
#include <vector>

QString upperName(const QString &name)
{
    QString upper = name;
    for (QChar &c : upper)
        c = c.toUpper();
    return upper;
}

QList<int> exchangeSortOrder(const QList<QString> &keys, int direction)
{
    const int n = int(keys.size());
    // Ranks compare as the keys do, so the quadratic pass runs on integers.
    std::vector<int> byKey(n);
    std::iota(byKey.begin(), byKey.end(), 0);
    std::sort(byKey.begin(), byKey.end(), [&keys](int a, int b) { return keys[a] < keys[b]; });
    std::vector<int> rank(n);
    int r = 0;
    for (int k = 0; k < n; ++k) {
        if (k > 0 && keys[byKey[k]] != keys[byKey[k - 1]])
            ++r;
        rank[byKey[k]] = r;
    }
    QList<int> order(n);
    std::iota(order.begin(), order.end(), 0);
    const bool ascending = direction > 0;
    for (int i = 0; i < n; ++i) {
        int held = rank[i];
        int heldFrom = order[i];
        for (int j = i + 1; j < n; ++j) {
            if (ascending ? held > rank[j] : held < rank[j]) {
                std::swap(held, rank[j]);
                std::swap(heldFrom, order[j]);
            }
        }
        rank[i] = held;
        order[i] = heldFrom;
    }
    return order;
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

bool isLocked(const ChannelEntry &entry) { return (entry.Attribute & LockBit) == LockBit; }

bool isInAnyFavorite(const ChannelEntry &entry)
{
    return std::any_of(entry.FavoriteFlag.begin(), entry.FavoriteFlag.end(), [](qint16 f) { return f == 1; });
}
