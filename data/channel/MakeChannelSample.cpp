// Writes the sample channel image: the files the tool's save writes, turned into
// an image by the combiner's own code, so the sample is exactly what it writes.
#include "ChannelConvert.h"
#include "ChannelImage.h"
#include "channel/ChannelModel.h"
#include "common/WholeFile.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace {

// A fixed sequence, so every build writes the same sample.
quint32 nextRandom(quint32 &state)
{
    state = state * 1664525u + 1013904223u;
    return state >> 8;
}

// Made-up stations: a place or brand word and a kind, the kinds grouped by the
// favourite group a viewer would put them in (F1 news, F2 sport, and so on).
const char *const Places[] = {"Adria",  "Alpen",  "Anatol", "Atlas",   "Baltic", "Balkan", "Bosporus", "Celtic",
                              "Danube", "Delta",  "Fjord",  "Galicia", "Hellas", "Helvet", "Iberia",   "Karpat",
                              "Lappi",  "Levant", "Lusit",  "Magreb",  "Nile",   "Nord",   "Nova",     "Orbit",
                              "Pannon", "Polar",  "Rhein",  "Riviera", "Sahara", "Sinai",  "Sol",      "Tatra",
                              "Tirol",  "Ural",   "Volga",  "Zeeland"};
const char *const TVKinds[FavoriteGroupCount][4] = {
    {"News", "Info", "24", "Météo"},       {"Sport", "Arena", "Golf", "Moto"},  {"Kino", "Cinéma", "Series", "Drama"},
    {"Kids", "Family", "Junior", "Toons"}, {"Music", "Música", "Hits", "Live"}, {"Docu", "Travel", "Natura", "Kultur"}};
const char *const RadioKinds[FavoriteGroupCount][4] = {
    {"Radio", "Talk", "Actualité", "Journal"}, {"Stadion", "Goal", "Tribune", "Derby"},
    {"Klassik", "Opera", "Barock", "Piano"},   {"Jazz", "Blues", "Swing", "Soul"},
    {"FM", "Pop", "Charts", "Rock"},           {"Folk", "Schlager", "Latino", "Oriental"}};

struct Station {
    QByteArray name;  // ISO-8859-1, at most ChannelImage::MaxNameBytes
    int group;        // the favourite group its kind belongs to
};

// Names distinct from each other and from the other type's, in the mixed order
// of a receiver's channel search.
QList<Station> stations(int count, bool radio, quint32 &state)
{
    QList<Station> all;
    for (const char *place : Places) {
        for (int g = 0; g < FavoriteGroupCount; ++g) {
            for (const char *kind : radio ? RadioKinds[g] : TVKinds[g]) {
                const QString name = qstrcmp(kind, "Radio") == 0
                                         ? QStringLiteral("Radio %1").arg(QLatin1String(place))
                                         : QStringLiteral("%1 %2").arg(QLatin1String(place), QString::fromUtf8(kind));
                const QByteArray bytes = name.toLatin1();
                if (bytes.size() <= ChannelImage::MaxNameBytes &&
                    !std::any_of(all.cbegin(), all.cend(), [&bytes](const Station &s) { return s.name == bytes; }))
                    all.append({bytes, g});
            }
        }
    }
    for (qsizetype i = all.size() - 1; i > 0; --i)
        all.swapItemsAt(i, nextRandom(state) % (i + 1));
    all.resize(std::min<qsizetype>(count, all.size()));
    return all;
}

ChannelTables sampleTables()
{
    quint32 state = 20260601;
    ChannelTables tables;
    const QList<Station> lists[ChannelTypeCount] = {stations(640, false, state), stations(180, true, state)};
    for (int type = 0; type < ChannelTypeCount; ++type) {
        for (const Station &station : lists[type]) {
            RomChannel record;
            record.NameBytes = station.name;
            record.Name = QString::fromLatin1(station.name);
            record.NameLast = qint16(station.name.size() - 1);
            record.MyIndex = qint16(tables.Rom.size());
            for (QString &field : record.Fields)
                field = QString::number(nextRandom(state) % 65536);

            ChannelEntry entry;
            entry.ChannelIndex = record.MyIndex;
            entry.Attribute = qint16(nextRandom(state) % 40 == 0 ? LockBit | 1 : 1);  // a few locked
            entry.Extra = qint16(nextRandom(state) % 4);
            tables.Channels[type].append(entry);
            tables.Rom.append(record);
        }
        // A handful of channels a group, of the group's kinds, spread over the list.
        for (int g = 0; g < FavoriteGroupCount; ++g) {
            QList<qint16> kind;
            for (qint16 p = 0; p < lists[type].size(); ++p)
                if (lists[type][p].group == g)
                    kind.append(p);
            FavoriteGroup &group = tables.Favorites[type][g];
            group.Count = qint16(std::min<qsizetype>(4 + (g * 3 + type) % 6, kind.size()));
            for (int k = 0; k < group.Count; ++k) {
                const qint16 p = kind[k * kind.size() / group.Count];
                group.CHIndex[k] = p;
                group.MyIndex[k] = tables.Rom[tables.Channels[type][p].ChannelIndex].MyIndex;
                tables.Channels[type][p].FavoriteFlag[g] = 1;
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

}  // namespace

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
