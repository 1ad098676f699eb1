#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>

// One transponder as the scan tables give it.
struct ScanTransponder {
    bool dvbS2 = false;
    int frequencyMHz = 0;
    char polarisation = 'H';  // H, V, L or R
    int symbolRateK = 0;      // kBd
    QString fec;              // "3/4", "AUTO", ...

    bool operator<(const ScanTransponder &other) const;
};

// The position code of a scan table file name such as "Astra-19.2E": tenths of
// a degree east, west positions counted on from 360 degrees ("0.8W" is "3592").
// Empty when the name carries no position.
QString PositionCode(const QString &fileName);

// The transponders of one scan table text: "[...]" sections of key = value lines.
QList<ScanTransponder> ReadScanTable(const QByteArray &text);

// One satellite-data file in the fixed columns that the import reads.
QByteArray SdxText(const QString &code, const QString &title, const QList<ScanTransponder> &transponders);

// Every position of a scan table folder (such as /usr/share/dvb/dvb-s): code -> file.
QMap<QString, QByteArray> SdxCatalog(const QString &folder);
