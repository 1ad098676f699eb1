#include "download/CodeRanges.h"

#include "common/LeadingNumber.h"

double CodeValue(const QString &line)
{
    return LeadingNumber(line);
}

bool RegionHolds(DownloadRegion region, double value)
{
    switch (region) {
    case DownloadRegion::Europe: return (value > 0 && value <= 409) || value >= 3150;
    case DownloadRegion::Asia: return value >= 410 && value <= 1459;
    case DownloadRegion::Atlantic: return value >= 1000 && value <= 1999;
    case DownloadRegion::America: return value >= 2000 && value <= 3149;
    }
    return false;
}

int MirrorFor(double value)
{
    if (value == 0)
        return 0;
    struct Range {
        double low, high;
    };
    // Mirror 1 takes values above 0; the others include both ends.
    static constexpr Range ranges[] = {{0, 189},     {190, 409},   {410, 999},   {1000, 1459},
                                       {1460, 1999}, {2000, 2509}, {2510, 2759}, {2760, 3149}};
    for (int i = 0; i < 8; ++i) {
        const bool above = i == 0 ? value > ranges[i].low : value >= ranges[i].low;
        if (above && value <= ranges[i].high)
            return i + 1;
    }
    return 9;
}
