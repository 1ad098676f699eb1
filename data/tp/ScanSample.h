#pragma once

#include "ScanTables.h"
#include "tp/TPTables.h"

#include <QList>
#include <QString>

#include <optional>

// One orbital position of the scan tables as the receiver holds it.
struct SampleSatellite {
    QString name;         // "Astra 19.2E"
    int code = 0;         // tenths of a degree east, as the download codes count
    QList<TPRecord> tps;  // by frequency, at most MaxTP
};

// The words of a scan table file name before its position: "Astra-1KR-19.2E"
// gives "Astra", "1KR"; a "_C" (a C band table) is dropped.
QStringList NameWords(const QString &fileName);

// The name of a position from its files (name, TPs taken from it): the words all
// of them begin with, else the words of the one with the most TPs, then the
// position, as in "Astra 19.2E".
QString PositionName(const QList<std::pair<QString, int>> &files, int code);

// The transponder as a TP record, or nothing when the receiver cannot take it:
// DVB-S2, or a frequency or symbol rate too wide for its five-digit box.
std::optional<TPRecord> ReceiverTP(const ScanTransponder &tp);

// Every position of a scan table folder that has a transponder the receiver can
// take; the files of one position are merged into one satellite, named by
// PositionName.
QList<SampleSatellite> ScanSatellites(const QString &folder);

// Fills the stored tables: each satellite goes to the first region, in the
// download wizard's order (Europe, Asia, Atlantic, America), whose range holds
// its position; a region with more than MaxSat candidates keeps those with the
// most TPs and leaves the rest to the next region that holds them. Regions are
// ordered west to east and filled up to MaxSat with "other" slots.
void PlaceSatellites(const QList<SampleSatellite> &satellites, TPTables &tables);
