#include "channel/ChannelFind.h"

#include "channel/ChannelSorts.h"

std::optional<FindStart> planFind(bool tv, bool radio, int currentType, int selectedRow)
{
    if (tv && radio)
        return FindStart{ChannelTV, ChannelRadio, currentType, selectedRow};
    if (!tv && !radio)
        return std::nullopt;
    const int type = tv ? ChannelTV : ChannelRadio;
    return FindStart{type, type, type, type == currentType ? selectedRow : 0};
}

std::optional<FindHit> findChannel(const ChannelTables &tables, const QString &text, const FindStart &start)
{
    if (text.isEmpty())
        return std::nullopt;
    const QString wanted = upperName(text);
    auto test = [&](int type, int position) -> std::optional<FindHit> {
        const QString name = tables.Rom.value(tables.Channels[type][position].ChannelIndex).Name;
        const int at = int(upperName(name).indexOf(wanted));
        if (at < 0)
            return std::nullopt;
        return FindHit{type, position, at};
    };
    for (int t = qMax(0, start.startType); t <= qMin(start.lastType, ChannelTypeCount - 1); ++t) {
        for (int k = t == start.startType ? qMax(0, start.startPosition) : 0; k <= tables.ChannelLast(t); ++k) {
            if (auto hit = test(t, k))
                return hit;
        }
    }
    for (int t = qMax(0, start.firstType); t <= qMin(start.startType, ChannelTypeCount - 1); ++t) {
        for (int k = 0; k <= tables.ChannelLast(t); ++k) {
            if (auto hit = test(t, k))
                return hit;
        }
    }
    return std::nullopt;
}
