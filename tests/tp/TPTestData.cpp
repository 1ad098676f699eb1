#include "TPTestData.h"

#include "tp/TPFieldText.h"
#include "tp/TPFiles.h"
#include "tp/TPListOps.h"

#include <random>

QByteArray preDefineLines(int lines, bool lastLineEnd)
{
    QByteArray text;
    for (int i = 0; i < lines; ++i) {
        const QByteArray deg = QByteArray::number(i).rightJustified(4, '0');
        text += "0|Sat " + QByteArray::number(i) + " (" + deg + ")|0|0|" + deg;
        if (i + 1 < lines || lastLineEnd)
            text += "\r\n";
    }
    return text;
}

void fillSaveableTables(SatTable &sats, TPTable &tps, unsigned seed)
{
    std::mt19937 random(seed);
    auto pick = [&random](int below) { return int(random() % unsigned(below)); };
    for (int r = 0; r < RegionCount; ++r) {
        for (int s = 0; s < MaxSat; ++s) {
            SatRecord &sat = sats(r, s);
            const QString deg = QString::number(pick(3600)).rightJustified(4, QLatin1Char('0'));
            sat.Diseqc = QString::number(pick(100000));
            sat.SatName = QStringLiteral("Satellite %1%2 (%3)").arg(RegionCode(r)).arg(s).arg(deg);
            sat.ParseSort = QString::number(pick(5));
            sat.Deg = s % 7 == 3 ? QStringLiteral("192") : deg;  // typed without leading zeros
            const int count = s % 11 == 0 ? MaxTP : (s % 5 == 1 ? 0 : pick(30) + 1);
            sat.TPCount = QString::number(count);
            for (int t = 0; t < count; ++t) {
                TPRecord &tp = tps(r, s, t);
                tp.Freq = t % 9 == 4 ? QString::number(3400 + pick(800)) : QString::number(10700 + pick(2050));
                tp.Polar = QString::number(pick(2));
                tp.SR = QString::number(pick(2) ? 27500 : 2000 + pick(28000));
                tp.FEC = QString::number(pick(9));
            }
        }
    }
}

QString fileContentDifference(const SatTable &a, const TPTable &at, const SatTable &b, const TPTable &bt)
{
    for (int r = 0; r < RegionCount; ++r) {
        for (int s = 0; s < MaxSat; ++s) {
            if (!(a(r, s) == b(r, s)))
                return QStringLiteral("satellite %1 of region %2").arg(s).arg(r);
            const int count = decimalValue(a(r, s).TPCount).value_or(0);
            for (int t = 0; t < count && t < TPSlots; ++t) {
                if (!(at(r, s, t) == bt(r, s, t)))
                    return QStringLiteral("TP %1 of satellite %2 of region %3").arg(t).arg(s).arg(r);
            }
        }
    }
    return {};
}

std::unique_ptr<TPTables> editTables(int count)
{
    auto t = std::make_unique<TPTables>();
    for (int r = 0; r < RegionCount; ++r) {
        for (int s = 0; s < MaxSat; ++s) {
            const int n = s % 4 + 1;
            const QString deg = QStringLiteral("%1").arg(s * 10, 4, 10, QLatin1Char('0'));
            t->SatDataStored(r, s) = {QString::number(s), QStringLiteral("S%1 (%2)").arg(s).arg(deg),
                                      QString::number(n), QString::number(s % 5), deg};
            for (int k = 0; k < n; ++k)
                t->TPDataStored(r, s, k) = {QString::number(s) + QLatin1Char('0') + QString::number(k),
                                            QString::number(k % 2), QString::number(27500 + k), QString::number(k % 8)};
        }
    }
    t->copyStoredToWorking();
    t->SatCount.fill(qint16(count));
    return t;
}

QString satNames(const TPTables &t, int region)
{
    QStringList out;
    for (int s = 0; s < t.SatCount[region]; ++s)
        out << t.SatData(region, s).SatName.section(QLatin1Char(' '), 0, 0);
    return out.join(QLatin1Char(','));
}

QString tpFreqs(const TPTables &t, int sat, int region)
{
    QStringList out;
    for (int k = 0; k < tpCountOf(t.SatData(region, sat)); ++k)
        out << t.TPData(region, sat, k).Freq;
    return out.join(QLatin1Char(','));
}
