#pragma once

// Channel data for the tests: tables of chosen names, a model loaded from its
// files with the editing rules on it, whole files, and the converters staged in
// a program directory.

#include "channel/ChannelEditing.h"
#include "channel/ChannelModel.h"
#include "support/SampleTables.h"
#include "support/TestFiles.h"

#include <QFile>
#include <QTemporaryDir>

#include <initializer_list>

// from, from + 1, ..., to.
inline QList<int> range(int from, int to)
{
    QList<int> r;
    for (int i = from; i <= to; ++i)
        r.append(i);
    return r;
}

// Names the record with exactly these bytes, as a reader of the files would.
inline void nameRecord(RomChannel &record, const QByteArray &bytes)
{
    record.NameBytes = bytes;
    record.Name = QString::fromLatin1(bytes);
    record.NameLast = qint16(bytes.size() - 1);
}

// The sample tables with TV channel i named names[i].
inline ChannelTables namedTables(const QStringList &names, int radio = 0)
{
    ChannelTables t = sampleTables(int(names.size()), radio);
    for (qsizetype i = 0; i < names.size(); ++i)
        nameRecord(t.Rom[i], names[i].toLatin1());
    return t;
}

// The names in favourite group g of the list, in the group's order.
inline QStringList groupNames(const ChannelTables &t, int type, int g)
{
    QStringList out;
    const FavoriteGroup &group = t.Favorites[type][g];
    for (int k = 0; k < group.Count; ++k)
        out.append(t.Rom[t.Channels[type][group.CHIndex[k]].ChannelIndex].Name);
    return out;
}

inline ChannelTables withoutFavorites(ChannelTables t)
{
    for (auto &list : t.Channels)
        for (ChannelEntry &entry : list)
            entry.FavoriteFlag = {};
    t.Favorites = {};
    return t;
}

// A model loaded from the files of `tables`, so it counts as unchanged, showing its TV list.
struct LoadedChannels {
    QTemporaryDir dir;
    ChannelModel model{ProgramDir(dir.path())};
    ChannelEditing editing{model};

    explicit LoadedChannels(const ChannelTables &tables)
    {
        writeChannelFiles(ProgramDir(dir.path()), tables, NameForm::Raw);
        model.LoadChannelFiles();
        editing.switchType(ChannelTV);
    }
    QStringList names() const
    {
        QStringList n;
        for (int p = 0; p < editing.rowCount(); ++p)
            n.append(editing.channelName(p));
        return n;
    }
};

// The first line of an exported channel list.
inline const QByteArray kCsvHeader = "type,position,name,lock,F1,F2,F3,F4,F5,F6,orig_type,orig_position,orig_name\r\n";

// Copies the converters, the channel ones unless named, into the program directory `dir`.
inline void stageConverters(const QString &dir,
                            std::initializer_list<const char *> names = {"ChannelParse", "ChannelCombine"})
{
    for (const char *name : names)
        QFile::copy(QStringLiteral(TARVIK_STAGE_DIR "/") + QLatin1String(name), dir + QLatin1Char('/') + name);
}
