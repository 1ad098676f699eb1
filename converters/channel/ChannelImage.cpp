#include "ChannelImage.h"

#include "channel/ChannelFiles.h"

#include <QtEndian>

#include <cstring>

namespace ChannelImage {

const char Magic[8] = {'T', 'V', 'K', 'C', 'H', 'A', 'N', '1'};

namespace {

const char *const ListFiles[ChannelTypeCount] = {"TV.dll", "Radio.dll"};
const char *const TypeNames[ChannelTypeCount] = {"TV", "radio"};
const qsizetype ListOffsets[ChannelTypeCount] = {TVListOffset, RadioListOffset};

quint16 u16(const QByteArray &image, qsizetype at)
{
    return qFromLittleEndian<quint16>(reinterpret_cast<const uchar *>(image.constData()) + at);
}

void putU16(QByteArray &image, qsizetype at, quint16 value)
{
    qToLittleEndian<quint16>(value, reinterpret_cast<uchar *>(image.data()) + at);
}

bool allZero(const QByteArray &image, qsizetype from, qsizetype to)
{
    static const QByteArray zeros(Size, '\0');
    return memcmp(image.constData() + from, zeros.constData(), size_t(to - from)) == 0;
}

// Bytes that would end a field or vanish in ROM_GetCH.dll.
bool nameCanBeWritten(const QByteArray &name)
{
    return !name.contains('\r') && !name.contains('|');
}

Status fail(const QString &text)
{
    return Status::failure(text);
}

qsizetype groupOffset(int type, int group)
{
    return FavoritesOffset + (type * FavoriteGroupCount + group) * GroupSize;
}

// A field as the converter writes it: plain decimal, 0 to 65535, no sign,
// no leading zero, no spaces. Anything else would be reformatted on the way.
bool fieldValue(const QString &text, quint16 &value)
{
    if (text.isEmpty() || text.size() > 5 || (text.size() > 1 && text.front() == QLatin1Char('0')))
        return false;
    uint number = 0;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
        number = number * 10 + uint(c.unicode() - '0');
    }
    if (number > 65535)
        return false;
    value = quint16(number);
    return true;
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

}  // namespace

Result<ChannelTables> parse(const QByteArray &image)
{
    if (image.size() != Size)
        return fail(QStringLiteral("the image is %1 bytes long; a channel image is exactly %2 bytes")
                        .arg(image.size())
                        .arg(Size));
    if (QByteArray::fromRawData(Magic, sizeof Magic) != image.left(sizeof Magic))
        return fail(QStringLiteral("this is not a channel image (no channel image mark at its start)"));
    if (u16(image, 8) != Version)
        return fail(QStringLiteral("channel image version %1 is not known").arg(u16(image, 8)));
    const int records = u16(image, 10);
    const int counts[ChannelTypeCount] = {u16(image, 12), u16(image, 14)};
    if (records > MaxRecords)
        return fail(QStringLiteral("the image claims %1 channel records; at most %2 fit").arg(records).arg(MaxRecords));
    for (int type = 0; type < ChannelTypeCount; ++type) {
        if (counts[type] > MaxListEntries)
            return fail(QStringLiteral("the image claims %1 %2 channels; at most %3 fit")
                            .arg(counts[type])
                            .arg(QLatin1String(TypeNames[type]))
                            .arg(MaxListEntries));
    }
    if (!allZero(image, 16, HeaderSize))
        return fail(QStringLiteral("the image header has unknown content"));

    ChannelTables tables;
    tables.Rom.reserve(records);
    for (int i = 0; i < MaxRecords; ++i) {
        const qsizetype at = RecordsOffset + i * RecordSize;
        if (i >= records) {
            if (!allZero(image, at, at + RecordSize))
                return fail(QStringLiteral("unused channel record %1 is not empty").arg(i));
            continue;
        }
        const int length = uchar(image.at(at));
        if (length > MaxNameBytes)
            return fail(QStringLiteral("channel record %1 has a name of %2 bytes; at most %3 fit")
                            .arg(i)
                            .arg(length)
                            .arg(MaxNameBytes));
        if (!allZero(image, at + 1 + length, at + 18))
            return fail(QStringLiteral("channel record %1 has bytes after its name").arg(i));
        RomChannel record;
        record.NameBytes = image.mid(at + 1, length);
        if (!nameCanBeWritten(record.NameBytes))
            return fail(QStringLiteral("the name of channel record %1 holds a CR or \"|\" byte").arg(i));
        record.Name = QString::fromLatin1(record.NameBytes);
        record.NameLast = qint16(length - 1);
        record.MyIndex = qint16(i);
        for (int f = 0; f < 11; ++f)
            record.Fields[f] = QString::number(u16(image, at + 18 + 2 * f));
        tables.Rom.append(std::move(record));
    }

    for (int type = 0; type < ChannelTypeCount; ++type) {
        QList<ChannelEntry> &list = tables.Channels[type];
        list.reserve(counts[type]);
        for (int p = 0; p < MaxListEntries; ++p) {
            const qsizetype at = ListOffsets[type] + p * EntrySize;
            if (p >= counts[type]) {
                if (!allZero(image, at, at + EntrySize))
                    return fail(QStringLiteral("unused %1 list entry %2 is not empty")
                                    .arg(QLatin1String(TypeNames[type]))
                                    .arg(p));
                continue;
            }
            ChannelEntry entry;
            entry.ChannelIndex = qint16(u16(image, at));
            entry.Attribute = qint16(u16(image, at + 2));
            entry.Extra = qint16(u16(image, at + 4));
            if (entry.ChannelIndex < 0 || entry.ChannelIndex >= records)
                return fail(QStringLiteral("%1 list entry %2 names channel record %3, which does not exist")
                                .arg(QLatin1String(TypeNames[type]))
                                .arg(p)
                                .arg(entry.ChannelIndex));
            list.append(entry);
        }
        for (int g = 0; g < FavoriteGroupCount; ++g) {
            const qsizetype at = groupOffset(type, g);
            FavoriteGroup &group = tables.Favorites[type][g];
            const int count = u16(image, at);
            if (count > MaxFavorites)
                return fail(QStringLiteral("favourite group F%1 of the %2 list claims %3 entries; at most %4 fit")
                                .arg(g + 1)
                                .arg(QLatin1String(TypeNames[type]))
                                .arg(count)
                                .arg(MaxFavorites));
            group.Count = qint16(count);
            for (int k = 0; k < MaxFavorites; ++k) {
                const qint16 position = qint16(u16(image, at + 2 + 2 * k));
                if (k >= count) {
                    if (position != 0)
                        return fail(QStringLiteral("unused entries of favourite group F%1 of the %2 list are not empty")
                                        .arg(g + 1)
                                        .arg(QLatin1String(TypeNames[type])));
                    continue;
                }
                if (position < 0 || position >= list.size() || list[position].FavoriteFlag[g] == 1)
                    return fail(QStringLiteral("favourite group F%1 of the %2 list names position %3, which is not in "
                                               "the list or is named twice")
                                    .arg(g + 1)
                                    .arg(QLatin1String(TypeNames[type]))
                                    .arg(position));
                list[position].FavoriteFlag[g] = 1;
                group.CHIndex[k] = position;
                group.MyIndex[k] = tables.Rom[list[position].ChannelIndex].MyIndex;
            }
        }
    }
    if (!allZero(image, UsedSize, Size))
        return fail(QStringLiteral("the unused end of the image is not empty"));
    return tables;
}

Result<QByteArray> build(const ChannelTables &tables)
{
    if (tables.Rom.size() > MaxRecords)
        return fail(QStringLiteral("ROM_GetCH.dll holds %1 channel records; a channel image holds at most %2")
                        .arg(tables.Rom.size())
                        .arg(MaxRecords));
    QByteArray image(Size, '\0');
    memcpy(image.data(), Magic, sizeof Magic);
    putU16(image, 8, Version);
    putU16(image, 10, quint16(tables.Rom.size()));

    for (qsizetype i = 0; i < tables.Rom.size(); ++i) {
        const RomChannel &record = tables.Rom[i];
        const QString line = QStringLiteral("ROM_GetCH.dll, line %1: ").arg(i + 1);
        if (record.NameBytes.size() > MaxNameBytes)
            return fail(line + QStringLiteral("the name is %1 bytes long; at most %2 fit in a channel image")
                                   .arg(record.NameBytes.size())
                                   .arg(MaxNameBytes));
        if (!nameCanBeWritten(record.NameBytes))
            return fail(line + QStringLiteral("a channel name cannot hold a CR or \"|\" byte"));
        const qsizetype at = RecordsOffset + i * RecordSize;
        image[at] = char(record.NameBytes.size());
        memcpy(image.data() + at + 1, record.NameBytes.constData(), size_t(record.NameBytes.size()));
        for (int f = 0; f < 11; ++f) {
            quint16 value = 0;
            if (!fieldValue(record.Fields[f], value))
                return fail(line + QStringLiteral("field %1 is \"%2\", not a number from 0 to 65535")
                                       .arg(f + 1)
                                       .arg(record.Fields[f]));
            putU16(image, at + 18 + 2 * f, value);
        }
    }

    for (int type = 0; type < ChannelTypeCount; ++type) {
        const QList<ChannelEntry> &list = tables.Channels[type];
        const QString file = QLatin1String(ListFiles[type]);
        if (list.size() > MaxListEntries)
            return fail(QStringLiteral("%1 holds %2 channels; a channel image holds at most %3")
                            .arg(file)
                            .arg(list.size())
                            .arg(MaxListEntries));
        putU16(image, 12 + 2 * type, quint16(list.size()));
        for (qsizetype p = 0; p < list.size(); ++p) {
            const ChannelEntry &entry = list[p];
            if (entry.ChannelIndex < 0 || entry.ChannelIndex >= tables.Rom.size())
                return fail(QStringLiteral("%1, line %2: channel record %3 does not exist")
                                .arg(file)
                                .arg(p + 1)
                                .arg(entry.ChannelIndex));
            const qsizetype at = ListOffsets[type] + p * EntrySize;
            putU16(image, at, quint16(entry.ChannelIndex));
            putU16(image, at + 2, quint16(entry.Attribute));
            putU16(image, at + 4, quint16(entry.Extra));
        }
        for (int g = 0; g < FavoriteGroupCount; ++g) {
            const FavoriteGroup &group = tables.Favorites[type][g];
            if (group.Count < 0 || group.Count > MaxFavorites)
                return fail(QStringLiteral("Favorite.dll: group F%1 of the %2 list holds %3 entries; at most %4 fit")
                                .arg(g + 1)
                                .arg(QLatin1String(TypeNames[type]))
                                .arg(group.Count)
                                .arg(MaxFavorites));
            const qsizetype at = groupOffset(type, g);
            putU16(image, at, quint16(group.Count));
            for (int k = 0; k < group.Count; ++k) {
                if (group.CHIndex[k] < 0 || group.CHIndex[k] >= list.size())
                    return fail(
                        QStringLiteral(
                            "Favorite.dll: group F%1 of the %2 list names position %3, which is not in the list")
                            .arg(g + 1)
                            .arg(QLatin1String(TypeNames[type]))
                            .arg(group.CHIndex[k]));
                putU16(image, at + 2 + 2 * k, quint16(group.CHIndex[k]));
            }
        }
    }
    return image;
}

Status decodeHexNames(QList<RomChannel> &rom, const QList<RomChannel> &source)
{
    for (qsizetype i = 0; i < rom.size(); ++i) {
        RomChannel &record = rom[i];
        const QByteArray text = record.NameBytes.toUpper();
        QByteArray bytes;
        if (i < source.size() && hexName(source[i].NameBytes) == text) {
            bytes = source[i].NameBytes;
        } else {
            for (qsizetype at = 0; at < text.size();) {
                const int high = hexDigit(text.at(at));
                if (high < 0)
                    return fail(QStringLiteral("ROM_GetCH.dll, line %1: the name \"%2\" is not hexadecimal")
                                    .arg(i + 1)
                                    .arg(QString::fromLatin1(record.NameBytes)));
                const int low = high == 0 || at + 1 == text.size() ? -2 : hexDigit(text.at(at + 1));
                if (low == -1)
                    return fail(QStringLiteral("ROM_GetCH.dll, line %1: the name \"%2\" is not hexadecimal")
                                    .arg(i + 1)
                                    .arg(QString::fromLatin1(record.NameBytes)));
                bytes.append(char(low == -2 ? high : high * 16 + low));
                at += low == -2 ? 1 : 2;
            }
        }
        record.NameBytes = bytes;
        record.Name = QString::fromLatin1(bytes);
        record.NameLast = qint16(bytes.size() - 1);
    }
    return Status::success();
}

}  // namespace ChannelImage
