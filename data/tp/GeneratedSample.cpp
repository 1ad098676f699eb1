// The sample TP tables where no scan tables are at hand: made-up satellites
// with plausible transponders.
#include "GeneratedSample.h"

#include <iterator>
#include <random>
#include <set>

namespace {

// Positions in tenths of a degree east, 48 distinct ones per region.
int position(int region, int sat)
{
    switch (region) {
    case 0: return 2000 + sat * 23;                                    // America
    case 1: return 410 + sat * 21;                                     // Asia
    case 2: return 1460 + sat * 11;                                    // Atlantic
    default: return sat < 24 ? 5 + sat * 16 : 3150 + (sat - 24) * 18;  // Europe
    }
}

int tpCount(int sat, std::minstd_rand &random)
{
    if (sat % 12 == 0)
        return MaxTP;
    if (sat % 12 == 7)
        return 0;
    return 5 + int(random() % 56);
}

void fillSatellite(TPTables &tables, int r, int s, std::minstd_rand &random)
{
    const QString deg = QString::number(position(r, s)).rightJustified(4, QLatin1Char('0'));
    SatRecord &sat = tables.SatDataStored(r, s);
    sat.Diseqc = QString::number(s % 4);
    sat.SatName =
        QStringLiteral("Satellite %1 %2 (%3)").arg(RegionCode(r)).arg(s + 1, 2, 10, QLatin1Char('0')).arg(deg);
    sat.ParseSort = QString::number(s % 5);
    sat.Deg = deg;
    const int count = tpCount(s, random);
    sat.TPCount = QString::number(count);

    // C band on some Asian and Atlantic satellites, Ku band elsewhere.
    const bool cBand = (r == 1 || r == 2) && s % 3 == 1;
    static const int kSymbolRates[] = {27500, 22000, 29900, 30000, 28800, 6111, 4340, 2963, 13333, 27000, 26665};
    static const char *const kFecs[] = {"2", "3", "5", "7", "0", "1"};
    std::set<std::pair<int, int>> used;  // frequency and polarisation
    for (int t = 0; t < count; ++t) {
        int freq = 0;
        int polar = 0;
        do {
            freq = cBand ? 3400 + int(random() % 800) : 10700 + int(random() % 2050);
            polar = int(random() % 2);
        } while (!used.insert({freq, polar}).second);
    }
    int t = 0;
    for (const auto &[freq, polar] : used) {
        TPRecord &tp = tables.TPDataStored(r, s, t++);
        tp.Freq = QString::number(freq);
        tp.Polar = QString::number(polar);
        tp.SR = QString::number(kSymbolRates[random() % std::size(kSymbolRates)]);
        tp.FEC = QString::fromLatin1(kFecs[random() % std::size(kFecs)]);
    }
}

}  // namespace

void FillGeneratedSample(TPTables &tables)
{
    std::minstd_rand random(192);
    for (int r = 0; r < RegionCount; ++r) {
        for (int s = 0; s < MaxSat; ++s)
            fillSatellite(tables, r, s, random);
    }
}
