#pragma once

#include "channel/ChannelRecords.h"
#include "common/Result.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <array>

// The channel lists as a spreadsheet file: UTF-8, CR LF, a header line, then
// the TV list and the radio list in list order. Columns:
//   type, position, name, lock, F1..F6, orig_type, orig_position, orig_name
// type is "TV" or "Radio"; position is the row number; lock is 1 or 0; Fg is
// the channel's place in favourite group g (1 first), empty when it is not in it.
// The orig_ columns are the key: they say which channel the row is, as it was
// when exported, and are not to be edited.
//
// On import the rows of each type give the new order of that list, in the
// order they stand in the file (the position column is only for reading);
// channels the file leaves out follow, in their old order, keeping their lock
// and groups. A row finds its channel at orig_position if the name there is
// still orig_name; otherwise by orig_name alone when exactly one channel of
// that type bears it (the list was reordered since the export).
QByteArray exportChannelCsv(const ChannelTables &tables);

// The tables with the file applied, or every bad line with the reason, one a
// line ("line 4: ..."). Nothing is applied unless the whole file is good.
Result<ChannelTables> importChannelCsv(const ChannelTables &tables, const QByteArray &csv);

// One data row as read, before it is matched to a channel.
struct ChannelCsvRow {
    int line = 0;
    int type = ChannelTV;
    QString name;
    bool locked = false;
    std::array<int, FavoriteGroupCount> favoriteRank{};
    int origType = ChannelTV;
    int origPosition = 0;  // 1-based
    QString origName;
};

// The data rows of a channel file, or its bad lines as importChannelCsv gives them.
Result<QList<ChannelCsvRow>> readChannelCsvRows(const QByteArray &csv);
