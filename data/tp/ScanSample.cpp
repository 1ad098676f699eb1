#include "ScanSample.h"

#include "download/CodeRanges.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <algorithm>
#include <map>

QStringList NameWords(const QString &fileName)
{
    static const QRegularExpression position(QStringLiteral("(?:_C)?[-_][0-9.]+[EW]$"));
    QString name = fileName;
    name.remove(position).replace(u'_', u'-');
    return name.split(u'-', Qt::SkipEmptyParts);
}

QString PositionName(const QList<std::pair<QString, int>> &files, int code)
{
    QStringList common = NameWords(files.value(0).first);
    for (const auto &[fileName, tps] : files) {
        const QStringList words = NameWords(fileName);
        qsizetype same = 0;
        while (same < common.size() && same < words.size() && common[same] == words[same])
            ++same;
        common.resize(same);
    }
    if (common.isEmpty()) {
        const auto most = std::max_element(files.cbegin(), files.cend(),
                                           [](const auto &a, const auto &b) { return a.second < b.second; });
        common = NameWords(most->first);
    }
    const QString degrees = code > 1800 ? QStringLiteral("%1W").arg((3600 - code) / 10.0, 0, 'f', 1)
                                        : QStringLiteral("%1E").arg(code / 10.0, 0, 'f', 1);
    return common.join(u' ') + u' ' + degrees;
}

std::optional<TPRecord> ReceiverTP(const ScanTransponder &tp)
{
    const auto fits = [](int value) { return value > 0 && value <= 99999; };
    if (tp.dvbS2 || !fits(tp.frequencyMHz) || !fits(tp.symbolRateK))
        return std::nullopt;
    // Circular polarisation goes through the LNB's voltages: left as H (18 V), right as V (13 V).
    const bool vertical = tp.polarisation == 'V' || tp.polarisation == 'R';
    static const QStringList fecs = {QStringLiteral("1/2"), QStringLiteral("2/3"), QStringLiteral("3/4"),
                                     QStringLiteral("4/5"), QStringLiteral("5/6"), QStringLiteral("6/7"),
                                     QStringLiteral("7/8"), QStringLiteral("8/9")};
    // Auto for AUTO and for the rates the receiver does not list (3/5, 9/10).
    const qsizetype fec = fecs.indexOf(tp.fec) + 1;
    return TPRecord{QString::number(tp.frequencyMHz), vertical ? QStringLiteral("1") : QStringLiteral("0"),
                    QString::number(tp.symbolRateK), QString::number(fec)};
}

QList<SampleSatellite> ScanSatellites(const QString &folder)
{
    struct Position {
        QList<std::pair<QString, int>> files;  // name, TPs the receiver can take
        QList<TPRecord> tps;
    };
    std::map<int, Position> positions;
    const QDir dir(folder);
    for (const QString &fileName : dir.entryList(QDir::Files, QDir::Name)) {
        const int code = PositionCode(fileName).toInt();
        QFile file(dir.filePath(fileName));
        if (code == 0 || !file.open(QIODevice::ReadOnly))
            continue;
        Position &position = positions[code];
        const qsizetype before = position.tps.size();
        for (const ScanTransponder &tp : ReadScanTable(file.readAll()))
            if (const std::optional<TPRecord> record = ReceiverTP(tp))
                position.tps.append(*record);
        position.files.append({fileName, int(position.tps.size() - before)});
    }
    QList<SampleSatellite> satellites;
    for (auto &[code, position] : positions) {
        QList<TPRecord> &tps = position.tps;
        // One TP per frequency and polarisation, whichever table named it first.
        const auto key = [](const TPRecord &tp) { return std::pair(tp.Freq.toInt(), tp.Polar); };
        std::stable_sort(tps.begin(), tps.end(),
                         [&key](const TPRecord &a, const TPRecord &b) { return key(a) < key(b); });
        tps.erase(std::unique(tps.begin(), tps.end(),
                              [&key](const TPRecord &a, const TPRecord &b) { return key(a) == key(b); }),
                  tps.end());
        if (tps.isEmpty())
            continue;
        satellites.append(
            {PositionName(position.files, code), code, tps.first(std::min<qsizetype>(tps.size(), MaxTP))});
    }
    return satellites;
}

namespace {

// "Astra 19.2E (0192)", shortened to the 32 characters of the name box.
QString satName(const SampleSatellite &sat)
{
    const QString position = QStringLiteral(" (%1)").arg(sat.code, 4, 10, QLatin1Char('0'));
    const qsizetype room = 32 - position.size();
    // Whole words from the end go first: the position is in the brackets already.
    QString name = sat.name;
    while (name.size() > room && name.contains(u' '))
        name = name.section(u' ', 0, -2);
    return name.left(room) + position;
}

SatRecord satRecord(const SampleSatellite &sat)
{
    const bool cBandOnly =
        std::all_of(sat.tps.cbegin(), sat.tps.cend(), [](const TPRecord &tp) { return tp.Freq.toInt() < 5000; });
    return {QStringLiteral("0"), satName(sat), QString::number(sat.tps.size()),
            cBandOnly ? QStringLiteral("3") : QStringLiteral("0"),
            QStringLiteral("%1").arg(sat.code, 4, 10, QLatin1Char('0'))};
}

// West to east within a region; only Europe straddles 0 degrees.
int westToEast(int code)
{
    return code >= 3150 ? code - 3600 : code;
}

}  // namespace

void PlaceSatellites(const QList<SampleSatellite> &satellites, TPTables &tables)
{
    QList<const SampleSatellite *> left;
    for (const SampleSatellite &sat : satellites)
        left.append(&sat);
    static constexpr DownloadRegion wizardOrder[] = {DownloadRegion::Europe, DownloadRegion::Asia,
                                                     DownloadRegion::Atlantic, DownloadRegion::America};
    for (const DownloadRegion region : wizardOrder) {
        const auto outside = std::stable_partition(
            left.begin(), left.end(), [region](const SampleSatellite *sat) { return RegionHolds(region, sat->code); });
        QList<const SampleSatellite *> here(left.begin(), outside);
        std::stable_sort(here.begin(), here.end(), [](const SampleSatellite *a, const SampleSatellite *b) {
            return a->tps.size() > b->tps.size();
        });
        if (here.size() > MaxSat)
            here.resize(MaxSat);
        left.removeIf([&here](const SampleSatellite *sat) { return here.contains(sat); });
        std::sort(here.begin(), here.end(), [](const SampleSatellite *a, const SampleSatellite *b) {
            return westToEast(a->code) < westToEast(b->code);
        });

        const int r = int(region);
        for (int s = 0; s < MaxSat; ++s) {
            if (s >= here.size()) {
                tables.SatDataStored(r, s) = {QStringLiteral("0"), QStringLiteral("other %1").arg(s - here.size() + 1),
                                              QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0000")};
                continue;
            }
            tables.SatDataStored(r, s) = satRecord(*here[s]);
            for (int t = 0; t < here[s]->tps.size(); ++t)
                tables.TPDataStored(r, s, t) = here[s]->tps[t];
        }
    }
}
