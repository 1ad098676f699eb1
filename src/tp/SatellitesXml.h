#pragma once

#include "common/Result.h"
#include "tp/TPTables.h"

#include <QByteArray>
#include <QList>
#include <QString>

// The satellites.xml of open satellite receivers: <satellites> holding
// <sat name position> elements (position in tenths of a degree, west
// negative), each holding <transponder frequency symbol_rate polarization
// fec_inner> elements (Hz-free units: kHz and symbols per second).

struct XmlTransponder {
    qint64 frequency = 0;   // kHz
    qint64 symbolRate = 0;  // S/s
    int polarization = 0;   // 0 H, 1 V, 2 L, 3 R
    int fec = 0;            // the format's numbering
};

struct XmlSatellite {
    QString name;
    int position = 0;  // tenths of a degree, west negative
    QList<XmlTransponder> transponders;
};

// Every satellite of the file; a malformed file gives the line and the reason.
Result<QList<XmlSatellite>> readSatellitesXml(const QByteArray &xml);
// The named satellites of the four working regions, in region order.
QByteArray writeSatellitesXml(const TPTables &tables);

// What an import did not take as it stood.
struct XmlImportReport {
    int satellites = 0;         // satellites taken
    int satellitesLeftOut = 0;  // no slot left for them
    int transpondersLeftOut = 0;
    int fecsAsAuto = 0;  // FEC codes the receiver cannot hold
    QString text() const;
};

// Puts `chosen` into the working satellite targets `targets` of `region` in turn,
// each slot taking name, position and transponders (Diseqc and parse option
// stay). Satellites without a slot, and TPs past MaxTP, are left out.
XmlImportReport importSatellites(TPTables &tables, int region, const QList<XmlSatellite> &chosen,
                                 const QList<int> &targets);

// The mapping, one field at a time.
QString degOfPosition(int position);  // 192 -> "0192", -8 -> "3592"
int positionOfDeg(const QString &deg);
QString satNameOf(const QString &name, const QString &deg);
// The index into "Auto".."8/9", or -1 when the receiver cannot hold the code.
int fecIndexOfCode(int code);
