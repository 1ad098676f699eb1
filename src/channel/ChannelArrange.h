#pragma once

#include "channel/ChannelRecords.h"

#include <QList>

#include <array>
#include <optional>

// Where one channel goes when a list is laid out anew, and what it takes along.
struct ChannelPlacement {
    int position = 0;  // its position in the old list
    // Locked or not; none keeps the attribute as it is. A change acts as the
    // editor's lock box does.
    std::optional<bool> lock;
    // Per group its place (1 first, 0 not a member); none keeps the channel
    // in the groups it is in, after the placed members, in the old order.
    std::optional<std::array<int, FavoriteGroupCount>> favoriteRank;
};

// The tables with each type's list laid out as `placements` says. Each type's
// placements must name every old position exactly once; callers check this and
// the 50-entry limit of the groups before.
ChannelTables arrangeChannels(const ChannelTables &tables,
                              const std::array<QList<ChannelPlacement>, ChannelTypeCount> &placements);

// Per position of a type's list, its place in each favourite group (1 first, 0 not a member).
using FavoriteRanks = QList<std::array<int, FavoriteGroupCount>>;
FavoriteRanks favoriteRanks(const ChannelTables &tables, int type);

// The attribute a lock change leaves: set adds the bit; clear keeps bits 0 to 7
// only, as the lock box does.
qint16 lockedAttribute(qint16 attribute, bool locked);

// Sets Name and the bytes the files hold; an empty name is one zero byte.
void setChannelName(RomChannel &record, const QString &name);
