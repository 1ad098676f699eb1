#pragma once

#include "channel/ChannelRecords.h"
#include "common/Result.h"

#include <QByteArray>
#include <QIODevice>
#include <QString>

// The four channel files: TV.dll and Radio.dll (the lists), Favorite.dll (the
// twelve favourite groups) and ROM_GetCH.dll (the master table). Single-byte
// text, ISO-8859-1, every line ended by CR LF. Readers take the file's name
// only to say which file an error is about.

// "-1" / "0" / "12".
QByteArray plainNumber(int value);
// " 0 " / "-1 " / " 12 ".
QByteArray paddedNumber(int value);

// Each byte in upper-case hexadecimal without a leading zero: {10, 5} gives "A5".
QByteArray hexName(const QByteArray &bytes);

// How field 0 of ROM_GetCH.dll is written: the converter writes the bytes as
// they are, the tool writes them in hexadecimal.
enum class NameForm { Raw, Hex };

// One record per line; field 0 is taken as raw bytes, whatever its form.
Result<QList<RomChannel>> readRomFile(QIODevice &device, const QString &fileName);
QByteArray romFileText(const QList<RomChannel> &rom, NameForm form);

// Every ChannelIndex must name one of `romCount` master records.
Result<QList<ChannelEntry>> readChannelListFile(QIODevice &device, const QString &fileName, qsizetype romCount);
QByteArray channelListText(const QList<ChannelEntry> &entries);

// Fills the groups of `tables`, whose master table and lists are already read,
// and sets the favourite flags of the entries the groups name.
Status readFavoriteFile(QIODevice &device, const QString &fileName, ChannelTables &tables);
QByteArray favoriteFileText(const ChannelTables &tables);
