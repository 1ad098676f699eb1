#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <array>

// Channel type: index of the TV list and of the radio list.
enum ChannelType : int { ChannelTV = 0, ChannelRadio = 1 };
constexpr int ChannelTypeCount = 2;
constexpr int FavoriteGroupCount = 6;
constexpr int MaxFavorites = 50;
// Attribute bit that marks a locked channel.
constexpr qint16 LockBit = 16;
// Counts and indices are 16-bit signed, so neither the master table nor a list
// can hold more entries than this.
constexpr int MaxRecordsOf16Bit = 32768;

// One record of the master table, one line of ROM_GetCH.dll.
struct RomChannel {
    QString Name;                    // as shown in the editor
    QByteArray NameBytes;            // as written to the file
    qint16 NameLast = -1;            // index of the last byte of NameBytes
    qint16 MyIndex = 0;              // line number when loaded; never changed afterwards
    std::array<QString, 11> Fields;  // Field1 to Field11, carried through unread

    bool operator==(const RomChannel &) const = default;
};

// One position of the TV or radio list.
struct ChannelEntry {
    qint16 ChannelIndex = 0;  // master record
    qint16 Attribute = 0;     // LockBit set means locked; other bits carried through
    qint16 Extra = 0;
    std::array<qint16, FavoriteGroupCount> FavoriteFlag{};  // 1 when in group g

    bool operator==(const ChannelEntry &) const = default;
};

struct FavoriteGroup {
    qint16 Count = 0;
    std::array<qint16, MaxFavorites> CHIndex{};  // position in the list of the same type
    std::array<qint16, MaxFavorites> MyIndex{};  // MyIndex of that channel's master record

    bool operator==(const FavoriteGroup &) const = default;
};

// The master table, both lists and all twelve favourite groups: what the four
// channel files hold, and what the saved copy keeps.
struct ChannelTables {
    QList<RomChannel> Rom;
    std::array<QList<ChannelEntry>, ChannelTypeCount> Channels;
    std::array<std::array<FavoriteGroup, FavoriteGroupCount>, ChannelTypeCount> Favorites{};

    qint16 RomLast() const { return qint16(Rom.size() - 1); }
    qint16 ChannelLast(int type) const { return qint16(Channels[type].size() - 1); }

    bool operator==(const ChannelTables &) const = default;
};
