#pragma once

#include "channel/ChannelRecords.h"

#include <QList>
#include <QString>

#include <functional>

// Upper-casing as the sorts and the find compare names: one character for one,
// so a position in the upper-cased name is a position in the name.
QString upperName(const QString &name);

// The name sort of a channel list: keys are the upper-cased names of the
// entries' master records.
void sortChannelsByName(QList<ChannelEntry> &list, const QList<RomChannel> &rom, int direction);

// What repeated neighbour passes until nothing is exchanged leave: the flagged
// entries first (or last), each side in its old order.
void sortChannelsByFlag(QList<ChannelEntry> &list, const std::function<bool(const ChannelEntry &)> &flagged,
                        bool flaggedLast);

bool isLocked(const ChannelEntry &entry);
bool isInAnyFavorite(const ChannelEntry &entry);
