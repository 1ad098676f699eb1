#include "tp/TPDataCheck.h"

#include "tp/TPFieldText.h"
#include "tp/TPListOps.h"

#include <algorithm>

namespace {

const QString kInvalid = QStringLiteral("Invalid data entered.  Delete invalid data entry.");
const QString kSaveError = QStringLiteral("Save ERROR");

bool hasBrackets(const QString &name)
{
    return name.contains(QLatin1String("other"), Qt::CaseInsensitive) ||
           (name.contains(QLatin1Char('(')) && name.contains(QLatin1Char(')')));
}

int usedSlots(const TPTables &t, int r)
{
    return std::clamp<int>(t.SatCount[r], 0, SatSlots);
}

}  // namespace

bool AnyEmpty(const QString &a, const QString &b, const QString &c, const QString &d)
{
    return a.isEmpty() || b.isEmpty() || c.isEmpty() || d.isEmpty();
}

std::optional<CheckFault> TPDataCheck(const TPTables &t)
{
    for (int r = 0; r < RegionCount; ++r) {
        if (t.SatCount[r] != MaxSat)
            return CheckFault{r, usedSlots(t, r) - 1, -1, satLimitMessage(), kSaveError};
        for (int i = 0; i < t.SatCount[r]; ++i) {
            const SatRecord &sat = t.SatData(r, i);
            if (AnyEmpty(sat.Deg, sat.SatName, sat.ParseSort, sat.Diseqc))
                return CheckFault{r, i, -1, kInvalid, kSaveError};
            if (!hasBrackets(sat.SatName))
                return CheckFault{r, i, -1,
                                  kInvalid + QStringLiteral("\r\n\r\nEnclose the satellite degree with round "
                                                            "brackets\r\n\r\nex :  Satellite Name (0000)"),
                                  QString()};
            // A count that is no number cannot be saved either.
            const std::optional<int> count = decimalValue(sat.TPCount);
            if (!count || *count > MaxTP)
                return CheckFault{-1, -1, -1, tpLimitMessage(), kSaveError};
            for (int k = 0; k < *count; ++k) {
                const TPRecord &tp = t.TPData(r, i, k);
                if (AnyEmpty(tp.FEC, tp.Polar, tp.Freq, tp.SR))
                    return CheckFault{r, i, k, kInvalid, kSaveError};
            }
        }
    }
    for (int r = 0; r < RegionCount; ++r) {
        for (int i = 0; i < t.SatCount[r]; ++i) {
            for (int j = i + 1; j < t.SatCount[r]; ++j) {
                if (t.SatData(r, i).SatName == t.SatData(r, j).SatName)
                    return CheckFault{r, i, -1, QStringLiteral("Duplicated Satellite Found.  Use different name."),
                                      QStringLiteral("Sat Name ERROR!")};
            }
        }
    }
    return std::nullopt;
}

bool TPDataUnchanged(const TPTables &t)
{
    for (int r = 0; r < RegionCount; ++r) {
        for (int i = 0; i < usedSlots(t, r); ++i) {
            if (t.SatData(r, i) != t.SatDataStored(r, i))
                return false;
            const int n = tpCountOf(t.SatData(r, i));
            for (int k = 0; k < n; ++k) {
                if (t.TPData(r, i, k) != t.TPDataStored(r, i, k))
                    return false;
            }
        }
    }
    return true;
}
