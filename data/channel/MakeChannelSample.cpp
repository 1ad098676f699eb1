// Writes the sample channel image: the files the tool's save writes, turned into
// an image by the combiner's own code, so the sample is exactly what it writes.
#include "ChannelConvert.h"
#include "ChannelImage.h"
#include "channel/ChannelModel.h"
#include "common/WholeFile.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <cstdio>

namespace {

// A fixed sequence, so every build writes the same sample.
quint32 nextRandom(quint32 &state)
{
    state = state * 1664525u + 1013904223u;
    return state >> 8;
}

const char *const Words[] = {"Sport", "News", "Kino", "Music", "Kids", "Docu", "Météo", "Arte",
                             "Rádio", "Jazz", "Classic", "Info", "Shop", "Travel", "Öko", "Première"};

ChannelTables sampleTables()
{
    quint32 state = 20260601;
    ChannelTables tables;
    const int tvCount = 2000;
    const int radioCount = 500;
    for (int i = 0; i < tvCount + radioCount; ++i) {
        RomChannel record;
        const bool radio = i >= tvCount;
        QByteArray name = QString::fromUtf8("%1 %2 %3")
                              .arg(radio ? QStringLiteral("R") : QStringLiteral("TV"))
                              .arg(QString::fromUtf8(Words[nextRandom(state) % 16]))
                              .arg(i % 1000)
                              .toLatin1()
                              .left(ChannelImage::MaxNameBytes);
        if (i == 7)
            name.clear(); // a channel without a name
        if (i == 8)
            name = QByteArray(1, '\0'); // what a rename to an empty name stores
        if (i == 9)
            name = QByteArray("\x0A\x05Z", 3); // bytes below 16: hexadecimal is ambiguous
        record.NameBytes = name;
        record.Name = QString::fromLatin1(name);
        record.NameLast = qint16(name.size() - 1);
        record.MyIndex = qint16(i);
        for (QString &field : record.Fields)
            field = QString::number(nextRandom(state) % 65536);
        tables.Rom.append(record);

        ChannelEntry entry;
        entry.ChannelIndex = qint16(i);
        entry.Attribute = qint16(nextRandom(state) % 8 == 0 ? LockBit | 1 : 1);
        entry.Extra = qint16(i % 97 == 0 ? -1 : int(nextRandom(state) % 4));
        tables.Channels[radio ? ChannelRadio : ChannelTV].append(entry);
    }
    for (int type = 0; type < ChannelTypeCount; ++type) {
        QList<ChannelEntry> &list = tables.Channels[type];
        for (int g = 0; g < FavoriteGroupCount; ++g) {
            FavoriteGroup &group = tables.Favorites[type][g];
            group.Count = qint16(g == 0 ? MaxFavorites : 5 + 7 * g);
            for (int k = 0; k < group.Count; ++k) {
                const qint16 position = qint16((k * 37 + g * 11) % list.size());
                group.CHIndex[k] = position;
                group.MyIndex[k] = tables.Rom[list[position].ChannelIndex].MyIndex;
                list[position].FavoriteFlag[g] = 1;
            }
        }
    }
    return tables;
}

int fail(const QString &text)
{
    std::fprintf(stderr, "make_channel_sample: %s\n", qPrintable(text));
    return 1;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (app.arguments().size() != 2)
        return fail(QStringLiteral("usage: make_channel_sample <image to write>"));
    QTemporaryDir work;
    if (!work.isValid())
        return fail(QStringLiteral("no temporary directory"));
    const ProgramDir dir(work.path());

    // The combiner needs a source image; an empty one has no names to lend.
    const QString blank = dir.filePath(QStringLiteral("blank.bin"));
    const Result<QByteArray> empty = ChannelImage::build(ChannelTables());
    Status done = empty ? writeWholeFile(blank, empty.value()) : empty.status();
    ChannelModel model(dir);
    model.tables() = sampleTables();
    if (done)
        done = model.SaveChannelFiles();
    if (done)
        done = channelCombine(blank, app.arguments().at(1), dir);
    return done ? 0 : fail(done.error());
}
