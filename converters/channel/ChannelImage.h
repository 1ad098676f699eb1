#pragma once

#include "channel/ChannelRecords.h"
#include "common/Result.h"

#include <QByteArray>

// The channel image the receiver sends and takes, as docs/channel-image-format.md
// lays it out: a header, a fixed master table, the two lists and the twelve
// favourite groups, all little-endian, zero where unused.
namespace ChannelImage {

constexpr qsizetype Size = 262144;
constexpr int MaxRecords = 5000;
constexpr int MaxListEntries = 5000;  // per list
constexpr int MaxNameBytes = 16;      // the editor's name box takes 16 characters
constexpr int Version = 1;

constexpr qsizetype HeaderSize = 64;
constexpr qsizetype RecordSize = 40;
constexpr qsizetype EntrySize = 6;
constexpr qsizetype GroupSize = 2 + 2 * MaxFavorites;
constexpr qsizetype RecordsOffset = HeaderSize;
constexpr qsizetype TVListOffset = RecordsOffset + MaxRecords * RecordSize;
constexpr qsizetype RadioListOffset = TVListOffset + MaxListEntries * EntrySize;
constexpr qsizetype FavoritesOffset = RadioListOffset + MaxListEntries * EntrySize;
constexpr qsizetype UsedSize = FavoritesOffset + ChannelTypeCount * FavoriteGroupCount * GroupSize;
static_assert(UsedSize <= Size);

extern const char Magic[8];

// The tables of an image, names as raw bytes, fields in plain decimal. Anything
// a combiner would not have written (a wrong size, a stray byte in an unused
// place, a name that cannot stand in ROM_GetCH.dll) is refused.
Result<ChannelTables> parse(const QByteArray &image);

// The image of `tables`, whose NameBytes are the names' real bytes. Refuses
// what does not fit, with the file and line it came from.
Result<QByteArray> build(const ChannelTables &tables);

// Turns the hexadecimal names the tool wrote back into bytes. The encoding has
// no separators, so "A5" may be {0xA5} or {10, 5}: a name whose encoding equals
// that of the same record in `source` takes the source's bytes, any other name
// is read two digits a byte, except that "0" always stands alone.
Status decodeHexNames(QList<RomChannel> &rom, const QList<RomChannel> &source);

}  // namespace ChannelImage
