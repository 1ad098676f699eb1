#pragma once

#include <QString>

// The region check boxes in their window order.
enum class DownloadRegion { America = 0, Asia = 1, Atlantic = 2, Europe = 3 };

// The numeric value of a code line; 0 marks a line that is no code.
double CodeValue(const QString &line);

// Whether a region lists a code of this value (Asia and Atlantic overlap).
bool RegionHolds(DownloadRegion region, double value);

// The mirror, 1 to 9, that serves a code of this value; 0 for the value 0.
int MirrorFor(double value);
