#include "channel/ChannelOrder.h"

#include "channel/ChannelArrange.h"
#include "channel/ChannelCsv.h"

#include <QHash>

namespace {

QString matchKey(const QString &name)
{
    return name.trimmed().toCaseFolded();
}

}  // namespace

QList<ReferenceChannel> referenceOf(const ChannelTables &tables)
{
    QList<ReferenceChannel> reference;
    for (int type = 0; type < ChannelTypeCount; ++type) {
        const FavoriteRanks ranks = favoriteRanks(tables, type);
        const QList<ChannelEntry> &list = tables.Channels[type];
        for (int p = 0; p < list.size(); ++p)
            reference.append(
                {type, tables.Rom.value(list[p].ChannelIndex).Name, bool(list[p].Attribute & LockBit), ranks[p]});
    }
    return reference;
}

Result<QList<ReferenceChannel>> referenceFromCsv(const QByteArray &csv)
{
    const Result<QList<ChannelCsvRow>> rows = readChannelCsvRows(csv);
    if (!rows)
        return rows.status();
    QList<ReferenceChannel> reference;
    for (const ChannelCsvRow &row : rows.value())
        reference.append({row.type, row.name, row.locked, row.favoriteRank});
    return reference;
}

QString OrderedChannels::report() const
{
    QString text = QStringLiteral("Matched %1 of %2 channels.").arg(matched).arg(matched + unmatched.size());
    if (!unmatched.isEmpty())
        text += QStringLiteral("\nNot in the reference:\n") + unmatched.join(QLatin1Char('\n'));
    return text;
}

OrderedChannels orderLike(const ChannelTables &tables, const QList<ReferenceChannel> &reference, bool takeFlags)
{
    OrderedChannels out;
    std::array<QList<ChannelPlacement>, ChannelTypeCount> placements;
    for (int type = 0; type < ChannelTypeCount; ++type) {
        const QList<ChannelEntry> &list = tables.Channels[type];
        // Positions bearing each name, taken in list order as the reference asks for them.
        QHash<QString, QList<int>> byName;
        for (int p = list.size() - 1; p >= 0; --p)
            byName[matchKey(tables.Rom.value(list[p].ChannelIndex).Name)].append(p);
        QList<bool> placed(list.size(), false);
        for (const ReferenceChannel &ref : reference) {
            if (ref.type != type)
                continue;
            const auto found = byName.find(matchKey(ref.name));
            if (found == byName.end() || found->isEmpty())
                continue;
            const int p = found->takeLast();
            placed[p] = true;
            ChannelPlacement placement{p, std::nullopt, std::nullopt};
            if (takeFlags) {
                placement.lock = ref.locked;
                placement.favoriteRank = ref.favoriteRank;
            }
            placements[type].append(placement);
        }
        out.matched += int(placements[type].size());
        for (int p = 0; p < list.size(); ++p) {
            if (placed[p])
                continue;
            ChannelPlacement placement{p, std::nullopt, std::nullopt};
            if (takeFlags)
                placement.favoriteRank = std::array<int, FavoriteGroupCount>{};
            placements[type].append(placement);
            out.unmatched.append(
                QStringLiteral("%1: %2").arg(type == ChannelRadio ? QStringLiteral("Radio") : QStringLiteral("TV"),
                                             tables.Rom.value(list[p].ChannelIndex).Name));
        }
    }
    out.tables = arrangeChannels(tables, placements);
    return out;
}
