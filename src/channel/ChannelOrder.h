#pragma once

#include "channel/ChannelRecords.h"
#include "common/Result.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <array>

// A channel of a reference list, in reference order.
struct ReferenceChannel {
    int type = ChannelTV;
    QString name;
    bool locked = false;
    std::array<int, FavoriteGroupCount> favoriteRank{};  // 1 first, 0 not a member
};

// Both lists of a channel image, TV first.
QList<ReferenceChannel> referenceOf(const ChannelTables &tables);
// The rows of an exported channel file, in file order.
Result<QList<ReferenceChannel>> referenceFromCsv(const QByteArray &csv);

struct OrderedChannels {
    ChannelTables tables;
    int matched = 0;
    QStringList unmatched;  // "TV: name", in list order
    // "Matched 3 of 5 channels." and the ones that did not, one a line.
    QString report() const;
};

// Channels matched by type and name (case and surrounding spaces aside; the
// n-th of a repeated name matches the n-th) take the reference's order; the
// rest follow in their own. With `takeFlags` a matched channel takes the
// reference's lock, and the favourite groups become the reference's matched
// members in its order; otherwise every channel keeps its lock and groups.
OrderedChannels orderLike(const ChannelTables &tables, const QList<ReferenceChannel> &reference, bool takeFlags);
